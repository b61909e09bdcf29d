#include "fees/big_integer.h"

namespace tarivox {
namespace {

void Trim(BigInteger& number) {
  while (number.Count > 0 && number.Limbs[number.Count - 1] == 0) --number.Count;
}

void PushLimb(BigInteger& number, std::uint32_t limb) {
  if (number.Count < BIG_LIMBS) number.Limbs[number.Count++] = limb;
}

}  // namespace

void BigSet(BigInteger& number, std::uint64_t value) {
  number.Count = 0;
  while (value != 0) {
    number.Limbs[number.Count++] = static_cast<std::uint32_t>(value);
    value >>= 32;
  }
}

bool BigIsZero(const BigInteger& number) { return number.Count == 0; }

void BigMultiplySmall(BigInteger& number, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (int i = 0; i < number.Count; ++i) {
    std::uint64_t product = std::uint64_t{number.Limbs[i]} * factor + carry;
    number.Limbs[i] = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) PushLimb(number, static_cast<std::uint32_t>(carry));
  Trim(number);
}

void BigAddSmall(BigInteger& number, std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (int i = 0; i < number.Count && carry != 0; ++i) {
    std::uint64_t sum = std::uint64_t{number.Limbs[i]} + carry;
    number.Limbs[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
  if (carry != 0) PushLimb(number, static_cast<std::uint32_t>(carry));
}

void BigMultiplyPow5(BigInteger& number, int exponent) {
  // 5^13 is the largest power of five that fits 32 bits.
  for (; exponent >= 13; exponent -= 13) BigMultiplySmall(number, 1220703125u);
  std::uint32_t rest = 1;
  for (; exponent > 0; --exponent) rest *= 5;
  if (rest != 1) BigMultiplySmall(number, rest);
}

void BigShiftLeft(BigInteger& number, int bits) {
  if (number.Count == 0 || bits <= 0) return;
  int limbShift = bits / 32;
  int bitShift = bits % 32;
  int newCount = number.Count + limbShift + 1;
  if (newCount > BIG_LIMBS) newCount = BIG_LIMBS;
  for (int i = newCount - 1; i >= 0; --i) {
    int source = i - limbShift;
    std::uint64_t high = (source >= 0 && source < number.Count) ? number.Limbs[source] : 0;
    std::uint64_t low = (source - 1 >= 0 && source - 1 < number.Count) ? number.Limbs[source - 1] : 0;
    std::uint64_t joined = (high << 32) | low;
    number.Limbs[i] = static_cast<std::uint32_t>(joined >> (32 - bitShift));
  }
  number.Count = newCount;
  Trim(number);
}

std::uint32_t BigDivideSmall(BigInteger& number, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (int i = number.Count - 1; i >= 0; --i) {
    std::uint64_t current = (remainder << 32) | number.Limbs[i];
    number.Limbs[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  Trim(number);
  return static_cast<std::uint32_t>(remainder);
}

int BigCompare(const BigInteger& a, const BigInteger& b) {
  if (a.Count != b.Count) return a.Count < b.Count ? -1 : 1;
  for (int i = a.Count - 1; i >= 0; --i) {
    if (a.Limbs[i] != b.Limbs[i]) return a.Limbs[i] < b.Limbs[i] ? -1 : 1;
  }
  return 0;
}

}  // namespace tarivox
