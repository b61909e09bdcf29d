#include "fees/fee_engine.h"

#include <cmath>
#include <cstdint>

#include "fees/amount_reader.h"
#include "fees/decimal_form.h"

namespace tarivox {
namespace {

constexpr double kWholeRoundTripLimit = 1e15;

}  // namespace

namespace {

// The rate per started hundred of a rate code under a factor, rounded to
// cents as every figure is, when the program is built: the same for every
// record of a selection. cents / 100 is the double nearest to the decimal,
// which is what reading its text gives. -1 outside the range the two
// stages can be done in at once (a check below stops the build then).
constexpr double RoundedRate(double code, double factor) {
  unsigned long long cents = 0;
  return TwoStageCents(code * factor, &cents) ? static_cast<double>(cents) / 100 : -1;
}

struct FactorRates {
  double Normal;  // factor 1
  double Social;  // SocialFactor
};

constexpr FactorRates RatesOf(double code) {
  if (code < 0) return {0, 0};  // a rule of its own, not a rate
  return {RoundedRate(code, 1), RoundedRate(code, SocialFactor)};
}

constexpr double kInscriptionRateCodes[INSCRIPTION_RATE_COUNT] = {
    0.63,              // Transferencias y mod. de dominio
    0.38,              // Gravámenes
    0.63,              // Hipotecas abiertas
    0.63,              // Cesiones de crédito
    0.63,              // Titulos supletorios
    0.38,              // Modificaciones
    RATE_CODE_FIXED,   // Otras modificaciones
    RATE_CODE_FIXED,   // Anotaciones y declaratorias
    RATE_CODE_BRACKET  // Créditos a la Producción
};

constexpr FactorRates kInscriptionRates[INSCRIPTION_RATE_COUNT] = {
    RatesOf(kInscriptionRateCodes[0]), RatesOf(kInscriptionRateCodes[1]), RatesOf(kInscriptionRateCodes[2]),
    RatesOf(kInscriptionRateCodes[3]), RatesOf(kInscriptionRateCodes[4]), RatesOf(kInscriptionRateCodes[5]),
    RatesOf(kInscriptionRateCodes[6]), RatesOf(kInscriptionRateCodes[7]), RatesOf(kInscriptionRateCodes[8]),
};

constexpr bool EveryRateRounded() {
  for (const FactorRates& rates : kInscriptionRates) {
    if (rates.Normal < 0 || rates.Social < 0) return false;
  }
  return true;
}
static_assert(EveryRateRounded(), "a rate under a factor lies outside the range of TwoStageCents");

}  // namespace

const double InscriptionRateCodes[INSCRIPTION_RATE_COUNT] = {
    kInscriptionRateCodes[0], kInscriptionRateCodes[1], kInscriptionRateCodes[2],
    kInscriptionRateCodes[3], kInscriptionRateCodes[4], kInscriptionRateCodes[5],
    kInscriptionRateCodes[6], kInscriptionRateCodes[7], kInscriptionRateCodes[8],
};

const double CancellationRateCodes[CANCELLATION_RATE_COUNT] = {
    RATE_CODE_FIXED,        // Anotación Preventiva
    RATE_CODE_BRACKET,      // Crédito a la Producción
    RATE_CODE_CANCELLATION  // Otras Cancelaciones
};

const BracketRow BracketTable[BRACKET_ROW_COUNT] = {
    {0, 1800, 1.80, 0},
    {1800, 4500, 3.60, 0},
    {4500, 9000, 5.40, 0},
    {9000, 10000000000.0, 5.40, 0.13},
};

const double FixedFees[2] = {8.86, 5.71};
const FeeLimitSet NormalFeeLimits = {8.86, 5400.00};
const FeeLimitSet SocialFeeLimits = {5.71, 5400.00};

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

// HundredUnits(selection.Amount - threshold) for a whole number of dollars,
// counted in integers where the selection has its cents and that count is
// the same.
double HundredsAbove(const FeeSelection& selection, double threshold) {
  if (selection.Cents < 0 || selection.Cents >= CENTS_OF_INTEGER_HUNDREDS) {
    return HundredUnits(selection.Amount - threshold);
  }
  const long long above = selection.Cents - static_cast<long long>(threshold) * 100;
  return above > 0 ? static_cast<double>((above + 9999) / 10000) : 0;
}

int BracketRowFor(double amount) {
  for (int row = 0; row < BRACKET_ROW_COUNT; ++row) {
    if (BracketTable[row].Low < amount && amount <= BracketTable[row].High) return row;
  }
  return -1;
}

// The fee of one row, the product rounded before the sum.
double BracketRowFee(const FeeSelection& selection, int row, double* hundreds) {
  *hundreds = HundredsAbove(selection, ExcessThreshold);
  double product = *hundreds * BracketTable[row].RatePer100;
  return product + BracketTable[row].Base;
}

// The bracket rule as the engine applies it. The schedule's rows end at
// 10,000,000,000.00 and say nothing of larger amounts; there the last row
// goes on, so the fee keeps growing and the maximum fee (or the
// cancellation cap) applies, instead of a negative fee.
double EngineBracketFee(const FeeSelection& selection, int* usedRow, double* hundreds) {
  *usedRow = -1;
  *hundreds = 0;
  if (!(selection.Amount > 0)) return 0;
  int row = BracketRowFor(selection.Amount);
  *usedRow = row >= 0 ? row : BRACKET_ROW_COUNT - 1;
  return BracketRowFee(selection, *usedRow, hundreds);
}

bool SocialLimitsApply(const Selection& selection) {
  return selection.OfficeIndex == 1 && selection.SocialInterest;
}

// The rule of one rate code; fills fee and trace, returns the code that the
// minimum test looks at (the fixed fee itself for a fixed fee).
double ApplyRule(const FeeSelection& selection, double code, bool cancellation, double factor,
                 double* fee, FeeTrace& trace) {
  double amount = selection.Amount;
  if (code == RATE_CODE_BRACKET) {
    *fee = EngineBracketFee(selection, &trace.BracketRow, &trace.Hundreds) * factor;
    trace.Rule = cancellation ? FeeRule::CancellationBracket : FeeRule::Bracket;
    trace.Rate = trace.BracketRow >= 0 ? BracketTable[trace.BracketRow].RatePer100 : 0;
    if (cancellation && *fee > CancellationBase) {
      *fee = CancellationBase;
      trace.CapApplied = true;
    }
    return code;
  }
  if (code == RATE_CODE_FIXED) {
    double fixed = FixedFees[selection.OfficeIndex];
    *fee = fixed * factor;
    trace.Rule = FeeRule::Fixed;
    return fixed;
  }
  if (cancellation) {
    trace.Rule = FeeRule::Cancellation;
    trace.Rate = CancellationRatePer100;
    if (amount > ExcessThreshold) {
      trace.Hundreds = HundredsAbove(selection, ExcessThreshold);
      double excess = trace.Hundreds * CancellationRatePer100;
      double sum = excess + CancellationBase;
      *fee = sum * factor;
    } else {
      *fee = amount > 0 ? CancellationBase * factor : 0;
    }
    return code;
  }
  trace.Rule = FeeRule::Rate;
  const FactorRates& rates = kInscriptionRates[selection.TransactionIndex];
  trace.Rate = factor == 1 ? rates.Normal : rates.Social;
  trace.Hundreds = HundredsAbove(selection, 0);
  *fee = trace.Rate * trace.Hundreds;
  return code;
}

}  // namespace

