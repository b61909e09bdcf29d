// Windows of the stand-in: the handle table, modal dialogs built from their
// templates and run until EndDialog, and the messages of the static, edit,
// button and combo box controls that the program and its tests send.
#include <algorithm>
#include <cstring>

#include "platform/standin/standin_model.h"

namespace standin::detail {

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

Entry* Find(const void* handle, Kind kind) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  auto& entries = TheMachine().Entries;
  if (value == 0 || value % 16 != 0 || value / 16 > entries.size()) return nullptr;
  Entry& entry = entries[value / 16 - 1];
  return entry.EntryKind == kind && entry.Live ? &entry : nullptr;
}

void* Add(Entry entry) {
  auto& entries = TheMachine().Entries;
  entries.push_back(std::move(entry));
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(entries.size() * 16));
}

bool Release(const void* handle, Kind kind) {
  Entry* entry = Find(handle, kind);
  if (entry == nullptr) {
    ++TheMachine().Seen.BadReleases;
    return false;
  }
  entry->Live = false;
  return true;
}

}  // namespace standin::detail

using standin::Kind;
using standin::detail::Entry;
using standin::detail::TheMachine;

namespace {

Entry* WindowEntry(HWND window) { return standin::detail::Find(window, Kind::Window); }

// Dialog units of the stand-in's one font, in pixels per 4 x and 8 y units.
constexpr int BASE_UNIT_X = 6;
constexpr int BASE_UNIT_Y = 13;

HWND CreateDialogWindow(const standin::detail::DialogTemplate& tmpl, HWND owner) {
  Entry dialog;
  dialog.ClassName = "#32770";
  dialog.Style = tmpl.Style;
  dialog.Text = tmpl.Caption;
  dialog.Owner = owner;
  // Placed at the cursor, never where the program means to put it.
  const POINT at = TheMachine().Setup.Cursor;
  dialog.Rect = {at.x, at.y, at.x + tmpl.Width * BASE_UNIT_X / 4, at.y + tmpl.Height * BASE_UNIT_Y / 8};
  auto window = static_cast<HWND>(standin::detail::Add(dialog));
  for (const auto& control : tmpl.Controls) {
    Entry child;
    child.Owner = window;
    child.Id = control.Id;
    child.ClassName = control.ClassName;
    child.Style = control.Style;
    child.Text = control.Text;
    auto handle = static_cast<HWND>(standin::detail::Add(child));
    WindowEntry(window)->Controls.push_back(handle);
  }
  return window;
}

// Delivers queued messages until the dialog ends. A queue that runs dry
// first is where a real dialog would sit waiting for the user.
void RunModalLoop(HWND dialog) {
  auto& machine = TheMachine();
  while (!WindowEntry(dialog)->Ended) {
    if (machine.Queue.empty()) {
      ++machine.Seen.StalledDialogs;
      EndDialog(dialog, -1);
      return;
    }
    const standin::PostedMessage message = machine.Queue.front();
    machine.Queue.pop_front();
    SendMessageA(message.Window, message.Message, message.WParam, message.LParam);
  }
}

LRESULT CopyText(const std::string& text, WPARAM maxCount, LPARAM buffer) {
  if (maxCount == 0) return 0;
  const std::size_t count = std::min<std::size_t>(text.size(), maxCount - 1);
  std::memcpy(reinterpret_cast<char*>(buffer), text.data(), count);
  reinterpret_cast<char*>(buffer)[count] = '\0';
  return static_cast<LRESULT>(count);
}

// The program's lists are filled in the order they show, so neither
// sorting nor upper-casing is modelled.
LRESULT ComboMessage(Entry* combo, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto count = static_cast<int>(combo->Items.size());
  const auto index = static_cast<int>(wParam);
  switch (message) {
    case CB_ADDSTRING:
      combo->Items.emplace_back(reinterpret_cast<const char*>(lParam));
      return count;
    case CB_RESETCONTENT:
      combo->Items.clear();
      combo->Selection = -1;
      return TRUE;
    case CB_GETCOUNT: return count;
    case CB_GETCURSEL: return combo->Selection;
    case CB_SETCURSEL:
      combo->Selection = index >= 0 && index < count ? index : -1;
      return combo->Selection;
    case CB_GETLBTEXT:
      if (index < 0 || index >= count) return -1;
      std::strcpy(reinterpret_cast<char*>(lParam), combo->Items[static_cast<std::size_t>(index)].c_str());
      return static_cast<LRESULT>(combo->Items[static_cast<std::size_t>(index)].size());
    default: return 0;
  }
}

}  // namespace

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam) {
  standin::detail::DialogTemplate tmpl;
  const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(templateName));
  if (proc == nullptr || !standin::detail::ReadDialogTemplate(id, tmpl)) return -1;
  if (owner != nullptr) EnableWindow(owner, FALSE);
  HWND dialog = CreateDialogWindow(tmpl, owner);
  WindowEntry(dialog)->Proc = proc;
  proc(dialog, WM_INITDIALOG, 0, initParam);
  WindowEntry(dialog)->Style |= WS_VISIBLE;  // a modal dialog is shown once initialised
  if ((tmpl.Style & DS_SETFOREGROUND) != 0) TheMachine().Foreground = dialog;
  RunModalLoop(dialog);
  proc(dialog, WM_DESTROY, 0, 0);
  Entry* entry = WindowEntry(dialog);
  const INT_PTR result = entry->Result;
  for (HWND control : entry->Controls) WindowEntry(control)->Live = false;
  entry->Live = false;
  if (TheMachine().Foreground == dialog) TheMachine().Foreground = owner;
  if (owner != nullptr) EnableWindow(owner, TRUE);
  return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  Entry* entry = WindowEntry(dialog);
  if (entry == nullptr || entry->Proc == nullptr) return FALSE;
  entry->Ended = true;
  entry->Result = result;
  return TRUE;
}

