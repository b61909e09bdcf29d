// What the window shows: the typed amount cleaned, read, rounded and
// grouped, the fee text and the result sentence.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "fees/amount_text.h"

namespace tarivox {
namespace {

constexpr Selection kTransfer{0, 0, 0, false};  // KLDA, Inscripción, Transferencias

struct TypedRow {
  const char* typed;
  const char* cleaned;
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
      {"5.", "5.", 5, "5.00"},
      {"0.004", "0.004", 0, "0.00"},
      {"0.005", "0.005", 0.01, "0.01"},
      {"100.004", "100.004", 100, "100.00"},
      {"1234.125", "1234.125", 1234.13, "1,234.13"},
      {"0.995", "0.995", 1, "1.00"},
      {"2.675", "2.675", 2.67, "2.67"},
      {"123456789012.34", "123456789012.34", 123456789012.34, "123,456,789,012.34"},
      {"1,234.50", "1234.50", 1234.5, "1,234.50"},
      {"1.2,3", "1.23", 1.23, "1.23"},  // commas go wherever they stand
      // Fifteen digits are read from the digits, sixteen by the reader: the
      // same amounts either way.
      {"9999999999999.99", "9999999999999.99", 9999999999999.99, "9,999,999,999,999.99"},
      {"99999999999999.99", "99999999999999.99", 99999999999999.98, "99,999,999,999,999.98"},
      // Amounts that round to 10^15 or more, or overflow a double, are
      // unusable input like any other.
      {"999999999999999.87", "999999999999999.87", 999999999999999.875, "999,999,999,999,999.88"},
      {"1000000000000000", "1000000000000000", 0, "0.00"},
      {"999999999999999.99", "999999999999999.99", 0, "0.00"},
      {"1E999", "1E999", 0, "0.00"},
      {"1E300", "1E300", 0, "0.00"},
  };
  for (const TypedRow& row : rows) {
    EXPECT_EQ(CleanAmountText(row.typed).View(), row.cleaned) << '"' << row.typed << '"';
    const FeeComputation computation = ComputeFeeTexts(kTransfer, row.typed);
    ASSERT_TRUE(computation.Computed);
    EXPECT_EQ(computation.AmountValue, row.amount) << '"' << row.typed << '"';
    EXPECT_EQ(computation.Amount.View(), row.shown) << '"' << row.typed << '"';
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
      {std::string(126, ',') + "75", "7.00"},  // the cut comes before the commas go
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ComputeFeeTexts(kTransfer, row.typed).Amount.View(), row.shown) << row.typed.size() << " characters";
  }
  EXPECT_EQ(CleanAmountText(std::string(200, '7')).Length, 127u);
}

TEST(AmountText, GroupedCents) {
  const struct {
    unsigned long long cents;
    const char* grouped;
  } rows[] = {
      {0, "0.00"},
      {5, "0.05"},
      {12345, "123.45"},
      {99999, "999.99"},
      {100000, "1,000.00"},
      {123456, "1,234.56"},
      {1234567, "12,345.67"},
      {12345678, "123,456.78"},
      {123456789, "1,234,567.89"},
      {10000000000000000, "100,000,000,000,000.00"},
      {99999999999999988, "999,999,999,999,999.88"},
      {18446744073709551615ull, "184,467,440,737,095,516.15"},
  };
  for (const auto& row : rows) {
    char text[32];
    std::size_t length = WriteGroupedCents(row.cents, text, sizeof text);
    EXPECT_EQ(std::string_view(text, length), row.grouped) << row.cents;
    EXPECT_EQ(text[length], '\0') << row.cents;
  }
  char small[9];
  std::memset(small, '#', sizeof small);
  EXPECT_EQ(WriteGroupedCents(100000, small, 8), 0u) << "\"1,000.00\" and its terminator need 9 bytes";
  EXPECT_EQ(small[0], '\0');
  EXPECT_EQ(small[8], '#');
  EXPECT_EQ(WriteGroupedCents(100000, small, 9), 8u);
}

struct SentenceRow {
  Selection selection;
  const char* typed;
  const char* fee;
  const char* message;
};

