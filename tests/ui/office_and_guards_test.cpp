// Office changes, the radio buttons, and the guards that make repeated list
// notifications harmless.
#include <gtest/gtest.h>

#include "expected_texts.h"
#include "harness.h"
#include "resource.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

// Choosing the entry a list already shows, or passing through it with the
// focus, sends the dialog the list's notifications; nothing may change.
TEST(Guards, SameChoiceOrFocusChangesNothing) {
  const struct {
    const char* Name;
    int List;
    bool Choose;  // choose the shown entry again, or only visit the list
  } rows[] = {
      {"office chosen again", IDC_OFFICE, true},       {"office visited", IDC_OFFICE, false},
      {"service chosen again", IDC_SERVICE, true},     {"service visited", IDC_SERVICE, false},
      {"transaction chosen again", IDC_TRANSACTION, true}, {"transaction visited", IDC_TRANSACTION, false},
  };
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      ChooseListEntry(window, IDC_TRANSACTION, 3);
      TypeAmount(window, "777");
      const int shown = Selection(window, row.List);
      if (row.Choose) ChooseListEntry(window, row.List, shown);
      else VisitList(window, row.List);
      EXPECT_EQ(ControlText(window, AMOUNT), "777") << row.Name;
      EXPECT_EQ(Selection(window, IDC_TRANSACTION), 3) << row.Name;
      EXPECT_EQ(ListCount(window, IDC_TRANSACTION), 13) << row.Name;
      EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), InscriptionTexts[3]) << row.Name;
    });
  }
}

TEST(OfficeChange, MvtEnablesRadiosAndKldaDisablesThemKeepingTheCheck) {
  RunCalculator([](HWND window) {
    ChooseListEntry(window, IDC_OFFICE, 1);
    EXPECT_TRUE(IsEnabled(window, IDC_NORMAL_PROJECT));
    EXPECT_TRUE(IsEnabled(window, IDC_SOCIAL_INTEREST));
    ClickButton(window, IDC_SOCIAL_INTEREST);
    EXPECT_TRUE(IsChecked(window, IDC_SOCIAL_INTEREST));
    EXPECT_FALSE(IsChecked(window, IDC_NORMAL_PROJECT));
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), WithNote(InscriptionTexts[0], true));
    ChooseListEntry(window, IDC_OFFICE, 0);
    EXPECT_FALSE(IsEnabled(window, IDC_NORMAL_PROJECT));
    EXPECT_FALSE(IsEnabled(window, IDC_SOCIAL_INTEREST));
    EXPECT_TRUE(IsChecked(window, IDC_SOCIAL_INTEREST));
    // At KLDA the note is gone although "Interes Social" is still checked.
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), InscriptionTexts[0]);
    ChooseListEntry(window, IDC_TRANSACTION, 1);
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), InscriptionTexts[1]);
  });
}

TEST(OfficeChange, CertificationListFollowsTheOffice) {
  RunCalculator([](HWND window) {
    ChooseListEntry(window, IDC_SERVICE, 2);
    ChooseListEntry(window, IDC_TRANSACTION, 3);
    const struct {
      int Office;
      int Count;
      const char* First;
    } steps[] = {{1, 4, CertificationTransactions[1]}, {0, 5, CertificationTransactions[0]},
                 {1, 4, CertificationTransactions[1]}};
    for (const auto& step : steps) {
      ChooseListEntry(window, IDC_OFFICE, step.Office);
      EXPECT_EQ(ListCount(window, IDC_TRANSACTION), step.Count) << "office " << step.Office;
      EXPECT_EQ(Selection(window, IDC_TRANSACTION), 0) << "office " << step.Office;
      EXPECT_EQ(SelectedText(window, IDC_TRANSACTION), step.First) << "office " << step.Office;
    }
  });
}

TEST(OfficeChange, OtherServicesKeepTheirTransactionList) {
  const struct {
    int Service;
    int Transaction;
    int Count;
  } rows[] = {{0, 5, 13}, {1, 2, 3}, {3, 0, 1}};
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      ChooseListEntry(window, IDC_SERVICE, row.Service);
      ChooseListEntry(window, IDC_TRANSACTION, row.Transaction);
      ChooseListEntry(window, IDC_OFFICE, 1);
      EXPECT_EQ(ListCount(window, IDC_TRANSACTION), row.Count) << "service " << row.Service;
      EXPECT_EQ(Selection(window, IDC_TRANSACTION), row.Transaction) << "service " << row.Service;
    });
  }
}

TEST(OfficeChange, LockedByPresentationAndSubstitution) {
  for (int service : {4, 5}) {
    RunCalculator([&](HWND window) {
      ChooseListEntry(window, IDC_SERVICE, service);
      EXPECT_FALSE(IsEnabled(window, IDC_OFFICE)) << "service " << service;
      EXPECT_FALSE(IsEnabled(window, IDC_OFFICE_LABEL)) << "service " << service;
    });
  }
}

TEST(ProjectKind, ClickingTheCheckedButtonRewritesTextAndAmounts) {
  RunCalculator([](HWND window) {
    ChooseListEntry(window, IDC_OFFICE, 1);
    TypeAmount(window, "1000");
    ClickButton(window, IDC_CALCULATE);
    ASSERT_EQ(ControlText(window, AMOUNT), "1,000.00");
    TypeAmount(window, "55");
    SetDlgItemTextA(window, IDC_DESCRIPTION, "");
    ClickButton(window, IDC_NORMAL_PROJECT);  // already checked
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), InscriptionTexts[0]);
    EXPECT_EQ(ControlText(window, AMOUNT), "1,000.00");
    EXPECT_EQ(ControlText(window, IDC_FEE), "8.86");
  });
}

TEST(ProjectKind, SocialInterestNoteFollowsTheButtons) {
  RunCalculator([](HWND window) {
    ChooseListEntry(window, IDC_OFFICE, 1);
    ClickButton(window, IDC_SOCIAL_INTEREST);
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), WithNote(InscriptionTexts[0], true));
    ClickButton(window, IDC_NORMAL_PROJECT);
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), InscriptionTexts[0]);
    EXPECT_FALSE(IsChecked(window, IDC_SOCIAL_INTEREST));
  });
}

}  // namespace
}  // namespace tarivox::uitest
