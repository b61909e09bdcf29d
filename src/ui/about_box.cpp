// The About box: closed only by "OK" (or Enter, which presses it); Esc
// leaves it open.
#include "ui/calculator_ui.h"

namespace tarivox {

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace tarivox
