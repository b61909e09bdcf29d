#include "fees/amount_reader.h"

#include <bit>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <limits>

#include "fees/big_integer.h"

namespace tarivox {
namespace {

using u64 = std::uint64_t;

// Beyond 768 significant digits no further digit can change the nearest
// double; the rest only tells whether anything non-zero was cut off.
constexpr int kMaxDigits = 800;
// Exponents are saturated here: any larger one is already out of range.
constexpr int kExponentClamp = 100000;

struct DecimalNumber {
  bool Negative;
  char Digits[kMaxDigits + 1];  // significant digits, no leading zeros
  int Count;
  int Exponent;  // value = 0.Digits... as integer Digits * 10^Exponent
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The optional exponent part at text; returns the characters it takes (0
// when there is no complete exponent) and its value in *exponent.
int ScanExponent(const char* text, int* exponent) {
  char letter = text[0];
  if (letter != 'E' && letter != 'e' && letter != 'D' && letter != 'd') return 0;
  int at = 1;
  bool negative = false;
  if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';
  if (!IsDigit(text[at])) return 0;
  int value = 0;
  for (; IsDigit(text[at]); ++at) {
    if (value < kExponentClamp) value = value * 10 + (text[at] - '0');
  }
  *exponent = negative ? -value : value;
  return at;
}

// What a scan learns besides the digits it keeps.
struct DigitScan {
  int PointShift = 0;  // digits after the point that were kept or skipped as zeros
  int DroppedIntegerDigits = 0;
  bool CutNonZero = false;
  // Zeros after the last significant digit, not kept unless another
  // significant digit follows: trailing zeros only scale the digits, and
  // keeping them out keeps typed forms such as "25000.00" on the fast path.
  int PendingIntegerZeros = 0;
  int PendingFractionZeros = 0;
};

inline void KeepDigit(char digit, bool afterPoint, DecimalNumber* number, DigitScan* scan) {
  if (number->Count < kMaxDigits) {
    number->Digits[number->Count++] = digit;
    if (afterPoint) ++scan->PointShift;
  } else {
    if (digit != '0') scan->CutNonZero = true;
    if (!afterPoint) ++scan->DroppedIntegerDigits;
  }
}

void KeepPendingZeros(DecimalNumber* number, DigitScan* scan) {
  for (; scan->PendingIntegerZeros > 0; --scan->PendingIntegerZeros) KeepDigit('0', false, number, scan);
  for (; scan->PendingFractionZeros > 0; --scan->PendingFractionZeros) KeepDigit('0', true, number, scan);
}

// Takes the run of digits at text[at] into number; returns the position
// after it. Runs of zeros are passed in one tight loop: before the first
// significant digit they only move the point, after the last they only
// scale.
std::size_t TakeDigits(const char* text, std::size_t at, bool afterPoint, DecimalNumber* number,
                       DigitScan* scan) {
  for (;;) {
    std::size_t zerosStart = at;
    while (text[at] == '0') ++at;
    int zeros = static_cast<int>(at - zerosStart);
    if (number->Count == 0) {
      if (afterPoint) scan->PointShift += zeros;
    } else {
      (afterPoint ? scan->PendingFractionZeros : scan->PendingIntegerZeros) += zeros;
    }
    if (!IsDigit(text[at])) return at;
    KeepPendingZeros(number, scan);
    KeepDigit(text[at++], afterPoint, number, scan);
  }
}

// Scans the longest number at the start of text. Returns the characters it
// takes, white space included, or 0 when text does not begin with one.
std::size_t ScanNumber(const char* text, DecimalNumber* number) {
  std::size_t at = 0;
  while (IsSpace(text[at])) ++at;
  number->Negative = false;
  if (text[at] == '+' || text[at] == '-') number->Negative = text[at++] == '-';
  number->Count = 0;
  DigitScan scan;
  std::size_t integerStart = at;
  at = TakeDigits(text, at, false, number, &scan);
  bool sawDigit = at > integerStart;
  if (text[at] == '.') {
    std::size_t fractionStart = ++at;
    at = TakeDigits(text, at, true, number, &scan);
    sawDigit = sawDigit || at > fractionStart;
  }
  if (!sawDigit) return 0;
  int exponent = 0;
  at += static_cast<std::size_t>(ScanExponent(text + at, &exponent));
  // A digit 1 stands in for whatever non-zero tail was cut: it keeps the
  // number strictly between its neighbours, which is all rounding needs.
  if (scan.CutNonZero) {
    number->Digits[number->Count++] = '1';
    ++scan.PointShift;
  }
  number->Exponent = exponent + scan.DroppedIntegerDigits + scan.PendingIntegerZeros - scan.PointShift;
  return at;
}

// Exact when the digits fit 53 bits and the power of ten is exact: one
// correctly rounded multiplication or division.
bool TryFastPath(const DecimalNumber& number, double* value) {
  if (number.Count > 19 || number.Exponent < -22 || number.Exponent > 22) return false;
  u64 integer = 0;
  for (int i = 0; i < number.Count; ++i) integer = integer * 10 + static_cast<u64>(number.Digits[i] - '0');
  if (integer > (u64{1} << 53)) return false;
  static constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  double significand = static_cast<double>(integer);
  *value = number.Exponent >= 0 ? significand * kPowers[number.Exponent]
                                : significand / kPowers[-number.Exponent];
  return true;
}

// The nearest double to numerator / denominator (both non-zero), ties to
// even, subnormals and overflow included.
double NearestQuotient(BigInteger& numerator, BigInteger& denominator) {
  // Scale so that the quotient has 63 or 64 bits: enough for 53 and the
  // rounding bits, and it fits 64.
  int shift = BigBitLength(denominator) - BigBitLength(numerator) + 63;
  if (shift > 0) BigShiftLeft(numerator, shift);
  if (shift < 0) BigShiftLeft(denominator, -shift);
  // Restoring division one bit at a time: the remainder doubles instead of
  // the divisor halving, so nothing is copied in the loop.
  BigShiftLeft(denominator, 63);
  u64 quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    if (BigCompare(numerator, denominator) >= 0) {
      BigSubtract(numerator, denominator);
      quotient |= u64{1} << bit;
    }
    if (bit > 0) BigShiftLeft(numerator, 1);
  }
  bool sticky = !BigIsZero(numerator);
  int length = static_cast<int>(std::bit_width(quotient));
  int topExponent = length - 1 - shift;  // value is in [2^top, 2^(top+1))
  int keep = 53;
  if (topExponent < -1022) keep = 53 - (-1022 - topExponent);
  if (keep < 0) return 0.0;  // below half the smallest subnormal
  int drop = length - keep;
  u64 kept = drop >= 64 ? 0 : quotient >> drop;
  u64 rest = drop >= 64 ? quotient : quotient & ((u64{1} << drop) - 1);
  u64 half = drop >= 1 ? u64{1} << (drop - 1) : 0;
  if (drop >= 1 && (rest > half || (rest == half && (sticky || (kept & 1u) != 0)))) ++kept;
  return std::ldexp(static_cast<double>(kept), topExponent - keep + 1);
}

double SlowPath(const DecimalNumber& number) {
  BigInteger numerator;
  BigInteger denominator;
  BigSet(numerator, 0);
  for (int i = 0; i < number.Count; ++i) {
    BigMultiplySmall(numerator, 10);
    BigAddSmall(numerator, static_cast<std::uint32_t>(number.Digits[i] - '0'));
  }
  BigSet(denominator, 1);
  if (number.Exponent >= 0) {
    BigMultiplyPow10(numerator, number.Exponent);
  } else {
    BigMultiplyPow10(denominator, -number.Exponent);
  }
  return NearestQuotient(numerator, denominator);
}

double Magnitude(const DecimalNumber& number) {
  if (number.Count == 0) return 0.0;
  // Decimal exponent of the leading digit decides the hopeless cases before
  // any big arithmetic: 10^309 overflows, below 10^-325 is zero.
  int leading = number.Count - 1 + number.Exponent;
  if (leading > 309) return std::numeric_limits<double>::infinity();
  if (leading < -325) return 0.0;
  double value = 0;
  if (TryFastPath(number, &value)) return value;
  return SlowPath(number);
}

}  // namespace

std::size_t AmountLength(const char* text) {
  DecimalNumber number;
  return ScanNumber(text, &number);
}

double ReadAmount(const char* text) {
  DecimalNumber number;
  if (ScanNumber(text, &number) == 0) return 0.0;
  double magnitude = Magnitude(number);
  return number.Negative ? -magnitude : magnitude;
}

}  // namespace tarivox
