// The stand-in's handle table and the calls around the windows: images,
// menus, GDI objects, the notification area, the cursor, the display mode
// and the platform version; and what tests read from it.
#include <algorithm>
#include <cstring>

#include "platform/standin/standin_model.h"
#include "resource.h"

namespace standin::detail {

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

Entry* Find(const void* handle, Kind kind, bool anyState) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (value == 0 || value % 16 != 0) return nullptr;
  auto& entries = TheMachine().Entries;
  const std::size_t index = value / 16 - 1;
  if (index >= entries.size()) return nullptr;
  Entry& entry = entries[index];
  if (entry.EntryKind != kind || (!entry.Live && !anyState)) return nullptr;
  return &entry;
}

Entry* FindWindowEntry(HWND window) { return Find(window, Kind::Window); }

HWND AddWindow(Entry entry) {
  auto& entries = TheMachine().Entries;
  entry.EntryKind = Kind::Window;
  entries.push_back(std::move(entry));
  return MakeHandle<HWND>(entries.size() - 1);
}

void* AddObject(Kind kind) {
  auto& entries = TheMachine().Entries;
  Entry entry;
  entry.EntryKind = kind;
  entries.push_back(entry);
  return MakeHandle<void*>(entries.size() - 1);
}

bool ReleaseObject(const void* handle, Kind kind) {
  Entry* entry = Find(handle, kind);
  if (entry == nullptr) {
    ++TheMachine().BadReleases;
    return false;
  }
  entry->Live = false;
  return true;
}

}  // namespace standin::detail

using standin::Kind;
using standin::detail::AddObject;
using standin::detail::Entry;
using standin::detail::Find;
using standin::detail::TheMachine;

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height, UINT) {
  const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
  if (TheMachine().MissingResources.count(id) != 0) return nullptr;
  const bool known = (type == IMAGE_ICON && id == IDI_APP) || (type == IMAGE_BITMAP && id == IDB_MENU_LOGO);
  if (!known) return nullptr;
  void* image = AddObject(type == IMAGE_ICON ? Kind::Icon : Kind::Bitmap);
  Find(image, type == IMAGE_ICON ? Kind::Icon : Kind::Bitmap)->Size = {width, height};
  return image;
}

BOOL DestroyIcon(HICON icon) { return standin::detail::ReleaseObject(icon, Kind::Icon) ? TRUE : FALSE; }

HMENU CreatePopupMenu() {
  if (TheMachine().PopupMenuFails) return nullptr;
  return static_cast<HMENU>(AddObject(Kind::Menu));
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  Entry* entry = Find(menu, Kind::Menu);
  if (entry == nullptr) return FALSE;
  standin::MenuItem item{flags, idNewItem, "", nullptr};
  if ((flags & MF_BITMAP) != 0) {
    item.Bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
  } else if ((flags & MF_SEPARATOR) == 0 && newItem != nullptr) {
    item.Text = newItem;
  }
  entry->MenuEntries.push_back(item);
  return TRUE;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
  auto& machine = TheMachine();
  if (Find(menu, Kind::Menu) == nullptr || standin::detail::FindWindowEntry(owner) == nullptr) return FALSE;
  machine.Tracks.push_back({menu, flags, x, y, owner, machine.Foreground});
  const UINT_PTR choice = machine.NextMenuChoice;
  machine.NextMenuChoice = 0;
  if (choice != 0) PostMessageA(owner, WM_COMMAND, choice, 0);
  return TRUE;
}

BOOL DestroyMenu(HMENU menu) { return standin::detail::ReleaseObject(menu, Kind::Menu) ? TRUE : FALSE; }

BOOL IsMenu(HMENU menu) { return Find(menu, Kind::Menu) != nullptr; }

namespace {

const standin::MenuItem* ItemAt(HMENU menu, UINT position) {
  const Entry* entry = Find(menu, Kind::Menu);
  if (entry == nullptr || position >= entry->MenuEntries.size()) return nullptr;
  return &entry->MenuEntries[position];
}

}  // namespace

