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

#include <cstddef>

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

}  // namespace tarivox
