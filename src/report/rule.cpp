// The rule behind one fee, in words. A computed fee: the rate per started
// 100 and the hundreds counted, the bracket, the fixed fee, the cancellation
// base and excess, the social factor, and the minimum or maximum when one of
// them decided the fee, all from the engine's trace, nothing derived again.
// A fee from its tariff text: the text's own figures and the quantity, and
// under a social-interest project the share its value decides.
#include "report/act.h"
#include "report/money.h"
#include "report/units.h"

namespace tarivox::report {
namespace {

bool HasFactor(const FeeTrace& trace) { return trace.Factor != 1.0; }

std::string Money(double value) { return FormatDecimal(value, 2); }

std::string Hundreds(Language language, double count) {
  return Text(language, count == 1.0 ? MSG_HUNDREDS_ONE : MSG_HUNDREDS_MANY, FormatWholeDouble(count));
}

std::string RatePart(Language language, const FeeTrace& trace) {
  // The reduced rate is rounded to cents before it multiplies.
  std::string rate = HasFactor(trace) ? Text(language, MSG_RULE_ROUNDED_RATE, Money(trace.Rate), Money(trace.RateCode), Money(trace.Factor))
                                      : Money(trace.Rate);
  return Text(language, MSG_RULE_TIMES, Hundreds(language, trace.Hundreds), rate);
}

std::string ExcessPart(Language language, double base, const FeeTrace& trace, double threshold, double ratePer100) {
  return Text(language, MSG_RULE_EXCESS, Money(base), Hundreds(language, trace.Hundreds), Money(threshold),
              Money(ratePer100));
}

// The factor multiplies the whole of a fixed, bracket or cancellation fee.
std::string WithFactor(Language language, const std::string& part, const FeeTrace& trace, bool compound) {
  if (!HasFactor(trace)) return part;
  return Text(language, MSG_RULE_TIMES, compound ? "(" + part + ")" : part, Money(trace.Factor));
}

std::string BracketPart(Language language, const Edition& edition, const FeeTrace& trace) {
  const BracketRow& row = edition.Brackets[trace.BracketRow];
  bool excess = row.RatePer100 > 0.0;
  std::string fee = WithFactor(
      language, excess ? ExcessPart(language, row.Base, trace, edition.BracketExcessAbove, row.RatePer100) : Money(row.Base),
      trace, excess);
  // The last row goes on past its upper bound, so its bound says nothing.
  if (trace.BracketRow == edition.BracketCount - 1) return Text(language, MSG_RULE_BRACKET_OVER, Money(row.Low), fee);
  if (row.Low > 0.0) return Text(language, MSG_RULE_BRACKET_BETWEEN, Money(row.Low), Money(row.High), fee);
  return Text(language, MSG_RULE_BRACKET_UP_TO, Money(row.High), fee);
}

std::string CancellationPart(Language language, const Edition& edition, const FeeTrace& trace) {
  if (trace.Hundreds > 0.0) {
    return WithFactor(language,
                      ExcessPart(language, edition.CancellationBase, trace, edition.CancellationUpTo,
                                 edition.CancellationPerHundred),
                      trace, true);
  }
  return WithFactor(
      language,
      Text(language, MSG_RULE_CANCELLATION_BASE, Money(edition.CancellationBase), Money(edition.CancellationUpTo)),
      trace, false);
}

std::string LimitsPart(Language language, const Edition& edition, const FeeResult& result, const FeeTrace& trace) {
  std::string text;
  if (trace.CapApplied) text += Text(language, MSG_RULE_CAPPED, Money(edition.CancellationBase));
  if (trace.MinimumApplied || trace.MaximumApplied) text += Text(language, MSG_RULE_RESULT, Money(result.ComputedFee));
  if (trace.MinimumApplied) text += Text(language, MSG_RULE_MINIMUM, Money(trace.Minimum));
  if (trace.MaximumApplied) text += Text(language, MSG_RULE_MAXIMUM, Money(trace.Maximum));
  return text;
}

std::string ComputedRule(Language language, const Act& act) {
  const FeeTrace& trace = act.Trace;
  const Edition& edition = *act.Tariff;
  switch (trace.Rule) {
    case FeeRule::Rate: return RatePart(language, trace);
    case FeeRule::Fixed:
      return WithFactor(
          language, Text(language, MSG_RULE_FIXED, Money(trace.RateCode), OfficeName(edition, act.What.OfficeIndex)),
          trace, false);
    case FeeRule::Bracket:
    case FeeRule::CancellationBracket: return BracketPart(language, edition, trace);
    case FeeRule::Cancellation: return CancellationPart(language, edition, trace);
    case FeeRule::NotComputed: break;
  }
  return {};
}

// The figures a text states, and the quantity counted.
std::string StatedFigures(Language language, const Act& act) {
  const Price& stated = *act.Stated;
  const long long fee = act.Shared ? act.FullFeeCents : act.FeeCents;
  if (stated.Unit == UNIT_NONE) {
    return Text(language, stated.Rule == PriceRule::ShownFee ? MSG_RULE_STATED_SHOWN : MSG_RULE_STATED_FIXED,
                FormatCents(fee));
  }
  long long beforeMinimum = stated.BaseCents + stated.RateCents * act.Quantity;
  std::string count = UnitCount(language, stated.Unit, act.Quantity);
  std::string rate = FormatCents(stated.RateCents);
  std::string rule = stated.BaseCents > 0
                         ? Text(language, MSG_RULE_STATED_BASE, FormatCents(stated.BaseCents), count, rate,
                                FormatCents(beforeMinimum))
                         : Text(language, MSG_RULE_STATED_RATE, count, rate, FormatCents(beforeMinimum));
  if (beforeMinimum < stated.MinimumCents) rule += Text(language, MSG_RULE_MINIMUM, FormatCents(stated.MinimumCents));
  return rule;
}

// Under a social-interest project the text's fee, and the share the
// project's value decides.
std::string StatedRule(Language language, const Act& act) {
  const std::string figures = StatedFigures(language, act);
  if (!act.Shared) return figures;
  const Edition& edition = *act.Tariff;
  if (act.ProjectValueCents > edition.SocialUpToCents) {
    return Text(language, MSG_RULE_NOT_SHARED, figures, Cents{act.ProjectValueCents}, Cents{edition.SocialUpToCents});
  }
  return Text(language, MSG_RULE_SHARED, figures, Money(edition.SocialFactor), Cents{act.ProjectValueCents},
              Cents{act.FeeCents});
}

}  // namespace

std::string ShownFee(const Act& act) {
  const long long shown = FeeShownBeforeComputation(*act.Tariff, act.What.ServiceIndex);
  return act.PricedBy == Pricing::TariffText && shown > 0 ? FormatCents(shown) : "";
}

std::string RuleText(Language language, const Act& act) {
  if (act.PricedBy == Pricing::TariffText) return StatedRule(language, act);
  // The window shows "0.00" here whatever the limits say.
  if (act.Amount <= 0.0 && act.Result.ComputedFee <= 0.0) return Text(language, MSG_RULE_NO_AMOUNT);
  return ComputedRule(language, act) + LimitsPart(language, *act.Tariff, act.Result, act.Trace);
}

std::string StatedRate(Language language, const Edition& edition, const Selection& what) {
  if (IsComputedTransaction(edition, what)) return {};
  const Price* stated = PriceOf(edition, what);
  if (stated == nullptr) return {};
  if (stated->Rule == PriceRule::ShownFee) {
    return Text(language, MSG_RULE_STATED_SHOWN, FormatCents(FeeShownBeforeComputation(edition, what.ServiceIndex)));
  }
  // The list names the text already ("según su texto: …").
  if (stated->Unit == UNIT_NONE) return Text(language, MSG_RATE_FIXED, FormatCents(stated->BaseCents));
  std::string unit = UnitName(language, stated->Unit);
  std::string rate =
      stated->BaseCents > 0
          ? Text(language, MSG_RULE_BASE_PER_UNIT, FormatCents(stated->BaseCents), FormatCents(stated->RateCents), unit)
          : Text(language, MSG_RULE_PER_UNIT, FormatCents(stated->RateCents), unit);
  if (stated->MinimumCents > 0) rate = Text(language, MSG_RULE_WITH_MINIMUM, rate, FormatCents(stated->MinimumCents));
  return rate;
}

}  // namespace tarivox::report
