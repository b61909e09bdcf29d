// Fixed-point decimal text of a non-negative double, as every amount and fee
// of the program is written.
//
// Rounding runs in two stages, each half up: first the exact decimal
// expansion of the double is rounded to 17 significant digits on its 18th
// digit, then that 17-digit decimal is rounded to the decimals asked for,
// the carry running as far left as needed. Exact halves therefore round up
// (0.125 -> "0.13"), and a value stored just below a half is lifted by the
// first stage when its 18th digit allows (0.995 -> "1.00", 2.675 -> "2.67").
// The point is always "."; there is no sign, no grouping and no exponent.
// Nothing here depends on the C library's printf or on the locale.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "fees/wide_multiply.h"

namespace tarivox {

// Longest text any finite double can give: 309 integer digits, the point and
// six decimals, plus the terminator.
inline constexpr std::size_t DECIMAL_FORM_CAPACITY = 320;

// Writes value (finite, not negative) with exactly `decimals` decimals
// (0..6) into out. Returns the text length, or 0 when the value is negative,
// not finite, or the text and its terminator do not fit in outSize bytes; in
// that case out holds an empty text (when outSize > 0). Never writes past
// out[outSize - 1] and never past the terminator.
std::size_t WriteDecimalForm(double value, int decimals, char* out, std::size_t outSize);

// The value rounded to 17 significant digits as the first stage does it:
// value = Digits * 10^(Exponent - 16), Digits in [10^16, 10^17), or Digits 0
// for zero.
struct SignificantDigits {
  unsigned long long Digits;
  int Exponent;
};
SignificantDigits RoundToSignificantDigits(double value);

// Both stages without the text: the value rounded to `decimals` decimals is
// Units * 10^TrailingZeros units of 10^-decimals. TrailingZeros is non-zero
// only for values of 10^17 and more, whose 17 digits are followed by zeros.
// The value must be finite and not negative.
struct ScaledDecimal {
  unsigned long long Units;
  int TrailingZeros;
};
ScaledDecimal RoundToDecimals(double value, int decimals);

// Writes a rounded value's text as WriteDecimalForm does (same limits and
// result).
std::size_t WriteScaledDecimal(ScaledDecimal scaled, int decimals, char* out, std::size_t outSize);

// What reading the text of a rounded value gives back: the double nearest
// to that decimal.
double ScaledDecimalValue(ScaledDecimal scaled, int decimals);

// True when the text of `scaled` (rounded to `decimals`) shows a non-zero
// digit after the point.
bool HasNonZeroDecimals(ScaledDecimal scaled, int decimals);

// 10^0 to 10^19, every power of ten a 64-bit number holds.
struct PowersOfTen {
  std::uint64_t Of[20];
};

constexpr PowersOfTen MakePowersOfTen() {
  PowersOfTen powers{};
  powers.Of[0] = 1;
  for (int i = 1; i < 20; ++i) powers.Of[i] = powers.Of[i - 1] * 10;
  return powers;
}

inline constexpr PowersOfTen POWERS_OF_TEN = MakePowersOfTen();

// Division by 10^k (k = 6..17) of numbers below 2^58 as one wide
// multiplication and a shift, without the slow divide instruction (and
// without a call on 32-bit targets). With l the bit length of 10^k and
// M = ceil(2^(58 + l) / 10^k), below 2^59, n / 10^k = n * M / 2^(58 + l)
// rounded down for every such n, since M * 10^k exceeds 2^(58 + l) by less
// than 2^l (Granlund and Montgomery).
inline constexpr int DIVIDEND_BITS = 58;
inline constexpr int FIRST_DIVISOR_POWER = 6;
inline constexpr int LAST_DIVISOR_POWER = 17;

struct PowerOfTenDivisor {
  unsigned long long Multiplier;
  int Shift;  // of the product's high word: 58 + l - 64
};

constexpr PowerOfTenDivisor MakePowerOfTenDivisor(int power) {
  const unsigned long long divisor = POWERS_OF_TEN.Of[power];
  int bits = 0;
  while (bits < 64 && (divisor >> bits) != 0) ++bits;
  // 2^(58 + bits) / divisor by long division, one bit at a time.
  unsigned long long quotient = 0;
  unsigned long long remainder = 0;
  for (int bit = DIVIDEND_BITS + bits; bit >= 0; --bit) {
    remainder = remainder * 2 + (bit == DIVIDEND_BITS + bits ? 1 : 0);
    quotient *= 2;
    if (remainder >= divisor) {
      remainder -= divisor;
      quotient += 1;
    }
  }
  return {quotient + (remainder != 0 ? 1 : 0), DIVIDEND_BITS + bits - 64};
}

struct PowerOfTenDivisors {
  PowerOfTenDivisor Of[LAST_DIVISOR_POWER + 1];
};

constexpr PowerOfTenDivisors MakePowerOfTenDivisors() {
  PowerOfTenDivisors divisors{};
  for (int power = FIRST_DIVISOR_POWER; power <= LAST_DIVISOR_POWER; ++power) {
    divisors.Of[power] = MakePowerOfTenDivisor(power);
  }
  return divisors;
}

inline constexpr PowerOfTenDivisors POWER_OF_TEN_DIVISORS = MakePowerOfTenDivisors();

// n / 10^power for n < 2^58 and power from 6 to 17.
constexpr unsigned long long DivideByPowerOfTen(unsigned long long n, int power) {
  const PowerOfTenDivisor& divisor = POWER_OF_TEN_DIVISORS.Of[power];
  return Multiply64(n, divisor.Multiplier).High >> divisor.Shift;
}

// Both stages of the rounding to cents at once, for the amounts and fees a
// record meets: 0.004 <= value < 10^9. There the 17 digits of the first
// stage are value * 10^k for one k from 8 to 19, a product of the 53-bit
// significand and a power of ten that fits 128 bits, so neither stage
// needs more than one wide product. False outside that range (and then
// RoundToDecimals takes its general way). Usable when the program is built,
// so that fixed products (a rate under a factor) are rounded only once.
inline constexpr double TWO_STAGE_CENTS_LOW = 0.004;
inline constexpr double TWO_STAGE_CENTS_END = 1e9;

constexpr bool TwoStageCents(double value, unsigned long long* cents) {
  constexpr int kFirstScale = 8;  // 10^8 * 10^8 reaches 17 digits
  constexpr int kLastScale = 19;  // 10^19 * 0.004 does too
  if (!(value >= TWO_STAGE_CENTS_LOW && value < TWO_STAGE_CENTS_END)) return false;
  const auto bits = std::bit_cast<unsigned long long>(value);
  // value = significand * 2^-shift exactly, 1 <= shift <= 61 in this range.
  const unsigned long long significand = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
  const int shift = 1075 - static_cast<int>((bits >> 52) & 0x7FF);
  // The binary exponent e puts the decimal one at floor(e * log10(2)) or
  // one above it (78913 / 2^18 ~ log10(2)), so this scale gives 17 digits
  // or 18: then the scale below is the one, and its digits are the tenth.
  const int binaryExponent = 52 - shift;
  int scale = 16 - ((binaryExponent * 78913) >> 18);
  if (scale < kFirstScale || scale > kLastScale) return false;
  const Wide product = Multiply64(significand, POWERS_OF_TEN.Of[scale]);
  unsigned long long whole = (product.High << (64 - shift)) | (product.Low >> shift);
  // What follows the digits is at least one half: the first bit dropped.
  bool atLeastHalf = ((product.Low >> (shift - 1)) & 1u) != 0;
  if (whole >= POWERS_OF_TEN.Of[17]) {
    // One digit too many: the tenth, and what follows it is at least one
    // half when the digit dropped is 5 or more.
    atLeastHalf = whole % 10 >= 5;
    whole /= 10;
    --scale;
  }
  if (scale < kFirstScale || whole < POWERS_OF_TEN.Of[16]) return false;
  // First stage: 17 digits, half up on what follows them.
  const unsigned long long digits = whole + (atLeastHalf ? 1 : 0);
  // Second stage: `scale` decimals down to two, half up. Below 2^58: the
  // digits are at most 10^17, half a unit at most 5 * 10^16.
  const unsigned long long unit = POWERS_OF_TEN.Of[scale - 2];
  *cents = DivideByPowerOfTen(digits + unit / 2, scale - 2);
  return true;
}

}  // namespace tarivox
