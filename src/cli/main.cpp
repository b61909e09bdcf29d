// tarivox-cli: the fee calculator for scripts and the terminal.
#include <new>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/platform.h"
#include "fees/amount_text.h"
#include "report/text.h"
#include "report/typed_input.h"

namespace tarivox::cli {
namespace {

struct Command {
  const char* Name;
  report::MessageOf<> Summary;
  Grammar Syntax;
  report::MessageOf<> Help;
  int (*Run)(const Arguments& arguments, const Streams& io);
  // How the command reads amounts and quantities, said after its help.
  bool WindowReading, AmountRule, QuantityRule;
};

constexpr unsigned kSelection =
    OptionBit(OPTION_OFFICE) | OptionBit(OPTION_SERVICE) | OptionBit(OPTION_TRANSACTION) | OptionBit(OPTION_SOCIAL);

const Command kCommands[] = {
    {"calc", report::MSG_CLI_SUMMARY_CALC,
     {kSelection | OptionBit(OPTION_EXPLAIN) | OptionBit(OPTION_DATE) | OptionBit(OPTION_VALUE), 1},
     report::MSG_CLI_HELP_CALC, RunCalc, true, false, true},
    {"list", report::MSG_CLI_SUMMARY_LIST, {OptionBit(OPTION_DATE), 0}, report::MSG_CLI_HELP_LIST, RunList, false, false,
     false},
    {"batch", report::MSG_CLI_SUMMARY_BATCH, {OptionBit(OPTION_DATE), 0}, report::MSG_CLI_HELP_BATCH, RunBatch, true,
     false, false},
    {"quote", report::MSG_CLI_SUMMARY_QUOTE,
     {OptionBit(OPTION_ACT) | OptionBit(OPTION_FILE) | OptionBit(OPTION_CLIENT) | OptionBit(OPTION_DATE) |
          OptionBit(OPTION_FORMAT),
      0},
     report::MSG_CLI_HELP_QUOTE, RunQuote, false, true, true},
    {"compare", report::MSG_CLI_SUMMARY_COMPARE,
     {kSelection | OptionBit(OPTION_FORMAT) | OptionBit(OPTION_DATE) | OptionBit(OPTION_VALUE), 1},
     report::MSG_CLI_HELP_COMPARE, RunCompare, false, true, true},
    {"tariff", report::MSG_CLI_SUMMARY_TARIFF, {0, 2}, report::MSG_CLI_HELP_TARIFF, RunTariff, false, false, false},
};

std::string Help(const Command& command, report::Language language) {
  using namespace report;
  std::string help = Text(language, command.Help);
  if (command.WindowReading) help += Text(language, MSG_CLI_WINDOW_READING, static_cast<long long>(AMOUNT_FIELD_LIMIT));
  if (command.AmountRule) help += Text(language, MSG_CLI_AMOUNT_RULE, Cents{AMOUNT_CENTS_END});
  if (command.QuantityRule) help += Text(language, MSG_CLI_QUANTITY_RULE, 1, QUANTITY_LIMIT);
  return help + Text(language, MSG_CLI_EXIT_STATUSES);
}

std::string Usage(report::Language language) {
  std::string usage = report::Text(language, report::MSG_CLI_USAGE);
  for (const Command& command : kCommands) {
    usage += "  " + std::string(command.Name) + std::string(10 - std::char_traits<char>::length(command.Name), ' ') +
             report::Text(language, command.Summary) + "\n";
  }
  return usage + report::Text(language, report::MSG_CLI_USAGE_END) +
         report::Text(language, report::MSG_CLI_EXIT_STATUSES);
}

// --lang before the command, as a user who sets it once for a session
// writes it: checked as the parser checks it after the command, and given
// only once in all. The number of arguments it takes, or -1 after saying
// what is wrong.
int LeadingLanguage(int argc, char** argv, const Streams& io) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  const bool apart = first == "--lang";
  if (!apart && !first.starts_with("--lang=")) return 0;
  std::string_view value = apart ? (argc > 2 ? argv[2] : "") : first.substr(7);
  report::Language language{};
  std::string error;
  if (apart && argc <= 2) {
    error = report::Text(io.Lang, report::MSG_CLI_NEEDS_VALUE, "--lang");
  } else if (!report::ParseLanguage(value, &language)) {
    error = report::Text(io.Lang, report::MSG_CLI_UNKNOWN_LANGUAGE, value);
  } else if (LanguageAfterCommand(argc - (apart ? 2 : 1), argv + (apart ? 2 : 1))) {
    error = report::Text(io.Lang, report::MSG_CLI_ONLY_ONCE, "--lang");
  } else {
    return apart ? 2 : 1;
  }
  Say(io, report::Text(io.Lang, report::MSG_CLI_SEE_MAIN_HELP, error));
  return -1;
}

int RunCommandLine(int argc, char** argv, Streams* io) {
  const int skip = LeadingLanguage(argc, argv, *io);
  if (skip < 0) return EXIT_USAGE;
  argc -= skip;
  argv += skip;
  std::string_view name = argc > 1 ? argv[1] : "";
  if (name == "--help" || name == "-h") {
    Write(io->Out, Usage(io->Lang));
    return EXIT_OK;
  }
  for (const Command& command : kCommands) {
    if (name != command.Name) continue;
    io->Command = command.Name;
    Arguments arguments;
    std::string error;
    if (!ParseArguments(io->Lang, argc - 2, argv + 2, command.Syntax, &arguments, &error)) {
      return UsageError(*io, error);
    }
    if (!arguments.Help) return command.Run(arguments, *io);
    Write(io->Out, Help(command, io->Lang));
    return EXIT_OK;
  }
  if (argc > 1) Say(*io, report::Text(io->Lang, report::MSG_CLI_UNKNOWN_COMMAND, name));
  Write(io->Err, Usage(io->Lang));
  return EXIT_USAGE;
}

}  // namespace
}  // namespace tarivox::cli

