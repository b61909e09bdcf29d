// The registry's fee rules: rates per started 100 dollars, fixed fees by
// office, the bracket schedule of production credits, the cancellation rule,
// the social-interest reduction and the minimum and maximum fee.
//
// All arithmetic is binary64, each product, quotient and sum rounded to a
// double before the next operation.
#pragma once

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

// Rule selectors in the rate tables; any positive code is a rate per
// started 100 dollars.
inline constexpr double RATE_CODE_BRACKET = -1.0;
inline constexpr double RATE_CODE_FIXED = -2.0;
inline constexpr double RATE_CODE_CANCELLATION = -3.0;

struct BracketRow {
  double Low;
  double High;
  double Base;
  double RatePer100;
};

struct FeeLimitSet {
  double Minimum;
  double Maximum;
};

inline constexpr int INSCRIPTION_RATE_COUNT = 9;
inline constexpr int CANCELLATION_RATE_COUNT = 3;
inline constexpr int BRACKET_ROW_COUNT = 4;

extern const double InscriptionRateCodes[INSCRIPTION_RATE_COUNT];
extern const double CancellationRateCodes[CANCELLATION_RATE_COUNT];
extern const BracketRow BracketTable[BRACKET_ROW_COUNT];
extern const double FixedFees[2];
extern const FeeLimitSet NormalFeeLimits;
extern const FeeLimitSet SocialFeeLimits;

inline constexpr double SocialFactor = 0.25;
inline constexpr double SocialAmountLimit = 10000.00;
inline constexpr double ExcessThreshold = 9000.00;
inline constexpr double CancellationBase = 8.91;
inline constexpr double CancellationRatePer100 = 0.13;

// Started hundreds in x (0 when x is not positive), judged on the six-decimal
// text of x / 100. Never wraps: a count beyond 32 bits stays exact.
double HundredUnits(double x);

// Below this many cents (amounts under 100,000,000,000.00), HundredUnits of
// the double nearest to c / 100, less a whole number of dollars t below
// it, is the count of started hundreds of the cents themselves,
// ceil((c - 100 t) / 10^4). The subtraction is exact there, and the two
// divisions of doubles err by less than 3 * 10^-7 hundreds: a whole number
// of hundreds reads back exactly, and any other lies at least 10^-4 from
// one.
inline constexpr long long CENTS_OF_INTEGER_HUNDREDS = 10000000000000;

// The bracket-schedule fee; 0 for an amount that is not positive, -1 when
// no row applies (above the last row's High) or the fee is not positive.
// EvaluateFee does not take that -1: above the last row it lets the last
// row go on.
double BracketFee(double amount);

// x rounded to cents through the two-decimal form.
double RoundToCents(double x);

// True when the engine has a rule for this selection: office 0 or 1, service
// 0..5 and, for services 0 and 1, a position inside the rate table. Inline:
// every computation asks it twice.
inline bool IsSelectionInRange(const Selection& selection) {
  if (selection.OfficeIndex < 0 || selection.OfficeIndex > 1) return false;
  if (selection.ServiceIndex < 0 || selection.ServiceIndex > 5) return false;
  if (selection.ServiceIndex == 0) {
    return selection.TransactionIndex >= 0 && selection.TransactionIndex < INSCRIPTION_RATE_COUNT;
  }
  if (selection.ServiceIndex == 1) {
    return selection.TransactionIndex >= 0 && selection.TransactionIndex < CANCELLATION_RATE_COUNT;
  }
  return true;
}

// How a fee came about, for explanations. Filled by EvaluateFeeTraced from
// the very values EvaluateFee uses.
enum class FeeRule {
  Rate,          // RoundToCents(rate x factor) x started hundreds
  Fixed,         // fixed fee by office, times the factor
  Bracket,       // bracket schedule, times the factor
  CancellationBracket,  // bracket schedule capped at CancellationBase
  Cancellation,  // base plus rate per started 100 above the threshold
  NotComputed,   // services 2..5: no rule, fee 0
};

struct FeeTrace {
  FeeRule Rule;
  double Factor;       // 1 or SocialFactor
  double RateCode;     // the code left by the rule (fixed fee for Fixed)
  double Rate;         // per-100 rate actually applied (after rounding)
  double Hundreds;     // started hundreds counted (above the threshold where it applies)
  int BracketRow;      // row used by the bracket schedule, -1 otherwise
  double Minimum;
  double Maximum;
  bool MinimumApplied;
  bool MaximumApplied;
  bool CapApplied;     // cancellation bracket fee cut to CancellationBase
};

// The fee for a selection. A selection outside the tables (see
// IsSelectionInRange) reads no table and gives 0 before and after limits.
FeeResult EvaluateFee(const FeeSelection& selection);

// EvaluateFee, also describing the rule in *trace when trace is not null.
FeeResult EvaluateFeeTraced(const FeeSelection& selection, FeeTrace* trace);

}  // namespace tarivox
