// The calculator window, one row per behaviour: what the user does, then
// what the window shows. A row names only the fields that differ from the
// window as it opens; every other field must still read as it opened, but
// for the office and service lists, which must show what the user picked.
#include <gtest/gtest.h>

#include <vector>

#include "catalogue/edition.h"
#include "harness.h"
#include "resource.h"

namespace tarivox::uitest {
namespace {

// The window's lists and texts, as the built-in edition has them.
using Texts = std::vector<const char*>;
template <typename Pick>
Texts Of(int service, Pick pick) {
  Texts texts;
  const ServiceEntry& entry = BuiltInEdition().Services[service];
  for (int i = 0; i < entry.TransactionCount; ++i) texts.push_back(pick(entry.Transactions[i]));
  return texts;
}
Texts NamesOf(int service) { return Of(service, [](const TransactionEntry& e) { return e.Name; }); }
Texts TextsOf(int service) { return Of(service, [](const TransactionEntry& e) { return e.Text; }); }

const Texts InscriptionTransactions = NamesOf(0), InscriptionTexts = TextsOf(0);
const Texts CancellationTransactions = NamesOf(1), CancellationTexts = TextsOf(1);
const Texts CertificationTransactions = NamesOf(2), CertificationTexts = TextsOf(2);
// At MVT with Interes Social: position i is certification i + 1.
const Texts CertificationSocialTexts = [] {
  Texts texts = Of(2, [](const TransactionEntry& e) { return e.SocialText; });
  texts.erase(texts.begin());
  return texts;
}();
const Texts ReportTransactions = NamesOf(3), PresentationTransactions = NamesOf(4), SubstitutionTransactions = NamesOf(5);
const char* const ReportText = TextsOf(3)[0];
const char* const PresentationText = TextsOf(4)[0];
const char* const SubstitutionText = TextsOf(5)[0];
const char* const SocialInterestNote = BuiltInEdition().SocialNote;
const Texts OfficeNames = {BuiltInEdition().Offices[0].Name, BuiltInEdition().Offices[1].Name};
const Texts ServiceNames = [] {
  Texts names;
  for (int i = 0; i < BuiltInEdition().ServiceCount; ++i) names.push_back(BuiltInEdition().Services[i].Name);
  return names;
}();

std::string List(const Texts& items, int selected, int first = 0) {
  std::string shown;
  for (int i = first; i < static_cast<int>(items.size()); ++i) {
    const std::string item = items[static_cast<std::size_t>(i)];
    shown += (i > first ? "|" : "") + (i - first == selected ? "[" + item + "]" : item);
  }
  return shown;
}

using Shows = std::pair<Field, std::string>;
Shows Listed(const Texts& items, int selected, int first = 0) { return {TRANSACTIONS, List(items, selected, first)}; }
Shows Text(const std::string& text) { return {TEXT, text}; }
Shows Noted(const char* text) { return {TEXT, std::string(text) + SocialInterestNote}; }
Shows Disabled(const std::string& names) { return {DISABLED, names}; }
const Shows Social = {CHECKED, "social"}, AllEnabled = Disabled("");

Snapshot Opened() {
  return {"normal social", "", List(InscriptionTransactions, 0), "normal", "0.00 / 0.00", InscriptionTexts[0],
          "Ocultar texto", "0,0 0x0", "shown"};
}

const std::string CALCULATION = "amount-label amount fee-label fee calculate toggle toggle-label";
const std::string NO_FEE_AT_KLDA = CALCULATION + " normal social", LOCKED = "office-label office normal social";
const std::string ENDED = "ended by the program";

struct Row {
  const char* Name;
  std::vector<Step> Acts;
  std::vector<Shows> Shown;
};

std::vector<Row> Rows() {
  const Step mvt = Choose(IDC_OFFICE, 1), social = Click(IDC_SOCIAL_INTEREST), calculate = Click(IDC_CALCULATE);
  const Step toggle = Click(IDC_TOGGLE_TEXT), rightClick = TrayMouse(WM_RBUTTONDOWN);
  const Step klda = Choose(IDC_OFFICE, 0), normal = Click(IDC_NORMAL_PROJECT), typed = Type("777");
  const Step inscription = Choose(IDC_SERVICE, 0), cancellation = Choose(IDC_SERVICE, 1);
  const Step certification = Choose(IDC_SERVICE, 2), substitution = Choose(IDC_SERVICE, 5);
  const Step first = Choose(IDC_TRANSACTION, 1), second = Choose(IDC_TRANSACTION, 2);
  const Step third = Choose(IDC_TRANSACTION, 3);
  const Step ninth = Choose(IDC_TRANSACTION, 9), twelfth = Choose(IDC_TRANSACTION, 12);
  const std::vector<Shows> untouched = {Listed(InscriptionTransactions, 3), {AMOUNTS, "0.00 / 777"},
                                        Text(InscriptionTexts[3])};
  return {
      {"opens at the top left with the first entries", {}, {}},
      {"Esc or the close box ends it", {Command(IDCANCEL)}, {{WINDOW, ENDED}}},
      // A change of service.
      {"Cancelacion resets a computed fee", {Type("25,000"), calculate, cancellation},
       {Listed(CancellationTransactions, 0), Text(CancellationTexts[0])}},
      {"Certificacion at KLDA: explained, not computed, the panel shown", {toggle, certification},
       {Listed(CertificationTransactions, 0), Text(CertificationTexts[0]), Disabled(NO_FEE_AT_KLDA)}},
      {"Certificacion at MVT has no Literales", {mvt, certification},
       {Listed(CertificationTransactions, 0, 1), Text(CertificationTexts[1]), Disabled(CALCULATION)}},
      {"Informe at MVT with Interes Social", {mvt, social, Choose(IDC_SERVICE, 3)},
       {Listed(ReportTransactions, 0), Social, Noted(ReportText), Disabled(CALCULATION)}},
      {"Presentacion shows the fixed fee and locks the office", {mvt, Choose(IDC_SERVICE, 4)},
       {Listed(PresentationTransactions, 0), {AMOUNTS, "8.86 / 0.00"}, Text(PresentationText),
        Disabled("amount-label amount calculate toggle toggle-label " + LOCKED)}},
      {"Sustitucion leaves the two lower lists and the text", {substitution},
       {Listed(SubstitutionTransactions, 0), Text(SubstitutionText), Disabled(CALCULATION + " " + LOCKED)}},
      {"Cancelacion after Sustitucion at MVT: the office and the buttons back", {mvt, substitution, cancellation},
       {Listed(CancellationTransactions, 0), Text(CancellationTexts[0]), AllEnabled}},
      {"Inscripcion after Certificacion, at MVT with Interes Social", {mvt, social, certification, inscription},
       {Social, Noted(InscriptionTexts[0]), AllEnabled}},
      // Lists notify on focus, opening and closing too; only a new choice counts.
      {"the office chosen again changes nothing", {third, typed, klda}, untouched},
      {"the service chosen again changes nothing", {third, typed, inscription}, untouched},
      {"the transaction chosen again changes nothing", {third, typed, third}, untouched},
      // A change of office.
      {"back at KLDA the buttons are disabled, the check kept, the note gone", {mvt, social, klda}, {Social}},
      {"with Certificacion the office reloads the transactions", {mvt, certification, second, klda},
       {Listed(CertificationTransactions, 0), Text(CertificationTexts[0]), Disabled(NO_FEE_AT_KLDA)}},
      {"with another service the office keeps the transactions", {cancellation, second, mvt},
       {Listed(CancellationTransactions, 2), Text(CancellationTexts[2]), AllEnabled}},
      // The project kind and the transaction.
      {"the checked button again shows the last result", {mvt, Type("1000"), calculate, Type("55"), normal},
       {{AMOUNTS, "8.86 / 1,000.00"}, AllEnabled}},
      {"a transaction at MVT with Interes Social gets the note", {mvt, social, cancellation, first},
       {Listed(CancellationTransactions, 1), Social, Noted(CancellationTexts[1]), AllEnabled}},
      {"Certificacion at MVT with Interes Social takes the social texts", {mvt, social, certification, second},
       {Listed(CertificationTransactions, 2, 1), Social, Text(CertificationSocialTexts[2]), Disabled(CALCULATION)}},
      {"a per-lot transaction: no calculation, zero amounts, panel shown", {Type("25,000"), calculate, toggle, ninth},
       {Listed(InscriptionTransactions, 9), Text(InscriptionTexts[9]), Disabled(NO_FEE_AT_KLDA)}},
      {"a computed transaction after it enables the calculation again", {ninth, Choose(IDC_TRANSACTION, 0)}, {}},
      {"a per-lot transaction after a round trip to another service", {twelfth, cancellation, inscription, twelfth},
       {Listed(InscriptionTransactions, 12), Text(InscriptionTexts[12]), Disabled(NO_FEE_AT_KLDA)}},
      // The text panel.
      {"the toggle hides the panel", {toggle}, {{LABEL, "    Ver texto"}, {PLACE, "0,0 0x-110"}}},
      {"a second toggle shows it where the user put the window", {toggle, MoveTo(120, 70), toggle},
       {{PLACE, "120,70 0x0"}}},
      {"back at Inscripcion the panel stays shown", {toggle, certification, inscription}, {}},
      // Calcular pago (also Enter: the dialog manager presses the default button).
      {"Calcular pago reads the service and the transaction", {cancellation, second, Type("25000"), calculate},
       {Listed(CancellationTransactions, 2), Text(CancellationTexts[2]), {AMOUNTS, "29.71 / 25,000.00"}}},
      {"Calcular pago reads the office and Interes Social", {mvt, social, Type("1234.125"), calculate},
       {Social, Noted(InscriptionTexts[0]), {AMOUNTS, "5.71 / 1,234.13"}, AllEnabled}},
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
    std::map<int, int> picked = run.Picked;
    expected[CHOSEN] = List(OfficeNames, picked[IDC_OFFICE]) + " / " + List(ServiceNames, picked[IDC_SERVICE]);
    for (const auto& [field, value] : row.Shown) expected[field] = value;
    for (std::size_t field = expected[WINDOW] == ENDED ? WINDOW : 0; field < FIELDS; ++field)
      EXPECT_EQ(shown[field], expected[field]) << row.Name << ": " << FieldNames[field];
  }
}

}  // namespace
}  // namespace tarivox::uitest
