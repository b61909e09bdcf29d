// The rule behind one fee, in words: the rate per started 100 and the
// hundreds counted, the bracket, the fixed fee, the cancellation base and
// excess, the social factor, and the minimum or maximum when one of them
// decided the fee. Everything comes from the engine's trace; nothing is
// derived again.
#include "catalogue/catalogue.h"
#include "fees/amount_text.h"
#include "report/act.h"
#include "report/money.h"

namespace tarivox::report {
namespace {

constexpr char kTimes[] = " \xC3\x97 ";  // U+00D7 MULTIPLICATION SIGN

bool HasFactor(const FeeTrace& trace) { return trace.Factor != 1.0; }

std::string Hundreds(double count) {
  return FormatWholeDouble(count) + (count == 1.0 ? " started hundred" : " started hundreds");
}

std::string RatePart(const FeeTrace& trace) {
  std::string text = Hundreds(trace.Hundreds) + kTimes + FormatDecimal(trace.Rate, 2);
  if (!HasFactor(trace)) return text;
  // The reduced rate is rounded to cents before it multiplies.
  return text + " (" + FormatDecimal(trace.RateCode, 2) + kTimes + FormatDecimal(trace.Factor, 2) + ", rounded)";
}

std::string ExcessPart(double base, const FeeTrace& trace, double ratePer100) {
  return FormatDecimal(base, 2) + " + " + Hundreds(trace.Hundreds) + " above " + FormatDecimal(ExcessThreshold, 2) +
         kTimes + FormatDecimal(ratePer100, 2);
}

// The factor multiplies the whole of a fixed, bracket or cancellation fee.
std::string WithFactor(const std::string& part, const FeeTrace& trace, bool compound) {
  if (!HasFactor(trace)) return part;
  return (compound ? "(" + part + ")" : part) + kTimes + FormatDecimal(trace.Factor, 2);
}

std::string BracketPart(const FeeTrace& trace) {
  const BracketRow& row = BracketTable[trace.BracketRow];
  std::string range = row.Low > 0.0 ? "over " + FormatDecimal(row.Low, 2) : std::string();
  // The last row goes on past its upper bound, so its bound says nothing.
  if (trace.BracketRow < BRACKET_ROW_COUNT - 1) {
    range += (range.empty() ? "up to " : " up to ") + FormatDecimal(row.High, 2);
  }
  bool excess = row.RatePer100 > 0.0;
  std::string fee = excess ? ExcessPart(row.Base, trace, row.RatePer100) : FormatDecimal(row.Base, 2);
  return "bracket " + range + ": " + WithFactor(fee, trace, excess);
}

std::string CancellationPart(const FeeTrace& trace) {
  if (trace.Hundreds > 0.0) return WithFactor(ExcessPart(CancellationBase, trace, CancellationRatePer100), trace, true);
  return WithFactor("base " + FormatDecimal(CancellationBase, 2), trace, false) + " (up to " +
         FormatDecimal(ExcessThreshold, 2) + ")";
}

std::string LimitsPart(const FeeResult& result, const FeeTrace& trace) {
  std::string text;
  if (trace.CapApplied) text += ", capped at " + FormatDecimal(CancellationBase, 2);
  if (trace.MinimumApplied || trace.MaximumApplied) text += " = " + FormatDecimal(result.ComputedFee, 2);
  if (trace.MinimumApplied) text += ", raised to the minimum " + FormatDecimal(trace.Minimum, 2);
  if (trace.MaximumApplied) text += ", cut to the maximum " + FormatDecimal(trace.Maximum, 2);
  return text;
}

std::string ComputedRule(const Act& act) {
  const FeeTrace& trace = act.Trace;
  switch (trace.Rule) {
    case FeeRule::Rate: return RatePart(trace);
    case FeeRule::Fixed:
      return WithFactor("fixed fee " + FormatDecimal(trace.RateCode, 2) + " (" + OfficeName(act.What.OfficeIndex) + ")",
                        trace, false);
    case FeeRule::Bracket:
    case FeeRule::CancellationBracket: return BracketPart(trace);
    case FeeRule::Cancellation: return CancellationPart(trace);
    case FeeRule::NotComputed: break;
  }
  return "not computed";
}

}  // namespace

std::string ShownFee(const Act& act) {
  return !act.Computed && act.What.ServiceIndex == SERVICE_PRESENTATION ? PRESENTATION_FEE_TEXT : "";
}

std::string RuleText(const Act& act) {
  if (!act.Computed) {
    std::string shown = ShownFee(act);
    return shown.empty() ? "not computed: see the tariff text" : "not computed: the fixed fee " + shown + " is shown";
  }
  // The window shows "0.00" here whatever the limits say.
  if (act.Amount <= 0.0 && act.Result.ComputedFee <= 0.0) return "amount 0.00: no fee";
  return ComputedRule(act) + LimitsPart(act.Result, act.Trace);
}

}  // namespace tarivox::report
