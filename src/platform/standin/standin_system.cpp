// The calls around the windows: images from the compiled resources, the
// popup menu, GDI objects, the notification area, the cursor, the display
// mode and the platform version; and what tests set and read.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/standin/standin_model.h"

using standin::Kind;
using standin::detail::Add;
using standin::detail::Entry;
using standin::detail::Find;
using standin::detail::Release;
using standin::detail::TheMachine;

namespace {

void* AddObject(Kind kind) {
  Entry entry;
  entry.EntryKind = kind;
  return Add(entry);
}

}  // namespace

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height, UINT) {
  const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
  const int resourceType = type == IMAGE_ICON ? standin::detail::RT_GROUP_ICON : standin::detail::RT_BITMAP;
  if (!standin::detail::HasResource(resourceType, id)) return nullptr;
  const Kind kind = type == IMAGE_ICON ? Kind::Icon : Kind::Bitmap;
  void* image = AddObject(kind);
  Find(image, kind)->Size = {width, height};
  return image;
}

BOOL DestroyIcon(HICON icon) { return Release(icon, Kind::Icon) ? TRUE : FALSE; }

HMENU CreatePopupMenu() { return static_cast<HMENU>(AddObject(Kind::Menu)); }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  Entry* entry = Find(menu, Kind::Menu);
  if (entry == nullptr) return FALSE;
  standin::MenuItem item{flags, idNewItem, "", nullptr};
  if ((flags & MF_BITMAP) != 0) item.Bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
  else if ((flags & MF_SEPARATOR) == 0) item.Text = newItem;
  entry->MenuItems.push_back(item);
  return TRUE;
}

// The user picks what the test chose beforehand; the choice reaches the
// owner as a posted WM_COMMAND, as from a real menu.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
  auto& machine = TheMachine();
  if (Find(menu, Kind::Menu) == nullptr) return FALSE;
  machine.Seen.Tracks.push_back({menu, flags, x, y, owner, machine.Foreground});
  const UINT_PTR choice = std::exchange(machine.Setup.NextMenuChoice, 0);
  if (choice != 0) PostMessageA(owner, WM_COMMAND, choice, 0);
  return TRUE;
}

BOOL DestroyMenu(HMENU menu) { return Release(menu, Kind::Menu) ? TRUE : FALSE; }

BOOL GetCursorPos(LPPOINT point) {
  *point = TheMachine().Setup.Cursor;
  return TRUE;
}

BOOL EnumDisplaySettingsA(LPCSTR, DWORD modeNumber, DEVMODEA* devMode) {
  auto& machine = TheMachine();
  machine.Seen.DisplayModeNumber = modeNumber;
  machine.Seen.DisplayQuerySize = devMode->dmSize;
  if (machine.Setup.DisplayQueryFails || devMode->dmSize != sizeof(DEVMODEA)) return FALSE;
  devMode->dmPelsWidth = machine.Setup.DisplayWidth;
  devMode->dmPelsHeight = machine.Setup.DisplayHeight;
  return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  void* brush = AddObject(Kind::Brush);
  Find(brush, Kind::Brush)->Color = color;
  return static_cast<HBRUSH>(brush);
}

int SetBkMode(HDC, int mode) { return std::exchange(TheMachine().Seen.BkMode, mode); }

BOOL DeleteObject(HGDIOBJ object) {
  const Kind kind = Find(object, Kind::Brush) != nullptr ? Kind::Brush : Kind::Bitmap;
  return Release(object, kind) ? TRUE : FALSE;
}

// The record as the shell reads it: nothing beyond cbSize.
BOOL Shell_NotifyIconA(DWORD operation, NOTIFYICONDATAA* data) {
  standin::NotifyCall call{operation, data->cbSize, data->hWnd, data->uID, data->uFlags,
                           data->uCallbackMessage, data->hIcon, Find(data->hIcon, Kind::Icon) != nullptr, ""};
  const std::size_t tipOffset = offsetof(NOTIFYICONDATAA, szTip);
  const std::size_t tipBytes = data->cbSize > tipOffset ? std::min<std::size_t>(data->cbSize - tipOffset, 128) : 0;
  const void* end = std::memchr(data->szTip, '\0', tipBytes);
  call.Tip = end != nullptr ? std::string(data->szTip) : "<unterminated>";
  TheMachine().Seen.Notifications.push_back(call);
  return TRUE;
}

BOOL GetVersionExA(LPOSVERSIONINFOA info) {
  if (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return FALSE;
  info->dwPlatformId = TheMachine().Setup.PlatformId;
  return TRUE;
}

LPSTR lstrcpynA(LPSTR target, LPCSTR source, int maxLength) {
  int i = 0;
  for (; i + 1 < maxLength && source[i] != '\0'; ++i) target[i] = source[i];
  if (maxLength > 0) target[i] = '\0';
  return target;
}

HMODULE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000)); }

namespace standin {

void Reset() { TheMachine() = detail::Machine{}; }
Settings& Setup() { return TheMachine().Setup; }
const Record& Seen() { return TheMachine().Seen; }

Object Inspect(const void* handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  const auto& entries = TheMachine().Entries;
  if (value == 0 || value % 16 != 0 || value / 16 > entries.size()) return {Kind::Window, false, 0, {}, {}};
  const Entry& entry = entries[value / 16 - 1];
  return {entry.EntryKind, entry.Live, entry.Color, entry.Size, entry.MenuItems};
}

int LiveCount(Kind kind) {
  const auto& entries = TheMachine().Entries;
  return static_cast<int>(
      std::count_if(entries.begin(), entries.end(), [kind](const Entry& e) { return e.EntryKind == kind && e.Live; }));
}

int CreatedCount(Kind kind) {
  const auto& entries = TheMachine().Entries;
  return static_cast<int>(
      std::count_if(entries.begin(), entries.end(), [kind](const Entry& e) { return e.EntryKind == kind; }));
}

}  // namespace standin
