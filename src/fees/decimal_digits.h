// The digits of a decimal number as they stand in its text, without
// copying them: the integer digits, then the fraction digits, read as one
// integer and scaled by a power of ten.
//
// A typed amount may run to a hundred digits, most of them zeros or nines,
// so runs are looked at eight characters at a time, as one 64-bit word:
// plain integer arithmetic, the same on every target.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace tarivox {

struct DecimalDigits {
  const char* Integer;  // from the first non-zero integer digit
  int IntegerCount;
  const char* Fraction;  // below 1: from the first non-zero digit
  int FractionCount;
  int Exponent;  // value = (Integer digits, Fraction digits) * 10^Exponent

  int Count() const { return IntegerCount + FractionCount; }
};

inline constexpr int DIGITS_PER_WORD = 8;
inline constexpr std::uint64_t EIGHT_ZEROS = 0x3030303030303030u;

// text[0..7] as a word, the first character in the lowest byte whatever the
// machine's byte order.
inline std::uint64_t LoadEight(const char* text) {
  std::uint64_t word;
  std::memcpy(&word, text, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < DIGITS_PER_WORD; ++i) swapped |= ((word >> (8 * i)) & 0xFFu) << (8 * (DIGITS_PER_WORD - 1 - i));
    word = swapped;
  }
  return word;
}

// The bytes of a word that are not '0' to '9', each with bits set in its
// high nibble: a digit's high nibble is 3 before and after adding 6. A carry
// out of a byte comes only from a byte that is no digit, and goes to the
// bytes after it, so the first byte marked is the first that is no digit.
inline std::uint64_t NonDigitBytes(std::uint64_t word) {
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
  constexpr std::uint64_t kThrees = 0x3030303030303030u;
  return ((word & kHigh) ^ kThrees) | (((word + 0x0606060606060606u) & kHigh) ^ kThrees);
}

// The position in a word (0 to 7) of the first byte marked in `marks`.
inline int FirstMarkedByte(std::uint64_t marks) { return std::countr_zero(marks) / 8; }

// The value of eight digits in a word: pairs, then fours, then all eight,
// each step one multiplication.
inline std::uint32_t EightDigitsValue(std::uint64_t word) {
  word -= EIGHT_ZEROS;
  word = (word * 10) + (word >> 8);  // byte pairs: 10 * first + second
  constexpr std::uint64_t kPairMask = 0x000000FF000000FFu;
  constexpr std::uint64_t kHundredAndMillion = 100 + (std::uint64_t{1000000} << 32);
  constexpr std::uint64_t kOneAndTenThousand = 1 + (std::uint64_t{10000} << 32);
  word = (((word & kPairMask) * kHundredAndMillion) + (((word >> 16) & kPairMask) * kOneAndTenThousand)) >> 32;
  return static_cast<std::uint32_t>(word);
}

inline constexpr int DIGITS_PER_CHUNK = DIGITS_PER_WORD;
inline constexpr std::uint32_t CHUNK_SCALES[DIGITS_PER_CHUNK + 1] = {1,      10,      100,      1000,     10000,
                                                                     100000, 1000000, 10000000, 100000000};

// The value of length (at most eight) digits at text.
inline std::uint32_t ChunkValue(const char* text, int length) {
  if (length == DIGITS_PER_WORD) return EightDigitsValue(LoadEight(text));
  std::uint32_t chunk = 0;
  for (int i = 0; i < length; ++i) chunk = chunk * 10 + static_cast<std::uint32_t>(text[i] - '0');
  return chunk;
}

// Calls append(chunk, length) for the first `count` digits in order, up to
// eight at a time: a chunk is worked in 32 bits, and the caller pays one
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
    append(ChunkValue(run, length), length);
    run += length;
    left -= length;
    count -= length;
  }
}

// Whether any of text[from..end) is not '0'.
inline bool NonZeroIn(const char* text, int from, int end) {
  for (; from + DIGITS_PER_WORD <= end; from += DIGITS_PER_WORD) {
    if (LoadEight(text + from) != EIGHT_ZEROS) return true;
  }
  for (; from < end; ++from) {
    if (text[from] != '0') return true;
  }
  return false;
}

// Whether any digit after the first `count` is not 0.
inline bool NonZeroAfter(const DecimalDigits& digits, int count) {
  if (count < digits.IntegerCount && NonZeroIn(digits.Integer, count, digits.IntegerCount)) return true;
  int start = count > digits.IntegerCount ? count - digits.IntegerCount : 0;
  return NonZeroIn(digits.Fraction, start, digits.FractionCount);
}

}  // namespace tarivox
