// The dialog that the windowing system builds from the resources, control
// by control against the layout table. Under Wine and Windows this checks
// the compiled resource script; with the stand-in, its dialog building.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "harness.h"
#include "platform/dialog_templates.h"
#include "resource.h"
#include "user_actions.h"

namespace tarivox::uitest {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, static_cast<int>(sizeof name));
  return Lower(name);
}

// What the dialog manager makes of a template style: in a DS_3DLOOK dialog
// a plain border may become a sunken client edge (Windows and Wine do this
// for edits and statics), and a combo box hands its scroll bar to its
// drop-down list. Every other bit must arrive as written.
DWORD BitsThatMustArrive(const ControlTemplate& control) {
  DWORD bits = control.Style | WS_CHILD | WS_VISIBLE;
  bits &= ~WS_BORDER;
  if (Lower(control.ClassName) == "combobox") bits &= ~WS_VSCROLL;
  return bits;
}

constexpr DWORD CLIENT_EDGE = 0x00000200;  // WS_EX_CLIENTEDGE

void CheckControls(HWND dialog, const DialogTemplate& tmpl) {
  HWND child = GetWindow(dialog, GW_CHILD);
  for (int i = 0; i < tmpl.ControlCount; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
    const ControlTemplate& expected = tmpl.Controls[i];
    ASSERT_NE(child, nullptr) << "control " << i << " is missing";
    const std::string where = "control " + std::to_string(i) + " (" + std::to_string(expected.Id) + ")";
    EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, expected.Id & 0xFFFF) << where;
    EXPECT_EQ(ClassOf(child), Lower(expected.ClassName)) << where;
    const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    const DWORD wanted = BitsThatMustArrive(expected);
    EXPECT_EQ(style & wanted, wanted) << where << std::hex << " style " << style << " wanted " << wanted;
    EXPECT_EQ(style & WS_DISABLED, expected.Style & WS_DISABLED) << where;
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & expected.ExStyle, expected.ExStyle) << where;
    if ((expected.Style & WS_BORDER) != 0) {
      EXPECT_TRUE((style & WS_BORDER) != 0 || (exStyle & CLIENT_EDGE) != 0) << where << ": the border is lost";
    } else {
      EXPECT_EQ(style & WS_BORDER, 0u) << where;
    }
    RECT units{expected.X, expected.Y, expected.Width, expected.Height};
    MapDialogRect(dialog, &units);  // x, y, cx and cy are mapped each on its own
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    const RECT actual = WindowRect(child);
    EXPECT_EQ(actual.left - origin.x, units.left) << where;
    EXPECT_EQ(actual.top - origin.y, units.top) << where;
    // A static icon takes the size of its icon; a drop-down list's height
    // is its closed field, not the template's height with the list open.
    const bool icon = (expected.Style & SS_ICON) == SS_ICON && Lower(expected.ClassName) == "static";
    if (!icon) {
      EXPECT_EQ(actual.right - actual.left, units.right) << where;
    }
    if (!icon && Lower(expected.ClassName) != "combobox") {
      EXPECT_EQ(actual.bottom - actual.top, units.bottom) << where;
    }
    const bool hasOwnText = Lower(expected.ClassName) == "button" ||
                            (Lower(expected.ClassName) == "static" && (expected.Style & SS_ICON) != SS_ICON &&
                             expected.Id != IDC_FEE);
    if (hasOwnText) {
      char text[256] = {};
      GetWindowTextA(child, text, static_cast<int>(sizeof text));
      EXPECT_STREQ(text, expected.Text) << where;
    }
  }
  EXPECT_EQ(child, nullptr) << "more controls than the table has";
}

TEST(Template, CalculatorControlsMatchTheLayoutTable) {
  RunCalculator([](HWND window) {
    char caption[64] = {};
    GetWindowTextA(window, caption, static_cast<int>(sizeof caption));
    EXPECT_STREQ(caption, "Tarivox 2001 - v.1.0");
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD windowBits = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(style & windowBits, windowBits) << std::hex << style;
    EXPECT_NE(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & WS_EX_TOOLWINDOW, 0u);
    CheckControls(window, CalculatorTemplate);
  });
}

INT_PTR CALLBACK InspectAbout(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  CheckControls(dialog, AboutTemplate);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & WS_CAPTION, 0u) << "the About box has no caption";
  EndDialog(dialog, 7);
  return TRUE;
}

TEST(Template, AboutControlsMatchTheLayoutTable) {
  RunCalculator([](HWND window) {
    EXPECT_EQ(DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(IDD_ABOUT), window, InspectAbout, 0), 7);
  });
}

}  // namespace
}  // namespace tarivox::uitest
