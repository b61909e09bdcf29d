// The powers of five that scale a decimal of up to 19 digits to binary,
// as 128-bit significands made by the compiler: for every q in
// [SMALLEST_POWER_OF_TEN, LARGEST_POWER_OF_TEN], with
// e = floor(log2(5^q)) = FloorLog2Pow10(q) - q,
//
//   Significand <= 5^q * 2^(127 - e) < Significand + 1 + 2^-115,
//
// 5^q cut to its top 128 bits, never above it and less than a unit (plus
// a trace, for the reciprocals) below. The nearest-double computation
// relies on exactly that bound.
#pragma once

#include <cstdint>

#include "fees/wide_multiply.h"

namespace tarivox {

// Below 10^-342 even 19 nines times the power read as zero; above 10^308
// any non-zero digit overflows. Neither end needs a table entry.
inline constexpr int SMALLEST_POWER_OF_TEN = -342;
inline constexpr int LARGEST_POWER_OF_TEN = 308;
inline constexpr int POWER_OF_TEN_COUNT = LARGEST_POWER_OF_TEN - SMALLEST_POWER_OF_TEN + 1;

// floor(q * log2(10)) over the table's range, from log2(10) in 16.16 fixed
// point; checked against the table's own exponents below.
constexpr int FloorLog2Pow10(int q) { return (q * 217706) >> 16; }

namespace power_table {

using u32 = std::uint32_t;
using u64 = std::uint64_t;

// A compile-time unsigned number, least significant 32-bit limb first:
// 5^308 has 716 bits; the reciprocals use the top 256 bits of a fraction.
constexpr int kLimbs = 24;
constexpr int kFractionLimbs = 8;
constexpr int kFractionBits = kFractionLimbs * 32;
struct Number {
  u32 Limb[kLimbs];
};

constexpr void MultiplyByFive(Number& number) {
  u64 carry = 0;
  for (u32& limb : number.Limb) {
    u64 product = u64{limb} * 5 + carry;
    limb = static_cast<u32>(product);
    carry = product >> 32;
  }
}

// Divides the fraction's limbs by five, dropping the remainder: the
// fraction only ever decreases, by less than one unit per step.
constexpr void DivideFractionByFive(Number& number) {
  u64 remainder = 0;
  for (int i = kFractionLimbs - 1; i >= 0; --i) {
    u64 current = (remainder << 32) | number.Limb[i];
    number.Limb[i] = static_cast<u32>(current / 5);
    remainder = current % 5;
  }
}

constexpr void ShiftFractionLeftOnce(Number& number) {
  for (int i = kFractionLimbs - 1; i > 0; --i) number.Limb[i] = (number.Limb[i] << 1) | (number.Limb[i - 1] >> 31);
  number.Limb[0] <<= 1;
}

constexpr int BitLength(const Number& number) {
  for (int i = kLimbs - 1; i >= 0; --i) {
    for (int bit = 31; bit >= 0; --bit) {
      if ((number.Limb[i] >> bit) & 1u) return i * 32 + bit + 1;
    }
  }
  return 0;
}

// The 32 bits of number from bit `from` up; bits below bit 0 read as 0.
constexpr u32 BitsAt(const Number& number, int from) {
  if (from <= -32) return 0;
  if (from < 0) return number.Limb[0] << -from;
  int limb = from / 32;
  int bit = from % 32;
  u64 high = limb + 1 < kLimbs ? u64{number.Limb[limb + 1]} << 32 : 0;
  return static_cast<u32>((high | number.Limb[limb]) >> bit);
}

// The 128 bits just below bit `end`: the number's top when end is its length.
constexpr Wide Top128(const Number& number, int end) {
  int from = end - 128;
  return {(u64{BitsAt(number, from + 96)} << 32) | BitsAt(number, from + 64),
          (u64{BitsAt(number, from + 32)} << 32) | BitsAt(number, from)};
}

struct Significands {
  Wide Entry[POWER_OF_TEN_COUNT];
};
struct Table {
  Significands Power;
  int Log2[POWER_OF_TEN_COUNT];  // floor(log2(5^q)), for the check
};

// Non-negative powers exactly, then cut to their top 128 bits.
constexpr void FillPositivePowers(Table& table) {
  Number power{};
  power.Limb[0] = 1;
  for (int q = 0; q <= LARGEST_POWER_OF_TEN; ++q) {
    int length = BitLength(power);
    table.Power.Entry[q - SMALLEST_POWER_OF_TEN] = Top128(power, length);
    table.Log2[q - SMALLEST_POWER_OF_TEN] = length - 1;
    MultiplyByFive(power);
  }
}

// 5^-p as a 256-bit fraction kept with its top bit set: divided by five
// and shifted back up at each step. 342 truncations of less than 2^-252
// each leave the top 128 bits within 2^-115 of a unit of the true value.
constexpr void FillNegativePowers(Table& table) {
  Number fraction{};
  fraction.Limb[kFractionLimbs - 1] = 0x80000000u;  // 1, as 2^255
  int shifted = 0;
  for (int q = -1; q >= SMALLEST_POWER_OF_TEN; --q) {
    DivideFractionByFive(fraction);
    while ((fraction.Limb[kFractionLimbs - 1] >> 31) == 0) {
      ShiftFractionLeftOnce(fraction);
      ++shifted;
    }
    table.Power.Entry[q - SMALLEST_POWER_OF_TEN] = Top128(fraction, kFractionBits);
    table.Log2[q - SMALLEST_POWER_OF_TEN] = -shifted;
  }
}

constexpr Table MakeTable() {
  Table table{};
  FillPositivePowers(table);
  FillNegativePowers(table);
  return table;
}

constexpr bool ExponentsMatchTheFormula() {
  Table table = MakeTable();
  for (int q = SMALLEST_POWER_OF_TEN; q <= LARGEST_POWER_OF_TEN; ++q) {
    if (table.Log2[q - SMALLEST_POWER_OF_TEN] + q != FloorLog2Pow10(q)) return false;
  }
  return true;
}
static_assert(ExponentsMatchTheFormula(), "FloorLog2Pow10 must give every power's exponent");

// Only the significands go into the program.
inline constexpr Significands kSignificands = MakeTable().Power;

// Small powers known by heart, as a check on the generation: 5^0 as 2^127,
// 5^1 as 5 * 2^125, and 5^-1 = 0.2, binary 0.00110011..., as 0xCCCC...
static_assert(kSignificands.Entry[-SMALLEST_POWER_OF_TEN].High == u64{1} << 63);
static_assert(kSignificands.Entry[1 - SMALLEST_POWER_OF_TEN].High == u64{5} << 61);
static_assert(kSignificands.Entry[-1 - SMALLEST_POWER_OF_TEN].Low == 0xCCCCCCCCCCCCCCCCu);

}  // namespace power_table

// The significand of 5^q; q must lie within the table.
inline Wide PowerOfFiveSignificand(int q) { return power_table::kSignificands.Entry[q - SMALLEST_POWER_OF_TEN]; }

}  // namespace tarivox
