// tarivox-cli: the fee calculator for scripts and the terminal.
#include <new>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/platform.h"
#include "fees/amount_text.h"
#include "report/quote_check.h"
#include "report/text.h"
#include "report/typed_input.h"

namespace tarivox::cli {
namespace {

struct Command {
  const char* Name;
  report::MessageOf<> Summary;
  Grammar Syntax;
  report::MessageOf<> Help;
  report::MessageOf<> Refused;  // what exit status 1 means for it
  int (*Run)(const Arguments& arguments, const Streams& io);
  // How the command reads amounts and quantities, and how large a file it
  // reads, said after its help.
  bool WindowReading = false, AmountRule = false, QuantityRule = false;
  std::size_t FileLimit = 0;
};

constexpr unsigned kSelection =
    OptionBit(OPTION_OFFICE) | OptionBit(OPTION_SERVICE) | OptionBit(OPTION_TRANSACTION) | OptionBit(OPTION_SOCIAL);
constexpr unsigned kQuoteOptions = OptionBit(OPTION_ACT) | OptionBit(OPTION_FILE) | OptionBit(OPTION_CLIENT) |
                                   OptionBit(OPTION_DATE) | OptionBit(OPTION_FORMAT) | OptionBit(OPTION_NUMBER) |
                                   OptionBit(OPTION_PREPARER) | OptionBit(OPTION_FIRM) | OptionBit(OPTION_VALID_DAYS);

using namespace report;
const Command kCommands[] = {
    {"calc", MSG_CLI_SUMMARY_CALC, {kSelection | OptionBit(OPTION_EXPLAIN) | OptionBit(OPTION_DATE) | OptionBit(OPTION_VALUE), 1},
     MSG_CLI_HELP_CALC, MSG_CLI_EXIT_ACT_REFUSED, RunCalc, true, false, true},
    {"list", MSG_CLI_SUMMARY_LIST, {OptionBit(OPTION_DATE), 0}, MSG_CLI_HELP_LIST, MSG_CLI_EXIT_STATUS_UNUSED, RunList},
    {"batch", MSG_CLI_SUMMARY_BATCH, {OptionBit(OPTION_DATE), 0}, MSG_CLI_HELP_BATCH, MSG_CLI_EXIT_RECORD_REFUSED,
     RunBatch, true},
    {"quote", MSG_CLI_SUMMARY_QUOTE, {kQuoteOptions, 0}, MSG_CLI_HELP_QUOTE, MSG_CLI_EXIT_QUOTE_REFUSED, RunQuote, false,
     true, true},
    {"compare", MSG_CLI_SUMMARY_COMPARE, {kSelection | OptionBit(OPTION_FORMAT) | OptionBit(OPTION_DATE) | OptionBit(OPTION_VALUE), 1},
     MSG_CLI_HELP_COMPARE, MSG_CLI_EXIT_ACT_REFUSED, RunCompare, false, true, true},
    {"tariff", MSG_CLI_SUMMARY_TARIFF, {0, 2}, MSG_CLI_HELP_TARIFF, MSG_CLI_EXIT_EDITION_REFUSED, RunTariff},
    {"verify", MSG_CLI_SUMMARY_VERIFY, {0, 1}, MSG_CLI_HELP_VERIFY, MSG_CLI_EXIT_DIFFERS, RunVerify, false, false, false,
     QUOTE_CHECK_LIMIT},
};

std::string Help(const Command& command, Language language) {
  std::string help = Text(language, command.Help);
  if (command.WindowReading) help += Text(language, MSG_CLI_WINDOW_READING, static_cast<long long>(AMOUNT_FIELD_LIMIT));
  if (command.AmountRule) help += Text(language, MSG_CLI_AMOUNT_RULE, Cents{AMOUNT_CENTS_END});
  if (command.QuantityRule) help += Text(language, MSG_CLI_QUANTITY_RULE, 1, QUANTITY_LIMIT);
  if (command.FileLimit != 0) help += Text(language, MSG_CLI_FILE_LIMIT, static_cast<long long>(command.FileLimit));
  return help + "\n" + Text(language, MSG_CLI_EXIT_STATUSES, Text(language, command.Refused));
}

std::string Usage(Language language) {
  std::string usage = Text(language, MSG_CLI_USAGE);
  const auto line = [&usage, language](std::string_view name, MessageOf<> summary) {
    usage += "  " + std::string(name) + std::string(10 - name.size(), ' ') + Text(language, summary) + "\n";
  };
  for (const Command& command : kCommands) line(command.Name, command.Summary);
  line("help", MSG_CLI_SUMMARY_HELP);
  return usage + Text(language, MSG_CLI_USAGE_END) +
         Text(language, MSG_CLI_EXIT_STATUSES, Text(language, MSG_CLI_EXIT_ANY_REFUSED));
}

// "help COMMAND" is "COMMAND --help"; "help" alone (or "help help") the
// usage. It reads the one grammar: --lang may follow.
int RunHelp(int argc, char** argv, Streams* io) {
  Arguments arguments;
  std::string error;
  const bool parsed = ParseArguments(io->Lang, argc - 2, argv + 2, Grammar{0, 2}, &arguments, &error);
  if (!parsed || arguments.Operands.size() > 1) {
    Say(*io, parsed ? Text(io->Lang, MSG_CLI_UNEXPECTED, arguments.Operands[1]) : error);
    Write(io->Err, Usage(io->Lang));
    return EXIT_USAGE;
  }
  const std::string_view name = arguments.HasOperand ? arguments.Operand : std::string_view("help");
  for (const Command& command : kCommands) {
    if (name != command.Name) continue;
    Write(io->Out, Help(command, io->Lang));
    return EXIT_OK;
  }
  if (name == "help") {
    Write(io->Out, Usage(io->Lang));
    return EXIT_OK;
  }
  Say(*io, Text(io->Lang, MSG_CLI_UNKNOWN_COMMAND, name));
  Write(io->Err, Usage(io->Lang));
  return EXIT_USAGE;
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
  // "help COMMAND" is "COMMAND --help"; "help" alone the usage.
  if (name == "help") return RunHelp(argc, argv, io);
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
