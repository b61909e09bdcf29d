// Choosing a service: the transaction list, the amounts, the tariff text
// and the enabled state of the controls, for every service at both offices.
#include <gtest/gtest.h>

#include "expected_texts.h"
#include "harness.h"
#include "resource.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

struct ServiceRow {
  const char* Name;
  int Service;
  int Office;
  bool Social;
  int Count;
  const char* FirstEntry;
  const char* Fee;
  std::string Text;
  // Enabled: amount pair, fee pair, calculate, toggle pair, office pair, radios.
  bool AmountOn, FeeOn, CalculateOn, ToggleOn, OfficeOn, RadiosOn;
};

std::vector<ServiceRow> ServiceRows() {
  return {
      {"inscription at KLDA", 0, 0, false, 13, InscriptionTransactions[0], "0.00", InscriptionTexts[0], true, true,
       true, true, true, false},
      {"inscription at MVT, social", 0, 1, true, 13, InscriptionTransactions[0], "0.00",
       WithNote(InscriptionTexts[0], true), true, true, true, true, true, true},
      {"cancellation at MVT, social", 1, 1, true, 3, CancellationTransactions[0], "0.00", CancellationTexts[0], true,
       true, true, true, true, true},
      {"cancellation at KLDA", 1, 0, false, 3, CancellationTransactions[0], "0.00", CancellationTexts[0], true, true,
       true, true, true, false},
      {"certification at KLDA", 2, 0, false, 5, CertificationTransactions[0], "0.00", CertificationTexts[0], false,
       false, false, false, true, false},
      {"certification at MVT, social", 2, 1, true, 4, CertificationTransactions[1], "0.00",
       CertificationSocialTexts[0], false, false, false, false, true, true},
      {"certification at MVT, normal", 2, 1, false, 4, CertificationTransactions[1], "0.00", CertificationTexts[1],
       false, false, false, false, true, true},
      {"report at MVT, social", 3, 1, true, 1, ReportTransactions[0], "0.00", WithNote(ReportText, true), false,
       false, false, false, true, true},
      {"report at KLDA", 3, 0, false, 1, ReportTransactions[0], "0.00", ReportText, false, false, false, false, true,
       false},
      {"presentation at MVT", 4, 1, true, 1, PresentationTransactions[0], "8.86", PresentationText, false, true,
       false, false, false, false},
      {"presentation at KLDA", 4, 0, false, 1, PresentationTransactions[0], "8.86", PresentationText, false, true,
       false, false, false, false},
      {"substitution at MVT", 5, 1, true, 1, SubstitutionTransactions[0], "0.00", SubstitutionText, false, false,
       false, false, false, false},
  };
}

// Gets to the office and project kind first, then to a different service
// (so that the chosen one is a real change), then to the row's service.
void ReachRow(HWND window, const ServiceRow& row) {
  if (row.Office != 0) {
    ChooseListEntry(window, IDC_OFFICE, row.Office);
    if (row.Social) ClickButton(window, IDC_SOCIAL_INTEREST);
  }
  ChooseListEntry(window, IDC_SERVICE, row.Service == 1 ? 0 : 1);
  TypeAmount(window, "1234");
  ChooseListEntry(window, IDC_SERVICE, row.Service);
}

TEST(ServiceChange, ListTextsAmountsAndEnabledStates) {
  for (const ServiceRow& row : ServiceRows()) {
    RunCalculator([&](HWND window) {
      ReachRow(window, row);
      EXPECT_EQ(ListCount(window, IDC_TRANSACTION), row.Count) << row.Name;
      EXPECT_EQ(Selection(window, IDC_TRANSACTION), 0) << row.Name;
      EXPECT_EQ(SelectedText(window, IDC_TRANSACTION), row.FirstEntry) << row.Name;
      EXPECT_EQ(ControlText(window, IDC_FEE), row.Fee) << row.Name;
      EXPECT_EQ(ControlText(window, AMOUNT), "0.00") << row.Name;
      EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), row.Text) << row.Name;
      const struct {
        int Id;
        bool Enabled;
      } states[] = {
          {IDC_AMOUNT_LABEL, row.AmountOn}, {AMOUNT, row.AmountOn},
          {IDC_FEE_LABEL, row.FeeOn},       {IDC_FEE, row.FeeOn},
          {IDC_CALCULATE, row.CalculateOn}, {IDC_TOGGLE_TEXT, row.ToggleOn},
          {IDC_TOGGLE_TEXT_LABEL, row.ToggleOn}, {IDC_OFFICE_LABEL, row.OfficeOn},
          {IDC_OFFICE, row.OfficeOn},       {IDC_NORMAL_PROJECT, row.RadiosOn},
          {IDC_SOCIAL_INTEREST, row.RadiosOn}, {IDC_SERVICE, true},
          {IDC_TRANSACTION, true},        {IDC_DESCRIPTION, true},
      };
      for (const auto& state : states)
        EXPECT_EQ(IsEnabled(window, state.Id), state.Enabled) << row.Name << ", control " << state.Id;
    });
  }
}

TEST(ServiceChange, ResetsAComputedFee) {
  const struct {
    int Service;
    const char* Fee;
  } rows[] = {{1, "0.00"}, {2, "0.00"}, {3, "0.00"}, {4, "8.86"}, {5, "0.00"}};
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      TypeAmount(window, "25,000");
      ClickButton(window, IDC_CALCULATE);
      ASSERT_EQ(ControlText(window, IDC_FEE), "157.50");
      ChooseListEntry(window, IDC_SERVICE, row.Service);
      EXPECT_EQ(ControlText(window, IDC_FEE), row.Fee) << "service " << row.Service;
      EXPECT_EQ(ControlText(window, AMOUNT), "0.00") << "service " << row.Service;
    });
  }
}

TEST(ServiceChange, InscriptionAfterCertificationShowsTheNoteAtMvtSocial) {
  RunCalculator([](HWND window) {
    ChooseListEntry(window, IDC_OFFICE, 1);
    ClickButton(window, IDC_SOCIAL_INTEREST);
    ChooseListEntry(window, IDC_SERVICE, 2);
    ChooseListEntry(window, IDC_SERVICE, 0);
    EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), WithNote(InscriptionTexts[0], true));
    EXPECT_EQ(ListCount(window, IDC_TRANSACTION), 13);
    EXPECT_TRUE(IsEnabled(window, IDC_CALCULATE));
  });
}

TEST(ServiceChange, PerLotChoiceSurvivesAServiceRoundTrip) {
  RunCalculator([](HWND window) {
    const int partitions = 12;
    for (int pass = 0; pass < 2; ++pass) {
      ChooseListEntry(window, IDC_TRANSACTION, partitions);
      EXPECT_EQ(ControlText(window, IDC_DESCRIPTION), InscriptionTexts[partitions]) << "pass " << pass;
      EXPECT_FALSE(IsEnabled(window, IDC_CALCULATE)) << "pass " << pass;
      EXPECT_FALSE(IsEnabled(window, AMOUNT)) << "pass " << pass;
      ChooseListEntry(window, IDC_SERVICE, 1);
      ChooseListEntry(window, IDC_SERVICE, 0);
      EXPECT_EQ(SelectedText(window, IDC_TRANSACTION), InscriptionTransactions[0]) << "pass " << pass;
      EXPECT_TRUE(IsEnabled(window, IDC_CALCULATE)) << "pass " << pass;
    }
  });
}

}  // namespace
}  // namespace tarivox::uitest
