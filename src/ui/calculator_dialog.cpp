// The calculator dialog's procedure and the window's state: a dispatcher
// that hands each message to its handler. WM_COMMAND looks only at the
// identifier, never at the notification code; the handlers' guards make
// repeated notifications harmless.
#include "fees/amount_text.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

// The identifiers are fixed by the templates and by code that other programs
// may address (the tray callback, the menu commands); none may drift.
static_assert(IDD_CALCULATOR == 111 && IDD_ABOUT == 125);
static_assert(IDI_APP == 102 && IDB_MENU_LOGO == 135);
static_assert(IDC_CALCULATE == 6 && IDC_AMOUNT == 1021 && IDC_OFFICE == 1031 && IDC_SERVICE == 1032);
static_assert(IDC_TRANSACTION == 1033 && IDC_NORMAL_PROJECT == 1034 && IDC_SOCIAL_INTEREST == 1035);
static_assert(IDC_DESCRIPTION == 1037 && IDC_AMOUNT_LABEL == 1039 && IDC_FEE_LABEL == 1040);
static_assert(IDC_OFFICE_LABEL == 1042 && IDC_FEE == 1043 && IDC_TOGGLE_TEXT == 1044 && IDC_TOGGLE_TEXT_LABEL == 1045);
static_assert(IDM_TRAY_ABOUT == 32878 && IDM_TRAY_EXIT == 32879);
static_assert(TRAY_ICON_ID == 1006 && WM_TRAYNOTIFY == 0x8064 && WM_TRAYNOTIFY == WM_APP + 100);
static_assert(IDCANCEL == 2 && IDOK == 1);

namespace tarivox {

CalculatorWindowState CalculatorState;

void ResetCalculatorState(HINSTANCE instance) {
  CalculatorState = {};
  CalculatorState.Instance = instance;
}

INT_PTR CALLBACK CalculatorDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(window);
      return TRUE;  // the dialog manager then focuses the amount field
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TRAYNOTIFY:
      OnTrayNotify(window, lParam);
      return TRUE;
    case WM_DESTROY:
      OnDestroy(window);
      return TRUE;
    case WM_SHOWWINDOW:
      return TRUE;  // keeps the dialog manager's own handling out
    default:
      return FALSE;
  }
}

void OnCommand(HWND window, WORD id) {
  switch (id) {
    case IDC_OFFICE: OnOfficeChange(window); break;
    case IDC_SERVICE: OnServiceChange(window); break;
    case IDC_TRANSACTION: OnTransactionChange(window); break;
    case IDC_NORMAL_PROJECT:
    case IDC_SOCIAL_INTEREST: OnProjectKindClick(window); break;
    case IDC_TOGGLE_TEXT: ToggleTextPanel(window); break;
    case IDC_CALCULATE: OnCalculate(window); break;
    case IDCANCEL:
    case IDM_TRAY_EXIT: EndDialog(window, 1); break;
    case IDM_TRAY_ABOUT:
      DialogBoxParamA(CalculatorState.Instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0);
      break;
    default: break;
  }
}

// The yellow background of the fee display: one brush, made at the first
// repaint and kept until the window is destroyed.
INT_PTR OnCtlColorStatic(HWND window, HDC dc, HWND control) {
  if (control == nullptr || control != GetDlgItem(window, IDC_FEE)) return FALSE;
  SetBkMode(dc, TRANSPARENT);
  if (CalculatorState.FeeBrush == nullptr) CalculatorState.FeeBrush = CreateSolidBrush(RGB(243, 253, 64));
  return reinterpret_cast<INT_PTR>(CalculatorState.FeeBrush);
}

Selection ReadSelection(HWND window) {
  return {
      static_cast<int>(SendDlgItemMessageA(window, IDC_OFFICE, CB_GETCURSEL, 0, 0)),
      static_cast<int>(SendDlgItemMessageA(window, IDC_SERVICE, CB_GETCURSEL, 0, 0)),
      static_cast<int>(SendDlgItemMessageA(window, IDC_TRANSACTION, CB_GETCURSEL, 0, 0)),
      SendDlgItemMessageA(window, IDC_SOCIAL_INTEREST, BM_GETCHECK, 0, 0) == BST_CHECKED,
  };
}

}  // namespace tarivox
