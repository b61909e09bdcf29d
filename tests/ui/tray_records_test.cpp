// What the tray, the menu and the handle table saw, read from the
// stand-in. These records cannot be read back from the real shell through
// Win32 calls, so this part of the suite runs with the stand-in only; the
// end-to-end test reads the real tooltip under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fees/amount_text.h"
#include "harness.h"
#include "platform/standin/standin_inspect.h"
#include "resource.h"
#include "tray_actions.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

using standin::Kind;

constexpr UINT ALL_FLAGS = NIF_MESSAGE | NIF_ICON | NIF_TIP;

void ExpectRecordBasics(const standin::NotifyCall& call, HWND window, const std::string& where) {
  EXPECT_EQ(call.Size, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE)) << where;
  EXPECT_EQ(call.Window, window) << where;
  EXPECT_EQ(call.Id, static_cast<UINT>(TRAY_ICON_ID)) << where;
  EXPECT_EQ(call.Flags, ALL_FLAGS) << where;
  EXPECT_EQ(call.CallbackMessage, static_cast<UINT>(WM_TRAYNOTIFY)) << where;
  EXPECT_TRUE(call.TipTerminated) << where;
}

TEST(TrayRecords, AddedWithDefaultTipThenGivenImageAndEmptyTip) {
  RunCalculator([](HWND window) {
    const auto& calls = standin::NotifyCalls();
    ASSERT_EQ(calls.size(), 2u);
    ExpectRecordBasics(calls[0], window, "add");
    EXPECT_EQ(calls[0].Operation, NIM_ADD);
    EXPECT_EQ(calls[0].Icon, nullptr);
    EXPECT_EQ(calls[0].Tip, "Tarivox01");
    ExpectRecordBasics(calls[1], window, "first modify");
    EXPECT_EQ(calls[1].Operation, NIM_MODIFY);
    EXPECT_TRUE(calls[1].IconWasLive);
    EXPECT_EQ(standin::ImageSize(calls[1].Icon).x, 16);
    const standin::TrayIconRecord icon = standin::TrayIcon(TRAY_ICON_ID);
    EXPECT_TRUE(icon.Present);
    EXPECT_TRUE(icon.HasImage);
    EXPECT_EQ(icon.Tip, "") << "the tip starts empty, not with the default";
  });
}

TEST(TrayRecords, TipFollowsEveryComputationAndIsCutAt63) {
  const struct {
    const char* Typed;
    std::size_t SentenceLength;
  } rows[] = {
      {"25,000", std::strlen("Para un monto de: US$ 25,000.00  el pago es: US$ 157.50")},
      {"999999999999999.88", 70},  // the longest sentence: amount 22, fee 8
      {"123456789012", 40 + 18 + 8},  // "123,456,789,012.00" and the maximum "5,400.00"
  };
  for (const auto& row : rows) {
    RunCalculator([&](HWND window) {
      TypeAmount(window, row.Typed);
      ClickButton(window, IDC_CALCULATE);
      ASSERT_EQ(std::strlen(MessageText), row.SentenceLength) << row.Typed << ": " << MessageText;
      const std::string sentence = MessageText;
      const standin::NotifyCall& last = standin::NotifyCalls().back();
      ExpectRecordBasics(last, window, row.Typed);
      EXPECT_EQ(last.Tip, sentence.substr(0, 63)) << row.Typed;
      EXPECT_EQ(standin::TrayIcon(TRAY_ICON_ID).Tip, sentence.substr(0, 63)) << row.Typed;
    });
  }
}

TEST(TrayRecords, EveryIconHandedOverIsDestroyedOnce) {
  RunCalculator([](HWND window) {
    for (const char* typed : {"100", "2,000", "30000"}) {
      TypeAmount(window, typed);
      PressEnter(window);
    }
    EXPECT_EQ(standin::CreatedCount(Kind::Icon), 4);  // start-up and three computations
    EXPECT_EQ(standin::LiveCount(Kind::Icon), 0);
    for (const standin::NotifyCall& call : standin::NotifyCalls()) {
      if (call.Icon != nullptr) {
        EXPECT_TRUE(call.IconWasLive) << "an icon was handed over after its release";
      }
    }
  });
  EXPECT_EQ(standin::BadReleaseCount(), 0);
}

TEST(TrayRecords, MissingImagesAreSimplyAbsent) {
  RunCalculator(
      [](HWND window) {
        TypeAmount(window, "100");
        PressEnter(window);
        EXPECT_EQ(standin::NotifyCalls().back().Icon, nullptr);
        EXPECT_EQ(ControlText(window, IDC_FEE), "8.86");
        ASSERT_EQ(GetMenuItemCount(CalculatorState.TrayMenu), 3);
        EXPECT_EQ(standin::MenuItems(CalculatorState.TrayMenu)[0].Bitmap, nullptr);
      },
      [] {
        standin::SetResourceMissing(IDI_APP, true);
        standin::SetResourceMissing(IDB_MENU_LOGO, true);
      });
  EXPECT_EQ(standin::BadReleaseCount(), 0) << "a missing handle was released";
}

