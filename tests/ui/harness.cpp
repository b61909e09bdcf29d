#include "harness.h"

#include <gtest/gtest.h>

#include "fees/amount_text.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

#if !defined(_WIN32)
#include "platform/standin/standin_inspect.h"
#endif

namespace tarivox::uitest {
namespace {

constexpr UINT NEXT_STEP = WM_APP + 7;

const std::vector<Step>* Steps = nullptr;
std::size_t NextStep = 0;
CalculatorRun* Run = nullptr;
LONG StartWidth = 0, StartHeight = 0;

HWND AboutBox() { return FindWindowA("#32770", ""); }

RECT Rect(HWND window) {
  RECT rect{};
  return GetWindowRect(window, &rect) ? rect : RECT{};
}

// Every message goes on to the program's procedure unchanged; only the
// harness's own, which the program never sees, is taken here. Each step is
// a posted message, so whatever the step before posted arrives first.
INT_PTR CALLBACK HarnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == NEXT_STEP) {
    if (NextStep == Steps->size() && AboutBox() != nullptr) EndDialog(AboutBox(), 0);
    if (NextStep == Steps->size()) return EndDialog(window, 0);
    (*Steps)[NextStep++](window);
    return PostMessageA(window, NEXT_STEP, 0, 0);
  }
  const INT_PTR result = CalculatorDialogProc(window, message, wParam, lParam);
  if (message == WM_INITDIALOG) {
    Run->Window = window;
    const RECT start = Rect(window);
    StartWidth = start.right - start.left;
    StartHeight = start.bottom - start.top;
    PostMessageA(window, NEXT_STEP, 0, 0);
  }
  if (message == WM_DESTROY) Run->Destroyed = true;
  return result;
}

void Notify(HWND window, int id, int code) { Command(MAKEWPARAM(id, code))(window); }

std::string Text(HWND window, int id) {
  char text[1024] = "";
  return GetDlgItemTextA(window, id, text, static_cast<int>(sizeof text)) > 0 ? text : "";
}

// A user acts only on an enabled control (Wine, unlike Windows, would let a
// test act on a disabled one): a failure names the disabled control.
Step OnEnabled(int id, const Step& act) {
  return [=](HWND window) { IsWindowEnabled(GetDlgItem(window, id)) ? act(window) : void(ADD_FAILURE() << id); };
}

std::string ListShown(HWND window, int id) {
  std::string shown;
  const auto count = static_cast<int>(SendDlgItemMessageA(window, id, CB_GETCOUNT, 0, 0));
  const auto selected = static_cast<int>(SendDlgItemMessageA(window, id, CB_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i) {
    char item[256] = "";
    SendDlgItemMessageA(window, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    shown += std::string(i > 0 ? "|" : "") + (i == selected ? "[" + std::string(item) + "]" : item);
  }
  return shown;
}

constexpr std::pair<int, const char*> Controls[] = {
    {IDC_AMOUNT_LABEL, "amount-label"}, {IDC_AMOUNT, "amount"}, {IDC_FEE_LABEL, "fee-label"}, {IDC_FEE, "fee"},
    {IDC_CALCULATE, "calculate"}, {IDC_TOGGLE_TEXT, "toggle"}, {IDC_TOGGLE_TEXT_LABEL, "toggle-label"},
    {IDC_OFFICE_LABEL, "office-label"}, {IDC_OFFICE, "office"}, {IDC_NORMAL_PROJECT, "normal"},
    {IDC_SOCIAL_INTEREST, "social"}, {IDC_SERVICE, "service"}, {IDC_TRANSACTION, "transaction"}};

}  // namespace

CalculatorRun RunCalculator(const std::vector<Step>& steps, const std::function<void()>& prepare) {
#if !defined(_WIN32)
  standin::Reset();
#endif
  ResetCalculatorState(GetModuleHandleA(nullptr));
  AmountText[0] = FeeText[0] = MessageText[0] = '\0';
  if (prepare) prepare();
  CalculatorRun run;
  Run = &run;
  Steps = &steps;
  NextStep = 0;
  run.Result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr, HarnessProc, 0);
  EXPECT_NE(run.Window, nullptr) << "the calculator never came up: DialogBoxParamA gave " << run.Result;
  EXPECT_TRUE(run.Destroyed);
#if !defined(_WIN32)
  EXPECT_EQ(standin::Seen().StalledDialogs, 0) << "a modal loop ran out of messages";
#endif
  return run;
}

