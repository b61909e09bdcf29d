// Windows and controls of the stand-in: placement, visibility, focus,
// enabled state, texts, and the messages of static, edit, button and combo
// box controls as USER32 answers them.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/standin/standin_model.h"

using standin::detail::Entry;
using standin::detail::FindWindowEntry;
using standin::detail::TheMachine;

namespace standin::detail {
POINT ClientOrigin(HWND dialog);
LRESULT DefaultDialogHandling(HWND dialog, UINT message, WPARAM wParam);
}  // namespace standin::detail

namespace {

// Upper case as code page 1252 has it: a-z and the accented small letters.
char UpperCase1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 32);
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 32);
  return c;
}

std::string UpperCase1252(std::string text) {
  for (char& c : text) c = UpperCase1252(c);
  return text;
}

// The list order of a sorted combo box: case-insensitive, like lstrcmpi.
bool SortsBefore(const std::string& a, const std::string& b) {
  return UpperCase1252(a) < UpperCase1252(b);
}

WORD FocusCode(const Entry* entry, bool gained) {
  if (entry->ClassName == "COMBOBOX") return gained ? CBN_SETFOCUS : CBN_KILLFOCUS;
  if (entry->ClassName == "EDIT") return gained ? EN_SETFOCUS : EN_KILLFOCUS;
  return 0xFFFF;  // buttons and statics report focus only with BS_NOTIFY
}

