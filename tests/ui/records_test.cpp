// What the program handed the platform, read from the stand-in: the
// shell's records, the menu, the images and brushes and their release.
// The real shell and GDI keep these to themselves, so this part runs
// natively only; the end-to-end test reads the real tooltip under Wine.
#include <gtest/gtest.h>

#include "harness.h"
#include "platform/standin/standin_inspect.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

namespace tarivox::uitest {
namespace {

using standin::Kind;

// A call as the shell saw it: operation, record size, window, identifier,
// flags, callback message, icon, tip. Start and end are in every row.
std::string Line(const standin::NotifyCall& call, HWND window) {
  const bool small = call.IconWasLive && standin::Inspect(call.Icon).Size.x == 16;
  const char* image = call.Icon == nullptr ? "none" : small ? "16x16" : "bad";
  return std::to_string(call.Operation) + " " + std::to_string(call.Size) + (call.Window == window ? " w " : " ? ") +
         std::to_string(call.Id) + " " + std::to_string(call.Flags) + " " + std::to_string(call.CallbackMessage) +
         " " + image + " \"" + call.Tip + "\"";
}

TEST(TrayRecords, WhatTheShellIsHanded) {
  const std::string record = std::to_string(sizeof(void*) == 4 ? 88 : 104) + " w 1006 7 32868 ";
  const std::string added = "0 " + record + "none \"Tarivox01\"", removed = "2 " + record + "none \"Tarivox01\"";
  const std::string modified = "1 " + record + "16x16 \"", empty = modified + "\"";
  const struct {
    const char* Name;
    std::vector<Step> Acts;
    std::vector<std::string> Calls;
  } rows[] = {
      {"a computation", {Type("25,000"), Click(IDC_CALCULATE)},
       {added, empty, modified + "Para un monto de: US$ 25,000.00  el pago es: US$ 157.50\"", removed}},
      {"a sentence cut after 63 characters", {Type("999999999999999.88"), Click(IDC_CALCULATE)},
       {added, empty, modified + "Para un monto de: US$ 999,999,999,999,999.88  el pago es: US$ 5\"", removed}},
  };
  for (const auto& row : rows) {
    const HWND calculator = RunCalculator(row.Acts).Window;
    std::vector<std::string> calls;
    for (const auto& call : standin::Seen().Notifications) calls.push_back(Line(call, calculator));
    EXPECT_EQ(calls, row.Calls) << row.Name;
  }
}

TEST(Handles, EachMadeOnceAndReleasedOnce) {
  const auto paint = [](HWND window, int id) {
    return CalculatorDialogProc(window, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
  };
  INT_PTR brush = 0;
  const Step rightClick = TrayMouse(WM_RBUTTONDOWN);
  RunCalculator({Type("100"), Click(IDC_CALCULATE), rightClick, rightClick, [&](HWND window) {
                   EXPECT_EQ(GetForegroundWindow(), window) << "hidden, then restored in front";
                   EXPECT_FALSE(AddTrayIcon(window, 1) || RemoveTrayIcon(window, -1)) << "icons beyond the table";
                   brush = paint(window, IDC_FEE);
                   EXPECT_TRUE(paint(window, IDC_FEE) == brush && standin::Seen().BkMode == TRANSPARENT);
                   EXPECT_EQ(paint(window, IDC_FEE_LABEL), FALSE) << "other statics keep the default colours";
                   std::string menu;  // flags, command and content of each item
                   for (const auto& item : standin::Inspect(CalculatorState.TrayMenu).Items) {
                     const bool logo = item.Bitmap != nullptr && item.Bitmap == CalculatorState.MenuLogoBitmap;
                     menu += std::to_string(item.Flags) + " " + std::to_string(item.Id) + " ";
                     menu += (logo ? "logo" : item.Text) + "|";
                   }
                   EXPECT_EQ(menu, "4 32878 logo|2048 0 |0 32879 Salir|") << "the picture, a separator, Salir";
                   const POINT logo = standin::Inspect(CalculatorState.MenuLogoBitmap).Size;
                   EXPECT_TRUE(logo.x == 136 && logo.y == 32);
                 }});
  EXPECT_EQ(standin::Inspect(reinterpret_cast<HBRUSH>(brush)).Color, RGB(243, 253, 64));
  EXPECT_TRUE(standin::CreatedCount(Kind::Icon) == 2 && standin::CreatedCount(Kind::Brush) == 1) << "one icon a load";
  for (Kind kind : {Kind::Icon, Kind::Bitmap, Kind::Brush, Kind::Menu, Kind::Window})
    EXPECT_EQ(standin::LiveCount(kind), 0) << "kind " << static_cast<int>(kind);
  EXPECT_EQ(standin::Seen().BadReleases, 0);
}

// The window is hidden first: it must be brought in front for its menu. The
// anchor is pulled towards the bottom right of the 800 x 600 display.
TEST(TrayMenu, OpensAtTheAnchorWithTheWindowInFront) {
  const DWORD NT = VER_PLATFORM_WIN32_NT, CURRENT = ENUM_CURRENT_SETTINGS;
  const struct {
    DWORD PlatformId;
    bool QueryFails;
    POINT Cursor;
    POINT Anchor;
    DWORD Mode;
  } rows[] = {
      {NT, false, {100, 300}, {750, 500}, CURRENT},   {VER_PLATFORM_WIN32_WINDOWS, false, {100, 300}, {750, 500}, 0},
      {NT, true, {-200, -300}, {-200, -300}, CURRENT}, {NT, false, {760, 585}, {760, 585}, CURRENT},
      {NT, false, {780, 549}, {780, 500}, CURRENT},   {NT, false, {750, 550}, {750, 550}, CURRENT},
      {NT, false, {749, 590}, {750, 590}, CURRENT},   {NT, false, {-200, 700}, {750, 700}, CURRENT},
      {NT, false, {2000, 0}, {2000, 500}, CURRENT},
  };
  for (const auto& row : rows) {
    const std::string name = std::to_string(row.Cursor.x) + "," + std::to_string(row.Cursor.y);
    const HWND calculator = RunCalculator({TrayMouse(WM_RBUTTONDOWN), PickFromTrayMenu(-1)}, [&] {
      standin::Setup() = {row.Cursor, 800, 600, row.QueryFails, row.PlatformId};
    }).Window;
    const auto& seen = standin::Seen();
    ASSERT_EQ(seen.Tracks.size(), 1u) << name;
    const auto& track = seen.Tracks[0];
    EXPECT_TRUE(track.X == row.Anchor.x && track.Y == row.Anchor.y && seen.DisplayModeNumber == row.Mode) << name;
    EXPECT_TRUE(track.Flags == TPM_RIGHTBUTTON && track.Menu != nullptr && seen.DisplayQuerySize == sizeof(DEVMODEA));
    EXPECT_TRUE(track.Owner == calculator && track.Foreground == calculator) << name;
    const auto& closing = seen.Posted.at(seen.Posted.size() - 2);  // the harness posts its next step last
    EXPECT_TRUE(closing.Message == WM_USER && closing.WParam == 0 && closing.LParam == 0) << name << ": after the menu";
  }
}

}  // namespace
}  // namespace tarivox::uitest
