// What the calculator window does when it opens and when it is destroyed.
#include "catalogue/description.h"
#include "fees/amount_text.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

namespace tarivox {
namespace {

// The window opens where it last stood in this run: the top-left corner of
// the screen at start, wherever the template first placed it.
void MoveToSavedPosition(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MoveWindow(window, CalculatorState.SavedPosition.x, CalculatorState.SavedPosition.y, rect.right - rect.left,
             rect.bottom - rect.top, TRUE);
}

void FillLists(HWND window) {
  const Edition& tariff = WindowTariff();
  for (int office = 0; office < tariff.OfficeCount; ++office) AddListText(window, IDC_OFFICE, tariff.Offices[office].Name);
  for (int service = 0; service < tariff.ServiceCount; ++service) {
    AddListText(window, IDC_SERVICE, tariff.Services[service].Name);
  }
  for (Selection at{0, 0, 0, false}; at.TransactionIndex < LoadedCount(tariff, at); ++at.TransactionIndex) {
    AddListText(window, IDC_TRANSACTION, LoadedEntry(tariff, at)->Name);
  }
  SendDlgItemMessageA(window, IDC_OFFICE, CB_SETCURSEL, 0, 0);
  SendDlgItemMessageA(window, IDC_SERVICE, CB_SETCURSEL, 0, 0);
  SendDlgItemMessageA(window, IDC_TRANSACTION, CB_SETCURSEL, 0, 0);
}

}  // namespace

void OnInitDialog(HWND window) {
  SetForegroundWindow(window);
  MoveToSavedPosition(window);
  CalculatorState.MenuLogoBitmap = static_cast<HBITMAP>(
      LoadImageA(CalculatorState.Instance, MAKEINTRESOURCEA(IDB_MENU_LOGO), IMAGE_BITMAP, 136, 32, LR_DEFAULTCOLOR));
  BuildTrayMenu(window);
  AddTrayIcon(window, 0);
  TrayIconCommand(window, NIM_MODIFY, TRAY_ICON_ID, LoadTrayImage(), MessageText);
  SetAmountTexts("0.00", "0.00");
  ShowAmounts(window);
  FillLists(window);
  SendDlgItemMessageA(window, IDC_NORMAL_PROJECT, BM_SETCHECK, BST_CHECKED, 0);
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(WindowTariff(), {0, 0, 0, false}, text);
  SetDlgItemTextA(window, IDC_DESCRIPTION, text);
}

// Every handle released once: a handle that never came is not released, and
// a released one is forgotten so that nothing can release it again.
void OnDestroy(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  CalculatorState.SavedPosition = {rect.left, rect.top};
  if (CalculatorState.MenuLogoBitmap != nullptr) DeleteObject(CalculatorState.MenuLogoBitmap);
  CalculatorState.MenuLogoBitmap = nullptr;
  if (CalculatorState.TrayMenu != nullptr) DestroyMenu(CalculatorState.TrayMenu);
  CalculatorState.TrayMenu = nullptr;
  RemoveTrayIcon(window, 0);
  if (CalculatorState.FeeBrush != nullptr) DeleteObject(CalculatorState.FeeBrush);
  CalculatorState.FeeBrush = nullptr;
}

}  // namespace tarivox
