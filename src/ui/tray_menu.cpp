// The tray icon's popup menu: the About picture, a separator and "Salir",
// built once at start and shown on every left click; and the About box that
// its picture opens.
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

namespace tarivox {
namespace {

// Texts of the menu: nothing for the separator, then the exit item.
constexpr const char* TrayMenuTexts[2] = {"", "Salir"};

}  // namespace

ScreenPoint MenuAnchor(ScreenPoint cursor, bool displayKnown, int width, int height) {
  if (!displayKnown) return cursor;
  ScreenPoint anchor = cursor;
  if (anchor.X < width - 50) anchor.X = width - 50;
  if (anchor.Y < height - 50) anchor.Y = height - 100;
  return anchor;
}

int BuildTrayMenu(HWND) {
  CalculatorState.TrayMenu = CreatePopupMenu();
  if (CalculatorState.TrayMenu == nullptr) return 0;
  AppendMenuA(CalculatorState.TrayMenu, MF_BITMAP, IDM_TRAY_ABOUT,
              reinterpret_cast<LPCSTR>(CalculatorState.MenuLogoBitmap));
  AppendMenuA(CalculatorState.TrayMenu, MF_SEPARATOR, 0, TrayMenuTexts[0]);
  AppendMenuA(CalculatorState.TrayMenu, MF_STRING, IDM_TRAY_EXIT, TrayMenuTexts[1]);
  return 1;
}

void ShowTrayMenu(HWND window, int x, int y) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmDriverExtra = 0;
  const DWORD modeNumber = IsWindowsNT() ? ENUM_CURRENT_SETTINGS : 0;
  // A failed query leaves the record untouched: the menu then opens at the
  // cursor rather than at a position computed from no screen size.
  const bool known = EnumDisplaySettingsA(nullptr, modeNumber, &mode) != FALSE;
  const ScreenPoint anchor =
      MenuAnchor({x, y}, known, static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight));
  SetForegroundWindow(window);
  TrackPopupMenuEx(CalculatorState.TrayMenu, TPM_RIGHTBUTTON, anchor.X, anchor.Y, window, nullptr);
  // Lets the menu close properly when the user clicks elsewhere.
  PostMessageA(window, WM_USER, 0, 0);
}

bool IsWindowsNT() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (GetVersionExA(&info) == FALSE) return false;
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Closed only by "OK" (or Enter, which presses it); Esc leaves it open.
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
