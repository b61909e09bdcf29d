#include "fees/decimal_form.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "fees/amount_reader.h"
#include "fees/big_integer.h"
#include "fees/wide_multiply.h"

namespace tarivox {
namespace {

using u64 = std::uint64_t;

constexpr const u64* kPow10 = POWERS_OF_TEN.Of;
constexpr u64 kSeventeenDigitsLow = kPow10[16];
constexpr u64 kSeventeenDigitsEnd = kPow10[17];
constexpr u64 kExactIntegerLimit = 1ULL << 53;

// The fast path covers values whose 17-digit scaling needs at most 5^27
// (fits 64 bits) and no division: 10^-10 <= value < 10^17, so that the
// decimal exponent is never below -11 whatever the rounding of 1e-10.
constexpr double kFastLow = 1e-10;
constexpr double kFastEnd = 1e17;
constexpr int kFastMaxScale = 27;
constexpr int kFastMaxScaleCount = kFastMaxScale + 1;

// The divisions by a multiplication, held against the divide instruction
// where an error would show first: around multiples of the divisor and at
// the top of the range.
constexpr bool DivisionsByPowersOfTenHold() {
  constexpr u64 kTop = (u64{1} << DIVIDEND_BITS) - 1;
  for (int power = FIRST_DIVISOR_POWER; power <= LAST_DIVISOR_POWER; ++power) {
    const u64 divisor = kPow10[power];
    const u64 last = kTop / divisor * divisor;
    const u64 near[] = {0, divisor - 1, divisor, 5 * divisor - 1, last - 1, last, kTop};
    for (u64 n : near) {
      if (DivideByPowerOfTen(n, power) != n / divisor) return false;
    }
  }
  return true;
}
static_assert(DivisionsByPowersOfTenHold(), "a division by a power of ten as a multiplication is wrong");

struct Binary {
  u64 Mantissa;  // integer significand
  int Exponent;  // value = Mantissa * 2^Exponent
};

Binary Decompose(double value) {
  u64 bits = std::bit_cast<u64>(value);
  u64 fraction = bits & ((1ULL << 52) - 1);
  int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (1ULL << 52), biased - 1075};
}

// floor(product * 2^shift) and whether the dropped part is at least one half.
// The caller guarantees shift > -64 and that the result fits 64 bits.
u64 ScaleByPowerOfTwo(Wide product, int shift, bool* atLeastHalf) {
  *atLeastHalf = false;
  if (shift >= 0) return product.Low << shift;
  int right = -shift;
  *atLeastHalf = ((product.Low >> (right - 1)) & 1u) != 0;
  return (product.Low >> right) | (product.High << (64 - right));
}

constexpr u64 kPow5[kFastMaxScaleCount] = {
    1ULL,           5ULL,            25ULL,            125ULL,            625ULL,            3125ULL,
    15625ULL,       78125ULL,        390625ULL,        1953125ULL,        9765625ULL,        48828125ULL,
    244140625ULL,   1220703125ULL,   6103515625ULL,    30517578125ULL,    152587890625ULL,   762939453125ULL,
    3814697265625ULL, 19073486328125ULL, 95367431640625ULL, 476837158203125ULL, 2384185791015625ULL,
    11920928955078125ULL, 59604644775390625ULL, 298023223876953125ULL, 1490116119384765625ULL,
    7450580596923828125ULL};

// Decimal exponent from the binary one: floor(log10(2) * e2) is the true
// exponent or one below it; the caller corrects from the scaled digits.
int EstimateDecimalExponent(double value) {
  int binaryExponent = static_cast<int>((std::bit_cast<u64>(value) >> 52) & 0x7FF) - 1023;
  return (binaryExponent * 78913) >> 18;
}

// First stage for every other value, from the exact integer
// Mantissa * 2^Exponent or Mantissa * 5^-Exponent (scaled by 10^Exponent).
SignificantDigits SlowSignificantDigits(double value) {
  Binary binary = Decompose(value);
  BigInteger number;
  BigSet(number, binary.Mantissa);
  int decimalShift = 0;  // value = number * 10^decimalShift
  if (binary.Exponent >= 0) {
    BigShiftLeft(number, binary.Exponent);
  } else {
    BigMultiplyPow5(number, -binary.Exponent);
    decimalShift = binary.Exponent;
  }
  // Peel nine digits at a time, least significant chunk first.
  constexpr int kMaxChunks = 100;  // 900 digits: more than 2^2547 has
  std::uint32_t chunks[kMaxChunks];
  int chunkCount = 0;
  while (!BigIsZero(number) && chunkCount < kMaxChunks) {
    chunks[chunkCount++] = BigDivideSmall(number, 1000000000u);
  }
  int leadingDigits = 1;
  for (std::uint32_t top = chunks[chunkCount - 1]; top >= 10; top /= 10) ++leadingDigits;
  int totalDigits = (chunkCount - 1) * 9 + leadingDigits;
  // The first 18 digits, reading chunks from the most significant one.
  u64 eighteen = 0;
  int taken = 0;
  for (int digitIndex = totalDigits - 1; digitIndex >= 0 && taken < 18; --digitIndex, ++taken) {
    std::uint32_t chunk = chunks[digitIndex / 9];
    std::uint32_t digit = static_cast<std::uint32_t>((chunk / kPow10[digitIndex % 9]) % 10);
    eighteen = eighteen * 10 + digit;
  }
  for (; taken < 18; ++taken) eighteen *= 10;
  u64 digits = eighteen / 10 + (eighteen % 10 >= 5 ? 1 : 0);
  int exponent = totalDigits - 1 + decimalShift;
  if (digits == kSeventeenDigitsEnd) return {kSeventeenDigitsLow, exponent + 1};
  return {digits, exponent};
}

// First stage for 10^-10 <= value < 10^17: y = value * 10^(16 - E) has 17
// integer digits; its fraction is at least one half exactly when the 18th
// digit of the expansion is 5 or more.
SignificantDigits FastSignificantDigits(double value) {
  Binary binary = Decompose(value);
  int exponent = EstimateDecimalExponent(value);
  for (;;) {
    int scale = 16 - exponent;
    // From 10^-10 on the shift is never below -60; the test keeps it so.
    if (scale < 0 || scale > kFastMaxScale || binary.Exponent + scale <= -64) return SlowSignificantDigits(value);
    bool atLeastHalf = false;
    Wide product = Multiply64(binary.Mantissa, kPow5[scale]);
    u64 digits = ScaleByPowerOfTwo(product, binary.Exponent + scale, &atLeastHalf);
    if (digits < kSeventeenDigitsLow) {
      --exponent;
      continue;
    }
    if (digits >= kSeventeenDigitsEnd) {
      ++exponent;
      continue;
    }
    digits += atLeastHalf ? 1 : 0;
    if (digits == kSeventeenDigitsEnd) return {kSeventeenDigitsLow, exponent + 1};
    return {digits, exponent};
  }
}

}  // namespace

