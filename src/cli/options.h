// The one command-line grammar of every tarivox-cli command: "--name VALUE"
// or "--name=VALUE", "--" ends the options, and "--help" or "-h" counts
// wherever an option may stand (not as another option's value, not after
// "--"). An argument that starts with "-" and a digit or "." is an operand,
// so that "-5" is an amount.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "report/messages.h"

namespace tarivox::cli {

enum Option : int {
  OPTION_OFFICE,
  OPTION_SERVICE,
  OPTION_TRANSACTION,
  OPTION_SOCIAL,
  OPTION_EXPLAIN,
  OPTION_FORMAT,
  OPTION_ACT,
  OPTION_FILE,
  OPTION_CLIENT,
  OPTION_DATE,
  OPTION_LANG,
  OPTION_VALUE,
  OPTION_TARIFF,
  OPTION_NUMBER,
  OPTION_PREPARER,
  OPTION_FIRM,
  OPTION_VALID_DAYS,
  OPTION_COUNT
};

constexpr unsigned OptionBit(Option option) { return 1u << option; }

// What a command accepts: its options (OptionBit of each; --lang and
// --tariff go with every command) and how many operands at most (the
// amount or the quantity; whether one is needed depends on the transaction,
// so the command decides).
struct Grammar {
  unsigned Options;
  int Operands;
};

struct Arguments {
  bool Help = false;
  bool Given[OPTION_COUNT] = {};
  std::string_view Value[OPTION_COUNT];  // as given, not yet converted to UTF-8
  std::vector<std::string_view> Acts;  // every --act, in order (the one option given more than once)
  bool HasOperand = false;
  std::string_view Operand;  // the first
  std::vector<std::string_view> Operands;
};

// False, with *error in language, for a command line the grammar does not
// accept.
bool ParseArguments(report::Language language, int argc, char** argv, const Grammar& grammar, Arguments* arguments,
                    std::string* error);

// The language --lang asks for, before or after the command, looked up
// before the command line is parsed so that even a usage error speaks it;
// Spanish when not given or not known (the parser then says so). argv[0] is
// the program.
report::Language RequestedLanguage(int argc, char** argv);

// Whether argv[2] on (after the program and its command) give --lang.
bool LanguageAfterCommand(int argc, char** argv);

// Whether the option of that name ("--client") takes a value.
bool TakesValue(std::string_view name);

}  // namespace tarivox::cli
