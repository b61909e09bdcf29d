// The handlers of the three lists and the two project-kind buttons. A list
// notifies on focus, opening, closing and selection alike; the Last...
// guards let only a real change of selection through.
#include "catalogue/description.h"
#include "catalogue/tariff_rules.h"
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
  if (service < 0 || service >= SERVICE_COUNT) return;
  const ServiceControls state = ControlsOf(service);
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
  else if (OfficeOffersSocialInterest(office)) EnableRadios(window, true);
}

void ReloadTransactions(HWND window, const Selection& selection) {
  LoadTransactionList(window, ServiceTransactions(selection.ServiceIndex), FirstLoadedTransaction(selection));
}

void ShowDescription(HWND window, const Selection& selection) {
  UpdateDescription(window, selection.ServiceIndex, selection.TransactionIndex, selection.OfficeIndex,
                    selection.SocialInterest ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

void AddListTexts(HWND window, int listId, TextList texts, int first) {
  for (int i = first < 0 ? 0 : first; i < texts.Count; ++i)
    SendDlgItemMessageA(window, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts.Items[i]));
}

void LoadTransactionList(HWND window, TextList list, int first) {
  SendDlgItemMessageA(window, IDC_TRANSACTION, CB_RESETCONTENT, 0, 0);
  AddListTexts(window, IDC_TRANSACTION, list, first);
  SendDlgItemMessageA(window, IDC_TRANSACTION, CB_SETCURSEL, 0, 0);
  CalculatorState.LastTransaction = 0;
}

void OnOfficeChange(HWND window) {
  Selection selection = ReadSelection(window);
  if (selection.OfficeIndex == CalculatorState.LastOffice) return;
  CalculatorState.LastOffice = selection.OfficeIndex;
  // "Literales" is offered at office 0 only, so the list changes length.
  if (selection.ServiceIndex == SERVICE_CERTIFICATION) ReloadTransactions(window, selection);
  EnableRadios(window, OfficeOffersSocialInterest(selection.OfficeIndex));
  selection.TransactionIndex = ReadSelection(window).TransactionIndex;
  ShowDescription(window, selection);
}

void OnServiceChange(HWND window) {
  const Selection selection = ReadSelection(window);
  if (selection.ServiceIndex == CalculatorState.LastService) return;
  CalculatorState.LastService = selection.ServiceIndex;
  ReloadTransactions(window, selection);
  ApplyServiceControlState(window, selection.ServiceIndex, selection.OfficeIndex);
  // "Presentación" shows its fixed fee, every other service 0.00.
  char fee[FEE_TEXT_SIZE] = "";
  WriteGroupedCents(static_cast<unsigned long long>(FeeShownBeforeComputation(selection.ServiceIndex)), fee,
                    sizeof fee);
  SetAmountTexts(fee, "0.00");
  // The text of the new list's first entry, as UpdateDescription gives it.
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription({selection.OfficeIndex, selection.ServiceIndex, 0, selection.SocialInterest}, text);
  SetDlgItemTextA(window, IDC_DESCRIPTION, text);
  if (selection.ServiceIndex >= SERVICE_CERTIFICATION) ExpandTextPanel(window);
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
