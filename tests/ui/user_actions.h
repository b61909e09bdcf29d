// A user at the calculator: choosing list entries, typing, clicking and
// pressing keys, with the notifications real controls send to the dialog.
// Built on Win32 calls only, so the same actions drive the stand-in and
// the real USER32.
#pragma once

#include <string>

#include "platform/win32.h"

namespace tarivox::uitest {

// Focus into the list, open it, pick the entry, close it: the list sends
// CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK and CBN_CLOSEUP on
// the way, as a drop-down list does when the user picks with the mouse.
// CB_SETCURSEL alone would notify nobody.
void ChooseListEntry(HWND dialog, int listId, int index);
// The same, picking the entry with this text; a failure when there is none.
void ChooseListText(HWND dialog, int listId, const std::string& text);
// Focus moves into the list and out again, without a choice.
void VisitList(HWND dialog, int listId);

// Focus into the amount field, everything selected, the text typed key by
// key (the field sees each character as typed).
void TypeAmount(HWND dialog, const std::string& text);

// A mouse click on a button. Clicking a disabled button is a test failure:
// a user cannot do it (and Wine would pass the click on, unlike Windows).
void ClickButton(HWND dialog, int id);

void PressEnter(HWND dialog);
void PressEscape(HWND dialog);
void ClickCloseBox(HWND dialog);

// True when the real USER32 is Wine's: for the few places where its
// behaviour is known to differ from Windows, which the tests name.
bool RunningUnderWine();

// Reading the window back.
std::string ControlText(HWND dialog, int id);
std::string SelectedText(HWND dialog, int listId);
std::string ListText(HWND dialog, int listId, int index);
int ListCount(HWND dialog, int listId);
int Selection(HWND dialog, int listId);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
RECT WindowRect(HWND window);

}  // namespace tarivox::uitest
