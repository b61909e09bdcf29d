// Computations through the window: typed amount, the fee display, the
// amount rewritten, the default button on Enter.
#include <gtest/gtest.h>

#include "expected_texts.h"
#include "fees/amount_text.h"
#include "harness.h"
#include "resource.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

struct ComputationRow {
  const char* Name;
  int Office;
  bool Social;
  int Service;
  int Transaction;
  const char* Typed;
  const char* Amount;
  const char* Fee;
};

constexpr ComputationRow ComputationRows[] = {
    {"transfer 25,000", 0, false, 0, 0, "25,000", "25,000.00", "157.50"},
    {"transfer 1000, minimum", 0, false, 0, 0, "1000", "1,000.00", "8.86"},
    {"other cancellations 25000", 0, false, 1, 2, "25000", "25,000.00", "29.71"},
    {"MVT social transfer 1234.125", 1, true, 0, 0, "1234.125", "1,234.13", "5.71"},
    {"empty field", 0, false, 0, 0, "", "0.00", "0.00"},
    {"letters", 0, false, 0, 0, "abc", "0.00", "0.00"},
};

void Reach(HWND window, const ComputationRow& row) {
  if (row.Office != 0) ChooseListEntry(window, IDC_OFFICE, row.Office);
  if (row.Social) ClickButton(window, IDC_SOCIAL_INTEREST);
  ChooseListEntry(window, IDC_SERVICE, row.Service);
  ChooseListEntry(window, IDC_TRANSACTION, row.Transaction);
  TypeAmount(window, row.Typed);
}

TEST(Computation, EnterPressesCalculate) {
  for (const ComputationRow& row : ComputationRows) {
    RunCalculator([&](HWND window) {
      Reach(window, row);
      PressEnter(window);
      EXPECT_EQ(ControlText(window, IDC_FEE), row.Fee) << row.Name;
      EXPECT_EQ(ControlText(window, AMOUNT), row.Amount) << row.Name;
      EXPECT_EQ(std::string(MessageText),
                std::string("Para un monto de: US$ ") + row.Amount + "  el pago es: US$ " + row.Fee)
          << row.Name;
    });
  }
}

TEST(Computation, ButtonClickGivesTheSameAndRepeatsStably) {
  RunCalculator([](HWND window) {
    TypeAmount(window, "25,000");
    ClickButton(window, IDC_CALCULATE);
    EXPECT_EQ(ControlText(window, IDC_FEE), "157.50");
    ClickButton(window, IDC_CALCULATE);
    EXPECT_EQ(ControlText(window, IDC_FEE), "157.50");
    EXPECT_EQ(ControlText(window, AMOUNT), "25,000.00");
  });
}

TEST(Computation, TypedLettersArriveUpperCased) {
  RunCalculator([](HWND window) {
    TypeAmount(window, "2e3");
    EXPECT_EQ(ControlText(window, AMOUNT), "2E3");
    PressEnter(window);
    EXPECT_EQ(ControlText(window, AMOUNT), "2,000.00");
  });
}

TEST(Computation, EnterDoesNothingWhileCalculateIsDisabled) {
  RunCalculator([](HWND window) {
    ChooseListEntry(window, IDC_SERVICE, 4);
    PressEnter(window);
    EXPECT_EQ(ControlText(window, IDC_FEE), "8.86");
    EXPECT_EQ(std::string(MessageText), "");
  });
}

TEST(Computation, SelectionIsReadAtEveryComputation) {
  RunCalculator([](HWND window) {
    TypeAmount(window, "25000");
    ClickButton(window, IDC_CALCULATE);
    EXPECT_EQ(ControlText(window, IDC_FEE), "157.50");
    ChooseListEntry(window, IDC_SERVICE, 1);
    ChooseListEntry(window, IDC_TRANSACTION, 2);
    TypeAmount(window, "25000");
    ClickButton(window, IDC_CALCULATE);
    EXPECT_EQ(ControlText(window, IDC_FEE), "29.71");
  });
}

}  // namespace
}  // namespace tarivox::uitest
