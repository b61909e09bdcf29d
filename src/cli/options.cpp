#include "cli/options.h"

#include "report/text.h"

namespace tarivox::cli {
namespace {

struct OptionSpec {
  const char* Name;
  bool TakesValue;
};

constexpr OptionSpec kOptions[OPTION_COUNT] = {
    {"--office", true}, {"--service", true}, {"--transaction", true}, {"--social", false}, {"--explain", false},
    {"--format", true}, {"--act", true},     {"--file", true},        {"--client", true},  {"--date", true},
};

bool IsOption(std::string_view argument) {
  return argument.size() >= 2 && argument[0] == '-' && !(argument[1] >= '0' && argument[1] <= '9') &&
         argument[1] != '.';
}

// The option's position in kOptions when the grammar takes it, otherwise -1.
int FindOption(std::string_view name, const Grammar& grammar) {
  for (int id = 0; id < OPTION_COUNT; ++id) {
    if (name == kOptions[id].Name && (grammar.Options & OptionBit(static_cast<Option>(id))) != 0) return id;
  }
  return -1;
}

std::string Quoted(std::string_view text) { return "\"" + report::AsUtf8(text) + "\""; }

// One option at argv[*at], its value taken from the next argument when
// it is not given after "=".
bool TakeOption(int argc, char** argv, int* at, const Grammar& grammar, Arguments* arguments, std::string* error) {
  std::string_view argument = argv[*at];
  std::size_t equals = argument.find('=');
  std::string_view name = argument.substr(0, equals);
  int id = FindOption(name, grammar);
  std::string_view value = equals == std::string_view::npos ? std::string_view() : argument.substr(equals + 1);
  if (id < 0) {
    *error = "unknown option " + Quoted(name);
  } else if (!kOptions[id].TakesValue && equals != std::string_view::npos) {
    *error = std::string(name) + " takes no value";
  } else if (kOptions[id].TakesValue && equals == std::string_view::npos && *at + 1 >= argc) {
    *error = std::string(name) + " needs a value";
  } else if (arguments->Given[id] && id != OPTION_ACT) {
    *error = std::string(name) + " may be given only once";
  } else {
    if (kOptions[id].TakesValue && equals == std::string_view::npos) value = argv[++*at];
    arguments->Given[id] = true;
    arguments->Value[id] = value;
    if (id == OPTION_ACT) arguments->Acts.push_back(value);
    return true;
  }
  return false;
}

}  // namespace

bool ParseArguments(int argc, char** argv, const Grammar& grammar, Arguments* arguments, std::string* error) {
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
    } else if (!TakeOption(argc, argv, &at, grammar, arguments, error)) {
      return false;
    }
  }
  if (!grammar.TakesAmount && !operands.empty()) {
    *error = "unexpected argument " + Quoted(operands[0]);
  } else if (grammar.TakesAmount && operands.size() != 1) {
    *error = operands.empty() ? "the amount is missing"
                              : "only one amount may be given (found " + Quoted(operands[0]) + " and " +
                                    Quoted(operands[1]) + ")";
  } else {
    if (grammar.TakesAmount) arguments->Amount = operands[0];
    return true;
  }
  return false;
}

}  // namespace tarivox::cli
