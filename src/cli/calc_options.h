// Command-line options shared by the commands that compute one act:
// --office, --service, --transaction, --social and the typed amount.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_common.h"

namespace tarivox::cli {

struct ParsedCalcLine {
  CalcOptions Selection;
  bool Explain = false;
  std::string TypedAmount;  // the amount exactly as typed in the window's field
  std::vector<std::string> Extra;  // other "--name" flags, for the caller to judge
};

// Parses options and the one amount. An argument that starts with "-" and
// then a digit or "." is an amount ("-5"); "--" ends the options. On error
// *error says what is wrong and the result is false.
bool ParseCalcArguments(int argc, char** argv, ParsedCalcLine* parsed, std::string* error);

}  // namespace tarivox::cli
