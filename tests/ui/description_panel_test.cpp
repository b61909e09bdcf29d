// The tariff-text panel: texts with and without the social-interest note,
// the per-lot transactions, and hiding and showing the panel.
#include <gtest/gtest.h>

#include "expected_texts.h"
#include "harness.h"
#include "resource.h"
#include "ui/calculator_ui.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

LONG Height(const RECT& rect) { return rect.bottom - rect.top; }
LONG Width(const RECT& rect) { return rect.right - rect.left; }

TEST(TextPanel, TwoTogglesGiveBackTheWindow) {
  RunCalculator([](HWND window) {
    const RECT before = WindowRect(window);
    ClickButton(window, IDC_TOGGLE_TEXT);
    const RECT hidden = WindowRect(window);
    EXPECT_EQ(Height(hidden), Height(before) - TEXT_PANEL_HEIGHT);
    EXPECT_EQ(Width(hidden), Width(before));
    EXPECT_EQ(hidden.left, before.left);
    EXPECT_EQ(hidden.top, before.top);
    EXPECT_EQ(ControlText(window, IDC_TOGGLE_TEXT_LABEL), "    Ver texto");
    ClickButton(window, IDC_TOGGLE_TEXT);
    const RECT after = WindowRect(window);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(ControlText(window, IDC_TOGGLE_TEXT_LABEL), "Ocultar texto");
  });
}

TEST(TextPanel, ToggleResizesWhereTheUserMovedTheWindow) {
  RunCalculator([](HWND window) {
    const RECT start = WindowRect(window);
    ClickButton(window, IDC_TOGGLE_TEXT);
    MoveWindow(window, 120, 70, Width(start), Height(start) - TEXT_PANEL_HEIGHT, TRUE);
    ClickButton(window, IDC_TOGGLE_TEXT);
    const RECT moved = WindowRect(window);
    EXPECT_EQ(moved.left, 120);
    EXPECT_EQ(moved.top, 70);
    EXPECT_EQ(Height(moved), Height(start));
  });
}

TEST(TextPanel, SelectionsWithoutAFeeBringTheHiddenPanelBack) {
  const struct {
    const char* Name;
    int Service;
    int Transaction;  // -1: only the service is chosen
  } rows[] = {
      {"certification", 2, -1}, {"report", 3, -1},       {"presentation", 4, -1},
      {"substitution", 5, -1},  {"inscription 9", 0, 9}, {"inscription 12", 0, 12},
  };
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      const RECT shown = WindowRect(window);
      ClickButton(window, IDC_TOGGLE_TEXT);
      if (row.Service != 0) ChooseListEntry(window, IDC_SERVICE, row.Service);
      if (row.Transaction >= 0) ChooseListEntry(window, IDC_TRANSACTION, row.Transaction);
      EXPECT_EQ(Height(WindowRect(window)), Height(shown)) << row.Name;
      EXPECT_EQ(ControlText(window, IDC_TOGGLE_TEXT_LABEL), "Ocultar texto") << row.Name;
      EXPECT_FALSE(IsEnabled(window, IDC_TOGGLE_TEXT)) << row.Name;
      EXPECT_FALSE(IsEnabled(window, IDC_TOGGLE_TEXT_LABEL)) << row.Name;
    });
  }
}

TEST(TextPanel, BackToInscriptionKeepsThePanelShown) {
  RunCalculator([](HWND window) {
    const RECT shown = WindowRect(window);
    ClickButton(window, IDC_TOGGLE_TEXT);
    ChooseListEntry(window, IDC_SERVICE, 2);
    ChooseListEntry(window, IDC_SERVICE, 0);
    EXPECT_TRUE(IsEnabled(window, IDC_TOGGLE_TEXT));
    EXPECT_EQ(Height(WindowRect(window)), Height(shown));
    EXPECT_EQ(ControlText(window, IDC_TOGGLE_TEXT_LABEL), "Ocultar texto");
  });
}

TEST(TextPanel, ShownPanelStaysTheSameSize) {
  RunCalculator([](HWND window) {
    const RECT shown = WindowRect(window);
    ChooseListEntry(window, IDC_SERVICE, 3);
    EXPECT_EQ(Height(WindowRect(window)), Height(shown));
  });
}

