#include "user_actions.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarivox::uitest {
namespace {

void NotifyDialog(HWND dialog, HWND control, WORD code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

}  // namespace

void ChooseListEntry(HWND dialog, int listId, int index) {
  HWND list = GetDlgItem(dialog, listId);
  ASSERT_NE(list, nullptr) << "list " << listId;
  ASSERT_TRUE(IsWindowEnabled(list)) << "list " << listId << " is disabled";
  SetFocus(list);
  NotifyDialog(dialog, list, CBN_DROPDOWN);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  NotifyDialog(dialog, list, CBN_SELCHANGE);
  NotifyDialog(dialog, list, CBN_SELENDOK);
  NotifyDialog(dialog, list, CBN_CLOSEUP);
}

void ChooseListText(HWND dialog, int listId, const std::string& text) {
  const int count = ListCount(dialog, listId);
  for (int i = 0; i < count; ++i) {
    if (ListText(dialog, listId, i) == text) {
      ChooseListEntry(dialog, listId, i);
      return;
    }
  }
  ADD_FAILURE() << "list " << listId << " has no entry \"" << text << "\"";
}

void VisitList(HWND dialog, int listId) {
  SetFocus(GetDlgItem(dialog, listId));
  SetFocus(GetDlgItem(dialog, 1021));
}

void TypeAmount(HWND dialog, const std::string& text) {
  HWND edit = GetDlgItem(dialog, 1021);
  ASSERT_TRUE(IsWindowEnabled(edit)) << "the amount field is disabled";
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
}

void ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  ASSERT_NE(button, nullptr) << "button " << id;
  ASSERT_TRUE(IsWindowEnabled(button)) << "button " << id << " is disabled";
  SendMessageA(button, BM_CLICK, 0, 0);
}

void PressEnter(HWND dialog) {
  MSG message{GetFocus() != nullptr ? GetFocus() : dialog, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
  IsDialogMessageA(dialog, &message);
}

void PressEscape(HWND dialog) {
  MSG message{GetFocus() != nullptr ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
  IsDialogMessageA(dialog, &message);
}

bool RunningUnderWine() {
#if defined(_WIN32)
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

void ClickCloseBox(HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::string ControlText(HWND dialog, int id) {
  std::vector<char> text(2048, '\0');
  GetDlgItemTextA(dialog, id, text.data(), static_cast<int>(text.size()));
  return text.data();
}

std::string ListText(HWND dialog, int listId, int index) {
  const LRESULT length = SendDlgItemMessageA(dialog, listId, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return "<none>";
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  SendDlgItemMessageA(dialog, listId, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::string SelectedText(HWND dialog, int listId) { return ListText(dialog, listId, Selection(dialog, listId)); }

int ListCount(HWND dialog, int listId) {
  return static_cast<int>(SendDlgItemMessageA(dialog, listId, CB_GETCOUNT, 0, 0));
}

int Selection(HWND dialog, int listId) {
  return static_cast<int>(SendDlgItemMessageA(dialog, listId, CB_GETCURSEL, 0, 0));
}

bool IsChecked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

}  // namespace tarivox::uitest
