// What a test may set in the headless stand-in before a run, and what it
// may read of what the program handed the platform: the shell's records,
// the menus, the handles given out and released. Only tests include this.
#pragma once

#include <string>
#include <vector>

#include "platform/standin/standin_windows.h"

namespace standin {

// The machine the program runs on; Reset() brings back these values.
struct Settings {
  POINT Cursor = {400, 300};
  DWORD DisplayWidth = 800;
  DWORD DisplayHeight = 600;
  bool DisplayQueryFails = false;
  DWORD PlatformId = VER_PLATFORM_WIN32_NT;
  UINT_PTR NextMenuChoice = 0;  // the item picked in the next menu; 0 dismisses it
};

// One call of Shell_NotifyIconA as the shell read it: no byte beyond cbSize.
struct NotifyCall {
  DWORD Operation;
  DWORD Size;
  HWND Window;
  UINT Id;
  UINT Flags;
  UINT CallbackMessage;
  HICON Icon;
  bool IconWasLive;  // a live icon at the call
  std::string Tip;   // up to the NUL, "<unterminated>" when none within cbSize
};

struct TrackCall {
  HMENU Menu;
  UINT Flags;
  int X, Y;
  HWND Owner;
  HWND Foreground;  // at the time the menu opened
};

struct PostedMessage {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
};

struct Record {
  std::vector<NotifyCall> Notifications;
  std::vector<TrackCall> Tracks;
  std::vector<PostedMessage> Posted;
  WORD DisplayQuerySize = 0;
  DWORD DisplayModeNumber = 0;
  int BkMode = OPAQUE;  // the last one set
  int BadReleases = 0;  // releases of a handle never given out or already released
  int StalledDialogs = 0;  // modal loops whose queue ran dry: a real one would wait
};

enum class Kind { Window, Icon, Bitmap, Brush, Menu };

struct MenuItem {
  UINT Flags;
  UINT_PTR Id;
  std::string Text;
  HBITMAP Bitmap;
};

// A handle as the stand-in knows it, released or not.
struct Object {
  Kind ObjectKind;
  bool Live;
  COLORREF Color;  // of a brush
  POINT Size;      // asked for when an image was loaded
  std::vector<MenuItem> Items;
};

void Reset();
Settings& Setup();
const Record& Seen();
Object Inspect(const void* handle);
int LiveCount(Kind kind);
int CreatedCount(Kind kind);

}  // namespace standin
