#include "tray_actions.h"

#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

#include "resource.h"

#if !defined(_WIN32)
#include "platform/standin/standin_inspect.h"
#include "ui/calculator_state.h"
#endif

namespace tarivox::uitest {
namespace {

void SendTrayMouse(HWND window, UINT down, UINT up) {
  SendMessageA(window, WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<LPARAM>(down));
  SendMessageA(window, WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<LPARAM>(up));
}

struct AboutSearch {
  HWND Owner;
  HWND Found;
};

BOOL CALLBACK MatchAbout(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<AboutSearch*>(lParam);
  char name[32] = {};
  GetClassNameA(window, name, static_cast<int>(sizeof name));
  if (GetWindow(window, GW_OWNER) == search->Owner && std::strcmp(name, "#32770") == 0) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void RightClickTrayIcon(HWND window) { SendTrayMouse(window, WM_RBUTTONDOWN, WM_RBUTTONUP); }
void LeftClickTrayIcon(HWND window) { SendTrayMouse(window, WM_LBUTTONDOWN, WM_LBUTTONUP); }

void PickFromTrayMenu(HWND window, int position) {
#if defined(_WIN32)
  // The menu's own loop reads the keyboard messages waiting in the
  // thread's queue: Down moves to the next item that can be chosen
  // (separators are skipped), Return chooses, Esc closes the menu.
  for (int i = 0; i <= position; ++i) PostMessageA(window, WM_KEYDOWN, 0x28 /* VK_DOWN */, 0);
  PostMessageA(window, WM_KEYDOWN, position >= 0 ? VK_RETURN : VK_ESCAPE, 0);
#else
  // The stand-in's menu picks what it is told: the item at that position.
  if (position >= 0) {
    int choosable = -1;
    HMENU menu = CalculatorState.TrayMenu;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0) continue;
      if (++choosable == position) standin::ChooseInNextMenu(GetMenuItemID(menu, i));
    }
  }
#endif
  LeftClickTrayIcon(window);
}

HWND FindAboutBox(HWND calculator) {
  AboutSearch search{calculator, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchAbout, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

namespace {

void RetryUntilAboutOpens(HWND calculator, std::function<void(HWND)> step, int turnsLeft) {
  RunFromMessageLoop(calculator, [calculator, step, turnsLeft] {
    HWND about = FindAboutBox(calculator);
    if (about != nullptr) {
      step(about);
    } else if (turnsLeft > 0) {
      RetryUntilAboutOpens(calculator, step, turnsLeft - 1);
    } else {
      ADD_FAILURE() << "the About box did not open";
    }
  });
}

}  // namespace

void WhenAboutBoxOpens(HWND calculator, std::function<void(HWND)> step) {
  RetryUntilAboutOpens(calculator, std::move(step), 20);
}

}  // namespace tarivox::uitest