int GetMenuItemCount(HMENU menu) {
  const Entry* entry = Find(menu, Kind::Menu);
  return entry != nullptr ? static_cast<int>(entry->MenuEntries.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  const standin::MenuItem* item = position < 0 ? nullptr : ItemAt(menu, static_cast<UINT>(position));
  if (item == nullptr) return static_cast<UINT>(-1);
  return (item->Flags & MF_SEPARATOR) != 0 ? 0 : static_cast<UINT>(item->Id);
}

UINT GetMenuState(HMENU menu, UINT position, UINT) {
  const standin::MenuItem* item = ItemAt(menu, position);
  return item != nullptr ? item->Flags : static_cast<UINT>(-1);
}

int GetMenuStringA(HMENU menu, UINT position, LPSTR text, int maxCount, UINT) {
  const standin::MenuItem* item = ItemAt(menu, position);
  if (item == nullptr || text == nullptr || maxCount <= 0) return 0;
  const std::size_t count = std::min<std::size_t>(item->Text.size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(text, item->Text.data(), count);
  text[count] = '\0';
  return static_cast<int>(count);
}

BOOL GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  *point = TheMachine().Cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  TheMachine().Cursor = {x, y};
  return TRUE;
}

BOOL EnumDisplaySettingsA(LPCSTR, DWORD modeNumber, DEVMODEA* devMode) {
  auto& machine = TheMachine();
  machine.LastModeNumber = modeNumber;
  if (devMode == nullptr) return FALSE;
  machine.LastQuerySize = devMode->dmSize;
  if (machine.DisplayQueryFails || devMode->dmSize != sizeof(DEVMODEA)) return FALSE;
  devMode->dmPelsWidth = machine.DisplayWidth;
  devMode->dmPelsHeight = machine.DisplayHeight;
  devMode->dmBitsPerPel = 32;
  return TRUE;
}

HDC GetDC(HWND window) {
  if (standin::detail::FindWindowEntry(window) == nullptr) return nullptr;
  return static_cast<HDC>(AddObject(Kind::DeviceContext));
}

int ReleaseDC(HWND, HDC dc) { return standin::detail::ReleaseObject(dc, Kind::DeviceContext) ? 1 : 0; }

HBRUSH CreateSolidBrush(COLORREF color) {
  void* brush = AddObject(Kind::Brush);
  Find(brush, Kind::Brush)->Color = color;
  return static_cast<HBRUSH>(brush);
}

int SetBkMode(HDC dc, int mode) {
  Entry* entry = Find(dc, Kind::DeviceContext);
  if (entry == nullptr) return 0;
  const int previous = entry->BkMode;
  entry->BkMode = mode;
  return previous;
}

int GetBkMode(HDC dc) {
  const Entry* entry = Find(dc, Kind::DeviceContext);
  return entry != nullptr ? entry->BkMode : 0;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (Find(object, Kind::Brush) != nullptr) return standin::detail::ReleaseObject(object, Kind::Brush);
  if (Find(object, Kind::Bitmap) != nullptr) return standin::detail::ReleaseObject(object, Kind::Bitmap);
  ++TheMachine().BadReleases;
  return FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
  if (Find(object, Kind::Brush) != nullptr) return OBJ_BRUSH;
  if (Find(object, Kind::Bitmap) != nullptr) return OBJ_BITMAP;
  if (Find(object, Kind::DeviceContext) != nullptr) return OBJ_DC;
  return 0;
}

namespace {

// The record as the shell reads it: nothing beyond cbSize.
standin::NotifyCall ReadRecord(DWORD operation, const NOTIFYICONDATAA& data) {
  standin::NotifyCall call{operation, data.cbSize, data.hWnd, data.uID, data.uFlags,
                           data.uCallbackMessage, data.hIcon, false, "", false, FALSE};
  call.IconWasLive = Find(data.hIcon, Kind::Icon) != nullptr;
  const std::size_t tipOffset = offsetof(NOTIFYICONDATAA, szTip);
  const std::size_t tipBytes = data.cbSize > tipOffset ? std::min<std::size_t>(data.cbSize - tipOffset, 128) : 0;
  const void* end = std::memchr(data.szTip, '\0', tipBytes);
  call.TipTerminated = end != nullptr;
  const auto tipLength =
      end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - data.szTip) : tipBytes;
  call.Tip.assign(data.szTip, tipLength);
  return call;
}

}  // namespace

