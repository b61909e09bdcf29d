// The yellow background of the fee display: one brush, made at the first
// repaint and kept until the window is destroyed.
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

namespace tarivox {

INT_PTR OnCtlColorStatic(HWND window, HDC dc, HWND control) {
  if (control == nullptr || control != GetDlgItem(window, IDC_FEE)) return FALSE;
  SetBkMode(dc, TRANSPARENT);
  if (CalculatorState.FeeBrush == nullptr) CalculatorState.FeeBrush = CreateSolidBrush(RGB(243, 253, 64));
  return reinterpret_cast<INT_PTR>(CalculatorState.FeeBrush);
}

}  // namespace tarivox
