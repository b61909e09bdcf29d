#include "report/act.h"

#include <vector>

#include "catalogue/catalogue.h"
#include "fees/amount_reader.h"
#include "fees/amount_text.h"
#include "report/money.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find(separator, start);
    fields.push_back(Trim(text.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

bool ResolveSelection(const std::vector<std::string_view>& fields, Selection* what, std::string* reason) {
  if (!report::ResolveSelection(fields[0], fields[1], fields[2], what, reason)) return false;
  std::string kind = fields.size() == 4 ? FoldName(fields[3]) : "normal";
  if (kind != "social" && kind != "normal") {
    *reason = "the project kind \"" + std::string(fields[3]) + "\" is neither \"social\" nor \"normal\"";
    return false;
  }
  what->SocialInterest = kind == "social";
  // The window offers the option only at MVT; a quote must not suggest a
  // reduction that cannot apply.
  if (what->SocialInterest && what->OfficeIndex == 0) {
    *reason = "the social-interest option exists only at office " + OfficeName(1);
    return false;
  }
  return true;
}

// An integer part whose commas, if any, stand between groups of three
// digits after a first group of one to three.
bool CommasSeparateThousands(std::string_view integer) {
  std::size_t group = 0;
  bool comma = false;
  for (char c : integer) {
    if (c != ',') {
      ++group;
      continue;
    }
    if (group == 0 || group > 3 || (comma && group != 3)) return false;
    comma = true;
    group = 0;
  }
  return !comma || group == 3;
}

}  // namespace

std::string SourceText(const Act& act) {
  return (act.FromArgument ? "--act " : "line ") + std::to_string(act.Source);
}

bool ParseAct(std::string_view text, Act* act, std::string* reason) {
  std::size_t bar = text.find('|');
  act->Label = bar == std::string_view::npos ? std::string() : OneLine(Trim(text.substr(bar + 1)));
  std::string_view body = Trim(text.substr(0, bar));
  std::size_t equals = body.find('=');
  act->HasAmount = equals != std::string_view::npos;
  act->Typed = act->HasAmount ? std::string(Trim(body.substr(equals + 1))) : std::string();
  std::vector<std::string_view> fields = SplitFields(body.substr(0, equals), ':');
  if (fields.size() < 3 || fields.size() > 4) {
    *reason = "an act is OFFICE:SERVICE:TRANSACTION[:social]=AMOUNT, not \"" + std::string(body) + "\"";
    return false;
  }
  if (!ResolveSelection(fields, &act->What, reason)) return false;
  bool computed = IsComputedTransaction(act->What);
  if (computed && !act->HasAmount) {
    *reason = "no amount given: write =AMOUNT after the transaction (=0 for a fixed fee)";
    return false;
  }
  if (!computed && act->HasAmount) {
    *reason = "\"" + TransactionName(act->What) + "\" has no computed fee, so it takes no amount";
    return false;
  }
  return true;
}

bool CheckTypedAmount(std::string_view typed, std::string* reason) {
  std::string quoted = "the amount \"" + std::string(typed) + "\"";
  if (typed.empty()) {
    *reason = "no amount given";
  } else if (typed.size() > AMOUNT_FIELD_LIMIT) {
    *reason = "the amount is longer than the 127 characters the amount field takes";
  } else if (typed[0] == '-') {
    *reason = quoted + " is negative";
  } else {
    std::string_view number = typed.substr(typed[0] == '+' ? 1 : 0);
    std::size_t integerEnd = number.find_first_of(".EeDd");
    std::string plain;
    for (char c : typed) {
      if (c != ',') plain += c;
    }
    if (!CommasSeparateThousands(number.substr(0, integerEnd)) ||
        (integerEnd != std::string_view::npos && number.find(',', integerEnd) != std::string_view::npos)) {
      *reason = quoted + ": commas must separate thousands (the decimal point is \".\")";
    } else if (AmountLength(plain.c_str()) != plain.size()) {
      *reason = quoted + " is not a number";
    } else {
      return true;
    }
  }
  return false;
}

bool ComputeAct(Act* act, std::string* reason) {
  const Selection& what = act->What;
  act->Computed = IsComputedTransaction(what);
  if (!act->Computed) return true;
  if (!CheckTypedAmount(act->Typed, reason)) return false;
  // The selection was resolved in the catalogue, so it is inside the tables.
  const FeeComputation computation = ComputeFeeTexts(what, act->Typed);
  // The window shows 0.00 for amounts from 10^15 dollars on, as for text
  // that is no number; a quote says so instead of quoting nothing.
  if (!(computation.TypedValue < AMOUNT_LIMIT)) {
    *reason = "the amount \"" + act->Typed +
              "\" is too large: the calculator takes amounts below 1,000,000,000,000,000.00";
    return false;
  }
  act->AmountCents = computation.AmountCents;
  act->FeeCents = computation.FeeCents;
  act->Amount = computation.AmountValue;
  act->Result = computation.Result;
  act->Trace = computation.Trace;
  return true;
}

}  // namespace tarivox::report
