// Figures in whole cents: reading the window's texts, writing totals and
// differences, grouping.
#include <gtest/gtest.h>

#include "cli/quote_money.h"

namespace tarivox::cli {
namespace {

struct CentsRow {
  const char* Text;
  bool Valid;
  long long Cents;
};

TEST(ParseCentsText, ReadsTheWindowsFiguresAndRefusesAnythingElse) {
  const CentsRow rows[] = {
      {"0.00", true, 0},
      {"0.45", true, 45},
      {"8.86", true, 886},
      {"5,400.00", true, 540000},
      {"88,600.00", true, 8860000},
      {"1,234,567.89", true, 123456789},
      {"999,999,999,999,999.99", true, 99999999999999999},
      {"", false, 0},
      {"8", false, 0},
      {"8.8", false, 0},
      {"8.860", false, 0},
      {".86", false, 0},
      {"-1.00", false, 0},
      {"+1.00", false, 0},
      {"1,000.0a", false, 0},
      {",100.00", false, 0},
      {"100,.00", false, 0},
      {"1.2.3", false, 0},
      {" 1.00", false, 0},
      {"99999999999999999999.00", false, 0},
  };
  for (const CentsRow& row : rows) {
    SCOPED_TRACE(std::string("text \"") + row.Text + "\"");
    long long cents = -1;
    EXPECT_EQ(ParseCentsText(row.Text, &cents), row.Valid);
    if (row.Valid) {
      EXPECT_EQ(cents, row.Cents);
    }
  }
}

struct FormatRow {
  long long Cents;
  const char* Plain;
  const char* Signed;
};

TEST(FormatCents, WritesGroupedTwoDecimalsAndSignedDifferences) {
  const FormatRow rows[] = {
      {0, "0.00", "0.00"},
      {1, "0.01", "+0.01"},
      {5, "0.05", "+0.05"},
      {45, "0.45", "+0.45"},
      {886, "8.86", "+8.86"},
      {99999, "999.99", "+999.99"},
      {100000, "1,000.00", "+1,000.00"},
      {540183, "5,401.83", "+5,401.83"},
      {8860000, "88,600.00", "+88,600.00"},
      {123456789, "1,234,567.89", "+1,234,567.89"},
      {-1, "-0.01", "-0.01"},
      {-4230, "-42.30", "-42.30"},
      {-539429, "-5,394.29", "-5,394.29"},
  };
  for (const FormatRow& row : rows) {
    SCOPED_TRACE("cents " + std::to_string(row.Cents));
    EXPECT_EQ(FormatCents(row.Cents), row.Plain);
    EXPECT_EQ(FormatSignedCents(row.Cents), row.Signed);
    long long back = -1;
    if (row.Cents >= 0) {
      ASSERT_TRUE(ParseCentsText(FormatCents(row.Cents), &back));
      EXPECT_EQ(back, row.Cents);
    }
  }
}

TEST(FormatCount, GroupsWholeNumbersAndWritesPlainOnes) {
  const struct {
    long long Value;
    const char* Grouped;
    const char* Plain;
  } rows[] = {
      {0, "0", "0"},       {7, "7", "7"},
      {999, "999", "999"}, {1000, "1,000", "1000"},
      {1500, "1,500", "1500"}, {1234567, "1,234,567", "1234567"},
      {-4230, "-4,230", "-4230"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE("value " + std::to_string(row.Value));
    EXPECT_EQ(FormatCount(row.Value), row.Grouped);
    EXPECT_EQ(FormatPlainInteger(row.Value), row.Plain);
  }
}

TEST(FormatDecimal, UsesTheProgramsTwoStageRoundingAndGroups) {
  const struct {
    double Value;
    const char* Text;
  } rows[] = {
      {0.63, "0.63"},     {0.25, "0.25"},        {1234.125, "1,234.13"},
      {2.675, "2.67"},    {0.995, "1.00"},       {5400.36, "5,400.36"},
      {1.4275, "1.43"},   {10000000000.0, "10,000,000,000.00"},
      {-1.0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string("expected \"") + row.Text + "\"");
    EXPECT_EQ(FormatDecimal(row.Value, 2), row.Text);
  }
}

TEST(FormatWholeDouble, WritesOnlyWholeNumbersInRange) {
  const struct {
    double Value;
    const char* Text;
  } rows[] = {
      {0.0, "0"}, {1.0, "1"}, {1500.0, "1,500"}, {99999910.0, "99,999,910"},
      {1.5, ""},  {-1.0, ""}, {1e19, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string("expected \"") + row.Text + "\"");
    EXPECT_EQ(FormatWholeDouble(row.Value), row.Text);
  }
}

}  // namespace
}  // namespace tarivox::cli
