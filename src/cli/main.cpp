// tarivox-cli: the fee calculator for scripts and the terminal.
#include <new>

#include "cli/commands.h"
#include "cli/platform.h"
#include "report/text.h"

namespace tarivox::cli {
namespace {

struct Command {
  const char* Name;
  const char* Summary;
  Grammar Syntax;
  const char* Help;
  int (*Run)(const Arguments& arguments, const Streams& io);
};

constexpr unsigned kSelection =
    OptionBit(OPTION_OFFICE) | OptionBit(OPTION_SERVICE) | OptionBit(OPTION_TRANSACTION) | OptionBit(OPTION_SOCIAL);

const Command kCommands[] = {
    {"calc", "compute one fee and print the result sentence", {kSelection | OptionBit(OPTION_EXPLAIN), true},
     CALC_HELP, RunCalc},
    {"list", "print offices, services and transactions", {0, false}, LIST_HELP, RunList},
    {"batch", "compute one fee per record of standard input", {0, false}, BATCH_HELP, RunBatch},
    {"quote", "quote several acts with their rules and the total",
     {OptionBit(OPTION_ACT) | OptionBit(OPTION_FILE) | OptionBit(OPTION_CLIENT) | OptionBit(OPTION_DATE) |
          OptionBit(OPTION_FORMAT),
      false},
     QUOTE_HELP, RunQuote},
    {"compare", "one act under both offices and social interest", {kSelection | OptionBit(OPTION_FORMAT), true},
     COMPARE_HELP, RunCompare},
};

constexpr char kExitStatuses[] =
    "Exit status: 0 done, 1 some input refused, 2 usage error, 3 a read or write\n"
    "failed or memory ran out (the message names the stream or file; the output\n"
    "is cut or missing).\n";

std::string Usage() {
  std::string usage = "usage: tarivox-cli COMMAND [OPTIONS]\n\nCommands:\n";
  for (const Command& command : kCommands) {
    usage += "  " + std::string(command.Name) + std::string(10 - std::char_traits<char>::length(command.Name), ' ') +
             command.Summary + "\n";
  }
  return usage + "\nEvery command takes --help.\n" + kExitStatuses;
}

int RunCommandLine(int argc, char** argv, Streams* io) {
  std::string_view name = argc > 1 ? argv[1] : "";
  if (name == "--help" || name == "-h") {
    Write(io->Out, Usage());
    return EXIT_OK;
  }
  for (const Command& command : kCommands) {
    if (name != command.Name) continue;
    io->Command = command.Name;
    Arguments arguments;
    std::string error;
    if (!ParseArguments(argc - 2, argv + 2, command.Syntax, &arguments, &error)) return UsageError(*io, error);
    if (!arguments.Help) return command.Run(arguments, *io);
    Write(io->Out, std::string(command.Help) + kExitStatuses);
    return EXIT_OK;
  }
  if (argc > 1) Say(*io, "unknown command \"" + report::AsUtf8(name) + "\"\n");
  Write(io->Err, Usage());
  return EXIT_USAGE;
}

}  // namespace
}  // namespace tarivox::cli

int main(int argc, char** argv) {
  using namespace tarivox::cli;
  PrepareStandardStreams();
  // Static: the buffers are large, and live as long as the program.
  static Output out{.Fd = 1, .Name = "standard output"};
  static Output err{.Fd = 2, .Name = "standard error"};
  // Whoever feeds standard input may wait for the answers so far.
  static Input in{.Fd = 0, .Name = "standard input", .FlushFirst = &out};
  Streams io{&in, &out, &err, nullptr};
  int status = EXIT_IO;
  try {
    status = RunCommandLine(argc, argv, &io);
  } catch (const std::bad_alloc&) {
    Say(io, "out of memory; the output is incomplete");
    status = EXIT_IO;
  }
  // A result cut short by a full disk or a closed pipe must not pass for one.
  if (!Close(&out)) {
    Say(io, Failure(out.Name, out.Error));
    status = EXIT_IO;
  }
  Flush(&err);
  return status;
}
