// The two-stage half-up decimal form: one test per rounding mechanism, then
// a comparison with a reference built on the C library's exact expansion.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "fees/amount_reader.h"
#include "fees/decimal_form.h"
#include "core/exact_c_library.h"

namespace tarivox {
namespace {

std::string Form(double value, int decimals) {
  char text[DECIMAL_FORM_CAPACITY];
  WriteDecimalForm(value, decimals, text, sizeof text);
  return text;
}

struct FormRow {
  double value;
  int decimals;
  const char* expected;
  const char* mechanism;
};

TEST(DecimalForm, RoundingMechanisms) {
  const FormRow rows[] = {
      {0.0, 2, "0.00", "zero"},
      {0.0, 6, "0.000000", "zero, six decimals"},
      {1234.5, 2, "1234.50", "exact, padded"},
      {0.125, 2, "0.13", "exact half rounds up, not to even"},
      {0.625, 2, "0.63", "exact half rounds up"},
      {1234.125, 2, "1234.13", "exact half rounds up"},
      {0.105, 2, "0.11", "stored below the half, lifted by the first stage"},
      {0.995, 2, "1.00", "stored below the half, lifted, with carry"},
      {1.115, 2, "1.12", "stored below the half, lifted"},
      {2.675, 2, "2.67", "stored below the half, not lifted"},
      {1.005, 2, "1.00", "stored below the half, not lifted"},
      {999.995, 2, "1000.00", "carry through every digit"},
      {99.999, 2, "100.00", "carry adds an integer digit"},
      {0.004, 2, "0.00", "below half a cent"},
      {0.005, 2, "0.01", "half a cent"},
      {4.9999996, 6, "5.000000", "six decimals, rounds to a whole number"},
      {4.00000004, 6, "4.000000", "six decimals, remainder rounded away"},
      {0.0001, 6, "0.000100", "leading zeros after the point"},
      {123456789012.34, 2, "123456789012.34", "twelve integer digits"},
      {999999999999999.875, 2, "999999999999999.88", "largest amount below 10^15"},
      {1e22, 2, "10000000000000000000000.00", "exact power of ten"},
      {123456789012345678.0, 2, "123456789012345680.00", "beyond 17 digits counts as 0"},
      {5e-324, 2, "0.00", "smallest subnormal"},
      {7.0, 0, "7", "no decimals, no point"},
  };
  for (const FormRow& row : rows) {
    EXPECT_EQ(Form(row.value, row.decimals), row.expected) << row.mechanism << " (" << row.value << ")";
  }
}

TEST(DecimalForm, LargestDoubleFitsTheCapacity) {
  std::string text = Form(std::numeric_limits<double>::max(), 6);
  EXPECT_EQ(text.size(), 309u + 7u);
  EXPECT_EQ(text.substr(0, 17), "17976931348623157");
  EXPECT_LT(text.size() + 1, DECIMAL_FORM_CAPACITY);
}

TEST(DecimalForm, RefusesWhatItCannotWrite) {
  const double rows[] = {-0.01, -1e300, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()};
  for (double value : rows) {
    // Room for the largest finite text, so that only the value can refuse.
    char text[DECIMAL_FORM_CAPACITY] = "unchanged";
    EXPECT_EQ(WriteDecimalForm(value, 2, text, sizeof text), 0u) << value;
    EXPECT_STREQ(text, "") << value;
  }
}

TEST(DecimalForm, NeverWritesPastItsBufferOrItsTerminator) {
  // "1234.50" needs 8 bytes: with 7 it is refused, with 8 it fits exactly.
  for (std::size_t size = 0; size <= 12; ++size) {
    char text[16];
    std::memset(text, '#', sizeof text);
    std::size_t length = WriteDecimalForm(1234.5, 2, text, size);
    std::size_t written = size >= 8 ? 8 : (size > 0 ? 1 : 0);
    EXPECT_EQ(length, size >= 8 ? 7u : 0u) << "size " << size;
    if (size >= 8) {
      EXPECT_STREQ(text, "1234.50");
    }
    for (std::size_t i = written; i < sizeof text; ++i) EXPECT_EQ(text[i], '#') << "size " << size << " byte " << i;
  }
}

// Reference: the exact expansion from the C library (glibc prints every
// digit), rounded with plain digit-string arithmetic.

// Keeps the first `keep` digits, half up on the next one; returns true when
// the carry ran out of the front (the digits then gained one at the left).
bool RoundDigits(std::string& digits, std::size_t keep) {
  bool up = digits.size() > keep && digits[keep] >= '5';
  digits.resize(keep, '0');
  for (std::size_t i = keep; up && i-- > 0;) {
    up = digits[i] == '9';
    digits[i] = up ? '0' : static_cast<char>(digits[i] + 1);
  }
  if (up) digits.insert(digits.begin(), '1');
  return up;
}

// The first stage: 17 significant digits of value = d.ddd * 10^exponent.
std::string ReferenceSeventeenDigits(double value, int* exponent) {
  static char buffer[1200];
  std::snprintf(buffer, sizeof buffer, "%.800e", value);
  std::string text = buffer;
  std::size_t e = text.find('e');
  *exponent = std::stoi(text.substr(e + 1));
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  if (RoundDigits(digits, 17)) {
    digits.pop_back();
    ++*exponent;
  }
  return digits;
}

std::string ReferenceForm(double value, int decimals) {
  int exponent = 0;
  std::string digits = value == 0 ? "0" : ReferenceSeventeenDigits(value, &exponent);
  // On a fixed grid: at least one integer digit, then the decimals.
  if (exponent < 0) digits.insert(0, static_cast<std::size_t>(-exponent), '0');
  std::size_t integers = static_cast<std::size_t>(exponent < 0 ? 1 : exponent + 1);
  if (RoundDigits(digits, integers + static_cast<std::size_t>(decimals))) ++integers;
  std::string integer = digits.substr(0, integers);
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  return decimals == 0 ? integer : integer + "." + digits.substr(integers);
}

TEST(DecimalForm, MatchesTheExactReferenceAcrossMagnitudes) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library to compare with";
  std::mt19937_64 random(20261206);
  std::uniform_int_distribution<std::uint64_t> anyBits(0, 0x7FEFFFFFFFFFFFFFull);
  std::uniform_int_distribution<long long> cents(0, 99999999999999LL);
  int checked = 0;
  for (int i = 0; i < 20000; ++i) {
    double value = 0;
    switch (i % 4) {
      case 0: value = std::bit_cast<double>(anyBits(random)); break;       // every magnitude
      case 1: value = static_cast<double>(cents(random)) / 100; break;    // amounts in cents
      case 2: value = static_cast<double>(cents(random)) / 1000 + 0.0005; break;  // near halves
      case 3: value = static_cast<double>(cents(random) % 100000000) / 1e6; break;  // hundreds
    }
    for (int decimals : {2, 6}) {
      std::string expected = ReferenceForm(value, decimals);
      char text[DECIMAL_FORM_CAPACITY];
      WriteDecimalForm(value, decimals, text, sizeof text);
      ASSERT_EQ(std::string(text), expected) << "value bits " << std::bit_cast<std::uint64_t>(value)
                                             << " decimals " << decimals;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 40000);
}

// Cents in one step where records live: at every half cent and a few
// doubles on either side, where the first stage decides, and at the edges
// of that range.
TEST(DecimalForm, CentsInOneStepMatchTheReferenceAtHalfCents) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library to compare with";
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<long long> halfCents(0, 99999999999LL);
  std::vector<double> values = {TWO_STAGE_CENTS_LOW, std::nextafter(TWO_STAGE_CENTS_LOW, 0.0),
                                std::nextafter(TWO_STAGE_CENTS_END, 0.0), TWO_STAGE_CENTS_END, 0.995, 2.675,
                                1.005, 0.38 * 0.25, 0.63 * 0.25};
  for (int i = 0; i < 20000; ++i) {
    double half = (static_cast<double>(halfCents(random)) + 0.5) / 100;
    values.push_back(half);
    double below = half, above = half;
    for (int step = 0; step < 3; ++step) {
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, 1e300);
      values.push_back(below);
      values.push_back(above);
    }
  }
  for (double value : values) {
    char text[DECIMAL_FORM_CAPACITY];
    WriteDecimalForm(value, 2, text, sizeof text);
    ASSERT_EQ(std::string(text), ReferenceForm(value, 2)) << "value bits " << std::bit_cast<std::uint64_t>(value);
  }
}