// A dialog's own procedure answers for it; the dialog manager's defaults
// are not modelled, since the program's procedures handle what they need.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Entry* entry = WindowEntry(window);
  if (entry == nullptr) return 0;
  if (entry->Proc != nullptr) return entry->Proc(window, message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT: entry->Text = reinterpret_cast<const char*>(lParam); return TRUE;
    case WM_GETTEXT: return CopyText(entry->Text, wParam, lParam);
    case BM_GETCHECK: return entry->Check;
    case BM_SETCHECK: entry->Check = static_cast<int>(wParam); return 0;
    default: return entry->ClassName == "COMBOBOX" ? ComboMessage(entry, message, wParam, lParam) : 0;
  }
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (WindowEntry(window) == nullptr) return FALSE;
  TheMachine().Queue.push_back({window, message, wParam, lParam});
  TheMachine().Seen.Posted.push_back({window, message, wParam, lParam});
  return TRUE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount) {
  if (maxCount > 0) text[0] = '\0';
  if (maxCount <= 0 || GetDlgItem(dialog, id) == nullptr) return 0;
  return static_cast<UINT>(SendDlgItemMessageA(dialog, id, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                               reinterpret_cast<LPARAM>(text)));
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  return static_cast<BOOL>(SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

HWND GetDlgItem(HWND dialog, int id) {
  const Entry* entry = WindowEntry(dialog);
  if (entry == nullptr) return nullptr;
  for (HWND control : entry->Controls)
    if (WindowEntry(control)->Id == id) return control;
  return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  auto& entries = TheMachine().Entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    if (entry.EntryKind == Kind::Window && entry.Live && entry.ClassName == className && entry.Text == windowName)
      return reinterpret_cast<HWND>(static_cast<std::uintptr_t>((i + 1) * 16));
  }
  return nullptr;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  Entry* entry = WindowEntry(window);
  if (entry == nullptr) return FALSE;
  const BOOL wasDisabled = (entry->Style & WS_DISABLED) != 0;
  entry->Style = enable != FALSE ? entry->Style & ~WS_DISABLED : entry->Style | WS_DISABLED;
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  const Entry* entry = WindowEntry(window);
  return entry != nullptr && (entry->Style & WS_DISABLED) == 0;
}

BOOL IsWindowVisible(HWND window) {
  const Entry* entry = WindowEntry(window);
  return entry != nullptr && (entry->Style & WS_VISIBLE) != 0;
}

BOOL IsIconic(HWND window) {
  const Entry* entry = WindowEntry(window);
  return entry != nullptr && entry->Minimised;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  const Entry* entry = WindowEntry(window);
  if (entry == nullptr) return FALSE;
  *rect = entry->Rect;
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
  Entry* entry = WindowEntry(window);
  if (entry == nullptr) return FALSE;
  entry->Rect = {x, y, x + width, y + height};
  return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
  Entry* entry = WindowEntry(window);
  if (entry == nullptr) return FALSE;
  const BOOL wasVisible = (entry->Style & WS_VISIBLE) != 0;
  entry->Style = command == SW_HIDE ? entry->Style & ~WS_VISIBLE : entry->Style | WS_VISIBLE;
  if (command == SW_HIDE && TheMachine().Foreground == window) TheMachine().Foreground = nullptr;
  if (wasVisible == (command == SW_HIDE) && entry->Proc != nullptr)
    entry->Proc(window, WM_SHOWWINDOW, command != SW_HIDE, 0);  // a change of visibility, as USER32 reports it
  if (command == SW_MINIMIZE || command == SW_RESTORE) entry->Minimised = command == SW_MINIMIZE;
  return wasVisible;
}

BOOL SetForegroundWindow(HWND window) {
  if (WindowEntry(window) == nullptr) return FALSE;
  TheMachine().Foreground = window;
  return TRUE;
}

HWND GetForegroundWindow() { return TheMachine().Foreground; }
