#include "fees/halfway_comparison.h"

#include "fees/big_integer.h"

namespace tarivox {
namespace {

using u64 = std::uint64_t;

constexpr int kStoredBits = 52;
constexpr u64 kStoredMask = (u64{1} << kStoredBits) - 1;
constexpr int kExponentBias = 1075;  // value = significand * 2^(biased - 1075)
constexpr int kSubnormalExponent = -1074;

// A halfway point (2m + 1) * 2^(e - 1) with e >= -1074 is a decimal of at
// most 768 significant digits (below (2^54)(5^1075)), and a decimal near
// it starts at most one place higher. So the first 769 digits of the
// text, and whether any later digit is not 0, decide the comparison: two
// more for good measure.
constexpr int kDecidingDigits = 771;

}  // namespace

int CompareWithHalfway(const DecimalDigits& digits, u64 lowerBits) {
  u64 fraction = lowerBits & kStoredMask;
  int biased = static_cast<int>(lowerBits >> kStoredBits);
  u64 significand = biased == 0 ? fraction : fraction | (u64{1} << kStoredBits);
  int binaryExponent = biased == 0 ? kSubnormalExponent : biased - kExponentBias;

  int count = digits.Count() < kDecidingDigits ? digits.Count() : kDecidingDigits;
  BigInteger decimal;
  BigSet(decimal, 0);
  ForEachChunk(digits, count, [&decimal](std::uint32_t chunk, int length) {
    BigMultiplySmall(decimal, CHUNK_SCALES[length]);
    BigAddSmall(decimal, chunk);
  });
  bool cut = NonZeroAfter(digits, count);
  int decimalExponent = digits.Exponent + (digits.Count() - count);

  // decimal * 10^d against (2m + 1) * 2^(e - 1): the power of five goes to
  // the side where it multiplies, then the power of two that remains.
  BigInteger halfway;
  BigSet(halfway, 2 * significand + 1);
  if (decimalExponent >= 0) {
    BigMultiplyPow5(decimal, decimalExponent);
  } else {
    BigMultiplyPow5(halfway, -decimalExponent);
  }
  int twos = decimalExponent - (binaryExponent - 1);
  if (twos > 0) BigShiftLeft(decimal, twos);
  if (twos < 0) BigShiftLeft(halfway, -twos);
  int order = BigCompare(decimal, halfway);
  // Cut digits lie strictly above the digits kept; and as the halfway
  // point ends within the digits kept, kept digits below it stay below.
  return order == 0 && cut ? 1 : order;
}

}  // namespace tarivox
