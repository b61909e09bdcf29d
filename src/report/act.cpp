#include "report/act.h"

#include <vector>

#include "catalogue/catalogue.h"
#include "fees/amount_text.h"
#include "report/money.h"
#include "report/text.h"
#include "report/units.h"

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

bool ResolveFields(Language language, const std::vector<std::string_view>& fields, Selection* what,
                   std::string* reason) {
  if (!ResolveSelection(language, fields[0], fields[1], fields[2], what, reason)) return false;
  std::string kind = fields.size() == 4 ? FoldName(fields[3]) : "normal";
  if (kind != "social" && kind != "normal") {
    *reason = Text(language, MSG_PROJECT_KIND, {Echo(fields[3])});
    return false;
  }
  what->SocialInterest = kind == "social";
  return CheckProjectKind(language, *what, reason);
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits, commas and one point at most, with a digit among them: the
// amount a report takes, but for the place of its commas and its size.
bool IsPlainNumber(std::string_view text) {
  std::size_t point = text.find('.');
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  bool digit = false;
  for (char c : text.substr(0, point)) {
    if (!IsDigit(c) && c != ',') return false;
    digit = digit || IsDigit(c);
  }
  for (char c : fraction) {
    if (!IsDigit(c) && c != ',') return false;
    digit = true;
  }
  return digit;
}

// "1e3", "2D3", "1,000e3": the window reads an exponent, but a quote
// states every digit of the amount it prices.
bool HasExponent(std::string_view number) {
  std::size_t letter = number.find_first_of("EeDd");
  if (letter == std::string_view::npos || !IsPlainNumber(number.substr(0, letter))) return false;
  std::string_view power = number.substr(letter + 1);
  if (!power.empty() && (power[0] == '+' || power[0] == '-')) power.remove_prefix(1);
  return !power.empty() && power.find_first_not_of("0123456789") == std::string_view::npos;
}

// The window reads the dollars as a double, and from 2^46 dollars on
// doubles lie more than a cent apart: 80,000,000,000,000.01 comes back as
// .02. Below it every cent typed is the cent computed with, and the amount
// in cents stays below 2^53, exact for a JavaScript reader of the JSON.
constexpr std::string_view kExactDollarsEnd = "70368744177664";  // 2^46

bool IsExactToTheCent(std::string_view plain) {
  std::string integer;
  for (char c : plain.substr(0, plain.find('.'))) {
    if (c != ',' && !(integer.empty() && c == '0')) integer += c;
  }
  if (integer.size() != kExactDollarsEnd.size()) return integer.size() < kExactDollarsEnd.size();
  return integer < kExactDollarsEnd;
}

// What is wrong with an amount after its sign, or MESSAGE_COUNT: one rule
// for quote and compare, and for the page.
Message JudgeAmount(std::string_view number) {
  std::size_t point = number.find('.');
  if (HasExponent(number)) return MSG_AMOUNT_EXPONENT;
  if (!CommasSeparateThousands(number.substr(0, point)) ||
      (point != std::string_view::npos && number.find(',', point) != std::string_view::npos)) {
    return MSG_AMOUNT_COMMAS;
  }
  if (!IsPlainNumber(number)) return MSG_AMOUNT_NOT_A_NUMBER;
  return IsExactToTheCent(number) ? MESSAGE_COUNT : MSG_AMOUNT_TOO_LARGE;
}

}  // namespace

bool CheckActValue(Language language, const Act& act, std::string* reason) {
  ActValue value = ValueOf(act.What);
  if (value == ActValue::Amount && !act.HasTyped) {
    *reason = Text(language, MSG_NO_AMOUNT);
  } else if (value == ActValue::Quantity && !act.HasTyped) {
    unsigned conditions = 0;
    *reason = Text(language, MSG_NO_QUANTITY, {UnitsName(language, StatedFeeFor(act.What, &conditions)->Unit)});
  } else if (value == ActValue::None && act.HasTyped) {
    *reason = Text(language, MSG_TAKES_NOTHING, {TransactionName(act.What)});
  } else {
    return true;
  }
  return false;
}

