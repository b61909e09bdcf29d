#include "fees/nearest_double.h"

#include <bit>

#include "fees/power_of_five_table.h"
#include "fees/wide_multiply.h"

namespace tarivox {
namespace {

using u64 = std::uint64_t;

constexpr int kSignificandBits = 53;
constexpr int kStoredBits = 52;
constexpr int kSmallestNormalExponent = -1022;
constexpr int kLargestExponent = 1023;
constexpr u64 kInfinityBits = 0x7FF0000000000000u;
// The product below is at most 2 units under the exact scaled value (see
// Product); a halfway point this near it cannot be told from the value.
constexpr u64 kHalfMargin = 2;
// Dropping more than 129 bits of a 128-bit product leaves less than half
// the smallest subnormal, whatever the error.
constexpr int kMostDroppedBits = 129;

// The top 128 bits of the 192-bit product of the normalized w with the
// significand of 5^q. With the table's bound (at most one unit, plus a
// trace, under 5^q) and the low product's cut-off bits, the exact value
// lies in [product, product + 2) units.
Wide Product(u64 normalized, int q) {
  Wide power = PowerOfFiveSignificand(q);
  Wide high = Multiply64(normalized, power.High);
  Wide low = Multiply64(normalized, power.Low);
  u64 sumLow = high.Low + low.High;
  return {high.High + (sumLow < high.Low ? 1u : 0u), sumLow};
}

enum class Side { Below, Above, Unsure };

// Where the exact value lies against the halfway point of a rounding that
// drops the product's low `dropped` bits (74 to 129): the remainder
// against 2^(dropped - 1), unsure within kHalfMargin of it.
Side SideOfHalf(Wide product, int dropped) {
  constexpr u64 kAllOnes = ~u64{0};
  if (dropped == kMostDroppedBits) {  // the halfway point is 2^128
    return product.High == kAllOnes && product.Low >= kAllOnes - kHalfMargin + 1 ? Side::Unsure : Side::Below;
  }
  int highBits = dropped - 64;  // 10 to 64 bits of High belong to the remainder
  u64 remainder = highBits == 64 ? product.High : product.High & ((u64{1} << highBits) - 1);
  u64 half = u64{1} << (highBits - 1);
  if (remainder == half && product.Low <= kHalfMargin) return Side::Unsure;
  if (remainder == half - 1 && product.Low >= kAllOnes - kHalfMargin + 1) return Side::Unsure;
  return remainder >= half ? Side::Above : Side::Below;
}

NearestDouble Fixed(u64 bits) { return {bits, bits, true}; }

}  // namespace

NearestDouble NearestToScaled(u64 w, int q) {
  int leadingZeros = std::countl_zero(w);
  Wide product = Product(w << leadingZeros, q);
  // w * 10^q = product * 2^(q + floor(log2(5^q)) - 63 - leadingZeros), and
  // the product has 127 or 128 bits.
  int length = (product.High >> 63) != 0 ? 128 : 127;
  int exponent = length - 1 + FloorLog2Pow10(q) - 63 - leadingZeros;
  if (exponent > kLargestExponent) return Fixed(kInfinityBits);
  int dropped = length - kSignificandBits;
  bool normal = exponent >= kSmallestNormalExponent;
  if (!normal) dropped += kSmallestNormalExponent - exponent;
  if (dropped > kMostDroppedBits) return Fixed(0);
  u64 kept = dropped >= 128 ? 0 : product.High >> (dropped - 64);
  // A normal's kept bits carry the leading 1 into the exponent field, so
  // a rounding carry out of the significand moves up the exponent, and out
  // of the largest exponent reaches infinity.
  u64 base = normal ? static_cast<u64>(exponent - kSmallestNormalExponent) << kStoredBits : 0;
  u64 lower = base + kept;
  Side side = SideOfHalf(product, dropped);
  return {side == Side::Above ? lower + 1 : lower, lower, side != Side::Unsure};
}

}  // namespace tarivox
