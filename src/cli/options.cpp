#include "cli/options.h"

#include "report/text.h"

namespace tarivox::cli {
namespace {

struct OptionSpec {
  const char* Name;
  bool TakesValue;
  bool MayBeEmpty = true;  // false for a path: an empty one names no file
};

constexpr OptionSpec kOptions[OPTION_COUNT] = {
    {"--office", true},      {"--service", true}, {"--transaction", true}, {"--social", false},
    {"--explain", false},    {"--format", true},  {"--act", true},         {"--file", true, false},
    {"--client", true},      {"--date", true},    {"--lang", true},         {"--value", true},
    {"--tariff", true, false}, {"--number", true},  {"--preparer", true},    {"--firm", true},
    {"--valid-days", true},
};

bool IsOption(std::string_view argument) {
  return argument.size() >= 2 && argument[0] == '-' && !(argument[1] >= '0' && argument[1] <= '9') &&
         argument[1] != '.';
}

// The option's position in kOptions when the grammar takes it, otherwise -1.
int FindOption(std::string_view name, const Grammar& grammar) {
  unsigned accepted = grammar.Options | OptionBit(OPTION_LANG) | OptionBit(OPTION_TARIFF);
  for (int id = 0; id < OPTION_COUNT; ++id) {
    if (name == kOptions[id].Name && (accepted & OptionBit(static_cast<Option>(id))) != 0) return id;
  }
  return -1;
}

// What --lang names, or false for a language the tool does not speak.
bool CheckLanguage(report::Language language, const Arguments& arguments, std::string* error) {
  report::Language chosen{};
  if (!arguments.Given[OPTION_LANG] || report::ParseLanguage(arguments.Value[OPTION_LANG], &chosen)) return true;
  *error = report::Text(language, report::MSG_CLI_UNKNOWN_LANGUAGE, arguments.Value[OPTION_LANG]);
  return false;
}

// One option at argv[*at], its value taken from the next argument when
// it is not given after "=".
bool TakeOption(report::Language language, int argc, char** argv, int* at, const Grammar& grammar,
                Arguments* arguments, std::string* error) {
  using namespace report;
  std::string_view argument = argv[*at];
  std::size_t equals = argument.find('=');
  std::string_view name = argument.substr(0, equals);
  int id = FindOption(name, grammar);
  std::string_view value = equals == std::string_view::npos ? std::string_view() : argument.substr(equals + 1);
  bool valueFollows = id >= 0 && kOptions[id].TakesValue && equals == std::string_view::npos;
  if (id < 0) {
    *error = Text(language, MSG_CLI_UNKNOWN_OPTION, name);
  } else if (!kOptions[id].TakesValue && equals != std::string_view::npos) {
    *error = Text(language, MSG_CLI_TAKES_NO_VALUE, name);
  } else if (valueFollows && *at + 1 >= argc) {
    *error = Text(language, MSG_CLI_NEEDS_VALUE, name);
  } else if (arguments->Given[id] && id != OPTION_ACT) {
    *error = Text(language, MSG_CLI_ONLY_ONCE, name);
  } else {
    if (valueFollows) value = argv[++*at];
    if (kOptions[id].TakesValue && value.empty() && !kOptions[id].MayBeEmpty) {
      *error = Text(language, MSG_CLI_EMPTY_VALUE, name);
      return false;
    }
    arguments->Given[id] = true;
    arguments->Value[id] = value;
    if (id == OPTION_ACT) arguments->Acts.push_back(value);
    return true;
  }
  return false;
}

}  // namespace

bool ParseArguments(report::Language language, int argc, char** argv, const Grammar& grammar, Arguments* arguments,
                    std::string* error) {
  using namespace report;
  bool optionsEnded = false;
  std::vector<std::string_view> operands;
  for (int at = 0; at < argc; ++at) {
    std::string_view argument = argv[at];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (optionsEnded || !IsOption(argument)) {
      operands.push_back(argument);
    } else if (argument == "--help" || argument == "-h") {
      arguments->Help = true;
      return true;
    } else if (!TakeOption(language, argc, argv, &at, grammar, arguments, error)) {
      return false;
    }
  }
  if (grammar.Operands == 0 && !operands.empty()) {
    *error = Text(language, MSG_CLI_UNEXPECTED, operands[0]);
  } else if (grammar.Operands == 1 && operands.size() > 1) {
    *error = Text(language, MSG_CLI_TWO_VALUES, operands[0], operands[1]);
  } else if (operands.size() > static_cast<std::size_t>(grammar.Operands)) {
    *error = Text(language, MSG_CLI_UNEXPECTED, operands[static_cast<std::size_t>(grammar.Operands)]);
  } else {
    arguments->HasOperand = !operands.empty();
    if (arguments->HasOperand) arguments->Operand = operands[0];
    arguments->Operands = operands;
    return CheckLanguage(language, *arguments, error);
  }
  return false;
}

namespace {

// Each option from argv[from] on, with its value, as the parser reads
// them, so that "--client --lang=en" names a client and asks for no
// language; stops at "--". Calls found(name, value) for each.
template <typename Found>
void ScanOptions(int argc, char** argv, int from, Found found) {
  for (int at = from; at < argc; ++at) {
    const std::string_view argument = argv[at];
    if (argument == "--") return;
    if (!IsOption(argument)) continue;
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (TakesValue(name) && at + 1 < argc) {
      value = argv[++at];
    }
    found(name, value);
  }
}

}  // namespace

report::Language RequestedLanguage(int argc, char** argv) {
  report::Language language = report::Language::Spanish;
  ScanOptions(argc, argv, 1, [&language](std::string_view name, std::string_view value) {
    if (name == "--lang") report::ParseLanguage(value, &language);
  });
  return language;
}

bool LanguageAfterCommand(int argc, char** argv) {
  bool given = false;
  ScanOptions(argc, argv, 2, [&given](std::string_view name, std::string_view) { given = given || name == "--lang"; });
  return given;
}

bool TakesValue(std::string_view name) {
  for (const OptionSpec& option : kOptions) {
    if (name == option.Name) return option.TakesValue;
  }
  return false;
}

}  // namespace tarivox::cli
