// The 128-bit product of two 64-bit numbers, for the exact scalings of the
// decimal form and the amount reader.
#pragma once

#include <cstdint>

namespace tarivox {

struct Wide {
  std::uint64_t High;
  std::uint64_t Low;
};

#ifdef __SIZEOF_INT128__
// Where the compiler has a 128-bit type (x86-64, and wasm32 through its
// runtime library) it multiplies best itself: one instruction on x86-64.
// __extension__ keeps the type out of the pedantic warnings.
__extension__ typedef unsigned __int128 WideProduct;

constexpr Wide Multiply64(std::uint64_t a, std::uint64_t b) {
  WideProduct product = WideProduct{a} * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
}
#else
// i686 has no 128-bit type: four 32 x 32 -> 64 products, added with their
// carries.
constexpr Wide Multiply64(std::uint64_t a, std::uint64_t b) {
  constexpr std::uint64_t kHalf = 0xFFFFFFFFu;
  std::uint64_t aLow = a & kHalf, aHigh = a >> 32;
  std::uint64_t bLow = b & kHalf, bHigh = b >> 32;
  std::uint64_t lowLow = aLow * bLow;
  std::uint64_t lowHigh = aLow * bHigh;
  std::uint64_t highLow = aHigh * bLow;
  std::uint64_t highHigh = aHigh * bHigh;
  std::uint64_t middle = (lowLow >> 32) + (lowHigh & kHalf) + (highLow & kHalf);
  return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32), (middle << 32) | (lowLow & kHalf)};
}
#endif

}  // namespace tarivox
