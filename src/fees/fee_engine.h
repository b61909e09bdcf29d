// The registry's fee rules: rates per started 100 dollars, fixed fees by
// office, the bracket schedule of production credits, the cancellation rule,
// the social-interest reduction and the minimum and maximum fee; every figure
// from the tariff edition a computation is given.
//
// All arithmetic is binary64, each product, quotient and sum rounded to a
// double before the next operation.
#pragma once

#include "catalogue/edition.h"
#include "catalogue/selection.h"

namespace tarivox {

// The five inputs of one computation: what the lists select, and the amount.
struct FeeSelection : Selection {
  double Amount;  // dollars, already in whole cents, >= 0
  // The same amount in cents where the caller has them (Amount is then the
  // double nearest to Cents / 100), else -1: the engine then counts
  // started hundreds in integers where that count is the same.
  long long Cents = -1;
};

// The fee before and after the minimum and maximum.
struct FeeResult {
  double ComputedFee;
  double LimitedFee;
};

// What the trace keeps of a rule's code for explanations: the rate per
// started 100 for a rate, the fee itself for a fixed fee, and these for the
// schedules.
inline constexpr double RATE_CODE_BRACKET = -1.0;
inline constexpr double RATE_CODE_CANCELLATION = -3.0;

// Started hundreds in x (0 when x is not positive), judged on the six-decimal
// text of x / 100. Never wraps: a count beyond 32 bits stays exact.
double HundredUnits(double x);

// Below this many cents (amounts under 100,000,000,000.00), HundredUnits of
// the double nearest to c / 100, less a whole number of dollars t below
// it, is the count of started hundreds of the cents themselves,
// ceil((c - 100 t) / 10^4). The subtraction is exact there, and the two
// divisions of doubles err by less than 3 * 10^-7 hundreds: a whole number
// of hundreds reads back exactly, and any other lies at least 10^-4 from
// one. A threshold with cents has no such exact subtraction, and keeps the
// doubles.
inline constexpr long long CENTS_OF_INTEGER_HUNDREDS = 10000000000000;

// x rounded to cents through the two-decimal form.
double RoundToCents(double x);

// True when the edition has a rule for this selection: an office and a
// service of the edition and, for a service that computes fees (its
// "Calcular pago"), a computed transaction. A service that computes nothing
// gives no fee, held to the limits.
bool IsSelectionInRange(const Edition& edition, const Selection& selection);

// What a computation looks up in the edition for its selection: whether
// the edition has a rule for it (IsSelectionInRange), whether it is priced
// under the social-interest project (UnderSocialInterest), and the price of
// a computed transaction (null for one priced from its text). The same for
// every amount: a caller that computes many fees for few selections looks
// it up once for each.
struct SelectionRule {
  bool InRange;
  bool Social;
  const Price* Computed;
};
SelectionRule RuleOf(const Edition& edition, const Selection& selection);

// How a fee came about, for explanations. Filled by EvaluateFeeTraced from
// the very values EvaluateFee uses.
enum class FeeRule {
  Rate,          // RoundToCents(rate x factor) x started hundreds
  Fixed,         // fixed fee by office, times the factor
  Bracket,       // bracket schedule, times the factor
  CancellationBracket,  // bracket schedule capped at the cancellation base
  Cancellation,  // base plus rate per started 100 above the threshold
  NotComputed,   // a service that computes nothing: fee 0
};

struct FeeTrace {
  FeeRule Rule;
  double Factor;       // 1 or the edition's social factor
  double RateCode;     // the code left by the rule (fixed fee for Fixed)
  double Rate;         // per-100 rate actually applied (after rounding)
  double Hundreds;     // started hundreds counted (above the threshold where it applies)
  int BracketRow;      // row used by the bracket schedule, -1 otherwise
  double Minimum;
  double Maximum;
  bool MinimumApplied;
  bool MaximumApplied;
  bool CapApplied;     // cancellation bracket fee cut to the cancellation base
};

// The fee for a selection under the edition. A selection outside it (see
// IsSelectionInRange) reads nothing and gives 0 before and after limits.
FeeResult EvaluateFee(const Edition& edition, const FeeSelection& selection);

// EvaluateFee, also describing the rule in *trace when trace is not null.
FeeResult EvaluateFeeTraced(const Edition& edition, const FeeSelection& selection, FeeTrace* trace);

// The same with the selection's rule already looked up: rule is
// RuleOf(edition, selection).
FeeResult EvaluateFeeTraced(const Edition& edition, const SelectionRule& rule, const FeeSelection& selection,
                            FeeTrace* trace);

// The same under the built-in edition, as the window computes.
bool IsComputedTransaction(const Selection& selection);
bool IsSelectionInRange(const Selection& selection);
FeeResult EvaluateFee(const FeeSelection& selection);
FeeResult EvaluateFeeTraced(const FeeSelection& selection, FeeTrace* trace);

// The largest quantity an act may count: six digits, far beyond any sheet
// count or lot plan, and small enough that every fee stays exact.
inline constexpr long long QUANTITY_LIMIT = 999999;

// What a tariff text states for a quantity: the base plus the rate for each
// unit counted, raised to the minimum, in whole cents.
long long StatedFeeCents(const Price& price, long long quantity);

// Whether the selection's stated fee is reduced under the social-interest
// project, as its text says; and the fee so reduced for a project of that
// value: the share of it, rounded to the cent as the engine rounds, when
// the value is at most the edition's threshold, else the whole fee.
bool SocialShareApplies(const Edition& edition, const Selection& selection);
long long SocialShareCents(const Edition& edition, long long cents, long long valueCents);

}  // namespace tarivox