double BracketFee(double amount) {
  if (!(amount > 0)) return 0;
  int row = BracketRowFor(amount);
  if (row < 0) return -1;
  double hundreds = 0;
  double fee = BracketRowFee({{}, amount}, row, &hundreds);
  return fee > 0 ? fee : -1;
}

FeeResult EvaluateFeeTraced(const FeeSelection& selection, FeeTrace* trace) {
  // The trace starts blank in place: built beside it and copied over, its
  // fields stored one by one would be read back in wider moves, which wait.
  FeeTrace local;
  FeeTrace& record = trace != nullptr ? *trace : local;
  record = FeeTrace{FeeRule::NotComputed, 1, 0, 0, 0, -1, 0, 0, false, false, false};
  if (!IsSelectionInRange(selection)) return {0, 0};

  double factor = 1;
  if (selection.SocialInterest && selection.OfficeIndex == 1 && selection.Amount <= SocialAmountLimit) {
    factor = SocialFactor;
  }
  record.Factor = factor;
  double code = 0;
  double fee = 0;
  if (selection.ServiceIndex == 0) {
    code = ApplyRule(selection, InscriptionRateCodes[selection.TransactionIndex], false, factor, &fee, record);
  } else if (selection.ServiceIndex == 1) {
    code = ApplyRule(selection, CancellationRateCodes[selection.TransactionIndex], true, factor, &fee, record);
  }
  record.RateCode = code;
  FeeResult result{fee, fee};

  FeeLimitSet limits = SocialLimitsApply(selection) ? SocialFeeLimits : NormalFeeLimits;
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

FeeResult EvaluateFee(const FeeSelection& selection) { return EvaluateFeeTraced(selection, nullptr); }

}  // namespace tarivox
