// What a test may read from and set in the headless stand-in: the tray, the
// menus, the handles given out and released, the cursor, the display mode
// and the platform version. Only tests include this header.
#pragma once

#include <string>
#include <vector>

#include "platform/standin/standin_windows.h"

namespace standin {

// Back to a fresh machine: no windows, no handles, no tray icons, display
// 800 x 600, cursor at (400, 300), an NT platform, every resource present.
void Reset();

// One call of Shell_NotifyIconA as the shell saw it: only the first cbSize
// bytes of the record are read, as the real shell does.
struct NotifyCall {
  DWORD Operation;
  DWORD Size;
  HWND Window;
  UINT Id;
  UINT Flags;
  UINT CallbackMessage;
  HICON Icon;
  bool IconWasLive;  // the handle given was a live icon at the call
  std::string Tip;   // at most 63 characters for a first-version record
  bool TipTerminated;  // a NUL stood within the tip bytes the size covers
  BOOL Result;
};
const std::vector<NotifyCall>& NotifyCalls();

// The notification area's view of one icon.
struct TrayIconRecord {
  bool Present;
  UINT Flags;
  UINT CallbackMessage;
  HWND Window;
  bool HasImage;
  std::string Tip;
};
TrayIconRecord TrayIcon(UINT id);

// Handles of one kind given out and still alive.
enum class Kind { Window, Icon, Bitmap, Brush, Menu, DeviceContext };
int CreatedCount(Kind kind);
int LiveCount(Kind kind);
// Releases of a handle that was already released or never given out.
int BadReleaseCount();

COLORREF BrushColor(HBRUSH brush);
// Size asked for when the image was loaded.
POINT ImageSize(HANDLE image);

struct MenuItem {
  UINT Flags;
  UINT_PTR Id;
  std::string Text;       // for MF_STRING items
  HBITMAP Bitmap;         // for MF_BITMAP items
};
std::vector<MenuItem> MenuItems(HMENU menu);

// TrackPopupMenuEx: the calls seen, and the item the user picks in the
// next one (0: the menu is dismissed without a choice).
struct TrackCall {
  HMENU Menu;
  UINT Flags;
  int X, Y;
  HWND Owner;
  HWND Foreground;  // foreground window when the menu opened
};
const std::vector<TrackCall>& TrackCalls();
void ChooseInNextMenu(UINT_PTR id);

// Messages posted with PostMessageA, in order, whether delivered yet or not.
struct PostedMessage {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
};
const std::vector<PostedMessage>& PostedMessages();

void SetCursor(int x, int y);
void SetDisplayMode(DWORD width, DWORD height);
void SetDisplayQueryFails(bool fails);
// dmSize of the last EnumDisplaySettingsA call, and the mode number asked for.
WORD LastDisplayQuerySize();
DWORD LastDisplayModeNumber();
void SetPlatformId(DWORD platformId);
void SetPopupMenuCreationFails(bool fails);
void SetResourceMissing(int resourceId, bool missing);

// A modal dialog whose queue ran dry before EndDialog: a real one would
// wait for input there; the stand-in gives up and counts it.
int StalledDialogCount();

// Dialog units of the stand-in's fonts, in pixels per 4 x and 8 y units.
inline constexpr int BASE_UNIT_X = 6;
inline constexpr int BASE_UNIT_Y = 13;

}  // namespace standin
