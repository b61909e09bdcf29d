// The handlers of the three lists and the two project-kind buttons. A list
// notifies on focus, opening, closing and selection alike; the Last...
// guards let only a real change of selection through.
#include "catalogue/description.h"
#include "fees/amount_text.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

namespace tarivox {
namespace {

void EnableControl(HWND window, int id, bool enable) { EnableWindow(GetDlgItem(window, id), enable ? TRUE : FALSE); }

void EnableRadios(HWND window, bool enable) {
  EnableControl(window, IDC_NORMAL_PROJECT, enable);
  EnableControl(window, IDC_SOCIAL_INTEREST, enable);
}

void ApplyServiceControlState(HWND window, int service, int office) {
  if (ServiceOf(WindowTariff(), service) == nullptr) return;
  const ServiceControls state = ControlsOf(WindowTariff(), service);
  EnableControl(window, IDC_AMOUNT_LABEL, state.Amount);
  EnableControl(window, IDC_AMOUNT, state.Amount);
  EnableControl(window, IDC_FEE_LABEL, state.Fee);
  EnableControl(window, IDC_FEE, state.Fee);
  EnableControl(window, IDC_CALCULATE, state.Calculate);
  EnableControl(window, IDC_TOGGLE_TEXT, state.Toggle);
  EnableControl(window, IDC_TOGGLE_TEXT_LABEL, state.Toggle);
  EnableControl(window, IDC_OFFICE_LABEL, state.Office);
  EnableControl(window, IDC_OFFICE, state.Office);
  // At office 0 the radios are already disabled; leaving them alone keeps
  // them so.
  if (!state.ProjectKind) EnableRadios(window, false);
  else if (OfficeOffersSocialInterest(WindowTariff(), office)) EnableRadios(window, true);
}

// Whether two offices load other transaction lists for a service (the
// tariff may offer a transaction at some offices only).
bool ListsDiffer(int service, int office, int otherOffice) {
  const Edition& tariff = WindowTariff();
  const Selection one{office, service, 0, false}, other{otherOffice, service, 0, false};
  if (LoadedCount(tariff, one) != LoadedCount(tariff, other)) return true;
  for (Selection a = one, b = other; a.TransactionIndex < LoadedCount(tariff, one); ++a.TransactionIndex, ++b.TransactionIndex) {
    if (LoadedEntry(tariff, a) != LoadedEntry(tariff, b)) return true;
  }
  return false;
}

void ShowDescription(HWND window, const Selection& selection) {
  UpdateDescription(window, selection.ServiceIndex, selection.TransactionIndex, selection.OfficeIndex,
                    selection.SocialInterest ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

void AddListText(HWND window, int listId, const char* text) {
  SendDlgItemMessageA(window, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void LoadTransactionList(HWND window, const Selection& selection) {
  SendDlgItemMessageA(window, IDC_TRANSACTION, CB_RESETCONTENT, 0, 0);
  for (Selection at = {selection.OfficeIndex, selection.ServiceIndex, 0, false};
       at.TransactionIndex < LoadedCount(WindowTariff(), at); ++at.TransactionIndex) {
    AddListText(window, IDC_TRANSACTION, LoadedEntry(WindowTariff(), at)->Name);
  }
  SendDlgItemMessageA(window, IDC_TRANSACTION, CB_SETCURSEL, 0, 0);
  CalculatorState.LastTransaction = 0;
}

void OnOfficeChange(HWND window) {
  Selection selection = ReadSelection(window);
  if (selection.OfficeIndex == CalculatorState.LastOffice) return;
  const int previous = CalculatorState.LastOffice;
  CalculatorState.LastOffice = selection.OfficeIndex;
  // A transaction offered at some offices only changes the list.
  if (ListsDiffer(selection.ServiceIndex, previous, selection.OfficeIndex)) LoadTransactionList(window, selection);
  EnableRadios(window, OfficeOffersSocialInterest(WindowTariff(), selection.OfficeIndex));
  selection.TransactionIndex = ReadSelection(window).TransactionIndex;
  ShowDescription(window, selection);
}

void OnServiceChange(HWND window) {
  const Selection selection = ReadSelection(window);
  if (selection.ServiceIndex == CalculatorState.LastService) return;
  CalculatorState.LastService = selection.ServiceIndex;
  LoadTransactionList(window, selection);
  ApplyServiceControlState(window, selection.ServiceIndex, selection.OfficeIndex);
  // The fee the service shows before any computation ("Presentación" its
  // fixed fee, the others 0.00).
  char fee[FEE_TEXT_SIZE] = "";
  WriteGroupedCents(static_cast<unsigned long long>(FeeShownBeforeComputation(WindowTariff(), selection.ServiceIndex)),
                    fee, sizeof fee);
  SetAmountTexts(fee, "0.00");
  // The text of the new list's first entry, as UpdateDescription gives it.
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(WindowTariff(), {selection.OfficeIndex, selection.ServiceIndex, 0, selection.SocialInterest},
                     text);
  SetDlgItemTextA(window, IDC_DESCRIPTION, text);
  const ServiceEntry* service = ServiceOf(WindowTariff(), selection.ServiceIndex);
  if (service != nullptr && service->ExpandsText) ExpandTextPanel(window);
  ShowAmounts(window);
}

void OnTransactionChange(HWND window) {
  const Selection selection = ReadSelection(window);
  if (selection.TransactionIndex == CalculatorState.LastTransaction) return;
  CalculatorState.LastTransaction = selection.TransactionIndex;
  ShowDescription(window, selection);
}

void OnProjectKindClick(HWND window) { ShowDescription(window, ReadSelection(window)); }

}  // namespace tarivox
