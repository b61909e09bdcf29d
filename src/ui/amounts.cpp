// The amount field and the fee display: the window's side of a
// computation. Every rule about the texts lives in the core; this file only
// reads the controls and writes the results back.
#include "fees/amount_text.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

namespace tarivox {
namespace {

template <std::size_t Size>
void CopyBounded(char (&target)[Size], const char* text) {
  std::size_t i = 0;
  for (; i + 1 < Size && text[i] != '\0'; ++i) target[i] = text[i];
  target[i] = '\0';
}

}  // namespace

void SetAmountTexts(const char* fee, const char* amount) {
  CopyBounded(FeeText, fee);
  CopyBounded(AmountText, amount);
}

void ReadAmountField(HWND window) {
  char field[AMOUNT_TEXT_SIZE] = {};
  // The control copies at most 127 characters; a field it cannot read
  // counts as empty.
  if (GetDlgItemTextA(window, IDC_AMOUNT, field, static_cast<int>(sizeof field)) == 0) field[0] = '\0';
  ReadAmountText(field);
}

// The computation from the cleaned text that ReadAmountField left in
// AmountText; the three buffers then hold its texts until the window shows
// them.
void ComputeFee(HWND window) {
  const FeeComputation computation = ComputeFeeTexts(ReadSelection(window), AmountText);
  if (!computation.Computed) return;
  CopyBounded(AmountText, computation.Amount.Bytes);
  CopyBounded(FeeText, computation.Fee.Bytes);
  CopyBounded(MessageText, computation.Message.Bytes);
}

void ShowAmounts(HWND window) {
  SetDlgItemTextA(window, IDC_FEE, FeeText);
  SetDlgItemTextA(window, IDC_AMOUNT, AmountText);
}

void OnCalculate(HWND window) {
  ReadAmountField(window);
  ComputeFee(window);
  ShowAmounts(window);
  TrayIconCommand(window, NIM_MODIFY, TRAY_ICON_ID, LoadTrayImage(), MessageText);
}

}  // namespace tarivox
