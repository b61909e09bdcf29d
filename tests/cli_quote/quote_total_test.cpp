// The total of a quote is a sum of whole cents: it cannot drift however many
// acts it holds, and acts without a computed fee are never counted as 0.
#include <gtest/gtest.h>

#include "cli/quote_build.h"
#include "cli/quote_money.h"

namespace tarivox::cli {
namespace {

QuoteInput InputOf(const std::vector<std::string>& actTexts) {
  QuoteInput input;
  long long order = 0;
  for (const std::string& actText : actTexts) {
    ActRequest act;
    std::string reason;
    EXPECT_TRUE(ParseActText(actText, &act, &reason)) << actText << ": " << reason;
    act.Source = "--act " + std::to_string(++order);
    act.Order = order;
    input.Acts.push_back(act);
  }
  return input;
}

struct TotalRow {
  const char* Name;
  std::vector<std::string> ActTexts;
  std::size_t Repeat;
  long long TotalCents;
  const char* TotalText;
  int Computed;
};

TEST(BuildQuote, TotalsAreExactSumsOfTheShownFees) {
  const TotalRow rows[] = {
      {"10,000 fixed fees of 8.86", {"KLDA:0:6=0"}, 10000, 8860000, "88,600.00", 10000},
      {"0.45 + 1.38 + 5,400.00",
       {"MVT:0:8:social=0.01", "MVT:1:1:social=9000.01", "KLDA:0:0=857100.01"}, 1, 540183,
       "5,401.83", 3},
      {"a sale with a mortgage and the old one cancelled",
       {"KLDA:0:0=150,000", "KLDA:0:1=120,000", "KLDA:1:2=80,000"}, 1, 150221, "1,502.21", 3},
      {"one act", {"KLDA:0:0=25000"}, 1, 15750, "157.50", 1},
      {"amount 0 counts 0.00", {"KLDA:0:0=0", "KLDA:0:7=0"}, 1, 886, "8.86", 2},
      {"1,000 social bracket fees of 0.45", {"MVT:0:8:social=100"}, 1000, 45000, "450.00", 1000},
  };
  for (const TotalRow& row : rows) {
    SCOPED_TRACE(row.Name);
    std::vector<std::string> actTexts;
    for (std::size_t i = 0; i < row.Repeat; ++i) actTexts.insert(actTexts.end(), row.ActTexts.begin(), row.ActTexts.end());
    Quote quote;
    std::vector<RefusedAct> refused;
    ASSERT_TRUE(BuildQuote(InputOf(actTexts), &quote, &refused));
    EXPECT_TRUE(refused.empty());
    EXPECT_EQ(quote.TotalCents, row.TotalCents);
    EXPECT_EQ(FormatCents(quote.TotalCents), row.TotalText);
    EXPECT_EQ(quote.ComputedCount, row.Computed);
    EXPECT_EQ(quote.Acts.size(), actTexts.size());
  }
}

TEST(BuildQuote, ActsWithoutAComputedFeeAreListedButNotAdded) {
  Quote quote;
  std::vector<RefusedAct> refused;
  ASSERT_TRUE(BuildQuote(InputOf({"KLDA:0:0=25000", "KLDA:4:0", "KLDA:2:0", "KLDA:0:6=0"}),
                         &quote, &refused));
  ASSERT_EQ(quote.Acts.size(), 4u);
  EXPECT_EQ(quote.ComputedCount, 2);
  EXPECT_EQ(quote.TotalCents, 15750 + 886);
  EXPECT_FALSE(quote.Acts[1].Figures.Computed);
  EXPECT_EQ(quote.Acts[1].Figures.ShownFee, "8.86");
  EXPECT_FALSE(quote.Acts[2].Figures.Computed);
  EXPECT_EQ(quote.Acts[2].Transaction, "Literales");
}

TEST(BuildQuote, EqualTariffTextsShareOneNote) {
  Quote quote;
  std::vector<RefusedAct> refused;
  ASSERT_TRUE(BuildQuote(InputOf({"KLDA:0:0=1000", "MVT:0:0=2000", "MVT:0:0:social=3000",
                                  "KLDA:0:1=4000", "KLDA:0:0=5000"}),
                         &quote, &refused));
  ASSERT_EQ(quote.Notes.size(), 3u);
  const int expected[] = {1, 1, 2, 3, 1};
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) {
    SCOPED_TRACE("act " + std::to_string(i + 1));
    EXPECT_EQ(quote.Acts[i].Note, expected[i]);
  }
  // Only the social-interest project carries the note sentence.
  EXPECT_EQ(quote.Notes[0].Text.find("inter\xC3\xA9s Social"), std::string::npos);
  EXPECT_NE(quote.Notes[1].Text.find("inter\xC3\xA9s Social"), std::string::npos);
}

TEST(BuildQuote, AQuoteWithARefusedActIsNotComplete) {
  QuoteInput input = InputOf({"KLDA:0:0=1000", "KLDA:0:0=1000"});
  input.Acts[1].TypedAmount = "1E999";
  Quote quote;
  std::vector<RefusedAct> refused;
  EXPECT_FALSE(BuildQuote(input, &quote, &refused));
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].Source, "--act 2");
  EXPECT_EQ(refused[0].Order, 2);
  EXPECT_NE(refused[0].Reason.find("too large"), std::string::npos);
}

}  // namespace
}  // namespace tarivox::cli
