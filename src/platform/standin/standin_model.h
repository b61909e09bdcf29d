// The stand-in's in-memory machine: every window and every handle it has
// given out, the message queue, the tray, the cursor and the display.
// Shared by the stand-in's own sources only.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/dialog_templates.h"
#include "platform/standin/standin_inspect.h"

namespace standin::detail {

// One handle of any kind; windows use the window fields, GDI and USER
// objects the others.
struct Entry {
  Kind EntryKind = Kind::Window;
  bool Live = true;
  // Windows
  HWND Parent = nullptr;
  std::vector<HWND> Children;
  int Id = 0;
  std::string ClassName;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  std::string Text;
  RECT Rect{};  // screen pixels for a dialog, parent-client pixels for a control
  bool Minimized = false;
  std::vector<std::string> Items;
  int Selection = -1;
  int Check = BST_UNCHECKED;
  bool AllSelected = false;
  DLGPROC Proc = nullptr;
  bool Ended = false;
  INT_PTR Result = 0;
  // Objects
  COLORREF Color = 0;
  POINT Size{};
  int BkMode = OPAQUE;
  std::vector<MenuItem> MenuEntries;
};

struct Machine {
  std::deque<Entry> Entries;  // a deque: entries stay put while handlers add more
  std::deque<PostedMessage> Queue;
  std::vector<PostedMessage> Posted;
  HWND Focus = nullptr;
  HWND Foreground = nullptr;
  POINT Cursor{400, 300};
  DWORD DisplayWidth = 800;
  DWORD DisplayHeight = 600;
  bool DisplayQueryFails = false;
  WORD LastQuerySize = 0;
  DWORD LastModeNumber = 0;
  DWORD PlatformId = VER_PLATFORM_WIN32_NT;
  bool PopupMenuFails = false;
  std::set<int> MissingResources;
  std::vector<NotifyCall> Notifications;
  std::map<UINT, TrayIconRecord> Tray;
  std::vector<TrackCall> Tracks;
  UINT_PTR NextMenuChoice = 0;
  int BadReleases = 0;
  int Stalled = 0;
};

Machine& TheMachine();

template <typename Handle>
Handle MakeHandle(std::size_t index) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>((index + 1) * 16));
}

// The entry behind a handle of the given kind, or nullptr for a handle the
// stand-in never gave out, of another kind, or (unless anyState) released.
Entry* Find(const void* handle, Kind kind, bool anyState = false);
Entry* FindWindowEntry(HWND window);
HWND AddWindow(Entry entry);
void* AddObject(Kind kind);
bool ReleaseObject(const void* handle, Kind kind);

// Sends WM_COMMAND with a notification code to a control's parent.
void Notify(HWND control, WORD code);

}  // namespace standin::detail
