// What the window shows: the typed amount cleaned, read, rounded and
// grouped, the fee text and the result sentence.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fees/amount_text.h"

namespace tarivox {
namespace {

constexpr FeeSelection kTransfer{0, 0, 0, false, 0};  // KLDA, Inscripción, Transferencias

struct TypedRow {
  const char* typed;
  const char* afterRead;
  double amount;
  const char* shown;
};

TEST(AmountText, TypedAmounts) {
  const TypedRow rows[] = {
      {"", "0.0", 0, "0.00"},
      {"1,234.5", "1234.5", 1234.5, "1,234.50"},
      {"1234,56", "123456", 123456, "123,456.00"},
      {"12,34", "1234", 1234, "1,234.00"},
      {",,,", "", 0, "0.00"},
      {"ABC", "ABC", 0, "0.00"},
      {"-5", "-5", 0, "0.00"},
      {"+5", "+5", 5, "5.00"},
      {"1E3", "1E3", 1000, "1,000.00"},
      {"1.2.3", "1.2.3", 1.2, "1.20"},
      {" 12", " 12", 12, "12.00"},
      {"12 000", "12 000", 12, "12.00"},
      {".5", ".5", 0.5, "0.50"},
      {"0.004", "0.004", 0, "0.00"},
      {"0.005", "0.005", 0.01, "0.01"},
      {"100.004", "100.004", 100, "100.00"},
      {"1234.125", "1234.125", 1234.13, "1,234.13"},
      {"0.995", "0.995", 1, "1.00"},
      {"2.675", "2.675", 2.67, "2.67"},
      {"123456789012.34", "123456789012.34", 123456789012.34, "123,456,789,012.34"},
      {"1,234.50", "1234.50", 1234.5, "1,234.50"},
      // Amounts that round to 10^15 or more, or overflow a double, are
      // unusable input like any other.
      {"999999999999999.87", "999999999999999.87", 999999999999999.875, "999,999,999,999,999.88"},
      {"1000000000000000", "1000000000000000", 0, "0.00"},
      {"999999999999999.99", "999999999999999.99", 0, "0.00"},
      {"1E999", "1E999", 0, "0.00"},
      {"1E300", "1E300", 0, "0.00"},
  };
  for (const TypedRow& row : rows) {
    ReadAmountText(row.typed);
    EXPECT_STREQ(AmountText, row.afterRead) << '"' << row.typed << '"';
    double amount = -1;
    ASSERT_TRUE(ComputeFeeFromAmountText(kTransfer, nullptr, &amount));
    EXPECT_EQ(amount, row.amount) << '"' << row.typed << '"';
    EXPECT_STREQ(AmountText, row.shown) << '"' << row.typed << '"';
  }
}

TEST(AmountText, FieldIsReadUpToIts127thCharacter) {
  std::string blanks126(126, ' ');
  const struct {
    std::string typed;
    const char* shown;
  } rows[] = {
      {blanks126 + "5", "5.00"},               // 127th character is read
      {blanks126 + " 5", "0.00"},              // 128th is not
      {"12" + std::string(125, ' ') + "9", "12.00"},
      {"1" + std::string(400, '0'), "0.00"},   // 10^126 after the cut: unusable
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(ComputeFeeTexts(kTransfer, row.typed.c_str()));
    EXPECT_STREQ(AmountText, row.shown) << row.typed.size() << " characters";
  }
}

TEST(AmountText, GroupThousands) {
  const struct {
    const char* source;
    const char* grouped;
  } rows[] = {
      {"0.00", "0.00"},
      {"123.45", "123.45"},
      {"999.99", "999.99"},
      {"1000.00", "1,000.00"},
      {"1234.56", "1,234.56"},
      {"12345.67", "12,345.67"},
      {"123456.78", "123,456.78"},
      {"1234567.89", "1,234,567.89"},
      {"100000000000000.00", "100,000,000,000,000.00"},
      {"999999999999999.88", "999,999,999,999,999.88"},
      {"1234", "0.00"},                  // no point
      {"", "0.00"},
      {"1000000000000000.00", "0.00"},   // 16 integer digits do not fit
      {"1.23456789012", "0.00"},         // decimals beyond their area
      {"1.2345678901", "1.2345678901"},  // the longest decimals that fit
      {".50", ".50"},                    // no integer part: nothing to group
  };
  for (const auto& row : rows) {
    GroupThousands(row.source, true);
    EXPECT_STREQ(FeeText, row.grouped) << row.source;
    GroupThousands(row.source, false);
    EXPECT_STREQ(AmountText, row.grouped) << row.source;
  }
}

TEST(AmountText, GroupingInPlaceWritesNothingPastTheTerminator) {
  std::memset(AmountText, '#', sizeof AmountText);
  std::strcpy(AmountText, "1234567.89");
  GroupThousands(AmountText, false);
  ASSERT_STREQ(AmountText, "1,234,567.89");
  for (std::size_t i = std::strlen(AmountText) + 1; i < sizeof AmountText; ++i) {
    ASSERT_EQ(AmountText[i], '#') << "byte " << i;
  }
}

TEST(AmountText, StripCommasWritesNothingPastTheTerminator) {
  std::memset(AmountText, '#', sizeof AmountText);
  std::strcpy(AmountText, ",1,2,3,");
  char before[sizeof AmountText];
  std::memcpy(before, AmountText, sizeof before);
  StripCommas(AmountText);
  ASSERT_STREQ(AmountText, "123");
  for (std::size_t i = 4; i < sizeof AmountText; ++i) ASSERT_EQ(AmountText[i], before[i]) << "byte " << i;
  StripCommas(std::string(200, '7').c_str());
  EXPECT_EQ(std::strlen(AmountText), 127u) << "the work area holds 127 characters";
}

struct SentenceRow {
  FeeSelection selection;
  const char* typed;
  const char* fee;
  const char* message;
};

TEST(AmountText, ResultSentences) {
  const SentenceRow rows[] = {
      {{0, 0, 0, false, 0}, "25,000", "157.50", "Para un monto de: US$ 25,000.00  el pago es: US$ 157.50"},
      {{0, 0, 0, false, 0}, "1000", "8.86", "Para un monto de: US$ 1,000.00  el pago es: US$ 8.86"},
      {{0, 1, 2, false, 0}, "25000", "29.71", "Para un monto de: US$ 25,000.00  el pago es: US$ 29.71"},
      {{1, 0, 0, true, 0}, "1234.125", "5.71", "Para un monto de: US$ 1,234.13  el pago es: US$ 5.71"},
      {{0, 0, 0, false, 0}, "10000000", "5,400.00",
       "Para un monto de: US$ 10,000,000.00  el pago es: US$ 5,400.00"},
      {{0, 0, 0, false, 0}, "", "0.00", "Para un monto de: US$ 0.00  el pago es: US$ 0.00"},
      {{0, 0, 6, false, 0}, "", "8.86", "Para un monto de: US$ 0.00  el pago es: US$ 8.86"},
      {{1, 1, 0, true, 0}, "-5", "5.71", "Para un monto de: US$ 0.00  el pago es: US$ 5.71"},
      {{0, 0, 8, false, 0}, "1", "1.80", "Para un monto de: US$ 1.00  el pago es: US$ 1.80"},
      {{1, 0, 8, true, 0}, "9100.01", "1.42", "Para un monto de: US$ 9,100.01  el pago es: US$ 1.42"},
      {{1, 1, 1, true, 0}, "0.01", "0.45", "Para un monto de: US$ 0.01  el pago es: US$ 0.45"},
      {{0, 0, 0, false, 0}, "999999999999999.87", "5,400.00",
       "Para un monto de: US$ 999,999,999,999,999.88  el pago es: US$ 5,400.00"},
      {{2, 0, 0, false, 0}, "", nullptr, nullptr},  // office 2 does not exist
  };
  for (const SentenceRow& row : rows) {
    std::strcpy(AmountText, "marker");
    std::strcpy(FeeText, "marker");
    bool computed = ComputeFeeTexts(row.selection, row.typed);
    if (row.fee == nullptr) {
      EXPECT_FALSE(computed) << row.typed;
      EXPECT_STREQ(AmountText, "marker") << "a refused selection writes nothing";
      EXPECT_STREQ(FeeText, "marker") << "a refused selection writes nothing";
      continue;
    }
    ASSERT_TRUE(computed) << row.typed;
    EXPECT_STREQ(FeeText, row.fee) << row.typed;
    EXPECT_STREQ(MessageText, row.message) << row.typed;
  }
}

TEST(AmountText, PressingCalculateAgainReproducesTheTexts) {
  for (const char* typed : {"1,234.5", "0.995", "999999999999999.87", "", "abc", "1E3"}) {
    ComputeFeeTexts(kTransfer, typed);
    std::string amount = AmountText, fee = FeeText, message = MessageText;
    ComputeFeeTexts(kTransfer, amount.c_str());
    EXPECT_EQ(AmountText, amount) << typed;
    EXPECT_EQ(FeeText, fee) << typed;
    EXPECT_EQ(MessageText, message) << typed;
  }
}

TEST(AmountText, FormatMessageIsBounded) {
  char out[32];
  std::memset(out, '#', sizeof out);
  WriteResultSentence("1,000.00", "8.86", out, 24);
  EXPECT_STREQ(out, "Para un monto de: US$ 1");
  for (std::size_t i = 24; i < sizeof out; ++i) EXPECT_EQ(out[i], '#') << "byte " << i;
}

}  // namespace
}  // namespace tarivox
