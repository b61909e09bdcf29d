#include "fees/fee_engine.h"

#include <cmath>
#include <cstdint>

#include "fees/amount_reader.h"
#include "fees/decimal_form.h"

namespace tarivox {
namespace {

constexpr double kWholeRoundTripLimit = 1e15;

}  // namespace

double RoundToCents(double x) {
  if (std::isnan(x) || std::isinf(x)) return x;
  if (x < 0) return -RoundToCents(-x);
  return ScaledDecimalValue(RoundToDecimals(x, 2), 2);
}

namespace {

// std::trunc of a positive double, through a 32-bit integer where one
// holds it: one conversion each way on every target.
double WholePart(double positive) {
  constexpr double kInt32End = 2147483648.0;  // 2^31
  return positive < kInt32End ? static_cast<double>(static_cast<std::int32_t>(positive)) : std::trunc(positive);
}

}  // namespace

double HundredUnits(double x) {
  if (!(x > 0)) return 0;
  double hundreds = x / 100;
  // The whole count stays a double: a 32-bit count would wrap for amounts
  // from 214,748,364,700.01 on and give a small or negative fee there.
  double whole = WholePart(hundreds);
  // The fraction is judged on the six-decimal form: a remainder that the
  // form rounds away counts as none. Below 10^9 hundreds the first stage
  // moves a value by less than 10^-8, so a fraction from 2 * 10^-6 to
  // 1 - 2 * 10^-6 always shows and needs no text; and a whole number of
  // hundreds, as round amounts give, shows no decimals at all.
  double fraction = hundreds - whole;
  bool hasFraction = fraction != 0 && ((hundreds < 1e9 && fraction >= 2e-6 && fraction <= 1 - 2e-6) ||
                                       HasNonZeroDecimals(RoundToDecimals(hundreds, 6), 6));
  double count = hasFraction ? whole + 1 : whole;
  // A whole number below 10^15 has an exact two-decimal form, so writing it
  // and reading it back would give it unchanged.
  return count < kWholeRoundTripLimit ? count : RoundToCents(count);
}

namespace {

// HundredUnits(selection.Amount - threshold), counted in integers where the
// selection has its cents, the threshold is a whole number of dollars and
// that count is the same.
double HundredsAbove(const FeeSelection& selection, double threshold) {
  if (selection.Cents >= 0 && selection.Cents < CENTS_OF_INTEGER_HUNDREDS && threshold >= 0 &&
      threshold < static_cast<double>(CENTS_OF_INTEGER_HUNDREDS / 100)) {
    const long long dollars = static_cast<long long>(threshold);
    if (static_cast<double>(dollars) == threshold) {
      const long long above = selection.Cents - dollars * 100;
      return above > 0 ? static_cast<double>((above + 9999) / 10000) : 0;
    }
  }
  return HundredUnits(selection.Amount - threshold);
}

int BracketRowFor(const Edition& edition, double amount) {
  for (int row = 0; row < edition.BracketCount; ++row) {
    if (edition.Brackets[row].Low < amount && amount <= edition.Brackets[row].High) return row;
  }
  return -1;
}

// The fee of one row, the product rounded before the sum.
double BracketRowFee(const Edition& edition, const FeeSelection& selection, int row, double* hundreds) {
  *hundreds = HundredsAbove(selection, edition.BracketExcessAbove);
  double product = *hundreds * edition.Brackets[row].RatePer100;
  return product + edition.Brackets[row].Base;
}

// The bracket rule as the engine applies it. The schedule's rows end at
// the last row's bound and say nothing of larger amounts; there the last
// row goes on, so the fee keeps growing and the maximum fee (or the
// cancellation cap) applies, instead of a negative fee.
double EngineBracketFee(const Edition& edition, const FeeSelection& selection, int* usedRow, double* hundreds) {
  *usedRow = -1;
  *hundreds = 0;
  if (!(selection.Amount > 0)) return 0;
  int row = BracketRowFor(edition, selection.Amount);
  *usedRow = row >= 0 ? row : edition.BracketCount - 1;
  return BracketRowFee(edition, selection, *usedRow, hundreds);
}

double ApplyBrackets(const Edition& edition, const FeeSelection& selection, bool capped, double factor,
                     double* fee, FeeTrace& trace) {
  *fee = EngineBracketFee(edition, selection, &trace.BracketRow, &trace.Hundreds) * factor;
  trace.Rule = capped ? FeeRule::CancellationBracket : FeeRule::Bracket;
  trace.Rate = trace.BracketRow >= 0 ? edition.Brackets[trace.BracketRow].RatePer100 : 0;
  if (capped && *fee > edition.CancellationBase) {
    *fee = edition.CancellationBase;
    trace.CapApplied = true;
  }
  return RATE_CODE_BRACKET;
}

double ApplyCancellation(const Edition& edition, const FeeSelection& selection, double factor, double* fee,
                         FeeTrace& trace) {
  const double amount = selection.Amount;
  trace.Rule = FeeRule::Cancellation;
  trace.Rate = edition.CancellationPerHundred;
  if (amount > edition.CancellationUpTo) {
    trace.Hundreds = HundredsAbove(selection, edition.CancellationUpTo);
    double excess = trace.Hundreds * edition.CancellationPerHundred;
    double sum = excess + edition.CancellationBase;
    *fee = sum * factor;
  } else {
    *fee = amount > 0 ? edition.CancellationBase * factor : 0;
  }
  return RATE_CODE_CANCELLATION;
}

// The rule of the selection's price; fills fee and trace, returns the code
// the trace keeps (the fixed fee itself for a fixed fee).
double ApplyRule(const Edition& edition, const FeeSelection& selection, const Price& price, double factor,
                 double* fee, FeeTrace& trace) {
  switch (price.Rule) {
    case PriceRule::Brackets: return ApplyBrackets(edition, selection, false, factor, fee, trace);
    case PriceRule::CappedBrackets: return ApplyBrackets(edition, selection, true, factor, fee, trace);
    case PriceRule::Cancellation: return ApplyCancellation(edition, selection, factor, fee, trace);
    case PriceRule::FixedByOffice: {
      const double fixed = edition.Offices[selection.OfficeIndex].FixedFee;
      *fee = fixed * factor;
      trace.Rule = FeeRule::Fixed;
      return fixed;
    }
    case PriceRule::PerHundred:
      trace.Rule = FeeRule::Rate;
      trace.Rate = factor == 1 ? price.RoundedRate : price.RoundedSocialRate;
      trace.Hundreds = HundredsAbove(selection, 0);
      *fee = trace.Rate * trace.Hundreds;
      return price.PerHundred;
    case PriceRule::Stated:
    case PriceRule::ShownFee: break;
  }
  return 0;
}

}  // namespace

bool IsSelectionInRange(const Edition& edition, const Selection& selection) {
  if (selection.OfficeIndex < 0 || selection.OfficeIndex >= edition.OfficeCount) return false;
  const ServiceEntry* service = ServiceOf(edition, selection.ServiceIndex);
  if (service == nullptr) return false;
  return !service->Controls.Calculate || IsComputedTransaction(edition, selection);
}

SelectionRule RuleOf(const Edition& edition, const Selection& selection) {
  SelectionRule rule{IsSelectionInRange(edition, selection), false, nullptr};
  if (!rule.InRange) return rule;
  rule.Social = UnderSocialInterest(edition, selection);
  rule.Computed = IsComputedTransaction(edition, selection) ? PriceOf(edition, selection) : nullptr;
  return rule;
}

FeeResult EvaluateFeeTraced(const Edition& edition, const FeeSelection& selection, FeeTrace* trace) {
  return EvaluateFeeTraced(edition, RuleOf(edition, selection), selection, trace);
}

FeeResult EvaluateFeeTraced(const Edition& edition, const SelectionRule& rule, const FeeSelection& selection,
                            FeeTrace* trace) {
  // The trace starts blank in place: built beside it and copied over, its
  // fields stored one by one would be read back in wider moves, which wait.
  FeeTrace local;
  FeeTrace& record = trace != nullptr ? *trace : local;
  record = FeeTrace{FeeRule::NotComputed, 1, 0, 0, 0, -1, 0, 0, false, false, false};
  if (!rule.InRange) return {0, 0};

  const bool social = rule.Social;
  const double factor = social && selection.Amount <= edition.SocialUpTo ? edition.SocialFactor : 1;
  record.Factor = factor;
  double fee = 0;
  const Price* price = rule.Computed;
  const double code = price != nullptr ? ApplyRule(edition, selection, *price, factor, &fee, record) : 0;
  record.RateCode = code;
  FeeResult result{fee, fee};

  const FeeLimitSet limits = social ? edition.SocialLimits : edition.NormalLimits;
  record.Minimum = limits.Minimum;
  record.Maximum = limits.Maximum;
  // Bracket results are exempt from the minimum: they may stay at 1.80.
  if (result.LimitedFee < limits.Minimum && code != RATE_CODE_BRACKET) {
    result.LimitedFee = limits.Minimum;
    record.MinimumApplied = true;
  }
  if (result.LimitedFee > limits.Maximum) {
    result.LimitedFee = limits.Maximum;
    record.MaximumApplied = true;
  }
  return result;
}

FeeResult EvaluateFee(const Edition& edition, const FeeSelection& selection) {
  return EvaluateFeeTraced(edition, selection, nullptr);
}

bool IsComputedTransaction(const Selection& selection) { return IsComputedTransaction(BuiltInEdition(), selection); }
bool IsSelectionInRange(const Selection& selection) { return IsSelectionInRange(BuiltInEdition(), selection); }
FeeResult EvaluateFeeTraced(const FeeSelection& selection, FeeTrace* trace) {
  return EvaluateFeeTraced(BuiltInEdition(), selection, trace);
}
FeeResult EvaluateFee(const FeeSelection& selection) { return EvaluateFeeTraced(selection, nullptr); }

long long StatedFeeCents(const Price& price, long long quantity) {
  const long long cents = price.BaseCents + price.RateCents * quantity;
  return cents < price.MinimumCents ? price.MinimumCents : cents;
}

bool SocialShareApplies(const Edition& edition, const Selection& selection) {
  const TransactionEntry* entry = LoadedEntry(edition, selection);
  return entry != nullptr && entry->SocialReduced && UnderSocialInterest(edition, selection) &&
         PriceOf(edition, selection)->Rule == PriceRule::Stated;
}

long long SocialShareCents(const Edition& edition, long long cents, long long valueCents) {
  if (valueCents > edition.SocialUpToCents) return cents;
  const double share = (static_cast<double>(cents) / 100) * edition.SocialFactor;
  return static_cast<long long>(RoundToDecimals(share, 2).Units);
}
}  // namespace tarivox