TEST(DecimalForm, RoundedValueIsWhatItsTextReadsBack) {
  // Above 2^53 units a double no longer holds every count exactly, so the
  // value must come from the text, as the window's reading does.
  std::mt19937_64 random(53);
  std::uniform_int_distribution<std::uint64_t> units(0, 99999999999999999ull);
  for (int i = 0; i < 20000; ++i) {
    for (int decimals : {2, 6}) {
      ScaledDecimal scaled{units(random), 0};
      char text[DECIMAL_FORM_CAPACITY];
      WriteScaledDecimal(scaled, decimals, text, sizeof text);
      ASSERT_EQ(ScaledDecimalValue(scaled, decimals), ReadAmount(text)) << text;
    }
  }
}

TEST(DecimalForm, SignificantDigitsAcrossTheFastPathBoundaries) {
  if (!kExactCLibrary) GTEST_SKIP() << "no exact C library to compare with";
  const double rows[] = {1e-10, 9.999999999999999e-11, 1e-11, 1e17, 99999999999999984.0,
                         1e16, 2.2250738585072014e-308, 4.9406564584124654e-324, 0.1, 3.0};
  for (double value : rows) {
    int exponent = 0;
    std::string seventeen = ReferenceSeventeenDigits(value, &exponent);
    SignificantDigits digits = RoundToSignificantDigits(value);
    EXPECT_EQ(std::to_string(digits.Digits), seventeen) << value;
    EXPECT_EQ(digits.Exponent, exponent) << value;
  }
}

}  // namespace
}  // namespace tarivox
