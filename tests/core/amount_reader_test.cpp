// The amount reader: the shape of a number, and the nearest double for it,
// compared with libstdc++'s correctly rounded std::from_chars on millions of
// generated texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "fees/amount_reader.h"
#include "core/exact_c_library.h"

// Sanitized debug builds run ten to twenty times slower: they compare a
// twentieth of the texts.
#if defined(__SANITIZE_ADDRESS__)
#define TARIVOX_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARIVOX_SANITIZED 1
#endif
#endif

namespace tarivox {
namespace {

#ifdef TARIVOX_SANITIZED
constexpr int kShare = 20;
#else
constexpr int kShare = 1;
#endif

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
      {".e5", 0, 0},      {"+-5", 0, 0},       {"1.e2", 100, 4},      {"000.000e9", 0, 9},
      {"0.00012E4", 1.2, 9}, {"1200e-2", 12, 7}, {"1.5D+1x", 15, 6},   {"9.D-1", 0.9, 5},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ReadAmount(row.text), row.expected) << '"' << row.text << '"';
    EXPECT_EQ(AmountLength(row.text), row.length) << '"' << row.text << '"';
  }
}

// With a length the reader stops there, in a run taken a word at a time as
// in one taken a character at a time; what follows would change each value.
TEST(AmountReader, ReadsNoFurtherThanTheLengthGiven) {
  const struct {
    const char* text;
    std::size_t length;
    double expected;
  } rows[] = {
      {"123456789012345678", 3, 123},         {"123456789012345678", 9, 123456789},
      {"000000000000000007", 16, 0},          {"1.5e300", 4, 1.5},
      {"2e5", 2, 2},                          {"   7", 3, 0},
      {"0.00000000000000012", 18, 0.0000000000000001},
  };
  for (const auto& row : rows) EXPECT_EQ(ReadAmount(row.text, row.length), row.expected) << row.text;
}

TEST(AmountReader, ZerosKeepTheirSign) {
  const char* texts[] = {"-0", "-0.000", "-0e999", "-1e-999", "-.0D5", "-1e-400"};
  for (const char* text : texts) EXPECT_TRUE(std::signbit(ReadAmount(text))) << text;
  EXPECT_FALSE(std::signbit(ReadAmount("-x"))) << "no number reads as +0";
}

TEST(AmountReader, OutOfRange) {
  EXPECT_EQ(ReadAmount("1E999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount("-1E999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount(("1" + std::string(400, '0')).c_str()), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount("1E-999"), 0.0);
  EXPECT_EQ(ReadAmount("1E99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadAmount("1E-99999999999999999999"), 0.0);
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
      LITERAL_ROW(9999999999999999999.0), LITERAL_ROW(10000000000000000000.0),  // 19 nines, and w + 1
      LITERAL_ROW(1.00000000000000011102230246251565404236316680908203125),  // 1 + half an ulp: to even
      LITERAL_ROW(1.00000000000000011102230246251565404236316680908203126),  // a hair above: up
      LITERAL_ROW(2.2250738585072013830902327173324040642192159804623318306e-308),  // just above the
      LITERAL_ROW(2.2250738585072008890245868760858598876504231122409594654e-308),  // subnormal edge
  };
  for (const auto& row : rows) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ReadAmount(row.text)), std::bit_cast<std::uint64_t>(row.expected))
        << row.text;
  }
  EXPECT_EQ(ReadAmount("1.7976931348623159e308"), std::numeric_limits<double>::infinity());
}

// The double libstdc++ reads for the reader's syntax: white space and sign
// taken here, D/d as e. from_chars leaves values out of range to its caller;
// glibc's strtod, also correctly rounded, gives their zero or infinity.
struct Reading {
  double Value;
  std::size_t Length;
};

Reading Reference(std::string text) {
  std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
  if (at == std::string::npos) return {0.0, 0};
  bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  if (at == text.size() || text[at] == '-' || text[at] == '+') return {0.0, 0};
  std::replace(text.begin(), text.end(), 'D', 'e');
  std::replace(text.begin(), text.end(), 'd', 'e');
  double value = 0;
  auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
  if (error == std::errc::invalid_argument) return {0.0, 0};
  if (error == std::errc::result_out_of_range) value = std::fabs(std::strtod(text.c_str() + at, nullptr));
  return {negative ? -value : value, static_cast<std::size_t>(end - text.data())};
}