TEST(AmountText, ResultSentences) {
  const SentenceRow rows[] = {
      {{0, 0, 0, false}, "25,000", "157.50", "Para un monto de: US$ 25,000.00  el pago es: US$ 157.50"},
      {{0, 0, 0, false}, "1000", "8.86", "Para un monto de: US$ 1,000.00  el pago es: US$ 8.86"},
      {{0, 1, 2, false}, "25000", "29.71", "Para un monto de: US$ 25,000.00  el pago es: US$ 29.71"},
      {{1, 0, 0, true}, "1234.125", "5.71", "Para un monto de: US$ 1,234.13  el pago es: US$ 5.71"},
      {{0, 0, 0, false}, "10000000", "5,400.00", "Para un monto de: US$ 10,000,000.00  el pago es: US$ 5,400.00"},
      {{0, 0, 0, false}, "", "0.00", "Para un monto de: US$ 0.00  el pago es: US$ 0.00"},
      {{0, 0, 6, false}, "", "8.86", "Para un monto de: US$ 0.00  el pago es: US$ 8.86"},
      {{1, 1, 0, true}, "-5", "5.71", "Para un monto de: US$ 0.00  el pago es: US$ 5.71"},
      {{0, 0, 8, false}, "1", "1.80", "Para un monto de: US$ 1.00  el pago es: US$ 1.80"},
      {{1, 0, 8, true}, "9100.01", "1.42", "Para un monto de: US$ 9,100.01  el pago es: US$ 1.42"},
      {{1, 1, 1, true}, "0.01", "0.45", "Para un monto de: US$ 0.01  el pago es: US$ 0.45"},
      {{0, 0, 0, false}, "999999999999999.87", "5,400.00",
       "Para un monto de: US$ 999,999,999,999,999.88  el pago es: US$ 5,400.00"},
  };
  for (const SentenceRow& row : rows) {
    const FeeComputation computation = ComputeFeeTexts(row.selection, row.typed);
    ASSERT_TRUE(computation.Computed) << row.typed;
    EXPECT_EQ(computation.Fee.View(), row.fee) << row.typed;
    EXPECT_EQ(computation.Message.View(), row.message) << row.typed;
    EXPECT_EQ(std::strlen(computation.Message.Bytes), computation.Message.Length) << row.typed;
  }
  EXPECT_FALSE(ComputeFeeTexts({2, 0, 0, false}, "1").Computed) << "office 2 does not exist";
}

TEST(AmountText, PressingCalculateAgainReproducesTheTexts) {
  for (const char* typed : {"1,234.5", "0.995", "999999999999999.87", "", "abc", "1E3"}) {
    const FeeComputation first = ComputeFeeTexts(kTransfer, typed);
    const FeeComputation again = ComputeFeeTexts(kTransfer, first.Amount.View());
    EXPECT_EQ(again.Amount.View(), first.Amount.View()) << typed;
    EXPECT_EQ(again.Fee.View(), first.Fee.View()) << typed;
    EXPECT_EQ(again.Message.View(), first.Message.View()) << typed;
  }
}

// Plain amounts take their cents from the digits, or with more than two
// decimals their value from one division; a blank in front sends the same
// text through the reader and the two-decimal round trip instead.
TEST(AmountText, PlainAmountsGiveWhatTheReaderGives) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 200000; ++i) {
    std::string typed = std::to_string(random() % 1000000000000000ull);
    auto decimals = static_cast<std::size_t>(random() % 16);
    if (decimals > 0 && typed.size() > decimals) typed.insert(typed.size() - decimals, ".");
    if (i % 3 == 0) typed.insert(typed.size() / 2, ",");
    const FeeComputation plain = ComputeFeeTexts(kTransfer, typed);
    const FeeComputation read = ComputeFeeTexts(kTransfer, " " + typed);
    ASSERT_EQ(plain.TypedValue, read.TypedValue) << typed;
    ASSERT_EQ(plain.AmountValue, read.AmountValue) << typed;
    ASSERT_EQ(plain.Message.View(), read.Message.View()) << typed;
  }
}

}  // namespace
}  // namespace tarivox
