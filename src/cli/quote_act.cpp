#include "cli/quote_act.h"

#include "catalogue/catalogue.h"
#include "cli/cli_common.h"
#include "cli/quote_money.h"
#include "cli/quote_rule.h"
#include "fees/amount_reader.h"
#include "fees/amount_text.h"
#include "fees/fee_engine.h"

namespace tarivox::cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The integer part may carry commas only between groups of three digits.
bool CommasAreSeparators(std::string_view integerPart) {
  std::size_t firstComma = integerPart.find(',');
  if (firstComma == std::string_view::npos) return true;
  if (firstComma == 0 || firstComma > 3) return false;
  std::size_t groupStart = firstComma + 1;
  while (groupStart <= integerPart.size()) {
    std::size_t next = integerPart.find(',', groupStart);
    std::size_t end = next == std::string_view::npos ? integerPart.size() : next;
    if (end - groupStart != 3) return false;
    if (next == std::string_view::npos) break;
    groupStart = next + 1;
  }
  return true;
}

// Sign, digits with at most one point, optional exponent (E e D d) - the
// shape the amount reader accepts - and nothing after it.
bool IsWholeNumber(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && text[at] == '+') ++at;
  std::size_t digits = 0;
  bool point = false;
  for (; at < text.size(); ++at) {
    if (IsDigit(text[at])) {
      ++digits;
    } else if (text[at] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (at < text.size() && std::string_view("EeDd").find(text[at]) != std::string_view::npos) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    std::size_t exponentDigits = 0;
    while (at < text.size() && IsDigit(text[at])) ++at, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return at == text.size();
}

std::string WithoutCommas(std::string_view text) {
  std::string plain;
  for (char c : text) {
    if (c != ',') plain.push_back(c);
  }
  return plain;
}

void DescribeNotComputed(const ActRequest& act, ActFigures* figures) {
  figures->Computed = false;
  if (act.Service == SERVICE_PRESENTATION) {
    figures->ShownFee = PRESENTATION_SHOWN_FEE;
    figures->Rule = std::string("not computed: the fixed fee ") + PRESENTATION_SHOWN_FEE +
                    " is shown";
  } else {
    figures->Rule = "not computed: see the tariff text";
  }
}

}  // namespace

bool CheckTypedAmount(std::string_view typed, std::string* reason) {
  if (typed.empty()) {
    *reason = "no amount given";
    return false;
  }
  if (typed.size() > AMOUNT_FIELD_LIMIT) {
    *reason = "the amount is longer than the 127 characters the amount field takes";
    return false;
  }
  if (typed[0] == '-') {
    *reason = "the amount \"" + std::string(typed) + "\" is negative";
    return false;
  }
  std::size_t integerEnd = typed.find_first_of(".EeDd");
  std::string_view integerPart = typed.substr(0, integerEnd);
  bool commasAfter = integerEnd != std::string_view::npos &&
                     typed.find(',', integerEnd) != std::string_view::npos;
  if (commasAfter || !CommasAreSeparators(integerPart)) {
    *reason = "in the amount \"" + std::string(typed) +
              "\" commas must separate thousands (the decimal point is \".\")";
    return false;
  }
  if (!IsWholeNumber(WithoutCommas(typed))) {
    *reason = "the amount \"" + std::string(typed) + "\" is not a number";
    return false;
  }
  return true;
}

bool ComputeAct(const ActRequest& act, ActFigures* figures, std::string* reason) {
  *figures = ActFigures{};
  if (!IsComputedTransaction(act.Service, act.Transaction)) {
    DescribeNotComputed(act, figures);
    return true;
  }
  if (!CheckTypedAmount(act.TypedAmount, reason)) return false;
  FeeSelection selection{act.Office, act.Service, act.Transaction, act.Social, 0.0};
  ReadAmountText(act.TypedAmount.c_str());
  double typedValue = ReadAmount(AmountText);
  FeeResult result{};
  double amount = 0.0;
  if (!ComputeFeeFromAmountText(selection, &result, &amount)) {
    *reason = "the selection is outside the fee tables";
    return false;
  }
  // The calculator treats amounts from 10^15 dollars on as unusable and
  // shows 0.00; a quote says so instead of quoting nothing.
  if (!(typedValue < AMOUNT_LIMIT) || (typedValue >= 1.0 && amount == 0.0)) {
    *reason = "the amount \"" + act.TypedAmount +
              "\" is too large: the calculator takes amounts below 1,000,000,000,000,000.00";
    return false;
  }
  figures->Computed = true;
  figures->AmountText = AmountText;
  figures->FeeText = FeeText;
  if (!ParseCentsText(figures->AmountText, &figures->AmountCents) ||
      !ParseCentsText(figures->FeeText, &figures->FeeCents)) {
    *reason = "the calculator's texts \"" + figures->AmountText + "\" and \"" +
              figures->FeeText + "\" are not amounts in cents";
    return false;
  }
  selection.Amount = amount;
  FeeTrace trace{};
  FeeResult traced = EvaluateFeeTraced(selection, &trace);
  figures->Rule = DescribeFeeRule(selection, traced, trace);
  return true;
}

std::string OfficeNameUtf8(int office) {
  if (office < 0 || office >= OFFICE_COUNT) return {};
  return Cp1252ToUtf8(OfficeNames[office]);
}

std::string ServiceNameUtf8(int service) {
  if (service < 0 || service >= SERVICE_COUNT) return {};
  return Cp1252ToUtf8(ServiceNames[service]);
}

std::string TransactionNameUtf8(int service, int transaction, int office) {
  TextList loaded = LoadedTransactions(service, office);
  if (transaction < 0 || transaction >= loaded.Count) return {};
  return Cp1252ToUtf8(loaded.Items[transaction]);
}

const char* ProjectName(bool social) { return social ? "social interest" : "normal"; }

}  // namespace tarivox::cli
