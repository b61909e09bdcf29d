// The double nearest to w * 10^q for a 64-bit w, from one 128-bit product
// with a table power of five (the Eisel-Lemire method), or the news that
// the product cannot tell: the value is too near the point halfway between
// two doubles for the product's error.
#pragma once

#include <cstdint>

namespace tarivox {

struct NearestDouble {
  std::uint64_t Bits;       // the nearest double (non-negative), when Decided
  std::uint64_t LowerBits;  // the double just below the halfway point in doubt
  bool Decided;
};

// w > 0 and q within [SMALLEST_POWER_OF_TEN, LARGEST_POWER_OF_TEN]. Below
// the subnormals the result is 0, beyond the largest double infinity.
NearestDouble NearestToScaled(std::uint64_t w, int q);

}  // namespace tarivox
