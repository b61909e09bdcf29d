// The calculator window, one row per behaviour: what the user does, then
// what the window shows. A row names only the fields that differ from the
// window as it opens; every other field must still read as it opened.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "harness.h"
#include "resource.h"

namespace tarivox::uitest {
namespace {

template <std::size_t Count>
std::string List(const char* const (&items)[Count], int selected, int first = 0) {
  std::string shown;
  for (int i = first; i < static_cast<int>(Count); ++i)
    shown += (i > first ? "|" : "") + (i - first == selected ? "[" + std::string(items[i]) + "]" : items[i]);
  return shown;
}

using Shows = std::pair<Field, std::string>;
Shows Service(int index) { return {SERVICES, List(ServiceNames, index)}; }
template <std::size_t Count>
Shows Listed(const char* const (&items)[Count], int selected, int first = 0) {
  return {TRANSACTIONS, List(items, selected, first)};
}
Shows Text(const std::string& text) { return {TEXT, text}; }
Shows Noted(const char* text) { return {TEXT, std::string(text) + SocialInterestNote}; }
Shows Disabled(const std::string& names) { return {DISABLED, names}; }
const Shows AtMvt = {OFFICES, List(OfficeNames, 1)}, SocialChecked = {CHECKED, "social"}, AllEnabled = Disabled("");

Snapshot Opened() {
  return {"normal social", List(OfficeNames, 0), List(ServiceNames, 0), List(InscriptionTransactions, 0), "normal",
          "0.00", "0.00", InscriptionTexts[0], "Ocultar texto", "0", "0,0", "shown"};
}

const std::string CALCULATION = "amount-label amount fee-label fee calculate toggle toggle-label";
const std::string NO_FEE_AT_KLDA = CALCULATION + " normal social";
const std::string ENDED = "ended by the program";

struct Row {
  const char* Name;
  std::vector<Step> Acts;
  std::vector<Shows> Shown;
};

std::vector<Row> Rows() {
  const Step mvt = Choose(IDC_OFFICE, 1), social = Click(IDC_SOCIAL_INTEREST), calculate = Click(IDC_CALCULATE);
  const Step toggle = Click(IDC_TOGGLE_TEXT), rightClick = TrayMouse(WM_RBUTTONDOWN);
  const Step certification = Choose(IDC_SERVICE, 2);
  const Step third = Choose(IDC_TRANSACTION, 3), typed = Type("777");
  const std::vector<Shows> untouched = {Listed(InscriptionTransactions, 3), {AMOUNT, "777"}, Text(InscriptionTexts[3])};
  return {
      {"opens at the top left with the first entries", {}, {}},
      {"Esc or the close box ends it", {Command(IDCANCEL)}, {{WINDOW, ENDED}}},
      // A change of service.
      {"Cancelacion resets a computed fee", {Type("25,000"), calculate, Choose(IDC_SERVICE, 1)},
       {Service(1), Listed(CancellationTransactions, 0), Text(CancellationTexts[0])}},
      {"Certificacion at KLDA: explained, not computed, the panel shown", {toggle, certification},
       {Service(2), Listed(CertificationTransactions, 0), Text(CertificationTexts[0]), Disabled(NO_FEE_AT_KLDA)}},
      {"Certificacion at MVT has no Literales", {mvt, certification},
       {AtMvt, Service(2), Listed(CertificationTransactions, 0, 1), Text(CertificationTexts[1]), Disabled(CALCULATION)}},
      {"Informe at MVT with Interes Social", {mvt, social, Choose(IDC_SERVICE, 3)},
       {AtMvt, Service(3), Listed(ReportTransactions, 0), SocialChecked, Noted(ReportText), Disabled(CALCULATION)}},
      {"Presentacion shows the fixed fee and locks the office", {mvt, Choose(IDC_SERVICE, 4)},
       {AtMvt, Service(4), Listed(PresentationTransactions, 0), {FEE, "8.86"}, Text(PresentationText),
        Disabled("amount-label amount calculate toggle toggle-label office-label office normal social")}},
      {"Sustitucion leaves the two lower lists and the text", {Choose(IDC_SERVICE, 5)},
       {Service(5), Listed(SubstitutionTransactions, 0), Text(SubstitutionText),
        Disabled(CALCULATION + " office-label office normal social")}},
      {"Cancelacion after Sustitucion at MVT enables the office and the buttons",
       {mvt, Choose(IDC_SERVICE, 5), Choose(IDC_SERVICE, 1)},
       {AtMvt, Service(1), Listed(CancellationTransactions, 0), Text(CancellationTexts[0]), AllEnabled}},
      {"Inscripcion after Certificacion at MVT with Interes Social has the note",
       {mvt, social, certification, Choose(IDC_SERVICE, 0)}, {AtMvt, SocialChecked, Noted(InscriptionTexts[0]), AllEnabled}},
      // Lists notify on focus, opening and closing too; only a new choice counts.
      {"the office chosen again changes nothing", {third, typed, Choose(IDC_OFFICE, 0)}, untouched},
      {"the service chosen again changes nothing", {third, typed, Choose(IDC_SERVICE, 0)}, untouched},
      {"the transaction chosen again changes nothing", {third, typed, third}, untouched},
      // A change of office.
      {"back at KLDA the buttons are disabled, the check kept, the note gone", {mvt, social, Choose(IDC_OFFICE, 0)},
       {SocialChecked}},
      {"with Certificacion the office reloads the transactions",
       {mvt, certification, Choose(IDC_TRANSACTION, 2), Choose(IDC_OFFICE, 0)},
       {Service(2), Listed(CertificationTransactions, 0), Text(CertificationTexts[0]), Disabled(NO_FEE_AT_KLDA)}},
      {"with another service the office keeps the transactions", {Choose(IDC_SERVICE, 1), Choose(IDC_TRANSACTION, 2), mvt},
       {AtMvt, Service(1), Listed(CancellationTransactions, 2), Text(CancellationTexts[2]), AllEnabled}},
      // The project kind and the transaction.
      {"the checked button clicked again shows the last result", {mvt, Type("1000"), calculate, Type("55"),
       Click(IDC_NORMAL_PROJECT)}, {AtMvt, {FEE, "8.86"}, {AMOUNT, "1,000.00"}, AllEnabled}},
      {"a transaction at MVT with Interes Social gets the note", {mvt, social, Choose(IDC_SERVICE, 1),
       Choose(IDC_TRANSACTION, 1)}, {AtMvt, Service(1), Listed(CancellationTransactions, 1), SocialChecked,
       Noted(CancellationTexts[1]), AllEnabled}},
      {"Certificacion at MVT with Interes Social takes the social texts", {mvt, social, certification,
       Choose(IDC_TRANSACTION, 2)}, {AtMvt, Service(2), Listed(CertificationTransactions, 2, 1), SocialChecked,
       Text(CertificationSocialTexts[2]), Disabled(CALCULATION)}},
      {"a per-lot transaction: no calculation, amounts zero, the panel shown", {Type("25,000"), calculate, toggle,
       Choose(IDC_TRANSACTION, 9)}, {Listed(InscriptionTransactions, 9), Text(InscriptionTexts[9]),
       Disabled(NO_FEE_AT_KLDA)}},
      {"a computed transaction after it enables the calculation again",
       {Choose(IDC_TRANSACTION, 9), Choose(IDC_TRANSACTION, 0)}, {}},
      {"a per-lot transaction counts again after a round trip through another service", {Choose(IDC_TRANSACTION, 12),
       Choose(IDC_SERVICE, 1), Choose(IDC_SERVICE, 0), Choose(IDC_TRANSACTION, 12)},
       {Listed(InscriptionTransactions, 12), Text(InscriptionTexts[12]), Disabled(NO_FEE_AT_KLDA)}},
      // The text panel.
      {"the toggle hides the panel", {toggle}, {{LABEL, "    Ver texto"}, {HEIGHT, "-110"}}},
      {"a second toggle shows it where the user put the window", {toggle, MoveTo(120, 70), toggle}, {{PLACE, "120,70"}}},
      {"back at Inscripcion the panel stays shown", {toggle, certification, Choose(IDC_SERVICE, 0)}, {}},
      // Calcular pago (also Enter: the dialog manager presses the default button).
      {"Calcular pago reads the service and the transaction", {Choose(IDC_SERVICE, 1), Choose(IDC_TRANSACTION, 2),
       Type("25000"), calculate}, {Service(1), Listed(CancellationTransactions, 2), Text(CancellationTexts[2]),
       {FEE, "29.71"}, {AMOUNT, "25,000.00"}}},
      {"Calcular pago reads the office and Interes Social", {mvt, social, Type("1234.125"), calculate},
       {AtMvt, SocialChecked, Noted(InscriptionTexts[0]), {FEE, "5.71"}, {AMOUNT, "1,234.13"}, AllEnabled}},
      // The notification-area icon, its menu and the About box.
      {"a right click on the icon hides the window", {rightClick}, {{WINDOW, "hidden"}}},
      {"a second right click brings a minimised window back at its size", {Minimise(), rightClick, rightClick}, {}},
      {"other mouse messages on the icon do nothing",
       {TrayMouse(WM_MOUSEMOVE), TrayMouse(WM_LBUTTONUP), TrayMouse(WM_RBUTTONUP), TrayMouse(WM_LBUTTONDBLCLK)}, {}},
      {"Salir in the menu ends it, even hidden", {rightClick, PickFromTrayMenu(1)}, {{WINDOW, ENDED}}},
      {"a menu closed without a choice changes nothing", {PickFromTrayMenu(-1)}, {}},
      {"the picture opens the About box; Esc leaves it open, OK closes it",
       {PickFromTrayMenu(0), InAboutBox(IDCANCEL), InAboutBox(IDOK)}, {}},
      {"the About box opens while the window is hidden", {rightClick, PickFromTrayMenu(0)},
       {{WINDOW, "hidden, About box open"}}},
  };
}

TEST(CalculatorWindow, ShowsWhatEachActLeaves) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.Name);
    Snapshot shown;
    shown[WINDOW] = ENDED;
    std::vector<Step> steps = row.Acts;
    steps.push_back(TakeSnapshot(&shown));
    const CalculatorRun run = RunCalculator(steps);
    if (shown[WINDOW] == ENDED && run.Result != 1) shown[WINDOW] = "ended with " + std::to_string(run.Result);
    Snapshot expected = Opened();
    for (const auto& [field, value] : row.Shown) expected[field] = value;
    for (int field = 0; field < FIELDS; ++field) {
      if (expected[WINDOW] == ENDED && field != WINDOW) continue;
      EXPECT_EQ(shown[field], expected[field]) << row.Name << ": " << FieldNames[field];
    }
  }
}

}  // namespace
}  // namespace tarivox::uitest
