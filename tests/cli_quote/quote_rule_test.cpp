// The fee and the rule of each act, for every kind of rule the tariff has,
// computed through the core as the window computes them.
#include <gtest/gtest.h>

#include "cli/quote_act.h"
#include "cli/quote_money.h"

namespace tarivox::cli {
namespace {

struct RuleRow {
  const char* Name;
  int Office;
  int Service;
  int Transaction;
  bool Social;
  const char* Typed;
  const char* AmountText;
  const char* FeeText;
  const char* Rule;
};

// U+00D7 MULTIPLICATION SIGN in UTF-8.
#define X " \xC3\x97 "

const RuleRow RULE_ROWS[] = {
    {"rate 0.63", 0, 0, 0, false, "25,000", "25,000.00", "157.50", "250 started hundreds" X "0.63"},
    {"rate 0.38", 0, 0, 1, false, "120000", "120,000.00", "456.00", "1,200 started hundreds" X "0.38"},
    {"one started hundred", 0, 0, 0, false, "0.01", "0.01", "8.86",
     "1 started hundred" X "0.63 = 0.63, raised to the minimum 8.86"},
    {"rate under social factor", 1, 0, 0, true, "9000", "9,000.00", "14.40",
     "90 started hundreds" X "0.16 (0.63" X "0.25, rounded)"},
    {"rate 0.38 under social factor", 1, 0, 1, true, "10000", "10,000.00", "10.00",
     "100 started hundreds" X "0.10 (0.38" X "0.25, rounded)"},
    {"social factor ends above 10,000.00", 1, 0, 0, true, "10000.01", "10,000.01", "63.63",
     "101 started hundreds" X "0.63"},
    {"rate raised to the minimum", 0, 0, 0, false, "1000", "1,000.00", "8.86",
     "10 started hundreds" X "0.63 = 6.30, raised to the minimum 8.86"},
    {"rate cut to the maximum", 0, 0, 0, false, "857100.01", "857,100.01", "5,400.00",
     "8,572 started hundreds" X "0.63 = 5,400.36, cut to the maximum 5,400.00"},
    {"fixed fee, amount 0", 0, 0, 6, false, "0", "0.00", "8.86", "fixed fee 8.86 (KLDA)"},
    {"MVT fixed fee raised to the normal minimum", 1, 1, 0, false, "500", "500.00", "8.86",
     "fixed fee 5.71 (MVT) = 5.71, raised to the minimum 8.86"},
    {"fixed fee under social factor", 1, 0, 7, true, "500", "500.00", "5.71",
     "fixed fee 5.71 (MVT)" X "0.25 = 1.43, raised to the minimum 5.71"},
    {"bracket first row", 0, 0, 8, false, "1800", "1,800.00", "1.80", "bracket up to 1,800.00: 1.80"},
    {"bracket second row", 0, 0, 8, false, "1800.01", "1,800.01", "3.60",
     "bracket over 1,800.00 up to 4,500.00: 3.60"},
    {"bracket third row", 0, 0, 8, false, "9000", "9,000.00", "5.40",
     "bracket over 4,500.00 up to 9,000.00: 5.40"},
    {"bracket excess row", 0, 0, 8, false, "10000", "10,000.00", "6.70",
     "bracket over 9,000.00: 5.40 + 10 started hundreds above 9,000.00" X "0.13"},
    {"bracket under social factor", 1, 0, 8, true, "0.01", "0.01", "0.45",
     "bracket up to 1,800.00: 1.80" X "0.25"},
    {"bracket excess under social factor", 1, 1, 1, true, "9000.01", "9,000.01", "1.38",
     "bracket over 9,000.00: (5.40 + 1 started hundred above 9,000.00" X "0.13)" X "0.25"},
    {"bracket at the maximum", 0, 0, 8, false, "4158600.01", "4,158,600.01", "5,400.00",
     "bracket over 9,000.00: 5.40 + 41,497 started hundreds above 9,000.00" X
     "0.13 = 5,400.01, cut to the maximum 5,400.00"},
    {"cancellation bracket capped", 0, 1, 1, false, "25000", "25,000.00", "8.91",
     "bracket over 9,000.00: 5.40 + 160 started hundreds above 9,000.00" X
     "0.13, capped at 8.91"},
    {"cancellation base", 0, 1, 2, false, "5000", "5,000.00", "8.91", "base 8.91 (up to 9,000.00)"},
    {"cancellation base and excess", 0, 1, 2, false, "25000", "25,000.00", "29.71",
     "8.91 + 160 started hundreds above 9,000.00" X "0.13"},
    {"cancellation base under social factor", 1, 1, 2, true, "9000", "9,000.00", "5.71",
     "base 8.91" X "0.25 (up to 9,000.00) = 2.23, raised to the minimum 5.71"},
    {"cancellation excess under social factor", 1, 1, 2, true, "9100", "9,100.00", "5.71",
     "(8.91 + 1 started hundred above 9,000.00" X "0.13)" X
     "0.25 = 2.26, raised to the minimum 5.71"},
    {"amount 0 at a rate", 0, 0, 0, false, "0", "0.00", "0.00", "amount 0.00: no fee"},
    {"amount below a cent", 0, 0, 8, false, "0.004", "0.00", "0.00", "amount 0.00: no fee"},
    {"cancellation amount 0", 1, 1, 2, true, "0", "0.00", "0.00", "amount 0.00: no fee"},
};

TEST(ComputeAct, GivesTheWindowsFiguresAndNamesTheRule) {
  for (const RuleRow& row : RULE_ROWS) {
    SCOPED_TRACE(row.Name);
    ActRequest act;
    act.Office = row.Office;
    act.Service = row.Service;
    act.Transaction = row.Transaction;
    act.Social = row.Social;
    act.HasAmount = true;
    act.TypedAmount = row.Typed;
    ActFigures figures;
    std::string reason;
    ASSERT_TRUE(ComputeAct(act, &figures, &reason)) << reason;
    EXPECT_TRUE(figures.Computed);
    EXPECT_EQ(figures.AmountText, row.AmountText);
    EXPECT_EQ(figures.FeeText, row.FeeText);
    EXPECT_EQ(figures.Rule, row.Rule);
    EXPECT_TRUE(figures.ShownFee.empty());
    long long feeCents = -1;
    ASSERT_TRUE(ParseCentsText(row.FeeText, &feeCents));
    EXPECT_EQ(figures.FeeCents, feeCents);
  }
}

struct TextOnlyRow {
  const char* Name;
  int Office;
  int Service;
  int Transaction;
  const char* ShownFee;
  const char* Rule;
};

TEST(ComputeAct, TransactionsThatAreOnlyExplainedAreMarkedNotComputed) {
  const TextOnlyRow rows[] = {
      {"presentation", 0, 4, 0, "8.86", "not computed: the fixed fee 8.86 is shown"},
      {"presentation at MVT", 1, 4, 0, "8.86", "not computed: the fixed fee 8.86 is shown"},
      {"certification", 0, 2, 0, "", "not computed: see the tariff text"},
      {"report", 1, 3, 0, "", "not computed: see the tariff text"},
      {"substitution", 0, 5, 0, "", "not computed: see the tariff text"},
      {"per-lot inscription", 0, 0, 9, "", "not computed: see the tariff text"},
      {"last per-lot inscription", 0, 0, 12, "", "not computed: see the tariff text"},
  };
  for (const TextOnlyRow& row : rows) {
    SCOPED_TRACE(row.Name);
    ActRequest act;
    act.Office = row.Office;
    act.Service = row.Service;
    act.Transaction = row.Transaction;
    ActFigures figures;
    std::string reason;
    ASSERT_TRUE(ComputeAct(act, &figures, &reason)) << reason;
    EXPECT_FALSE(figures.Computed);
    EXPECT_EQ(figures.ShownFee, row.ShownFee);
    EXPECT_EQ(figures.Rule, row.Rule);
    EXPECT_TRUE(figures.FeeText.empty());
    EXPECT_EQ(figures.FeeCents, 0);
  }
}

TEST(ComputeAct, RefusesAmountsTheCalculatorCannotHandle) {
  const struct {
    const char* Typed;
    const char* Reason;
  } rows[] = {
      {"1E999", "too large"},
      {"1000000000000000", "too large"},
      {"999999999999999.99", "too large"},
      {"abc", "not a number"},
      {"1.234,56", "commas must separate thousands"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Typed);
    ActRequest act;
    act.HasAmount = true;
    act.TypedAmount = row.Typed;
    ActFigures figures;
    std::string reason;
    EXPECT_FALSE(ComputeAct(act, &figures, &reason));
    EXPECT_NE(reason.find(row.Reason), std::string::npos) << reason;
  }
  ActRequest largest;
  largest.HasAmount = true;
  largest.TypedAmount = "999999999999999.87";
  ActFigures figures;
  std::string reason;
  ASSERT_TRUE(ComputeAct(largest, &figures, &reason)) << reason;
  EXPECT_EQ(figures.AmountText, "999,999,999,999,999.88");
  EXPECT_EQ(figures.AmountCents, 99999999999999988);
  EXPECT_EQ(figures.FeeText, "5,400.00");
}

}  // namespace
}  // namespace tarivox::cli
