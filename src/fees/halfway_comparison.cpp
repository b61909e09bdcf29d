#include "fees/halfway_comparison.h"

#include "fees/big_integer.h"
#include "fees/wide_multiply.h"

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

// 5^27 is the largest power of five below 2^64.
constexpr int kWidePowersOfFive = 27;

struct PowersOfFive {
  u64 Of[kWidePowersOfFive + 1];
};

constexpr PowersOfFive MakePowersOfFive() {
  PowersOfFive powers{};
  powers.Of[0] = 1;
  for (int i = 1; i <= kWidePowersOfFive; ++i) powers.Of[i] = powers.Of[i - 1] * 5;
  return powers;
}

constexpr PowersOfFive kPowersOfFive = MakePowersOfFive();
// A fraction of at most 60 bits still fits 64 bits when multiplied by 10.
constexpr int kMostFractionBits = 60;
constexpr int kUndecided = 2;

struct Halfway {
  u64 Odd;       // 2m + 1
  int Exponent;  // the point is Odd * 2^Exponent
};

Halfway HalfwayAbove(u64 lowerBits) {
  u64 fraction = lowerBits & kStoredMask;
  int biased = static_cast<int>(lowerBits >> kStoredBits);
  u64 significand = biased == 0 ? fraction : fraction | (u64{1} << kStoredBits);
  int binaryExponent = biased == 0 ? kSubnormalExponent : biased - kExponentBias;
  return {2 * significand + 1, binaryExponent - 1};
}

int Order(u64 a, u64 b) { return a < b ? -1 : (a > b ? 1 : 0); }

// Whether the digits from index `from` on (integer digits, then fraction
// digits) hold one that is not 0. The last digit is looked at first: the
// reader drops trailing zeros, so it usually answers at once.
bool AnyNonZeroFrom(const DecimalDigits& digits, int from) {
  if (from >= digits.Count()) return false;
  const char last = digits.FractionCount > 0 ? digits.Fraction[digits.FractionCount - 1]
                                             : digits.Integer[digits.IntegerCount - 1];
  return last != '0' || NonZeroAfter(digits, from);
}

// `length` (at most eight) digits from index `from` as one integer; they
// may run from the integer digits into the fraction digits.
u64 DigitsAt(const DecimalDigits& digits, int from, int length) {
  if (from >= digits.IntegerCount) return ChunkValue(digits.Fraction + (from - digits.IntegerCount), length);
  const int inInteger = digits.IntegerCount - from;
  if (length <= inInteger) return ChunkValue(digits.Integer + from, length);
  return u64{ChunkValue(digits.Integer + from, inInteger)} * CHUNK_SCALES[length - inInteger] +
         ChunkValue(digits.Fraction, length - inInteger);
}

// The digits from index `from` on against the decimals of fraction / 2^bits
// (1 <= bits <= kMostFractionBits), which end after at most `bits` of them:
// the next eight decimals are the whole part of the fraction times 10^8.
int CompareDecimals(const DecimalDigits& digits, int from, u64 fraction, int bits) {
  const u64 mask = (u64{1} << bits) - 1;
  const int count = digits.Count();
  for (int index = from; index < count; index += DIGITS_PER_WORD) {
    if (fraction == 0) return AnyNonZeroFrom(digits, index) ? 1 : 0;
    const Wide scaled = Multiply64(fraction, CHUNK_SCALES[DIGITS_PER_WORD]);  // below 2^87
    const u64 expected = (scaled.High << (64 - bits)) | (scaled.Low >> bits);
    fraction = scaled.Low & mask;
    const int length = count - index < DIGITS_PER_WORD ? count - index : DIGITS_PER_WORD;
    const u64 typed = DigitsAt(digits, index, length);
    if (length < DIGITS_PER_WORD) {
      // The typed digits end within these eight: what the point has beyond
      // them can only put it above.
      const u64 beyond = CHUNK_SCALES[DIGITS_PER_WORD - length];
      if (typed != expected / beyond) return Order(typed, expected / beyond);
      return expected % beyond != 0 || fraction != 0 ? -1 : 0;
    }
    if (typed != expected) return Order(typed, expected);
  }
  return fraction == 0 ? 0 : -1;
}