LRESULT CopyText(const std::string& text, WPARAM maxCount, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (out == nullptr || maxCount == 0) return 0;
  const std::size_t count = std::min<std::size_t>(text.size(), maxCount - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<LRESULT>(count);
}

void ClickRadio(HWND button) {
  Entry* entry = FindWindowEntry(button);
  Entry* parent = FindWindowEntry(entry->Parent);
  const auto& siblings = parent->Children;
  auto self = std::find(siblings.begin(), siblings.end(), button);
  auto first = self;
  while (first != siblings.begin() && (FindWindowEntry(*first)->Style & WS_GROUP) == 0) --first;
  for (auto it = first; it != siblings.end(); ++it) {
    Entry* sibling = FindWindowEntry(*it);
    if (it != first && (sibling->Style & WS_GROUP) != 0) break;
    if (sibling->ClassName == "BUTTON" && (sibling->Style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
      sibling->Check = (*it == button) ? BST_CHECKED : BST_UNCHECKED;
  }
}

LRESULT ComboMessage(Entry* combo, UINT message, WPARAM wParam, LPARAM lParam) {
  const int count = static_cast<int>(combo->Items.size());
  switch (message) {
    case CB_ADDSTRING: {
      std::string text = reinterpret_cast<const char*>(lParam);
      if ((combo->Style & CBS_UPPERCASE) != 0) text = UpperCase1252(text);
      auto at = combo->Items.end();
      if ((combo->Style & CBS_SORT) != 0)
        at = std::upper_bound(combo->Items.begin(), combo->Items.end(), text, SortsBefore);
      return combo->Items.insert(at, text) - combo->Items.begin();
    }
    case CB_RESETCONTENT:
      combo->Items.clear();
      combo->Selection = -1;
      return TRUE;
    case CB_GETCOUNT: return count;
    case CB_GETCURSEL: return combo->Selection;
    case CB_SETCURSEL: {
      // Out of range clears the selection, as Windows does.
      const auto index = static_cast<LRESULT>(static_cast<int>(wParam));
      combo->Selection = (index >= 0 && index < count) ? static_cast<int>(index) : -1;
      return combo->Selection >= 0 ? combo->Selection : CB_ERR;
    }
    case CB_GETLBTEXTLEN: {
      const auto index = static_cast<int>(wParam);
      return index >= 0 && index < count ? static_cast<LRESULT>(combo->Items[static_cast<std::size_t>(index)].size())
                                         : CB_ERR;
    }
    case CB_GETLBTEXT: {
      const auto index = static_cast<int>(wParam);
      if (index < 0 || index >= count) return CB_ERR;
      const std::string& text = combo->Items[static_cast<std::size_t>(index)];
      std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
      return static_cast<LRESULT>(text.size());
    }
    default: return 0;
  }
}

LRESULT EditMessage(HWND edit, Entry* entry, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == EM_SETSEL) {
    entry->AllSelected = wParam == 0 && lParam == -1;
    return TRUE;
  }
  if (message != WM_CHAR || (entry->Style & ES_READONLY) != 0) return 0;
  const char typed = static_cast<char>(wParam);
  if (entry->AllSelected) entry->Text.clear();
  entry->AllSelected = false;
  if (typed == VK_BACK) {
    if (!entry->Text.empty()) entry->Text.pop_back();
  } else if (static_cast<unsigned char>(typed) >= 0x20) {
    entry->Text.push_back((entry->Style & ES_UPPERCASE) != 0 ? UpperCase1252(typed) : typed);
  } else {
    return 0;
  }
  standin::detail::Notify(edit, EN_UPDATE);
  standin::detail::Notify(edit, EN_CHANGE);
  return 0;
}

LRESULT ButtonMessage(HWND button, Entry* entry, UINT message, WPARAM wParam) {
  switch (message) {
    case BM_GETCHECK: return entry->Check;
    case BM_SETCHECK: entry->Check = static_cast<int>(wParam); return 0;
    case BM_CLICK:
      if ((entry->Style & WS_DISABLED) != 0) return 0;  // Windows ignores it
      SetFocus(button);
      if ((entry->Style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) ClickRadio(button);
      standin::detail::Notify(button, BN_CLICKED);
      return 0;
    default: return 0;
  }
}

LRESULT ControlMessage(HWND window, Entry* entry, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      entry->Text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      entry->AllSelected = false;
      return TRUE;
    case WM_GETTEXT: return CopyText(entry->Text, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(entry->Text.size());
    default: break;
  }
  if (entry->ClassName == "COMBOBOX") return ComboMessage(entry, message, wParam, lParam);
  if (entry->ClassName == "EDIT") return EditMessage(window, entry, message, wParam, lParam);
  if (entry->ClassName == "BUTTON") return ButtonMessage(window, entry, message, wParam);
  return 0;
}

}  // namespace

namespace standin::detail {

void Notify(HWND control, WORD code) {
  const Entry* entry = FindWindowEntry(control);
  if (entry == nullptr || entry->Parent == nullptr) return;
  SendMessageA(entry->Parent, WM_COMMAND, MAKEWPARAM(entry->Id, code), reinterpret_cast<LPARAM>(control));
}

}  // namespace standin::detail

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Entry* entry = FindWindowEntry(window);
  if (entry == nullptr) return 0;
  if (entry->Proc != nullptr) {
    if (message == WM_SETTEXT) entry->Text = reinterpret_cast<const char*>(lParam);
    if (message == WM_GETTEXT) return CopyText(entry->Text, wParam, lParam);
    const INT_PTR handled = entry->Proc(window, message, wParam, lParam);
    // A dialog procedure's result reaches the sender only for these; for
    // the rest the sender gets the message result the procedure may have
    // stored (none here), as from the real dialog manager.
    if (message == WM_CTLCOLORSTATIC || message == WM_INITDIALOG) return handled;
    if (handled == FALSE) return standin::detail::DefaultDialogHandling(window, message, wParam);
    return 0;
  }
  return ControlMessage(window, entry, message, wParam, lParam);
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr ? SendMessageA(control, message, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& machine = TheMachine();
  if (FindWindowEntry(window) == nullptr) return FALSE;
  machine.Queue.push_back({window, message, wParam, lParam});
  machine.Posted.push_back({window, message, wParam, lParam});
  return TRUE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount) {
  if (text != nullptr && maxCount > 0) text[0] = '\0';
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr || maxCount <= 0) return 0;
  return static_cast<UINT>(SendMessageA(control, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                        reinterpret_cast<LPARAM>(text)));
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return FALSE;
  return static_cast<BOOL>(SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextA(HWND window, LPSTR text, int maxCount) {
  if (text != nullptr && maxCount > 0) text[0] = '\0';
  const Entry* entry = FindWindowEntry(window);
  if (entry == nullptr || maxCount <= 0) return 0;
  return static_cast<int>(CopyText(entry->Text, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
}

HWND GetDlgItem(HWND dialog, int id) {
  const Entry* entry = FindWindowEntry(dialog);
  if (entry == nullptr) return nullptr;
  for (HWND child : entry->Children)
    if (FindWindowEntry(child)->Id == id) return child;
  return nullptr;
}

int GetDlgCtrlID(HWND window) {
  const Entry* entry = FindWindowEntry(window);
  return entry != nullptr ? entry->Id : 0;
}

HWND GetParent(HWND window) {
  const Entry* entry = FindWindowEntry(window);
  return entry != nullptr ? entry->Parent : nullptr;
}

HWND GetWindow(HWND window, UINT relation) {
  const Entry* entry = FindWindowEntry(window);
  if (entry == nullptr) return nullptr;
  if (relation == GW_CHILD) return entry->Children.empty() ? nullptr : entry->Children.front();
  if (relation == GW_OWNER) return (entry->Style & WS_CHILD) == 0 ? entry->Parent : nullptr;
  if (relation != GW_HWNDNEXT || entry->Parent == nullptr || (entry->Style & WS_CHILD) == 0) return nullptr;
  const auto& siblings = FindWindowEntry(entry->Parent)->Children;
  auto self = std::find(siblings.begin(), siblings.end(), window);
  return (self == siblings.end() || self + 1 == siblings.end()) ? nullptr : *(self + 1);
}

LONG GetWindowLongA(HWND window, int index) {
  const Entry* entry = FindWindowEntry(window);
  if (entry == nullptr) return 0;
  if (index == GWL_STYLE) return static_cast<LONG>(entry->Style);
  if (index == GWL_EXSTYLE) return static_cast<LONG>(entry->ExStyle);
  return 0;
}

int GetClassNameA(HWND window, LPSTR name, int maxCount) {
  const Entry* entry = FindWindowEntry(window);
  if (entry == nullptr || maxCount <= 0) return 0;
  return static_cast<int>(CopyText(entry->ClassName, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(name)));
}

BOOL EnableWindow(HWND window, BOOL enable) {
  Entry* entry = FindWindowEntry(window);
  if (entry == nullptr) return FALSE;
  const BOOL wasDisabled = (entry->Style & WS_DISABLED) != 0;
  if (enable != FALSE) {
    entry->Style &= ~WS_DISABLED;
  } else {
    entry->Style |= WS_DISABLED;
    if (TheMachine().Focus == window) SetFocus(nullptr);
  }
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  const Entry* entry = FindWindowEntry(window);
  return entry != nullptr && (entry->Style & WS_DISABLED) == 0;
}

BOOL IsWindowVisible(HWND window) {
  const Entry* entry = FindWindowEntry(window);
  if (entry == nullptr || (entry->Style & WS_VISIBLE) == 0) return FALSE;
  return entry->Parent == nullptr || (entry->Style & WS_CHILD) == 0 || IsWindowVisible(entry->Parent);
}

BOOL IsWindow(HWND window) { return FindWindowEntry(window) != nullptr; }

BOOL IsIconic(HWND window) {
  const Entry* entry = FindWindowEntry(window);
  return entry != nullptr && entry->Minimized;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  const Entry* entry = FindWindowEntry(window);
  if (entry == nullptr || rect == nullptr) return FALSE;
  *rect = entry->Rect;
  if ((entry->Style & WS_CHILD) != 0) {
    const POINT origin = standin::detail::ClientOrigin(entry->Parent);
    *rect = {rect->left + origin.x, rect->top + origin.y, rect->right + origin.x, rect->bottom + origin.y};
  }
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
  Entry* entry = FindWindowEntry(window);
  if (entry == nullptr) return FALSE;
  entry->Rect = {x, y, x + width, y + height};
  return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
  Entry* entry = FindWindowEntry(window);
  if (entry == nullptr) return FALSE;
  const BOOL wasVisible = (entry->Style & WS_VISIBLE) != 0;
  const bool show = command != SW_HIDE;
  if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) entry->Minimized = true;
  if (command == SW_RESTORE || command == SW_SHOWNORMAL) entry->Minimized = false;
  if (show) entry->Style |= WS_VISIBLE; else entry->Style &= ~WS_VISIBLE;
  if (show != (wasVisible != FALSE) && entry->Proc != nullptr)
    SendMessageA(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  return wasVisible;
}

BOOL SetForegroundWindow(HWND window) {
  if (FindWindowEntry(window) == nullptr) return FALSE;
  TheMachine().Foreground = window;
  return TRUE;
}

HWND GetForegroundWindow() { return TheMachine().Foreground; }

HWND SetFocus(HWND window) {
  auto& machine = TheMachine();
  HWND previous = machine.Focus;
  if (window == previous) return previous;
  if (window != nullptr && FindWindowEntry(window) == nullptr) return nullptr;
  machine.Focus = window;
  if (const Entry* old = FindWindowEntry(previous); old != nullptr && FocusCode(old, false) != 0xFFFF)
    standin::detail::Notify(previous, FocusCode(old, false));
  if (const Entry* now = FindWindowEntry(window); now != nullptr && FocusCode(now, true) != 0xFFFF)
    standin::detail::Notify(window, FocusCode(now, true));
  return previous;
}

HWND GetFocus() { return TheMachine().Focus; }

BOOL EnumThreadWindows(DWORD, WNDENUMPROC proc, LPARAM lParam) {
  auto& entries = TheMachine().Entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    if (entry.EntryKind != standin::Kind::Window || !entry.Live || (entry.Style & WS_CHILD) != 0) continue;
    if (proc(standin::detail::MakeHandle<HWND>(i), lParam) == FALSE) break;
  }
  return TRUE;
}
