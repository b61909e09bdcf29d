// The calculator as it opens and as it ends.
#include <gtest/gtest.h>

#include "expected_texts.h"
#include "harness.h"
#include "resource.h"
#include "ui/calculator_ui.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

TEST(CalculatorStart, OpensAtTopLeftWithFullPanel) {
  RunCalculator([](HWND window) {
    const RECT rect = WindowRect(window);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    // The text panel lies wholly inside the window.
    const RECT panel = WindowRect(GetDlgItem(window, IDC_DESCRIPTION));
    EXPECT_LE(panel.bottom, rect.bottom);
    EXPECT_GT(panel.bottom, rect.bottom - 30);
    EXPECT_EQ(ControlText(window, IDC_TOGGLE_TEXT_LABEL), "Ocultar texto");
  });
}

TEST(CalculatorStart, FirstEntriesSelectedAndAmountsZero) {
  RunCalculator([](HWND window) {
    EXPECT_EQ(SelectedText(window, IDC_OFFICE), "KLDA");
    EXPECT_EQ(SelectedText(window, IDC_SERVICE), ServiceNames[0]);
    EXPECT_EQ(SelectedText(window, IDC_TRANSACTION), "Transferencias y mod. de dominio");
    EXPECT_EQ(ListCount(window, IDC_OFFICE), 2);
    EXPECT_EQ(ListCount(window, IDC_SERVICE), 6);
    EXPECT_EQ(ListCount(window, IDC_TRANSACTION), 13);
    EXPECT_EQ(ListText(window, IDC_OFFICE, 1), "MVT");
    EXPECT_TRUE(IsChecked(window, IDC_NORMAL_PROJECT));
    EXPECT_FALSE(IsChecked(window, IDC_SOCIAL_INTEREST));
    EXPECT_EQ(ControlText(window, IDC_FEE), "0.00");
    EXPECT_EQ(ControlText(window, AMOUNT), "0.00");
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), InscriptionTexts[0]);
  });
}

TEST(CalculatorStart, OnlyTheRadioButtonsStartDisabled) {
  const int ids[] = {IDC_AMOUNT_LABEL, IDC_OFFICE_LABEL, AMOUNT, IDC_OFFICE, IDC_CALCULATE,
                     IDC_SERVICE, IDC_TRANSACTION, IDC_NORMAL_PROJECT, IDC_SOCIAL_INTEREST, IDC_FEE_LABEL,
                     IDC_DESCRIPTION, IDC_FEE, IDC_TOGGLE_TEXT, IDC_TOGGLE_TEXT_LABEL};
  RunCalculator([&](HWND window) {
    for (int id : ids) {
      const bool radio = id == IDC_NORMAL_PROJECT || id == IDC_SOCIAL_INTEREST;
      EXPECT_EQ(IsEnabled(window, id), !radio) << "control " << id;
    }
  });
}

TEST(CalculatorStart, FocusIsInTheAmountField) {
  RunCalculator([](HWND window) { EXPECT_EQ(GetFocus(), GetDlgItem(window, AMOUNT)); });
}

TEST(CalculatorEnd, EscapeEndsTheDialog) {
  const CalculatorRun run = RunCalculator([](HWND window) { PressEscape(window); });
  EXPECT_TRUE(run.EndedBySteps);
  EXPECT_TRUE(run.Destroyed);
  EXPECT_EQ(run.Result, 1);
}

TEST(CalculatorEnd, CloseBoxEndsTheDialog) {
  const CalculatorRun run = RunCalculator([](HWND window) { ClickCloseBox(window); });
  EXPECT_TRUE(run.EndedBySteps);
  EXPECT_EQ(run.Result, 1);
}

TEST(CalculatorEnd, OtherKeysAndCommandsLeaveItOpen) {
  const CalculatorRun run = RunCalculator([](HWND window) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(4242, 0), 0);
    TypeAmount(window, "12");
  });
  EXPECT_FALSE(run.EndedBySteps);
}

TEST(CalculatorEnd, FeeBrushIsMadeOnceAndReleasedAtTheEnd) {
  HBRUSH brush = nullptr;
  RunCalculator([&](HWND window) {
    HWND fee = GetDlgItem(window, IDC_FEE);
    HDC dc = GetDC(fee);
    brush = reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(fee)));
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    for (int repaint = 0; repaint < 50; ++repaint) {
      const LRESULT again = SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(fee));
      ASSERT_EQ(reinterpret_cast<HBRUSH>(again), brush) << "repaint " << repaint;
    }
    ReleaseDC(fee, dc);
    // Other statics are left to the dialog manager's default colours: the
    // procedure reports them unhandled.
    HWND label = GetDlgItem(window, IDC_FEE_LABEL);
    HDC labelDc = GetDC(label);
    EXPECT_EQ(CalculatorDialogProc(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(labelDc),
                                   reinterpret_cast<LPARAM>(label)),
              FALSE);
    EXPECT_NE(GetBkMode(labelDc), TRANSPARENT);
    ReleaseDC(label, labelDc);
  });
  EXPECT_EQ(GetObjectType(brush), 0u) << "the brush outlived the window";
}

}  // namespace
}  // namespace tarivox::uitest
