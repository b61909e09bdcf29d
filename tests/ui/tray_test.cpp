// The notification-area icon as the window sees it, its menu and the About
// box: run against the stand-in and against the real USER32 and shell.
#include <gtest/gtest.h>

#include "expected_texts.h"
#include "harness.h"
#include "resource.h"
#include "tray_actions.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"
#include "ui/tray_icon_table.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

TEST(MenuAnchor, PulledTowardsTheBottomRightOf800x600) {
  const struct {
    ScreenPoint Cursor;
    ScreenPoint Anchor;
  } rows[] = {
      {{760, 585}, {760, 585}}, {{100, 300}, {750, 500}}, {{780, 549}, {780, 500}},
      {{780, 550}, {780, 550}}, {{749, 590}, {750, 590}}, {{-200, 700}, {750, 700}},
      {{750, 550}, {750, 550}},  // both boundaries keep the cursor's value
      {{2000, 0}, {2000, 500}},  // beyond the right edge: never pulled back
  };
  for (const auto& row : rows) {
    const ScreenPoint anchor = MenuAnchor(row.Cursor, true, 800, 600);
    EXPECT_EQ(anchor.X, row.Anchor.X) << "cursor " << row.Cursor.X << ", " << row.Cursor.Y;
    EXPECT_EQ(anchor.Y, row.Anchor.Y) << "cursor " << row.Cursor.X << ", " << row.Cursor.Y;
  }
}

TEST(MenuAnchor, UnknownDisplayLeavesTheMenuAtTheCursor) {
  const ScreenPoint cursors[] = {{100, 300}, {0, 0}, {-5, 7000}};
  for (const ScreenPoint cursor : cursors) {
    const ScreenPoint anchor = MenuAnchor(cursor, false, 0, 0);
    EXPECT_EQ(anchor.X, cursor.X) << cursor.X << ", " << cursor.Y;
    EXPECT_EQ(anchor.Y, cursor.Y) << cursor.X << ", " << cursor.Y;
  }
}

TEST(TrayRecord, FirstVersionSizeOfThisPlatform) {
  // 88 bytes with 32-bit handles, 104 with 64-bit ones: the tip starts
  // after the handles and the first version keeps 64 bytes of it.
  EXPECT_EQ(static_cast<std::size_t>(NOTIFYICONDATAA_V1_SIZE), sizeof(void*) == 4 ? 88u : 104u);
  EXPECT_EQ(TRAY_TIP_SIZE, 64u);
  EXPECT_EQ(TrayIconTable[0].Id, static_cast<UINT>(TRAY_ICON_ID));
}

TEST(TrayIcon, PresentWhileTheWindowLivesAndRemovedAtTheEnd) {
  HWND calculator = nullptr;
  RunCalculator([&](HWND window) {
    calculator = window;
    EXPECT_TRUE(TrayIconCommand(window, NIM_MODIFY, TRAY_ICON_ID, nullptr, "prueba"));
  });
  EXPECT_FALSE(TrayIconCommand(calculator, NIM_MODIFY, TRAY_ICON_ID, nullptr, "prueba"))
      << "the icon outlived the window";
}

TEST(Visibility, RightClickHidesThenRestoresInTheForeground) {
  RunCalculator([](HWND window) {
    RightClickTrayIcon(window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(CalculatorState.WindowVisible);
    RightClickTrayIcon(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(CalculatorState.WindowVisible);
    EXPECT_EQ(GetForegroundWindow(), window);
  });
}

TEST(Visibility, MinimisedWindowComesBackAtNormalSize) {
  RunCalculator([](HWND window) {
    const RECT normal = WindowRect(window);
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(CalculatorState.WindowVisible) << "minimising is not hiding";
    RightClickTrayIcon(window);
    EXPECT_FALSE(IsWindowVisible(window));
    RightClickTrayIcon(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    const RECT restored = WindowRect(window);
    EXPECT_EQ(restored.right - restored.left, normal.right - normal.left);
    EXPECT_EQ(restored.bottom - restored.top, normal.bottom - normal.top);
  });
}

TEST(Visibility, OtherMouseMessagesDoNothing) {
  RunCalculator([](HWND window) {
    const UINT messages[] = {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK};
    for (UINT message : messages) {
      EXPECT_EQ(CalculatorDialogProc(window, WM_TRAYNOTIFY, TRAY_ICON_ID, static_cast<LPARAM>(message)), TRUE)
          << "message " << message;
      EXPECT_TRUE(IsWindowVisible(window)) << "message " << message;
    }
  });
}

TEST(TrayMenu, PictureSeparatorAndSalirInThisOrder) {
  HMENU menu = nullptr;
  HBITMAP picture = nullptr;
  RunCalculator([&](HWND) {
    menu = CalculatorState.TrayMenu;
    picture = CalculatorState.MenuLogoBitmap;
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(picture, nullptr) << "the menu picture did not load";
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(IDM_TRAY_ABOUT));
    EXPECT_NE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_BITMAP, 0u);
    EXPECT_NE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(IDM_TRAY_EXIT));
    char text[32] = {};
    GetMenuStringA(menu, 2, text, static_cast<int>(sizeof text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Salir");
  });
  EXPECT_FALSE(IsMenu(menu)) << "the menu outlived the window";
  EXPECT_EQ(GetObjectType(picture), 0u) << "the picture outlived the window";
}

TEST(TrayMenu, SalirEndsTheProgramEvenWhileHidden) {
  const CalculatorRun run = RunCalculator([](HWND window) {
    RightClickTrayIcon(window);
    ASSERT_FALSE(IsWindowVisible(window));
    PickFromTrayMenu(window, 1);
  });
  EXPECT_TRUE(run.EndedBySteps);
  EXPECT_EQ(run.Result, 1);
}

TEST(TrayMenu, DismissedMenuChangesNothing) {
  const CalculatorRun run = RunCalculator([](HWND window) {
    PickFromTrayMenu(window, -1);
    EXPECT_TRUE(IsWindowVisible(window));
  });
  EXPECT_FALSE(run.EndedBySteps);
}

// The About box opened from the menu's picture: Esc leaves it open, OK
// closes it. Each step runs from the innermost message loop, so a step that
// still finds the box after Esc proves that Esc did not close it.
TEST(AboutBox, EscapeKeepsItOpenAndOkClosesIt) {
  RunCalculator([](HWND window) {
    WhenAboutBoxOpens(window, [window](HWND about) {
      EXPECT_FALSE(IsWindowEnabled(window)) << "the calculator must wait for the About box";
      PressEscape(about);
      RunFromMessageLoop(window, [window] {
        HWND stillOpen = FindAboutBox(window);
        ASSERT_NE(stillOpen, nullptr) << "Esc closed the About box";
        ClickButton(stillOpen, IDOK);
        RunFromMessageLoop(window, [window] {
          EXPECT_EQ(FindAboutBox(window), nullptr) << "OK left the About box open";
          EXPECT_TRUE(IsWindowEnabled(window));
        });
      });
    });
    PickFromTrayMenu(window, 0);
  });
}

TEST(AboutBox, EnterClosesItAndItOpensWhileHidden) {
  RunCalculator([](HWND window) {
    RightClickTrayIcon(window);
    WhenAboutBoxOpens(window, [window](HWND about) {
      EXPECT_EQ(GetFocus(), GetDlgItem(about, IDOK));
      PressEnter(about);
      RunFromMessageLoop(window, [window] { EXPECT_EQ(FindAboutBox(window), nullptr) << "Enter left it open"; });
    });
    SendMessageA(window, WM_COMMAND, IDM_TRAY_ABOUT, 0);
    EXPECT_FALSE(IsWindowVisible(window));
  });
}

TEST(Platform, ReportsWindowsNT) { EXPECT_TRUE(IsWindowsNT()); }

}  // namespace
}  // namespace tarivox::uitest