// The comparison in 64-bit words, for the decimals amounts are made of.
// With w the first (up to) 19 digits and q the power of ten of their last,
// the decimal is (w + r) * 10^q with r in [0, 1) the digits after them, and
// the halfway point scaled by 10^-q is Odd * 5^-q * 2^(Exponent - q): an
// integer part to hold against w, then a binary fraction whose decimals
// are exact and few, to hold against the digits after w. kUndecided when
// the numbers outgrow the words (q > 0, 5^-q beyond 64 bits, a fraction
// beyond kMostFractionBits bits).
int CompareInWords(const DecimalDigits& digits, u64 w, Halfway half) {
  const int count = digits.Count();
  const int kept = count < WIDE_DIGITS ? count : WIDE_DIGITS;
  const int fivePower = -(digits.Exponent + (count - kept));
  if (fivePower < 0 || fivePower > kWidePowersOfFive) return kUndecided;
  const Wide scaled = Multiply64(half.Odd, kPowersOfFive.Of[fivePower]);  // below 2^54 * 2^63
  const int twos = half.Exponent + fivePower;
  if (twos >= 0) {
    // A whole number: at 2^64 or more it is beyond every w.
    if (twos >= 64 || scaled.High != 0 || (twos > 0 && (scaled.Low >> (64 - twos)) != 0)) return -1;
    const u64 whole = scaled.Low << twos;
    return w != whole ? Order(w, whole) : (AnyNonZeroFrom(digits, kept) ? 1 : 0);
  }
  const int bits = -twos;
  if (bits > kMostFractionBits) return kUndecided;
  if ((scaled.High >> bits) != 0) return -1;  // the whole part is 2^64 or more
  const u64 whole = (scaled.High << (64 - bits)) | (scaled.Low >> bits);
  if (w != whole) return Order(w, whole);
  return CompareDecimals(digits, kept, scaled.Low & ((u64{1} << bits) - 1), bits);
}

// Every case, in big integers: both sides scaled to integers by powers of
// two and five.
int CompareInBigIntegers(const DecimalDigits& digits, Halfway half) {
  int count = digits.Count() < kDecidingDigits ? digits.Count() : kDecidingDigits;
  BigInteger decimal;
  BigSet(decimal, 0);
  ForEachChunk(digits, count, [&decimal](std::uint32_t chunk, int length) {
    BigMultiplySmall(decimal, CHUNK_SCALES[length]);
    BigAddSmall(decimal, chunk);
  });
  bool cut = NonZeroAfter(digits, count);
  int decimalExponent = digits.Exponent + (digits.Count() - count);

  // decimal * 10^d against Odd * 2^Exponent: the power of five goes to the
  // side where it multiplies, then the power of two that remains.
  BigInteger halfway;
  BigSet(halfway, half.Odd);
  if (decimalExponent >= 0) {
    BigMultiplyPow5(decimal, decimalExponent);
  } else {
    BigMultiplyPow5(halfway, -decimalExponent);
  }
  int twos = decimalExponent - half.Exponent;
  if (twos > 0) BigShiftLeft(decimal, twos);
  if (twos < 0) BigShiftLeft(halfway, -twos);
  int order = BigCompare(decimal, halfway);
  // Cut digits lie strictly above the digits kept; and as the halfway
  // point ends within the digits kept, kept digits below it stay below.
  return order == 0 && cut ? 1 : order;
}

}  // namespace

int CompareWithHalfway(const DecimalDigits& digits, u64 leading, u64 lowerBits) {
  const Halfway half = HalfwayAbove(lowerBits);
  const int order = CompareInWords(digits, leading, half);
  return order != kUndecided ? order : CompareInBigIntegers(digits, half);
}

bool CompareWithHalfwayInWords(const DecimalDigits& digits, u64 leading, u64 lowerBits, int* order) {
  const int inWords = CompareInWords(digits, leading, HalfwayAbove(lowerBits));
  if (inWords == kUndecided) return false;
  *order = inWords;
  return true;
}

}  // namespace tarivox
