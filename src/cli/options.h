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
  OPTION_COUNT
};

constexpr unsigned OptionBit(Option option) { return 1u << option; }

// What a command accepts: its options (OptionBit of each) and whether it
// takes the one operand, the amount.
struct Grammar {
  unsigned Options;
  bool TakesAmount;
};

struct Arguments {
  bool Help = false;
  bool Given[OPTION_COUNT] = {};
  std::string_view Value[OPTION_COUNT];  // as given, not yet converted to UTF-8
  std::vector<std::string_view> Acts;  // every --act, in order (the one option given more than once)
  std::string_view Amount;
};

// False, with *error, for a command line the grammar does not accept.
bool ParseArguments(int argc, char** argv, const Grammar& grammar, Arguments* arguments, std::string* error);

}  // namespace tarivox::cli