// Asserts in the caller's loop: the first mismatch stops it, with its text.
::testing::AssertionResult ReadsAsReference(const std::string& text) {
  Reading expected = Reference(text);
  double read = ReadAmount(text.c_str());
  std::size_t length = AmountLength(text.c_str());
  if (std::bit_cast<std::uint64_t>(read) == std::bit_cast<std::uint64_t>(expected.Value) && length == expected.Length) {
    return ::testing::AssertionSuccess();
  }
  char figures[96];
  std::snprintf(figures, sizeof figures, "read %.17g (length %zu), expected %.17g (length %zu)", read, length,
                expected.Value, expected.Length);
  return ::testing::AssertionFailure() << '"' << text << "\": " << figures;
}

class Texts {
 public:
  explicit Texts(std::uint64_t seed) : random_(seed) {}

  int Below(int end) { return static_cast<int>(random_() % static_cast<std::uint64_t>(end)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }

  std::string Digits(int count, bool nonZeroFirst) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + (i == 0 && nonZeroFirst ? 1 + Below(9) : Below(10)));
    return digits;
  }

  // digits with the point somewhere in or around them, and an exponent.
  std::string Number(std::string digits, int exponent) {
    int point = Below(static_cast<int>(digits.size()) + 2);
    if (point <= static_cast<int>(digits.size())) digits.insert(static_cast<std::size_t>(point), ".");
    static constexpr const char* kLetters[] = {"e", "E", "d", "D"};
    return digits + kLetters[Below(4)] + (Below(2) == 0 ? "" : exponent < 0 ? "" : "+") + std::to_string(exponent);
  }

  // White space and a sign before, and now and then text after.
  std::string Dressed(const std::string& number) {
    static constexpr const char* kBefore[] = {"", "", "", "-", "+", " ", "\t-", "\n\v\f\r +"};
    static constexpr const char* kAfter[] = {"", "", "", "", "x", " 12", ",5", "e", "E+", "d-x", ".", "\n"};
    return std::string(kBefore[Below(8)]) + number + kAfter[Below(12)];
  }

 private:
  std::mt19937_64 random_;
};

TEST(AmountReader, MatchesTheReferenceOnShortDigitStrings) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library for out-of-range values";
  Texts texts(424242);
  for (int i = 0; i < 1500000 / kShare; ++i) {
    std::string number = texts.Number(texts.Digits(texts.Between(1, 19), false), texts.Between(-345, 330));
    ASSERT_TRUE(ReadsAsReference(texts.Dressed(number)));
  }
}

TEST(AmountReader, MatchesTheReferenceOnLongDigitStrings) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library for out-of-range values";
  Texts texts(77);
  for (int i = 0; i < 400000 / kShare; ++i) {
    std::string digits = texts.Digits(texts.Between(20, 120), texts.Below(2) == 0);
    ASSERT_TRUE(ReadsAsReference(texts.Dressed(texts.Number(digits, texts.Between(-460, 330)))));
  }
}

TEST(AmountReader, MatchesTheReferenceAtTheEndsOfTheRange) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library for out-of-range values";
  Texts texts(1075);
  // Around the subnormals and the largest double, and exponents far beyond
  // any double with mantissas long enough to come back.
  const struct {
    const char* mantissa;
    int exponent;
  } edges[] = {{"4.9406564584124654", -324}, {"2.4703282292062327", -324}, {"2.2250738585072011", -308},
               {"1.7976931348623157", 308},  {"1.797693134862315807937289714053", 308}, {"8.9884656743115795", 307}};
  for (int i = 0; i < 200000 / kShare; ++i) {
    const auto& edge = edges[texts.Below(6)];
    std::string mantissa = edge.mantissa + texts.Digits(texts.Below(40), false);
    ASSERT_TRUE(ReadsAsReference(texts.Dressed(mantissa + "e" + std::to_string(edge.exponent + texts.Between(-1, 1)))));
    std::string digits = texts.Digits(texts.Between(1, 110), true);
    int far = texts.Between(0, 1) == 0 ? 99999 - texts.Below(200) : -99999 + texts.Below(200);
    ASSERT_TRUE(ReadsAsReference("0." + digits + "e" + std::to_string(far)));
    ASSERT_TRUE(ReadsAsReference(texts.Number(texts.Digits(texts.Between(1, 40), false), texts.Between(-330, -300))));
  }
}

TEST(AmountReader, MatchesTheReferenceThroughZerosAndExponents) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library for out-of-range values";
  Texts texts(100);
  for (int i = 0; i < 600000 / kShare; ++i) {
    // Leading zeros that an exponent undoes, or trailing zeros that one
    // takes back.
    std::string digits = texts.Digits(texts.Between(1, 30), true);
    int zeros = texts.Between(0, 90);
    int shift = texts.Between(-20, 20);
    std::string text = texts.Below(2) == 0
                           ? "0." + std::string(static_cast<std::size_t>(zeros), '0') + digits + "E" + std::to_string(zeros + shift)
                           : digits + std::string(static_cast<std::size_t>(zeros), '0') + ".000e-" + std::to_string(zeros - shift);
    ASSERT_TRUE(ReadsAsReference(texts.Dressed(text)));
  }
}