int main(int argc, char** argv) {
  using namespace tarivox::cli;
  using tarivox::report::Text;
  PrepareStandardStreams();
  std::vector<std::string> arguments = Utf8Arguments(argc, argv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  argc = static_cast<int>(arguments.size());
  argv = pointers.data();
  const tarivox::report::Language language = RequestedLanguage(argc, argv);
  // Static: the buffers are large, and live as long as the program.
  static Output out{.Fd = 1, .Name = Text(language, tarivox::report::MSG_CLI_STANDARD_OUTPUT)};
  static Output err{.Fd = 2, .Name = Text(language, tarivox::report::MSG_CLI_STANDARD_ERROR)};
  // Whoever feeds standard input may wait for the answers so far.
  static Input in{.Fd = 0, .Name = Text(language, tarivox::report::MSG_CLI_STANDARD_INPUT), .FlushFirst = &out};
  Streams io{&in, &out, &err, nullptr, language};
  CatchStopSignals();
  int status = EXIT_IO;
  try {
    status = RunCommandLine(argc, argv, &io);
  } catch (const std::bad_alloc&) {
    Say(io, Text(language, tarivox::report::MSG_CLI_OUT_OF_MEMORY));
    status = EXIT_IO;
  }
  // Stopped by a signal: the whole records written stay, and the program
  // ends as the signal would have ended it.
  if (int signal = StopSignal(); signal != 0) {
    Abandon(&out);
    Flush(&err);
    EndBySignal(signal);
  }
  // A result cut short by a full disk or a closed pipe must not pass for one.
  if (!Close(&out)) {
    Say(io, Failure(language, out.Unassembled ? Text(language, tarivox::report::MSG_WORKBOOK_FAILED) : out.Name,
                    out.Error));
    status = EXIT_IO;
  }
  Flush(&err);
  return status;
}
