// tarivox-cli: the fee calculator for scripts and the terminal.
#include <cstring>
#include <iostream>

#include "cli/cli_common.h"
#include "cli/commands.h"

namespace {

using tarivox::cli::CommandStreams;

struct Command {
  const char* Name;
  int (*Run)(int argc, char** argv, CommandStreams io);
  const char* Summary;
};

constexpr Command kCommands[] = {
    {"calc", tarivox::cli::RunCalc, "compute one fee and print the result sentence"},
    {"list", tarivox::cli::RunList, "print offices, services and transactions"},
    {"batch", tarivox::cli::RunBatch, "compute one fee per line of standard input"},
    {"quote", tarivox::cli::RunQuote, "quote several acts with their rules and the total"},
    {"compare", tarivox::cli::RunCompare, "one act under both offices and social interest"},
};

void WriteUsage(std::ostream& out) {
  out << "usage: tarivox-cli COMMAND [OPTIONS]\n\nCommands:\n";
  for (const Command& command : kCommands) {
    out << "  " << command.Name << std::string(10 - std::strlen(command.Name), ' ') << command.Summary << "\n";
  }
  out << "\nEvery command takes --help.\n";
}

}  // namespace

int main(int argc, char** argv) {
  // Streams of their own, untied: batch reads millions of lines, and a
  // flush of the output before every read would cost a system call each.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  CommandStreams io{std::cin, std::cout, std::cerr};
  if (argc < 2) {
    WriteUsage(std::cerr);
    return tarivox::cli::EXIT_USAGE;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    WriteUsage(std::cout);
    return tarivox::cli::EXIT_OK;
  }
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.Name) == 0) return command.Run(argc - 2, argv + 2, io);
  }
  std::cerr << "tarivox-cli: unknown command \"" << argv[1] << "\"\n\n";
  WriteUsage(std::cerr);
  return tarivox::cli::EXIT_USAGE;
}