TEST(TrayRecords, EverythingReleasedAndTheIconRemovedAtTheEnd) {
  HWND calculator = nullptr;
  RunCalculator([&](HWND window) {
    calculator = window;
    HWND fee = GetDlgItem(window, IDC_FEE);
    HDC dc = GetDC(fee);
    SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(fee));
    ReleaseDC(fee, dc);
    EXPECT_EQ(standin::BrushColor(CalculatorState.FeeBrush), RGB(243, 253, 64));
    EXPECT_EQ(standin::MenuItems(CalculatorState.TrayMenu)[0].Bitmap, CalculatorState.MenuLogoBitmap);
    EXPECT_EQ(standin::ImageSize(CalculatorState.MenuLogoBitmap).x, 136);
    EXPECT_EQ(standin::ImageSize(CalculatorState.MenuLogoBitmap).y, 32);
  });
  const standin::NotifyCall& last = standin::NotifyCalls().back();
  EXPECT_EQ(last.Operation, NIM_DELETE);
  ExpectRecordBasics(last, calculator, "delete");
  EXPECT_FALSE(standin::TrayIcon(TRAY_ICON_ID).Present);
  for (Kind kind : {Kind::Icon, Kind::Bitmap, Kind::Brush, Kind::Menu, Kind::DeviceContext})
    EXPECT_EQ(standin::LiveCount(kind), 0) << "kind " << static_cast<int>(kind);
  EXPECT_EQ(standin::BadReleaseCount(), 0);
}

struct AnchorRow {
  const char* Name;
  DWORD PlatformId;
  bool QueryFails;
  POINT Cursor;
  POINT Anchor;
  DWORD ModeNumber;
};

TEST(TrayMenuAnchor, DisplayModeQueryAndTrackCall) {
  const AnchorRow rows[] = {
      {"NT, 800 x 600", VER_PLATFORM_WIN32_NT, false, {100, 300}, {750, 500}, ENUM_CURRENT_SETTINGS},
      {"NT, bottom corner", VER_PLATFORM_WIN32_NT, false, {790, 590}, {790, 590}, ENUM_CURRENT_SETTINGS},
      {"older platform asks for mode 0", VER_PLATFORM_WIN32_WINDOWS, false, {100, 300}, {750, 500}, 0},
      {"failed query opens at the cursor", VER_PLATFORM_WIN32_NT, true, {100, 300}, {100, 300},
       ENUM_CURRENT_SETTINGS},
      // A screen left of and above the main one: a size of 0 x 0 would pull
      // the anchor to (-50, -100).
      {"failed query, cursor on a screen up left", VER_PLATFORM_WIN32_NT, true, {-200, -300}, {-200, -300},
       ENUM_CURRENT_SETTINGS},
  };
  for (const AnchorRow& row : rows) {
    RunCalculator(
        [&](HWND window) {
          RightClickTrayIcon(window);  // hidden: the menu still opens
          LeftClickTrayIcon(window);
          ASSERT_EQ(standin::TrackCalls().size(), 1u) << row.Name;
          const standin::TrackCall& track = standin::TrackCalls()[0];
          EXPECT_EQ(track.X, row.Anchor.x) << row.Name;
          EXPECT_EQ(track.Y, row.Anchor.y) << row.Name;
          EXPECT_EQ(track.Flags, TPM_RIGHTBUTTON) << row.Name;
          EXPECT_EQ(track.Menu, CalculatorState.TrayMenu) << row.Name;
          EXPECT_EQ(track.Foreground, window) << row.Name << ": the menu needs the window in front";
          EXPECT_EQ(standin::LastDisplayModeNumber(), row.ModeNumber) << row.Name;
          EXPECT_EQ(standin::LastDisplayQuerySize(), sizeof(DEVMODEA)) << row.Name;
          const auto& posted = standin::PostedMessages();
          bool userPosted = false;
          for (const auto& message : posted) userPosted |= message.Window == window && message.Message == WM_USER;
          EXPECT_TRUE(userPosted) << row.Name << ": WM_USER after the menu";
        },
        [&] {
          standin::SetDisplayMode(800, 600);
          standin::SetCursor(row.Cursor.x, row.Cursor.y);
          standin::SetPlatformId(row.PlatformId);
          standin::SetDisplayQueryFails(row.QueryFails);
        });
  }
}

TEST(TrayMenuAnchor, NoMenuWhenItCouldNotBeMade) {
  const CalculatorRun run = RunCalculator(
      [](HWND window) {
        EXPECT_EQ(CalculatorState.TrayMenu, nullptr);
        LeftClickTrayIcon(window);
        EXPECT_TRUE(standin::TrackCalls().empty());
        TypeAmount(window, "25,000");
        PressEnter(window);
        EXPECT_EQ(ControlText(window, IDC_FEE), "157.50");
      },
      [] { standin::SetPopupMenuCreationFails(true); });
  EXPECT_FALSE(run.EndedBySteps);
  EXPECT_EQ(standin::BadReleaseCount(), 0);
}

}  // namespace
}  // namespace tarivox::uitest
