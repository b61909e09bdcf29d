// The fee rules against the tariff's own example tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "fees/fee_engine.h"

namespace tarivox {
namespace {

TEST(FeeEngine, HundredUnits) {
  const struct {
    double x, expected;
  } rows[] = {
      {0, 0},           {-5, 0},         {0.01, 1},     {100.00, 1},   {100.01, 2},
      {1400.00, 14},    {400.00004, 4},  {499.99996, 4}, {400.0002, 5}, {499.9998, 5},
      {1e-9, 0},  // below the six-decimal resolution: no started hundred
         {9000.01, 91},
      // Past 2^31 hundreds the count keeps going instead of wrapping.
      {214748364700.00, 2147483647}, {214748364700.01, 2147483648}, {214748364800.00, 2147483648},
      {1e14, 1e12},
  };
  for (const auto& row : rows) EXPECT_EQ(HundredUnits(row.x), row.expected) << row.x;
  EXPECT_EQ(HundredUnits(std::numeric_limits<double>::quiet_NaN()), 0);
}

// Production credits before the maximum: each row of the schedule, and
// past its last bound the last row going on.
TEST(FeeEngine, BracketScheduleBeforeTheMaximum) {
  const struct {
    double amount, expected;
  } rows[] = {
      {0, 0},          {-3, 0},         {0.01, 1.80},   {1800.00, 1.80}, {1800.01, 3.60},
      {4500.00, 3.60}, {4500.01, 5.40}, {9000.00, 5.40}, {9000.01, 5.53}, {10000000000.00, 12999993.70},
      {10000000000.01, 12999993.83},
  };
  for (const auto& row : rows) {
    EXPECT_DOUBLE_EQ(EvaluateFee({{0, 0, 8, false}, row.amount}).ComputedFee, row.expected) << row.amount;
  }
}

TEST(FeeEngine, RoundToCents) {
  const struct {
    double x, expected;
  } rows[] = {{0.63 * 0.25, 0.16}, {0.38 * 0.25, 0.10}, {0.63, 0.63}, {0.38, 0.38}, {0, 0}, {2.675, 2.67}};
  for (const auto& row : rows) EXPECT_EQ(RoundToCents(row.x), row.expected) << row.x;
}

struct FeeRow {
  double amount;
  double office0;  // also office 1 without social interest
  double social;   // office 1 with social interest
};

// The fee the window shows: zero where neither amount nor fee is positive.
double Shown(int office, int service, int transaction, bool social, double amount) {
  FeeResult result = EvaluateFee({{office, service, transaction, social}, amount});
  if (!(amount > 0) && !(result.ComputedFee > 0)) return 0;
  return result.LimitedFee;
}

void CheckTable(const char* name, int service, int transaction, const FeeRow* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const FeeRow& row = rows[i];
    EXPECT_DOUBLE_EQ(Shown(0, service, transaction, false, row.amount), row.office0) << name << " office 0, " << row.amount;
    EXPECT_DOUBLE_EQ(Shown(0, service, transaction, true, row.amount), row.office0) << name << " office 0 social, " << row.amount;
    EXPECT_DOUBLE_EQ(Shown(1, service, transaction, false, row.amount), row.office0) << name << " office 1, " << row.amount;
    EXPECT_DOUBLE_EQ(Shown(1, service, transaction, true, row.amount), row.social) << name << " social, " << row.amount;
  }
}

TEST(FeeEngine, RateOf063) {
  const FeeRow rows[] = {
      {0, 0, 0},                {0.01, 8.86, 5.71},        {100.00, 8.86, 5.71},     {1400.00, 8.86, 5.71},
      {1400.01, 9.45, 5.71},    {3500.00, 22.05, 5.71},    {3500.01, 22.68, 5.76},   {9000.00, 56.70, 14.40},
      {10000.00, 63.00, 16.00}, {10000.01, 63.63, 63.63},  {857100.00, 5399.73, 5399.73},
      {857100.01, 5400.00, 5400.00}, {25000, 157.50, 157.50},
  };
  for (int transaction : {0, 2, 3, 4}) CheckTable("rate 0.63", 0, transaction, rows, std::size(rows));
}

TEST(FeeEngine, RateOf038) {
  const FeeRow rows[] = {
      {0.01, 8.86, 5.71},       {2300.00, 8.86, 5.71},    {2300.01, 9.12, 5.71},
      {5700.00, 21.66, 5.71},   {5700.01, 22.04, 5.80},   {10000.00, 38.00, 10.00},
      {10000.01, 38.38, 38.38}, {1421000.00, 5399.80, 5399.80}, {1421000.01, 5400.00, 5400.00},
  };
  for (int transaction : {1, 5}) CheckTable("rate 0.38", 0, transaction, rows, std::size(rows));
}

TEST(FeeEngine, FixedFees) {
  const FeeRow rows[] = {{0, 8.86, 5.71}, {0.01, 8.86, 5.71}, {25000, 8.86, 5.71}, {1e12, 8.86, 5.71}};
  CheckTable("inscription 6", 0, 6, rows, std::size(rows));
  CheckTable("inscription 7", 0, 7, rows, std::size(rows));
  CheckTable("cancellation 0", 1, 0, rows, std::size(rows));
}

TEST(FeeEngine, BracketSchedule) {
  const FeeRow inscription[] = {
      {0, 0, 0},              {0.01, 1.80, 0.45},     {1800.00, 1.80, 0.45},  {1800.01, 3.60, 0.90},
      {4500.00, 3.60, 0.90},  {4500.01, 5.40, 1.35},  {9000.00, 5.40, 1.35},  {9000.01, 5.53, 1.3825},
      {9100.01, 5.66, 1.415}, {9500.01, 6.18, 1.545}, {10000.00, 6.70, 1.675}, {10000.01, 6.83, 6.83},
      {11700.00, 8.91, 8.91}, {11700.01, 9.04, 9.04}, {4158600.00, 5399.88, 5399.88},
      {4158600.01, 5400.00, 5400.00}, {10000000000.01, 5400.00, 5400.00}, {1e14, 5400.00, 5400.00},
  };
  CheckTable("production credit", 0, 8, inscription, std::size(inscription));
  const FeeRow cancellation[] = {
      {0, 0, 0},             {0.01, 1.80, 0.45},    {1800.01, 3.60, 0.90},  {9000.01, 5.53, 1.3825},
      {10000.00, 6.70, 1.675}, {10000.01, 6.83, 6.83}, {11700.00, 8.91, 8.91}, {11700.01, 8.91, 8.91},
      {4158600.01, 8.91, 8.91}, {10000000000.01, 8.91, 8.91}, {1e14, 8.91, 8.91},
  };
  CheckTable("production credit cancellation", 1, 1, cancellation, std::size(cancellation));
}

TEST(FeeEngine, OtherCancellations) {
  const FeeRow rows[] = {
      {0, 0, 0},                {0.01, 8.91, 5.71},       {9000.00, 8.91, 5.71},   {9000.01, 9.04, 5.71},
      {9100.01, 9.17, 5.71},    {10000.00, 10.21, 5.71},  {10000.01, 10.34, 10.34}, {25000.00, 29.71, 29.71},
      {4155900.00, 5399.88, 5399.88}, {4155900.01, 5400.00, 5400.00},
  };
  CheckTable("other cancellations", 1, 2, rows, std::size(rows));
}

TEST(FeeEngine, ServicesWithoutRulesGiveTheMinimum) {
  const FeeRow rows[] = {{0, 0, 0}, {1000.00, 8.86, 5.71}};
  for (int service = 2; service <= 5; ++service) CheckTable("text-only service", service, 0, rows, std::size(rows));
}

TEST(FeeEngine, SelectionsOutsideTheTablesAreRefused) {
  const FeeSelection rows[] = {
      {{0, 0, 9, false}, 100},  {{0, 0, 12, false}, 100}, {{0, 0, -1, false}, 100}, {{0, 1, 3, false}, 100},
      {{0, 1, -1, false}, 100}, {{2, 0, 0, false}, 100},  {{-1, 0, 0, false}, 100}, {{0, 6, 0, false}, 100},
      {{0, -1, 0, false}, 100},
  };
  for (const FeeSelection& row : rows) {
    EXPECT_FALSE(IsSelectionInRange(row)) << row.OfficeIndex << "/" << row.ServiceIndex << "/" << row.TransactionIndex;
    FeeResult result = EvaluateFee(row);
    EXPECT_EQ(result.ComputedFee, 0);
    EXPECT_EQ(result.LimitedFee, 0);
  }
  EXPECT_TRUE(IsSelectionInRange({1, 5, 0, true}));
}

TEST(FeeEngine, TraceNamesTheRuleAndTheLimits) {
  const struct {
    FeeSelection selection;
    FeeRule rule;
    double factor, rate, hundreds;
    bool minimum, maximum, cap;
  } rows[] = {
      {{{0, 0, 0, false}, 25000}, FeeRule::Rate, 1, 0.63, 250, false, false, false},
      {{{1, 0, 0, true}, 9000}, FeeRule::Rate, 0.25, 0.16, 90, false, false, false},
      {{{0, 0, 1, false}, 100}, FeeRule::Rate, 1, 0.38, 1, true, false, false},
      {{{0, 0, 0, false}, 1e6}, FeeRule::Rate, 1, 0.63, 10000, false, true, false},
      {{{1, 0, 6, true}, 0}, FeeRule::Fixed, 0.25, 0, 0, true, false, false},
      {{{0, 0, 8, false}, 0.01}, FeeRule::Bracket, 1, 0, 0, false, false, false},
      {{{0, 1, 1, false}, 20000}, FeeRule::CancellationBracket, 1, 0.13, 110, false, false, true},
      {{{0, 1, 2, false}, 25000}, FeeRule::Cancellation, 1, 0.13, 160, false, false, false},
      {{{0, 3, 0, false}, 1000}, FeeRule::NotComputed, 1, 0, 0, true, false, false},
  };
  for (const auto& row : rows) {
    FeeTrace trace{};
    EvaluateFeeTraced(row.selection, &trace);
    SCOPED_TRACE(testing::Message() << "service " << row.selection.ServiceIndex << " transaction "
                                    << row.selection.TransactionIndex << " amount " << row.selection.Amount);
    EXPECT_EQ(trace.Rule, row.rule);
    EXPECT_EQ(trace.Factor, row.factor);
    EXPECT_EQ(trace.Rate, row.rate);
    EXPECT_EQ(trace.Hundreds, row.hundreds);
    EXPECT_EQ(trace.MinimumApplied, row.minimum);
    EXPECT_EQ(trace.MaximumApplied, row.maximum);
    EXPECT_EQ(trace.CapApplied, row.cap);
  }
}

// Given the cents, the engine counts started hundreds in integers: the same
// fees and counts as from the amount alone, for the rules that count them,
// around every hundred and the edition's thresholds, up to 10^13 cents; and
// under thresholds with cents, where it keeps the doubles.
TEST(FeeEngine, HundredsFromTheCentsAreThoseOfTheAmount) {
  const Selection counting[] = {{0, 0, 0, false}, {1, 0, 0, true}, {0, 1, 2, false},
                                {1, 1, 2, true},  {0, 0, 8, false}, {0, 1, 1, false}};
  Edition withCents = BuiltInEdition();
  withCents.BracketExcessAbove += 0.37;
  withCents.CancellationUpTo += 0.37;
  for (const Edition* edition : {&BuiltInEdition(), static_cast<const Edition*>(&withCents)}) {
    const auto threshold = static_cast<long long>(std::llround(edition->CancellationUpTo * 100));
    std::mt19937_64 random(13);
    for (int i = 0; i < 200000; ++i) {
      const long long hundred = static_cast<long long>(random() % 1000000000) * 10000;
      const long long near[] = {hundred - 1, hundred, hundred + 1, threshold + hundred % 20000 - 10000,
                                static_cast<long long>(random() % CENTS_OF_INTEGER_HUNDREDS), i};
      const long long cents = near[i % 6] < 0 ? 0 : near[i % 6];
      const double amount = static_cast<double>(cents) / 100;
      for (const Selection& selection : counting) {
        FeeTrace fromAmount{}, fromCents{};
        const FeeResult expected = EvaluateFeeTraced(*edition, {selection, amount}, &fromAmount);
        const FeeResult got = EvaluateFeeTraced(*edition, {selection, amount, cents}, &fromCents);
        ASSERT_EQ(got.ComputedFee, expected.ComputedFee) << cents;
        ASSERT_EQ(got.LimitedFee, expected.LimitedFee) << cents;
        ASSERT_EQ(fromCents.Hundreds, fromAmount.Hundreds) << cents;
      }
    }
  }
}

// A selection's rule looked up once is what each computation would look
// up: for every selection the edition's lists allow and some beyond them.
TEST(FeeEngine, RuleOfASelectionIsWhatTheComputationLooksUp) {
  const Edition& edition = BuiltInEdition();
  for (int office = -1; office <= edition.OfficeCount; ++office) {
    for (int service = -1; service <= edition.ServiceCount; ++service) {
      for (int position = -1; position <= EDITION_TRANSACTION_LIMIT; ++position) {
        for (const bool social : {false, true}) {
          const Selection selection{office, service, position, social};
          const SelectionRule rule = RuleOf(edition, selection);
          SCOPED_TRACE(testing::Message() << office << " " << service << " " << position << " " << social);
          ASSERT_EQ(rule.InRange, IsSelectionInRange(edition, selection));
          const bool computed = IsComputedTransaction(edition, selection);
          ASSERT_EQ(rule.Computed != nullptr, computed);
          if (computed) {
            ASSERT_EQ(rule.Computed, PriceOf(edition, selection));
          }
          if (rule.InRange) {
            ASSERT_EQ(rule.Social, UnderSocialInterest(edition, selection));
          }
          for (const double amount : {0.0, 0.01, 9000.01, 25000.0, 1e12}) {
            FeeTrace looked{}, once{};
            const FeeResult expected = EvaluateFeeTraced(edition, {selection, amount}, &looked);
            const FeeResult got = EvaluateFeeTraced(edition, rule, {selection, amount}, &once);
            ASSERT_EQ(got.ComputedFee, expected.ComputedFee);
            ASSERT_EQ(got.LimitedFee, expected.LimitedFee);
            ASSERT_EQ(once.Rule, looked.Rule);
            ASSERT_EQ(once.Hundreds, looked.Hundreds);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarivox
