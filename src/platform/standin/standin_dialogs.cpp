// Modal dialogs of the stand-in: building a dialog from its template,
// running its queue until EndDialog, the dialog manager's keyboard and
// close-box handling, and destruction.
#include <cstring>

#include "platform/standin/standin_model.h"

using standin::detail::Entry;
using standin::detail::FindWindowEntry;
using standin::detail::TheMachine;

namespace {

constexpr LONG BORDER = 3;
constexpr LONG SMALL_CAPTION = 18;

LONG UnitsToX(LONG units) { return units * standin::BASE_UNIT_X / 4; }
LONG UnitsToY(LONG units) { return units * standin::BASE_UNIT_Y / 8; }

LONG CaptionHeight(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION ? SMALL_CAPTION : 0; }

HWND CreateDialogWindow(const tarivox::DialogTemplate& tmpl, HWND owner) {
  auto& machine = TheMachine();
  Entry dialog;
  dialog.ClassName = "#32770";
  dialog.Id = tmpl.Id;
  dialog.Style = tmpl.Style & ~WS_VISIBLE;  // shown once initialised
  dialog.ExStyle = tmpl.ExStyle;
  dialog.Text = tmpl.Caption;
  dialog.Parent = owner;
  const LONG width = UnitsToX(tmpl.Width) + 2 * BORDER;
  const LONG height = UnitsToY(tmpl.Height) + 2 * BORDER + CaptionHeight(tmpl.Style);
  LONG left = machine.Cursor.x - width / 2;
  LONG top = machine.Cursor.y - height / 2;
  if ((tmpl.Style & DS_CENTER) != 0) {
    left = (static_cast<LONG>(machine.DisplayWidth) - width) / 2;
    top = (static_cast<LONG>(machine.DisplayHeight) - height) / 2;
  }
  dialog.Rect = {left, top, left + width, top + height};
  HWND window = standin::detail::AddWindow(dialog);
  for (int i = 0; i < tmpl.ControlCount; ++i) {
    const tarivox::ControlTemplate& control = tmpl.Controls[i];
    Entry child;
    child.Parent = window;
    child.Id = control.Id;
    child.ClassName = control.ClassName;
    child.Style = WS_CHILD | WS_VISIBLE | control.Style;
    child.ExStyle = control.ExStyle;
    child.Text = control.Text;
    child.Rect = {UnitsToX(control.X), UnitsToY(control.Y), UnitsToX(control.X) + UnitsToX(control.Width),
                  UnitsToY(control.Y) + UnitsToY(control.Height)};
    HWND handle = standin::detail::AddWindow(child);
    FindWindowEntry(window)->Children.push_back(handle);
  }
  return window;
}

HWND FirstTabStop(HWND dialog) {
  for (HWND child : FindWindowEntry(dialog)->Children) {
    const Entry* entry = FindWindowEntry(child);
    if ((entry->Style & (WS_TABSTOP | WS_DISABLED | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE)) return child;
  }
  return nullptr;
}

void DestroyDialog(HWND dialog) {
  auto& machine = TheMachine();
  Entry* entry = FindWindowEntry(dialog);
  DLGPROC proc = entry->Proc;
  proc(dialog, WM_DESTROY, 0, 0);
  entry = FindWindowEntry(dialog);
  for (HWND child : entry->Children) {
    if (machine.Focus == child) machine.Focus = nullptr;
    FindWindowEntry(child)->Live = false;
  }
  if (machine.Focus == dialog) machine.Focus = nullptr;
  if (machine.Foreground == dialog) machine.Foreground = entry->Parent;
  entry->Live = false;
}

// Delivers queued messages until the dialog ends. A queue that runs dry
// first is where a real dialog would sit waiting for the user.
void RunModalLoop(HWND dialog) {
  auto& machine = TheMachine();
  while (!FindWindowEntry(dialog)->Ended) {
    if (machine.Queue.empty()) {
      ++machine.Stalled;
      EndDialog(dialog, -1);
      return;
    }
    standin::PostedMessage message = machine.Queue.front();
    machine.Queue.pop_front();
    if (FindWindowEntry(message.Window) != nullptr)
      SendMessageA(message.Window, message.Message, message.WParam, message.LParam);
  }
}

HWND DefaultButton(HWND dialog) {
  for (HWND child : FindWindowEntry(dialog)->Children) {
    const Entry* entry = FindWindowEntry(child);
    if (entry->ClassName == "BUTTON" && (entry->Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return child;
  }
  return nullptr;
}

bool BelongsTo(HWND window, HWND dialog) {
  if (window == dialog) return true;
  const Entry* entry = FindWindowEntry(window);
  return entry != nullptr && entry->Parent == dialog && (entry->Style & WS_CHILD) != 0;
}

}  // namespace

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam) {
  auto& machine = TheMachine();
  const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(templateName));
  const tarivox::DialogTemplate* tmpl = tarivox::FindDialogTemplate(id);
  if (tmpl == nullptr || proc == nullptr) return -1;
  if (owner != nullptr) EnableWindow(owner, FALSE);
  HWND dialog = CreateDialogWindow(*tmpl, owner);
  FindWindowEntry(dialog)->Proc = proc;
  HWND firstTab = FirstTabStop(dialog);
  if (proc(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTab), initParam) != FALSE)
    SetFocus(FirstTabStop(dialog));
  // A modal dialog is shown once initialised, with or without WS_VISIBLE.
  ShowWindow(dialog, SW_SHOW);
  if ((tmpl->Style & DS_SETFOREGROUND) != 0) machine.Foreground = dialog;
  RunModalLoop(dialog);
  const INT_PTR result = FindWindowEntry(dialog)->Result;
  DestroyDialog(dialog);
  if (owner != nullptr && FindWindowEntry(owner) != nullptr) EnableWindow(owner, TRUE);
  return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  Entry* entry = FindWindowEntry(dialog);
  if (entry == nullptr || entry->Proc == nullptr) return FALSE;
  entry->Ended = true;
  entry->Result = result;
  return TRUE;
}

