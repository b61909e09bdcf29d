// The notification-area icon: one record per icon, and one function per
// operation on it.
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"
#include "ui/tray_icon_table.h"

namespace tarivox {

const TrayIconEntry TrayIconTable[TRAY_ICON_COUNT] = {{TRAY_ICON_ID}};

BOOL TrayIconCommand(HWND window, DWORD operation, UINT id, HICON icon, const char* tip) {
  NOTIFYICONDATAA data{};
  // The first version of the record, measured on the platform being built
  // for: its handles are wider on 64-bit Windows, so the size is too.
  data.cbSize = static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE);
  data.hWnd = window;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_TRAYNOTIFY;
  data.hIcon = icon;
  if (tip != nullptr) lstrcpynA(data.szTip, tip, static_cast<int>(TRAY_TIP_SIZE));
  else lstrcpynA(data.szTip, TRAY_DEFAULT_TIP, static_cast<int>(sizeof TRAY_DEFAULT_TIP));
  const BOOL result = Shell_NotifyIconA(operation, &data);
  // The icon was handed over with the call; the shell keeps its own copy.
  if (icon != nullptr) DestroyIcon(icon);
  return result;
}

BOOL AddTrayIcon(HWND window, int iconNumber) {
  if (iconNumber < 0 || iconNumber >= TRAY_ICON_COUNT) return FALSE;
  return TrayIconCommand(window, NIM_ADD, TrayIconTable[iconNumber].Id, nullptr, nullptr);
}

BOOL RemoveTrayIcon(HWND window, int iconNumber) {
  if (iconNumber < 0 || iconNumber >= TRAY_ICON_COUNT) return FALSE;
  return TrayIconCommand(window, NIM_DELETE, TrayIconTable[iconNumber].Id, nullptr, nullptr);
}

HICON LoadTrayImage() {
  return static_cast<HICON>(
      LoadImageA(CalculatorState.Instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

void OnTrayNotify(HWND window, LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONDOWN: {
      POINT cursor{};
      GetCursorPos(&cursor);
      ShowTrayMenu(window, cursor.x, cursor.y);
      break;
    }
    case WM_RBUTTONDOWN: ToggleWindowVisibility(window); break;
    default: break;
  }
}

void ToggleWindowVisibility(HWND window) {
  if (CalculatorState.WindowVisible) {
    CalculatorState.WindowVisible = false;
    ShowWindow(window, SW_HIDE);
  } else {
    CalculatorState.WindowVisible = true;
    SetForegroundWindow(window);
    ShowWindow(window, SW_RESTORE);
  }
}

}  // namespace tarivox
