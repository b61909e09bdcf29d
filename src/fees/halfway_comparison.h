// The exact decision where a 128-bit product cannot tell: the decimal's
// digits against the point halfway between two neighbouring doubles, in
// big integers. No division: both sides are scaled to integers by powers
// of two and five and compared.
#pragma once

#include <cstdint>

#include "fees/decimal_digits.h"

namespace tarivox {

// -1, 0 or 1 as the decimal is below, at or above the point halfway
// between the finite non-negative double with bits `lowerBits` and the
// next double up. The decimal must lie within a few units of the last
// place of that point, as it does wherever the product was unsure.
int CompareWithHalfway(const DecimalDigits& digits, std::uint64_t lowerBits);

}  // namespace tarivox
