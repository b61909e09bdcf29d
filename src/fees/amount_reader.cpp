#include "fees/amount_reader.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "fees/decimal_digits.h"
#include "fees/halfway_comparison.h"
#include "fees/nearest_double.h"
#include "fees/power_of_five_table.h"

namespace tarivox {
namespace {

using u64 = std::uint64_t;

// Exponents are saturated here: any larger one is already out of range.
constexpr int kExponentClamp = 100000;
// Integers up to 2^53 and powers of ten up to 10^22 are exact doubles.
constexpr u64 kExactIntegerLimit = u64{1} << 53;
constexpr int kExactPowers = 22;

struct ScannedNumber {
  bool Negative;
  DecimalDigits Digits;
};

// The text read: its first Length characters, past which it reads as the
// terminator. A NUL among them ends it too, as no number has one.
struct BoundedText {
  const char* Bytes;
  std::size_t Length;
  char operator[](std::size_t at) const { return at < Length ? Bytes[at] : '\0'; }
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The optional exponent part at text[start]; returns the characters it
// takes (0 when there is no complete exponent) and its value in *exponent.
std::size_t ScanExponent(BoundedText text, std::size_t start, int* exponent) {
  char letter = text[start];
  if (letter != 'E' && letter != 'e' && letter != 'D' && letter != 'd') return 0;
  std::size_t at = start + 1;
  bool negative = false;
  if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';
  if (!IsDigit(text[at])) return 0;
  int value = 0;
  for (; IsDigit(text[at]); ++at) {
    if (value < kExponentClamp) value = value * 10 + (text[at] - '0');
  }
  *exponent = negative ? -value : value;
  return at - start;
}

// The runs of digits and of zeros are passed eight characters at a time
// while the text leaves room for a word, the word that ends a run telling
// where; the last few characters one by one.
std::size_t SkipDigits(BoundedText text, std::size_t at) {
  for (; at + DIGITS_PER_WORD <= text.Length; at += DIGITS_PER_WORD) {
    const std::uint64_t others = NonDigitBytes(LoadEight(text.Bytes + at));
    if (others != 0) return at + static_cast<std::size_t>(FirstMarkedByte(others));
  }
  while (IsDigit(text[at])) ++at;
  return at;
}
std::size_t SkipZeros(BoundedText text, std::size_t at) {
  for (; at + DIGITS_PER_WORD <= text.Length; at += DIGITS_PER_WORD) {
    const std::uint64_t others = LoadEight(text.Bytes + at) ^ EIGHT_ZEROS;
    if (others != 0) return at + static_cast<std::size_t>(FirstMarkedByte(others));
  }
  while (text[at] == '0') ++at;
  return at;
}

// How many of run[0..count) remain without the zeros at their end.
int WithoutTrailingZeros(const char* run, int count) {
  for (; count >= DIGITS_PER_WORD; count -= DIGITS_PER_WORD) {
    const std::uint64_t others = LoadEight(run + count - DIGITS_PER_WORD) ^ EIGHT_ZEROS;
    // The last byte that is no '0' is the highest one marked.
    if (others != 0) return count - DIGITS_PER_WORD + (63 - std::countl_zero(others)) / 8 + 1;
  }
  while (count > 0 && run[count - 1] == '0') --count;
  return count;
}

// Trailing zeros only scale the digits: without them typed forms such as
// "1234.50000000000000000000" keep to the short paths.
void DropTrailingZeros(DecimalDigits* digits) {
  int kept = WithoutTrailingZeros(digits->Fraction, digits->FractionCount);
  digits->Exponent += digits->FractionCount - kept;
  digits->FractionCount = kept;
  if (kept > 0) return;
  kept = WithoutTrailingZeros(digits->Integer, digits->IntegerCount);
  digits->Exponent += digits->IntegerCount - kept;
  digits->IntegerCount = kept;
}

// Scans the longest number at the start of text. Returns the characters it
// takes, white space included, or 0 when text does not begin with one.
// Leading zeros are passed over: they only place the point.
std::size_t ScanNumber(BoundedText text, ScannedNumber* number) {
  std::size_t at = 0;
  while (IsSpace(text[at])) ++at;
  number->Negative = false;
  if (text[at] == '+' || text[at] == '-') number->Negative = text[at++] == '-';
  DecimalDigits& digits = number->Digits;
  std::size_t integerStart = at;
  std::size_t significant = SkipZeros(text, at);
  at = SkipDigits(text, significant);
  bool sawDigit = at > integerStart;
  digits.Integer = text.Bytes + significant;
  digits.IntegerCount = static_cast<int>(at - significant);
  digits.Fraction = text.Bytes + at;
  digits.FractionCount = 0;
  int fractionLength = 0;
  if (text[at] == '.') {
    std::size_t fractionStart = ++at;
    significant = digits.IntegerCount == 0 ? SkipZeros(text, at) : at;
    at = SkipDigits(text, significant);
    sawDigit = sawDigit || at > fractionStart;
    digits.Fraction = text.Bytes + significant;
    digits.FractionCount = static_cast<int>(at - significant);
    fractionLength = static_cast<int>(at - fractionStart);
  }
  if (!sawDigit) return 0;
  int exponent = 0;
  at += ScanExponent(text, at, &exponent);
  digits.Exponent = exponent - fractionLength;
  DropTrailingZeros(&digits);
  return at;
}

// Exact when the digits fit 53 bits and the power of ten is exact: one
// correctly rounded multiplication or division.
bool TryExactPowers(u64 w, int q, double* value) {
  if (w > kExactIntegerLimit || q < -kExactPowers || q > kExactPowers) return false;
  static constexpr double kPowers[kExactPowers + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  double significand = static_cast<double>(w);
  *value = q >= 0 ? significand * kPowers[q] : significand / kPowers[-q];
  return true;
}

// The first `count` digits as one integer, exact for up to 19 of them.
u64 LeadingDigits(const DecimalDigits& digits, int count) {
  u64 w = 0;
  ForEachChunk(digits, count, [&w](std::uint32_t chunk, int length) { w = w * CHUNK_SCALES[length] + chunk; });
  return w;
}

double Magnitude(const DecimalDigits& digits) {
  int count = digits.Count();
  if (count == 0) return 0.0;
  int kept = count < WIDE_DIGITS ? count : WIDE_DIGITS;
  u64 w = LeadingDigits(digits, kept);
  int q = digits.Exponent + (count - kept);
  // With digits cut off the value lies strictly between w and w + 1 units.
  bool cut = count > kept && NonZeroAfter(digits, kept);
  double value = 0;
  if (!cut && TryExactPowers(w, q, &value)) return value;
  if (q < SMALLEST_POWER_OF_TEN) return 0.0;
  if (q > LARGEST_POWER_OF_TEN) return std::numeric_limits<double>::infinity();
  NearestDouble nearest = NearestToScaled(w, q);
  if (nearest.Decided && !cut) return std::bit_cast<double>(nearest.Bits);
  // The decimal rounds to nearest.LowerBits or the double above it, as the
  // point halfway between them decides: at once where 64-bit words hold
  // the comparison, else first by whether w and w + 1 round alike (and so
  // everything between them), then in big integers.
  int order = 0;
  if (!CompareWithHalfwayInWords(digits, w, nearest.LowerBits, &order)) {
    if (nearest.Decided) {
      NearestDouble above = NearestToScaled(w + 1, q);
      if (above.Decided && above.Bits == nearest.Bits) return std::bit_cast<double>(nearest.Bits);
    }
    order = CompareWithHalfway(digits, w, nearest.LowerBits);
  }
  bool up = order > 0 || (order == 0 && (nearest.LowerBits & 1u) != 0);
  return std::bit_cast<double>(nearest.LowerBits + (up ? 1u : 0u));
}

}  // namespace

std::size_t AmountLength(const char* text) {
  ScannedNumber number;
  return ScanNumber({text, std::strlen(text)}, &number);
}

double ReadAmount(const char* text) { return ReadAmount(text, std::strlen(text)); }

double ReadAmount(const char* text, std::size_t length) {
  ScannedNumber number;
  if (ScanNumber({text, length}, &number) == 0) return 0.0;
  double magnitude = Magnitude(number.Digits);
  return number.Negative ? -magnitude : magnitude;
}

}  // namespace tarivox