BOOL IsDialogMessageA(HWND dialog, LPMSG message) {
  if (message == nullptr || FindWindowEntry(dialog) == nullptr || !BelongsTo(message->hwnd, dialog)) return FALSE;
  if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
    // The default button answers Enter. Focus moved by the program does not
    // make a push button the default (only the dialog manager's own Tab
    // navigation would), so Enter presses "Calcular pago" here as well.
    HWND button = DefaultButton(dialog);
    if (button != nullptr && IsWindowEnabled(button)) {
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    }
    return TRUE;
  }
  if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    return TRUE;
  }
  SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
  return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  if (FindWindowEntry(dialog) == nullptr || rect == nullptr) return FALSE;
  rect->left = UnitsToX(rect->left);
  rect->right = UnitsToX(rect->right);
  rect->top = UnitsToY(rect->top);
  rect->bottom = UnitsToY(rect->bottom);
  return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
  const Entry* entry = FindWindowEntry(window);
  if (entry == nullptr || point == nullptr) return FALSE;
  RECT rect{};
  GetWindowRect(window, &rect);
  const bool child = (entry->Style & WS_CHILD) != 0;
  point->x += child ? rect.left : rect.left + BORDER;
  point->y += child ? rect.top : rect.top + BORDER + CaptionHeight(entry->Style);
  return TRUE;
}

namespace standin::detail {

// Screen position of a dialog's client area.
POINT ClientOrigin(HWND dialog) {
  const Entry* entry = FindWindowEntry(dialog);
  return {entry->Rect.left + BORDER, entry->Rect.top + BORDER + CaptionHeight(entry->Style)};
}

// What the dialog manager does with a message the dialog procedure left
// unhandled.
LRESULT DefaultDialogHandling(HWND dialog, UINT message, WPARAM wParam) {
  if ((message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) || message == WM_CLOSE) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  }
  return 0;
}

}  // namespace standin::detail
