#include "cli/calc_options.h"

#include <string_view>

namespace tarivox::cli {
namespace {

bool LooksLikeAmount(std::string_view argument) {
  if (argument.size() < 2 || argument[0] != '-') return true;
  char next = argument[1];
  return (next >= '0' && next <= '9') || next == '.';
}

struct RawChoices {
  std::string Office = "0";
  std::string Service = "0";
  std::string Transaction = "0";
};

bool ResolveChoices(const RawChoices& raw, CalcOptions* selection, std::string* error) {
  return ResolveOffice(raw.Office, &selection->Office, error) &&
         ResolveService(raw.Service, &selection->Service, error) &&
         ResolveTransaction(raw.Transaction, selection->Service, selection->Office,
                            &selection->Transaction, error);
}

}  // namespace

bool ParseCalcArguments(int argc, char** argv, ParsedCalcLine* parsed, std::string* error) {
  RawChoices raw;
  bool haveAmount = false;
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    bool isOption = !optionsEnded && !LooksLikeAmount(argument);
    if (isOption && (argument == "--office" || argument == "--service" || argument == "--transaction")) {
      if (i + 1 >= argc) {
        *error = std::string(argument) + " needs a value";
        return false;
      }
      std::string& target = argument == "--office" ? raw.Office
                            : argument == "--service" ? raw.Service
                                                      : raw.Transaction;
      target = argv[++i];
    } else if (isOption && argument == "--social") {
      parsed->Selection.Social = true;
    } else if (isOption && argument == "--explain") {
      parsed->Explain = true;
    } else if (isOption) {
      parsed->Extra.emplace_back(argument);
    } else if (haveAmount) {
      *error = "only one amount may be given (found \"" + parsed->TypedAmount + "\" and \"" +
               std::string(argument) + "\")";
      return false;
    } else {
      parsed->TypedAmount = std::string(argument);
      haveAmount = true;
    }
  }
  if (!haveAmount) {
    *error = "the amount is missing";
    return false;
  }
  return ResolveChoices(raw, &parsed->Selection, error);
}

}  // namespace tarivox::cli
