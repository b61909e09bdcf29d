// The exact decision where a 128-bit product cannot tell: the decimal's
// digits against the point halfway between two neighbouring doubles, in
// 64-bit words where they hold the numbers, else in big integers. No
// division: both sides are scaled by powers of two and five and compared.
#pragma once

#include <cstdint>

#include "fees/decimal_digits.h"

namespace tarivox {

// The leading digits that a 64-bit integer always holds (10^19 - 1 < 2^64).
inline constexpr int WIDE_DIGITS = 19;

// -1, 0 or 1 as the decimal is below, at or above the point halfway
// between the finite non-negative double with bits `lowerBits` and the
// next double up. `leading` is the decimal's first WIDE_DIGITS digits (all
// of them when it has fewer) as one integer, as the reader has them. The
// decimal must lie within a few units of the last place of that point, as
// it does wherever the product was unsure.
int CompareWithHalfway(const DecimalDigits& digits, std::uint64_t leading, std::uint64_t lowerBits);

// The same comparison where 64-bit words hold it, as they do for the
// decimals amounts are made of (the leading digits end at most 27 places
// after the point, and the halfway point scaled to them has at most 60
// bits after its binary point), and there exact for any decimal, however
// far from the point. False, with nothing in *order, elsewhere.
bool CompareWithHalfwayInWords(const DecimalDigits& digits, std::uint64_t leading, std::uint64_t lowerBits,
                               int* order);

}  // namespace tarivox