namespace {

bool PriceByEngine(Language language, Act* act, std::string* reason) {
  if (!CheckTypedAmount(language, act->Typed, reason)) return false;
  // The selection was resolved in the catalogue, so it is inside the tables.
  const FeeComputation computation = ComputeFeeTexts(act->What, act->Typed);
  act->PricedBy = Pricing::Engine;
  act->AmountCents = computation.AmountCents;
  act->FeeCents = computation.FeeCents;
  act->Amount = computation.AmountValue;
  act->Result = computation.Result;
  act->Trace = computation.Trace;
  return true;
}

bool PriceByText(Language language, Act* act, std::string* reason) {
  act->PricedBy = Pricing::TariffText;
  act->Stated = StatedFeeFor(act->What, &act->Conditions);
  act->Quantity = 0;
  if (act->Stated->Unit != UNIT_NONE && !ReadQuantity(language, act->Typed, &act->Quantity, reason)) return false;
  act->FeeCents = StatedFeeCents(*act->Stated, act->Quantity);
  return true;
}

}  // namespace

ActValue ValueOf(const Selection& what) {
  if (IsComputedTransaction(what)) return ActValue::Amount;
  unsigned conditions = 0;
  const StatedFee* stated = StatedFeeFor(what, &conditions);
  return stated != nullptr && stated->Unit != UNIT_NONE ? ActValue::Quantity : ActValue::None;
}

std::string SourceText(Language language, const Act& act) {
  return Text(language, act.FromArgument ? MSG_ACT_OPTION : MSG_LINE, {FormatPlainInteger(act.Source)});
}

bool CheckProjectKind(Language language, const Selection& what, std::string* reason) {
  if (!what.SocialInterest || ProjectKindOffered(what)) return true;
  // The window offers the option only at MVT, and not for every service
  // there; a quote must not suggest a reduction that cannot apply.
  Selection atMvt = what;
  atMvt.OfficeIndex = 1;
  *reason = ProjectKindOffered(atMvt) ? Text(language, MSG_SOCIAL_ONLY_AT_MVT, {OfficeName(1)})
                                      : Text(language, MSG_SOCIAL_NOT_FOR_SERVICE, {ServiceName(what.ServiceIndex)});
  return false;
}

bool ParseAct(Language language, std::string_view text, Act* act, std::string* reason) {
  std::size_t bar = text.find('|');
  act->Label = bar == std::string_view::npos ? std::string() : OneLine(Trim(text.substr(bar + 1)));
  std::string_view body = Trim(text.substr(0, bar));
  std::size_t equals = body.find('=');
  act->HasTyped = equals != std::string_view::npos;
  act->Typed = act->HasTyped ? std::string(Trim(body.substr(equals + 1))) : std::string();
  std::vector<std::string_view> fields = SplitFields(body.substr(0, equals), ':');
  if (fields.size() < 3 || fields.size() > 4) {
    *reason = Text(language, MSG_ACT_SHAPE, {Echo(body)});
    return false;
  }
  return ResolveFields(language, fields, &act->What, reason) && CheckActValue(language, *act, reason);
}

bool CheckTypedAmount(Language language, std::string_view typed, std::string* reason) {
  if (typed.empty()) {
    *reason = Text(language, MSG_AMOUNT_EMPTY);
    return false;
  }
  Message problem = MESSAGE_COUNT;
  if (typed.size() > AMOUNT_FIELD_LIMIT) {
    problem = MSG_AMOUNT_LONG;
  } else if (typed[0] == '-') {
    problem = MSG_AMOUNT_NEGATIVE;
  } else {
    problem = JudgeAmount(typed.substr(typed[0] == '+' ? 1 : 0));
  }
  if (problem == MESSAGE_COUNT) return true;
  *reason = Text(language, problem, {Echo(typed)});
  return false;
}

bool ReadQuantity(Language language, std::string_view typed, long long* quantity, std::string* reason) {
  long long value = 0;
  bool digits = !typed.empty() && CommasSeparateThousands(typed);
  for (char c : typed) {
    if (c == ',') continue;
    if (c < '0' || c > '9' || value > QUANTITY_LIMIT) {
      digits = false;
      break;
    }
    value = value * 10 + (c - '0');
  }
  if (!digits || value < 1 || value > QUANTITY_LIMIT) {
    *reason = Text(language, MSG_QUANTITY_INVALID, {Echo(typed)});
    return false;
  }
  *quantity = value;
  return true;
}

bool PriceAct(Language language, Act* act, std::string* reason) {
  return IsComputedTransaction(act->What) ? PriceByEngine(language, act, reason) : PriceByText(language, act, reason);
}

}  // namespace tarivox::report