Step Choose(int listId, int index) {
  return OnEnabled(listId, [=](HWND window) {
    Run->Picked[listId] = index;
    SendDlgItemMessageA(window, listId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (int code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP, CBN_KILLFOCUS})
      Notify(window, listId, code);
  });
}

Step Click(int buttonId) {
  return OnEnabled(buttonId, [=](HWND window) {
    if (buttonId == IDC_NORMAL_PROJECT || buttonId == IDC_SOCIAL_INTEREST) {
      SendDlgItemMessageA(window, IDC_NORMAL_PROJECT, BM_SETCHECK, buttonId == IDC_NORMAL_PROJECT, 0);
      SendDlgItemMessageA(window, IDC_SOCIAL_INTEREST, BM_SETCHECK, buttonId == IDC_SOCIAL_INTEREST, 0);
    }
    Notify(window, buttonId, BN_CLICKED);
  });
}

Step Type(const char* amount) {
  return OnEnabled(IDC_AMOUNT, [=](HWND window) {
    SetDlgItemTextA(window, IDC_AMOUNT, amount);
    Notify(window, IDC_AMOUNT, EN_CHANGE);
  });
}

Step Command(WPARAM wParam) {
  return [=](HWND window) { SendMessageA(window, WM_COMMAND, wParam, 0); };
}

Step MoveTo(int x, int y) {
  return [=](HWND window) {
    const RECT rect = Rect(window);
    MoveWindow(window, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  };
}

Step Minimise() { return [](HWND window) { ShowWindow(window, SW_MINIMIZE); }; }

Step TrayMouse(UINT mouseMessage) {
  return [=](HWND window) { SendMessageA(window, WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<LPARAM>(mouseMessage)); };
}

Step PickFromTrayMenu(int position) {
  return [=](HWND window) {
#if defined(_WIN32)
    // The menu's own loop reads the keys waiting in the thread's queue: Down
    // moves to the next item that can be chosen, Return chooses, Esc closes.
    for (int i = 0; i <= position; ++i) PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, position >= 0 ? VK_RETURN : VK_ESCAPE, 0);
#else
    int choosable = -1;
    for (const auto& item : standin::Inspect(CalculatorState.TrayMenu).Items)
      if ((item.Flags & MF_SEPARATOR) == 0 && ++choosable == position) standin::Setup().NextMenuChoice = item.Id;
#endif
    TrayMouse(WM_LBUTTONDOWN)(window);
  };
}

Step InAboutBox(WPARAM commandId) {
  return [=](HWND) { AboutBox() ? Command(commandId)(AboutBox()) : void(ADD_FAILURE() << "no About box is open"); };
}

Step TakeSnapshot(Snapshot* shown) {
  return [=](HWND window) {
    Snapshot& s = *shown;
    s[DISABLED] = s[CHECKED] = "";
    for (const auto& [id, name] : Controls) {
      if (!IsWindowEnabled(GetDlgItem(window, id))) s[DISABLED] += (s[DISABLED].empty() ? "" : " ") + std::string(name);
      if (SendDlgItemMessageA(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED) s[CHECKED] += name;
    }
    s[CHOSEN] = ListShown(window, IDC_OFFICE) + " / " + ListShown(window, IDC_SERVICE);
    s[TRANSACTIONS] = ListShown(window, IDC_TRANSACTION);
    s[AMOUNTS] = Text(window, IDC_FEE) + " / " + Text(window, IDC_AMOUNT);
    s[TEXT] = Text(window, IDC_DESCRIPTION);
    s[LABEL] = Text(window, IDC_TOGGLE_TEXT_LABEL);
    const RECT rect = Rect(window);
    s[PLACE] = std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
               std::to_string(rect.right - rect.left - StartWidth) + "x" +
               std::to_string(rect.bottom - rect.top - StartHeight);
    s[WINDOW] = IsIconic(window) ? "minimised" : IsWindowVisible(window) ? "shown" : "hidden";
    if (AboutBox() != nullptr) s[WINDOW] += ", About box open";
  };
}

}  // namespace tarivox::uitest