// At MVT with "Interes Social" checked.
TEST(Description, SocialInterestNoteByTransaction) {
  const struct {
    const char* Name;
    int Service;
    int Transaction;
    std::string Text;
  } rows[] = {
      {"inscription 6", 0, 6, WithNote(InscriptionTexts[6], true)},
      {"inscription 7, annotations", 0, 7, InscriptionTexts[7]},
      {"inscription 8", 0, 8, WithNote(InscriptionTexts[8], true)},
      {"inscription 10, per lot", 0, 10, WithNote(InscriptionTexts[10], true)},
      {"cancellation 0, preventive", 1, 0, CancellationTexts[0]},
      {"cancellation 1", 1, 1, WithNote(CancellationTexts[1], true)},
      {"cancellation 2", 1, 2, WithNote(CancellationTexts[2], true)},
      {"certification 2, own sentence", 2, 2, CertificationSocialTexts[2]},
      {"certification 3", 2, 3, CertificationSocialTexts[3]},
      {"report", 3, 0, WithNote(ReportText, true)},
      {"presentation", 4, 0, PresentationText},
      {"substitution", 5, 0, SubstitutionText},
  };
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      ChooseListEntry(window, IDC_OFFICE, 1);
      ClickButton(window, IDC_SOCIAL_INTEREST);
      ChooseListEntry(window, IDC_SERVICE, row.Service);
      ChooseListEntry(window, IDC_TRANSACTION, row.Transaction);
      EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), row.Text) << row.Name;
    });
  }
}

TEST(Description, CertificationAtMvtWithNormalProject) {
  RunCalculator([](HWND window) {
    ChooseListEntry(window, IDC_OFFICE, 1);
    ChooseListEntry(window, IDC_SERVICE, 2);
    ChooseListEntry(window, IDC_TRANSACTION, 2);
    ChooseListEntry(window, IDC_TRANSACTION, 0);
    EXPECT_EQ(SelectedText(window, IDC_TRANSACTION), "Extractadas");
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), CertificationTexts[1]);
  });
}

TEST(Description, PerLotTransactionsDisableTheCalculation) {
  const int calculation[] = {IDC_AMOUNT_LABEL, AMOUNT, IDC_FEE_LABEL, IDC_FEE, IDC_CALCULATE, IDC_TOGGLE_TEXT,
                             IDC_TOGGLE_TEXT_LABEL};
  for (int perLot = 9; perLot <= 12; ++perLot) {
    RunCalculator([&](HWND window) {
      TypeAmount(window, "25,000");
      ClickButton(window, IDC_CALCULATE);
      ChooseListEntry(window, IDC_TRANSACTION, perLot);
      EXPECT_EQ(ControlText(window, IDC_FEE), "0.00") << "transaction " << perLot;
      EXPECT_EQ(ControlText(window, AMOUNT), "0.00") << "transaction " << perLot;
      for (int id : calculation) EXPECT_FALSE(IsEnabled(window, id)) << "transaction " << perLot << ", " << id;
      ChooseListEntry(window, IDC_TRANSACTION, perLot - 9);
      for (int id : calculation) EXPECT_TRUE(IsEnabled(window, id)) << "back from " << perLot << ", " << id;
      EXPECT_EQ(ControlText(window, IDC_FEE), "0.00") << "back from " << perLot;
      EXPECT_EQ(ControlText(window, AMOUNT), "0.00") << "back from " << perLot;
    });
  }
}

TEST(Description, TypedAmountIsReplacedOnEveryInscriptionUpdate) {
  const struct {
    const char* Name;
    void (*Act)(HWND);
  } rows[] = {
      {"office", [](HWND window) { ChooseListEntry(window, IDC_OFFICE, 1); }},
      {"transaction", [](HWND window) { ChooseListEntry(window, IDC_TRANSACTION, 4); }},
      {"project kind",
       [](HWND window) {
         ChooseListEntry(window, IDC_OFFICE, 1);
         TypeAmount(window, "999");
         ClickButton(window, IDC_SOCIAL_INTEREST);
       }},
  };
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      TypeAmount(window, "3000");
      PressEnter(window);
      ASSERT_EQ(ControlText(window, AMOUNT), "3,000.00") << row.Name;
      TypeAmount(window, "999");
      row.Act(window);
      EXPECT_EQ(ControlText(window, AMOUNT), "3,000.00") << row.Name;
    });
  }
}

}  // namespace
}  // namespace tarivox::uitest
