#include "cli/quote_rule.h"

#include "catalogue/catalogue.h"
#include "cli/cli_common.h"
#include "cli/quote_money.h"

namespace tarivox::cli {
namespace {

bool HasFactor(const FeeTrace& trace) { return trace.Factor != 1.0; }

std::string Hundreds(double count) {
  return FormatWholeDouble(count) + (count == 1.0 ? " started hundred" : " started hundreds");
}

std::string RatePart(const FeeTrace& trace) {
  std::string text = Hundreds(trace.Hundreds) + " \xC3\x97 " + FormatDecimal(trace.Rate, 2);
  if (HasFactor(trace)) {
    // The reduced rate is rounded to cents before it multiplies.
    text += " (" + FormatDecimal(trace.RateCode, 2) + " \xC3\x97 " +
            FormatDecimal(trace.Factor, 2) + ", rounded)";
  }
  return text;
}

std::string FixedPart(const FeeSelection& selection, const FeeTrace& trace) {
  std::string office = (selection.OfficeIndex >= 0 && selection.OfficeIndex < OFFICE_COUNT)
                           ? Cp1252ToUtf8(OfficeNames[selection.OfficeIndex])
                           : std::string("?");
  return "fixed fee " + FormatDecimal(trace.RateCode, 2) + " (" + office + ")";
}

std::string ExcessPart(double base, const FeeTrace& trace, double ratePer100) {
  return FormatDecimal(base, 2) + " + " + Hundreds(trace.Hundreds) + " above " +
         FormatDecimal(ExcessThreshold, 2) + " \xC3\x97 " + FormatDecimal(ratePer100, 2);
}

// The factor multiplies the whole of a fixed, bracket or cancellation fee.
std::string WithFactor(const std::string& part, const FeeTrace& trace, bool compound) {
  if (!HasFactor(trace)) return part;
  std::string base = compound ? "(" + part + ")" : part;
  return base + " \xC3\x97 " + FormatDecimal(trace.Factor, 2);
}

std::string BracketPart(const FeeTrace& trace) {
  if (trace.BracketRow < 0 || trace.BracketRow >= BRACKET_ROW_COUNT) return "bracket schedule";
  const BracketRow& row = BracketTable[trace.BracketRow];
  std::string range = row.Low > 0.0 ? "over " + FormatDecimal(row.Low, 2) : std::string();
  // The last row goes on past its upper bound, so its bound says nothing.
  if (trace.BracketRow < BRACKET_ROW_COUNT - 1) {
    range += (range.empty() ? "up to " : " up to ") + FormatDecimal(row.High, 2);
  }
  bool excess = row.RatePer100 > 0.0;
  std::string fee = excess ? ExcessPart(row.Base, trace, row.RatePer100)
                           : FormatDecimal(row.Base, 2);
  return "bracket " + range + ": " + WithFactor(fee, trace, excess);
}

std::string CancellationPart(const FeeTrace& trace) {
  if (trace.Hundreds > 0.0) {
    return WithFactor(ExcessPart(CancellationBase, trace, CancellationRatePer100), trace, true);
  }
  return WithFactor("base " + FormatDecimal(CancellationBase, 2), trace, false) + " (up to " +
         FormatDecimal(ExcessThreshold, 2) + ")";
}

std::string LimitsPart(const FeeResult& result, const FeeTrace& trace) {
  std::string text;
  if (trace.CapApplied) text += ", capped at " + FormatDecimal(CancellationBase, 2);
  if (trace.MinimumApplied || trace.MaximumApplied) {
    text += " = " + FormatDecimal(result.ComputedFee, 2);
  }
  if (trace.MinimumApplied) text += ", raised to the minimum " + FormatDecimal(trace.Minimum, 2);
  if (trace.MaximumApplied) text += ", cut to the maximum " + FormatDecimal(trace.Maximum, 2);
  return text;
}

}  // namespace

std::string DescribeFeeRule(const FeeSelection& selection, const FeeResult& result,
                            const FeeTrace& trace) {
  if (trace.Rule == FeeRule::NotComputed) return "not computed";
  // The window shows "0.00" here whatever the limits say.
  if (selection.Amount <= 0.0 && result.ComputedFee <= 0.0) return "amount 0.00: no fee";
  std::string text;
  switch (trace.Rule) {
    case FeeRule::Rate: text = RatePart(trace); break;
    case FeeRule::Fixed: text = WithFactor(FixedPart(selection, trace), trace, false); break;
    case FeeRule::Bracket:
    case FeeRule::CancellationBracket: text = BracketPart(trace); break;
    case FeeRule::Cancellation: text = CancellationPart(trace); break;
    case FeeRule::NotComputed: break;
  }
  return text + LimitsPart(result, trace);
}

}  // namespace tarivox::cli
