// A fixed-capacity unsigned big integer for the exact decimal work of the
// decimal form and the amount reader. It lives on the stack: nothing here
// allocates.
//
// The capacity covers the largest number either user needs: the reader's
// halfway comparison, below 2^2600 (771 decimal digits against
// (2^54)(5^1094), each side scaled by a power of two to meet the other),
// and the decimal form's m * 5^1074 (below 2^2547). Operations that would
// need more limbs keep the limbs they have room for: they never write out
// of bounds.
#pragma once

#include <cstdint>

namespace tarivox {

inline constexpr int BIG_LIMBS = 88;

struct BigInteger {
  std::uint32_t Limbs[BIG_LIMBS];  // least significant first
  int Count;                       // limbs in use; 0 for zero
};

void BigSet(BigInteger& number, std::uint64_t value);
bool BigIsZero(const BigInteger& number);
void BigMultiplySmall(BigInteger& number, std::uint32_t factor);
void BigAddSmall(BigInteger& number, std::uint32_t addend);
void BigMultiplyPow5(BigInteger& number, int exponent);
void BigShiftLeft(BigInteger& number, int bits);
// Divides in place and returns the remainder; divisor must not be 0.
std::uint32_t BigDivideSmall(BigInteger& number, std::uint32_t divisor);
// -1, 0 or 1 as a is below, equal to or above b.
int BigCompare(const BigInteger& a, const BigInteger& b);

}  // namespace tarivox