// The point halfway between low and the next double up, written out in
// full ("d.ddd...e-nnn"). It has 54 significant bits, which x86's long
// double holds, and glibc prints it exactly.
std::string HalfwayText(double low) {
  static_assert(std::numeric_limits<long double>::digits >= 64, "halfway points need a 64-bit long double");
  int exponent = 0;
  std::frexp(low, &exponent);
  int ulp = low == 0 ? -1074 : std::max(exponent - 53, -1074);
  long double half = low + std::ldexp(1.0L, ulp - 1);
  // Significant digits: of (2m + 1) * 5^(1 - ulp) below 1, of the integer
  // (2m + 1) * 2^(ulp - 1) above; with room to spare.
  int digits = ulp < 1 ? 18 + (1 - ulp) * 7 / 10 : 18 + (ulp + 53) * 3 / 10;
  char text[1024];
  std::snprintf(text, sizeof text, "%.*Le", digits, half);
  std::string written = text;
  std::size_t letter = written.find('e');
  std::size_t last = written.find_last_not_of('0', letter - 1);
  return written.substr(0, last + 1) + written.substr(letter);
}

// The same text one unit higher or lower in its last significant digit.
std::string LastDigitMoved(std::string text, int step) {
  std::size_t at = text.find('e') - 1;
  if (step < 0) {
    --text[at];  // the last significant digit is never 0
    return text;
  }
  for (;; --at) {
    if (text[at] == '.') continue;
    if (text[at] != '9') break;
    text[at] = '0';
    if (at == 0) return "1" + text;
  }
  ++text[at];
  return text;
}

::testing::AssertionResult HalfwayAndNeighboursRead(double low) {
  std::string half = HalfwayText(low);
  for (const std::string& text : {half, LastDigitMoved(half, 1), LastDigitMoved(half, -1)}) {
    ::testing::AssertionResult result = ReadsAsReference(text);
    if (!result) return result;
  }
  return ::testing::AssertionSuccess();
}

TEST(AmountReader, MatchesTheReferenceAtHalfwayPoints) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library to print halfway points";
  const double edges[] = {0.0, 5e-324, 1e-323, 2.2250738585072009e-308, 2.2250738585072014e-308,
                          1.0, 0.1, 9007199254740992.0, 1e15, 8.98846567431158e307,
                          std::numeric_limits<double>::max()};
  for (double edge : edges) ASSERT_TRUE(HalfwayAndNeighboursRead(edge)) << edge;
  std::mt19937_64 random(5);
  // Anywhere in the range, where the texts reach 770 digits...
  std::uniform_int_distribution<std::uint64_t> anyBits(0, 0x7FEFFFFFFFFFFFFFull);
  for (int i = 0; i < 30000 / kShare; ++i) ASSERT_TRUE(HalfwayAndNeighboursRead(std::bit_cast<double>(anyBits(random))));
  // ...and among amounts, where they are a few dozen digits long.
  std::uniform_real_distribution<double> amount(0.01, 1e15);
  for (int i = 0; i < 500000 / kShare; ++i) ASSERT_TRUE(HalfwayAndNeighboursRead(amount(random)));
}

TEST(AmountReader, LongDigitStringsAreRoundedOnEveryDigit) {
  // A halfway value between two doubles followed by hundreds of zeros and a
  // final 1: only the last digit decides the rounding direction.
  std::string halfway = "9007199254740993." + std::string(780, '0');
  EXPECT_EQ(ReadAmount(halfway.c_str()), 9007199254740992.0);
  std::string above = halfway + "1";
  EXPECT_EQ(ReadAmount(above.c_str()), 9007199254740994.0);
  if (!kExactCLibrary) return;
  std::string manyDigits = "1" + std::string(900, '3') + "E-900";
  EXPECT_TRUE(ReadsAsReference(manyDigits));
}

TEST(AmountReader, MatchesTheReferenceOnPrintedDoubles) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library to compare with";
  std::mt19937_64 random(424242);
  std::uniform_int_distribution<std::uint64_t> anyBits(0, 0x7FEFFFFFFFFFFFFFull);
  char printed[64];
  for (int i = 0; i < 200000 / kShare; ++i) {
    // A double printed with 17 digits reads back to itself.
    double value = std::bit_cast<double>(anyBits(random));
    std::snprintf(printed, sizeof printed, "%.17g", value);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(ReadAmount(printed)), std::bit_cast<std::uint64_t>(value)) << printed;
  }
}

}  // namespace
}  // namespace tarivox
