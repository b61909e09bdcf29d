// A fixed-capacity unsigned big integer for the exact decimal work of the
// decimal form and the amount reader. It lives on the stack: nothing here
// allocates.
//
// The capacity covers the largest number either user needs: the reader's
// quotient setup, about 2^3810 (a numerator of up to 801 decimal digits
// against 10^1125), and the decimal form's m * 5^1074 (below 2^2547).
// Operations that would need more limbs keep the limbs they have room for:
// they never write out of bounds.
#pragma once

#include <cstdint>

namespace tarivox {

inline constexpr int BIG_LIMBS = 136;

struct BigInteger {
  std::uint32_t Limbs[BIG_LIMBS];  // least significant first
  int Count;                       // limbs in use; 0 for zero
};

void BigSet(BigInteger& number, std::uint64_t value);
bool BigIsZero(const BigInteger& number);
int BigBitLength(const BigInteger& number);
void BigMultiplySmall(BigInteger& number, std::uint32_t factor);
void BigAddSmall(BigInteger& number, std::uint32_t addend);
void BigMultiplyPow10(BigInteger& number, int exponent);
void BigMultiplyPow5(BigInteger& number, int exponent);
void BigShiftLeft(BigInteger& number, int bits);
// Divides in place and returns the remainder; divisor must not be 0.
std::uint32_t BigDivideSmall(BigInteger& number, std::uint32_t divisor);
// -1, 0 or 1 as a is below, equal to or above b.
int BigCompare(const BigInteger& a, const BigInteger& b);
// a -= b; a must not be below b.
void BigSubtract(BigInteger& a, const BigInteger& b);

}  // namespace tarivox