SignificantDigits RoundToSignificantDigits(double value) {
  if (value == 0) return {0, 0};
  if (value >= kFastLow && value < kFastEnd) return FastSignificantDigits(value);
  return SlowSignificantDigits(value);
}

ScaledDecimal RoundToDecimals(double value, int decimals) {
  // Below 0.4 units of the last decimal neither stage reaches the half: the
  // first moves a value by far less than a tenth of itself. This spares the
  // exact path for the tiny values a long typed text can give.
  static constexpr double kNeverHalf[7] = {0.4, 0.04, 0.004, 4e-4, 4e-5, 4e-6, 4e-7};
  if (decimals >= 0 && decimals <= 6 && value < kNeverHalf[decimals]) return {0, 0};
  unsigned long long cents = 0;
  if (decimals == 2 && TwoStageCents(value, &cents)) return {cents, 0};
  SignificantDigits significant = RoundToSignificantDigits(value);
  // The 17 digits carry 16 - Exponent decimals; drop the ones beyond
  // `decimals`, half up on the first dropped digit (the digits after it are
  // zeros, so adding half a unit and truncating is the same test).
  int dropped = 16 - significant.Exponent - decimals;
  if (dropped <= 0) return {significant.Digits, -dropped};
  if (dropped > 17) return {0, 0};
  return {(significant.Digits + 5 * kPow10[dropped - 1]) / kPow10[dropped], 0};
}

bool HasNonZeroDecimals(ScaledDecimal scaled, int decimals) {
  int decimalsInUnits = decimals - scaled.TrailingZeros;
  if (decimalsInUnits <= 0) return false;
  return scaled.Units % kPow10[decimalsInUnits] != 0;
}

std::size_t WriteDecimalForm(double value, int decimals, char* out, std::size_t outSize) {
  if (outSize > 0) out[0] = '\0';
  if (!(value >= 0) || value > 1.7976931348623157e308 || decimals < 0 || decimals > 6) return 0;
  return WriteScaledDecimal(RoundToDecimals(value, decimals), decimals, out, outSize);
}

double ScaledDecimalValue(ScaledDecimal scaled, int decimals) {
  // While Units is exact in a double, one IEEE division by the exact power
  // of ten is the correctly rounded value of the decimal, which is what the
  // reader gives for its text. Anything larger takes the text's way.
  static constexpr double kDivisors[7] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
  if (scaled.TrailingZeros == 0 && scaled.Units <= kExactIntegerLimit && decimals >= 0 && decimals <= 6) {
    return static_cast<double>(scaled.Units) / kDivisors[decimals];
  }
  char text[DECIMAL_FORM_CAPACITY];
  WriteScaledDecimal(scaled, decimals, text, sizeof text);
  return ReadAmount(text);
}

std::size_t WriteScaledDecimal(ScaledDecimal scaled, int decimals, char* out, std::size_t outSize) {
  if (outSize > 0) out[0] = '\0';
  if (decimals < 0 || decimals > 6) return 0;
  // Filled from the right: the trailing zeros of huge values, then the
  // digits of Units, the point after `decimals` of them, and at least one
  // integer digit.
  char text[DECIMAL_FORM_CAPACITY];
  std::size_t at = sizeof text - 1;
  text[at] = '\0';
  u64 units = scaled.Units;
  int zeros = scaled.TrailingZeros;
  for (int written = 0; written <= decimals || units != 0 || zeros > 0; ++written) {
    if (written == decimals && decimals > 0) text[--at] = '.';
    char digit = '0';
    if (zeros > 0) {
      --zeros;
    } else {
      digit = static_cast<char>('0' + units % 10);
      units /= 10;
    }
    text[--at] = digit;
  }
  std::size_t length = sizeof text - 1 - at;
  if (length + 1 > outSize) return 0;
  std::memcpy(out, text + at, length + 1);
  return length;
}

}  // namespace tarivox
