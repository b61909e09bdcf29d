// The tarivox-cli commands. Each takes the arguments after its own name and
// returns an ExitStatus.
#pragma once

#include <istream>
#include <ostream>

namespace tarivox::cli {

struct CommandStreams {
  std::istream& In;
  std::ostream& Out;
  std::ostream& Err;
};

int RunCalc(int argc, char** argv, CommandStreams io);
int RunList(int argc, char** argv, CommandStreams io);
int RunBatch(int argc, char** argv, CommandStreams io);
int RunQuote(int argc, char** argv, CommandStreams io);
int RunCompare(int argc, char** argv, CommandStreams io);

}  // namespace tarivox::cli
