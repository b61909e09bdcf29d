// The control behaviours the window relies on, checked the same way against
// the stand-in and against real USER32: where these agree, the window
// tests mean the same thing in both runs.
#include <gtest/gtest.h>

#include <string>

#include "expected_texts.h"
#include "harness.h"
#include "resource.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

TEST(ControlBehaviour, SortedListKeepsAlphabeticalOrderInCapitals) {
  RunCalculator([](HWND window) {
    for (const char* text : {"zeta", "Alfa", "lima"})
      SendDlgItemMessageA(window, IDC_OFFICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    const char* expected[] = {"ALFA", "KLDA", "LIMA", "MVT", "ZETA"};
    ASSERT_EQ(ListCount(window, IDC_OFFICE), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ListText(window, IDC_OFFICE, i), expected[i]) << "position " << i;
  });
}

TEST(ControlBehaviour, UnsortedListKeepsInsertionOrder) {
  RunCalculator([](HWND window) {
    SendDlgItemMessageA(window, IDC_SERVICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("aaa"));
    EXPECT_EQ(ListText(window, IDC_SERVICE, 6), "aaa");
    EXPECT_EQ(ListText(window, IDC_SERVICE, 0), ServiceNames[0]);
  });
}

TEST(ControlBehaviour, SelectionMinusOneClearsIt) {
  RunCalculator([](HWND window) {
    SendDlgItemMessageA(window, IDC_TRANSACTION, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Selection(window, IDC_TRANSACTION), -1);
  });
}

TEST(ControlBehaviour, FieldReadsAtMost127Characters) {
  const struct {
    std::size_t Typed;
    std::size_t Read;
  } rows[] = {{126, 126}, {127, 127}, {128, 127}, {200, 127}};
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      const std::string typed(row.Typed, '7');
      TypeAmount(window, typed);
      char field[128];
      const UINT count = GetDlgItemTextA(window, IDC_AMOUNT, field, static_cast<int>(sizeof field));
      EXPECT_EQ(count, row.Read) << row.Typed << " typed";
      EXPECT_EQ(std::string(field), typed.substr(0, row.Read)) << row.Typed << " typed";
    });
  }
}

// Focus put on another push button by the program does not make it the
// default: Enter still presses "Calcular pago".
TEST(ControlBehaviour, EnterPressesTheDefaultButtonWhereverTheFocusIs) {
  const int focusOn[] = {IDC_TOGGLE_TEXT, IDC_SERVICE, IDC_DESCRIPTION, IDC_CALCULATE};
  for (int id : focusOn) {
    RunCalculator([&](HWND window) {
      TypeAmount(window, "25,000");
      SetFocus(GetDlgItem(window, id));
      PressEnter(window);
      // Windows: Enter in a multi-line edit without ES_WANTRETURN presses
      // the default button. Wine 8 gives the key to the text panel instead.
      const bool wineKeepsEnter = id == IDC_DESCRIPTION && RunningUnderWine();
      EXPECT_EQ(ControlText(window, IDC_FEE), wineKeepsEnter ? "0.00" : "157.50") << "focus on " << id;
      EXPECT_EQ(ControlText(window, IDC_TOGGLE_TEXT_LABEL), "Ocultar texto") << "focus on " << id;
    });
  }
}

TEST(ControlBehaviour, DisabledFieldLosesNothingButTheFocus) {
  RunCalculator([](HWND window) {
    TypeAmount(window, "42");
    ChooseListEntry(window, IDC_SERVICE, 5);
    EXPECT_FALSE(IsEnabled(window, IDC_AMOUNT));
    EXPECT_NE(GetFocus(), GetDlgItem(window, IDC_AMOUNT));
  });
}

}  // namespace
}  // namespace tarivox::uitest