BOOL Shell_NotifyIconA(DWORD operation, PNOTIFYICONDATAA data) {
  auto& machine = TheMachine();
  if (data == nullptr) return FALSE;
  standin::NotifyCall call = ReadRecord(operation, *data);
  auto found = machine.Tray.find(call.Id);
  // The shell knows an icon by its window and identifier together.
  const bool present =
      found != machine.Tray.end() && found->second.Present && found->second.Window == call.Window;
  standin::TrayIconRecord& icon = machine.Tray[call.Id];
  if (operation == NIM_ADD && !present) {
    icon = {true, call.Flags, 0, call.Window, false, ""};
    call.Result = TRUE;
  } else if (operation == NIM_MODIFY && present) {
    icon.Flags = call.Flags;
    call.Result = TRUE;
  } else if (operation == NIM_DELETE && present) {
    icon = {};
    call.Result = TRUE;
  }
  if (call.Result != FALSE && operation != NIM_DELETE) {
    if ((call.Flags & NIF_MESSAGE) != 0) icon.CallbackMessage = call.CallbackMessage;
    if ((call.Flags & NIF_ICON) != 0) icon.HasImage = call.IconWasLive;
    if ((call.Flags & NIF_TIP) != 0) icon.Tip = call.TipTerminated ? call.Tip : "";
  }
  machine.Notifications.push_back(call);
  return call.Result;
}

BOOL GetVersionExA(LPOSVERSIONINFOA info) {
  if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return FALSE;
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  info->dwPlatformId = TheMachine().PlatformId;
  info->szCSDVersion[0] = '\0';
  return TRUE;
}

LPSTR lstrcpynA(LPSTR target, LPCSTR source, int maxLength) {
  if (target == nullptr || maxLength <= 0) return target;
  int i = 0;
  for (; i + 1 < maxLength && source != nullptr && source[i] != '\0'; ++i) target[i] = source[i];
  target[i] = '\0';
  return target;
}

DWORD GetCurrentThreadId() { return 1; }

HMODULE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000)); }

namespace standin {

void Reset() { detail::TheMachine() = detail::Machine{}; }

const std::vector<NotifyCall>& NotifyCalls() { return TheMachine().Notifications; }

TrayIconRecord TrayIcon(UINT id) {
  auto& tray = TheMachine().Tray;
  auto found = tray.find(id);
  return found != tray.end() ? found->second : TrayIconRecord{};
}

int CreatedCount(Kind kind) {
  int count = 0;
  for (const Entry& entry : TheMachine().Entries) count += entry.EntryKind == kind ? 1 : 0;
  return count;
}

int LiveCount(Kind kind) {
  int count = 0;
  for (const Entry& entry : TheMachine().Entries) count += (entry.EntryKind == kind && entry.Live) ? 1 : 0;
  return count;
}

int BadReleaseCount() { return TheMachine().BadReleases; }

COLORREF BrushColor(HBRUSH brush) {
  const Entry* entry = Find(brush, Kind::Brush, true);
  return entry != nullptr ? entry->Color : 0;
}

POINT ImageSize(HANDLE image) {
  const Entry* entry = Find(image, Kind::Icon, true);
  if (entry == nullptr) entry = Find(image, Kind::Bitmap, true);
  return entry != nullptr ? entry->Size : POINT{};
}

std::vector<MenuItem> MenuItems(HMENU menu) {
  const Entry* entry = Find(menu, Kind::Menu, true);
  return entry != nullptr ? entry->MenuEntries : std::vector<MenuItem>{};
}

const std::vector<TrackCall>& TrackCalls() { return TheMachine().Tracks; }
void ChooseInNextMenu(UINT_PTR id) { TheMachine().NextMenuChoice = id; }
const std::vector<PostedMessage>& PostedMessages() { return TheMachine().Posted; }
void SetCursor(int x, int y) { TheMachine().Cursor = {x, y}; }

void SetDisplayMode(DWORD width, DWORD height) {
  TheMachine().DisplayWidth = width;
  TheMachine().DisplayHeight = height;
}

void SetDisplayQueryFails(bool fails) { TheMachine().DisplayQueryFails = fails; }
WORD LastDisplayQuerySize() { return TheMachine().LastQuerySize; }
DWORD LastDisplayModeNumber() { return TheMachine().LastModeNumber; }
void SetPlatformId(DWORD platformId) { TheMachine().PlatformId = platformId; }
void SetPopupMenuCreationFails(bool fails) { TheMachine().PopupMenuFails = fails; }

void SetResourceMissing(int resourceId, bool missing) {
  if (missing) TheMachine().MissingResources.insert(resourceId);
  else TheMachine().MissingResources.erase(resourceId);
}

int StalledDialogCount() { return TheMachine().Stalled; }

}  // namespace standin
