// The amount reader: the shape of a number, and the nearest double for it,
// compared with the C library's correctly rounded reader in the C locale.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "fees/amount_reader.h"
#include "core/exact_c_library.h"

namespace tarivox {
namespace {

TEST(AmountReader, ShapeOfANumber) {
  // length: the characters AmountLength says the number takes.
  const struct {
    const char* text;
    double expected;
    std::size_t length;
  } rows[] = {
      {"", 0, 0},         {"0.0", 0, 3},       {"1234.5", 1234.5, 6}, {"123456", 123456, 6},
      {"ABC", 0, 0},      {"-5", -5, 2},       {"+5", 5, 2},          {"1E3", 1000, 3},
      {"1e3", 1000, 3},   {"1D3", 1000, 3},    {"1d3", 1000, 3},      {"1E", 1, 1},
      {"1E+", 1, 1},      {"1E-2", 0.01, 4},   {"1e+2", 100, 4},      {"1+5", 1, 1},
      {"1.2.3", 1.2, 3},  {"0X1A", 0, 1},      {"INF", 0, 0},         {"NAN", 0, 0},
      {"INFINITY", 0, 0}, {" 12", 12, 3},      {"12 000", 12, 2},     {"$100", 0, 0},
      {".5", 0.5, 2},     {"5.", 5, 2},        {".", 0, 0},           {"+", 0, 0},
      {"-", 0, 0},        {"-.5D1", -5, 5},    {"\t\n\v\f\r 7", 7, 7}, {"007.50", 7.5, 6},
      {"1E3E4", 1000, 3}, {"2.5e0x", 2.5, 5},  {"1e-0", 1, 4},        {"1,5", 1, 1},
      {"25000.000", 25000, 9}, {"100e-2", 1, 6}, {"0.0100", 0.01, 6},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ReadAmount(row.text), row.expected) << '"' << row.text << '"';
    EXPECT_EQ(AmountLength(row.text), row.length) << '"' << row.text << '"';
  }
}

TEST(AmountReader, OutOfRange) {
  EXPECT_EQ(ReadAmount("1E999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount("-1E999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount(("1" + std::string(400, '0')).c_str()), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount("1E-999"), 0.0);
  EXPECT_EQ(ReadAmount("1E99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount("1E-99999999999999999999"), 0.0);
}

// The C library reads "E" but not "D"; in the C locale it is correctly
// rounded, which makes it a reference for the nearest double.
double Reference(std::string text) {
  for (char& c : text) {
    if (c == 'D' || c == 'd') c = 'E';
  }
  return std::strtod(text.c_str(), nullptr);
}

// The compiler reads a literal correctly rounded, so each row's literal is
// the expected double for its own spelling; this runs on every platform.
#define LITERAL_ROW(number) {#number, number}

TEST(AmountReader, HardRoundingCases) {
  const struct {
    const char* text;
    double expected;
  } rows[] = {
      LITERAL_ROW(9007199254740993.0),                     // 2^53 + 1: tie, to even
      LITERAL_ROW(9007199254740995.0),                     // tie, to even upwards
      LITERAL_ROW(9007199254740993.0000000000000000001),   // just above the tie
      {"2.4703282292062327e-324", 0.0},                    // just below half the smallest subnormal
      LITERAL_ROW(2.4703282292062328e-324),                // just above it
      LITERAL_ROW(4.9406564584124654e-324),
      LITERAL_ROW(2.2250738585072011e-308),                // subnormal boundary
      LITERAL_ROW(2.2250738585072012e-308),
      LITERAL_ROW(1.7976931348623157e308),
      LITERAL_ROW(1.7976931348623158e308),                 // rounds down to the largest double
      LITERAL_ROW(0.1), LITERAL_ROW(0.3), LITERAL_ROW(1234.125), LITERAL_ROW(2.675), LITERAL_ROW(0.995),
      LITERAL_ROW(999999999999999.99), LITERAL_ROW(100.004), LITERAL_ROW(8.98846567431158e307),
      LITERAL_ROW(123456789012345678901234567890.0), LITERAL_ROW(0.000000000000000000000000000001),
      LITERAL_ROW(7.2057594037927933e16),                  // 2^56 + 2^4 + 0.5 ulp region
      LITERAL_ROW(1e23), LITERAL_ROW(8.5e-310), LITERAL_ROW(3.0e-5),
  };
  for (const auto& row : rows) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ReadAmount(row.text)), std::bit_cast<std::uint64_t>(row.expected))
        << row.text;
  }
  EXPECT_EQ(ReadAmount("1.7976931348623159e308"), std::numeric_limits<double>::infinity());
}

TEST(AmountReader, LongDigitStringsAreRoundedOnEveryDigit) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library to compare with";
  // A halfway value between two doubles followed by hundreds of zeros and a
  // final 1: only the last digit decides the rounding direction.
  std::string halfway = "9007199254740993." + std::string(780, '0');
  EXPECT_EQ(ReadAmount(halfway.c_str()), 9007199254740992.0);
  std::string above = halfway + "1";
  EXPECT_EQ(ReadAmount(above.c_str()), 9007199254740994.0);
  std::string manyDigits = "1" + std::string(900, '3') + "E-900";
  EXPECT_EQ(ReadAmount(manyDigits.c_str()), Reference(manyDigits));
}

TEST(AmountReader, MatchesTheReferenceOnRandomNumbers) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library to compare with";
  std::mt19937_64 random(424242);
  std::uniform_int_distribution<std::uint64_t> anyBits(0, 0x7FEFFFFFFFFFFFFFull);
  std::uniform_int_distribution<int> digitCount(1, 40), exponent(-340, 320), digit(0, 9);
  char printed[64];
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    if (i % 2 == 0) {
      // A double printed with 17 digits reads back to itself.
      std::snprintf(printed, sizeof printed, "%.17g", std::bit_cast<double>(anyBits(random)));
      text = printed;
    } else {
      int count = digitCount(random);
      for (int d = 0; d < count; ++d) text += static_cast<char>('0' + digit(random));
      text.insert(text.size() / 2, ".");
      text += (i % 4 == 1 ? "e" : "D") + std::to_string(exponent(random));
    }
    ASSERT_EQ(std::bit_cast<std::uint64_t>(ReadAmount(text.c_str())), std::bit_cast<std::uint64_t>(Reference(text)))
        << text;
  }
}

}  // namespace
}  // namespace tarivox
