// The operations of the calculator window, its text panel, its tray icon
// and menu, and the About box. Each takes the calculator dialog's window.
#pragma once

#include "catalogue/edition.h"
#include "platform/win32.h"

namespace tarivox {

// Pixels by which hiding the text panel shortens the window, whatever the
// font or screen: the panel is cut off, not laid out again.
inline constexpr int TEXT_PANEL_HEIGHT = 110;

// Dialog procedures.
INT_PTR CALLBACK CalculatorDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Message handlers of the calculator dialog.
void OnInitDialog(HWND window);
void OnCommand(HWND window, WORD id);
void OnOfficeChange(HWND window);
void OnServiceChange(HWND window);
void OnTransactionChange(HWND window);
void OnProjectKindClick(HWND window);
void OnCalculate(HWND window);
INT_PTR OnCtlColorStatic(HWND window, HDC dc, HWND control);
void OnTrayNotify(HWND window, LPARAM mouseMessage);
void OnDestroy(HWND window);

// The current choices, read afresh from the controls; "Interes Social"
// counts when BM_GETCHECK says it is checked.
Selection ReadSelection(HWND window);

// The window's tariff: the built-in edition, the one in force.
inline const Edition& WindowTariff() { return BuiltInEdition(); }

// Lists and amounts. The transaction list is the one the tariff loads for
// the selection's service and office.
void AddListText(HWND window, int listId, const char* text);
void LoadTransactionList(HWND window, const Selection& selection);
void ReadAmountField(HWND window);
void ComputeFee(HWND window);
void ShowAmounts(HWND window);
void SetAmountTexts(const char* fee, const char* amount);

// The tariff-text panel.
void UpdateDescription(HWND window, int service, int transaction, int office, int social);
void ToggleTextPanel(HWND window);
void ExpandTextPanel(HWND window);

// The notification-area icon and its menu.
BOOL TrayIconCommand(HWND window, DWORD operation, UINT id, HICON icon, const char* tip);
BOOL AddTrayIcon(HWND window, int iconNumber);
BOOL RemoveTrayIcon(HWND window, int iconNumber);
HICON LoadTrayImage();
int BuildTrayMenu(HWND window);
void ShowTrayMenu(HWND window, int x, int y);
void ToggleWindowVisibility(HWND window);
bool IsWindowsNT();

// Where the tray menu opens: pulled towards the bottom-right corner of the
// display. x is raised to at least width - 50; y keeps the cursor's value
// only in the bottom 50 pixels and becomes height - 100 elsewhere. Not a
// clamp: keeping the menu on the screen is the menu's own placement.
// Without a display size (the query failed) the menu opens at the cursor.
struct ScreenPoint {
  int X;
  int Y;
};
ScreenPoint MenuAnchor(ScreenPoint cursor, bool displayKnown, int width, int height);

}  // namespace tarivox
