// The digits of a decimal number as they stand in its text, without
// copying them: the integer digits, then the fraction digits, read as one
// integer and scaled by a power of ten.
#pragma once

#include <cstdint>

namespace tarivox {

struct DecimalDigits {
  const char* Integer;  // from the first non-zero integer digit
  int IntegerCount;
  const char* Fraction;  // below 1: from the first non-zero digit
  int FractionCount;
  int Exponent;  // value = (Integer digits, Fraction digits) * 10^Exponent

  int Count() const { return IntegerCount + FractionCount; }
};

inline constexpr int DIGITS_PER_CHUNK = 9;  // the most that fit 32 bits
inline constexpr std::uint32_t CHUNK_SCALES[DIGITS_PER_CHUNK + 1] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// Calls append(chunk, length) for the first `count` digits in order, up to
// nine at a time: a chunk is worked in 32 bits, and the caller pays one
// wide step per chunk instead of one per digit.
template <typename Append>
void ForEachChunk(const DecimalDigits& digits, int count, Append append) {
  if (count > digits.Count()) count = digits.Count();
  const char* run = digits.Integer;
  int left = digits.IntegerCount;
  while (count > 0) {
    if (left == 0) {
      run = digits.Fraction;
      left = digits.FractionCount;
    }
    int length = count < DIGITS_PER_CHUNK ? count : DIGITS_PER_CHUNK;
    if (length > left) length = left;
    std::uint32_t chunk = 0;
    for (int i = 0; i < length; ++i) chunk = chunk * 10 + static_cast<std::uint32_t>(run[i] - '0');
    append(chunk, length);
    run += length;
    left -= length;
    count -= length;
  }
}

// Whether any digit after the first `count` is not 0.
inline bool NonZeroAfter(const DecimalDigits& digits, int count) {
  for (int i = count; i < digits.IntegerCount; ++i) {
    if (digits.Integer[i] != '0') return true;
  }
  int start = count > digits.IntegerCount ? count - digits.IntegerCount : 0;
  for (int i = start; i < digits.FractionCount; ++i) {
    if (digits.Fraction[i] != '0') return true;
  }
  return false;
}

}  // namespace tarivox
