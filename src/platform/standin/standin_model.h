// The stand-in's in-memory machine: every handle it has given out, the
// message queue, and the program's compiled resources. Shared by the
// stand-in's own sources only.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/standin/standin_inspect.h"

namespace standin::detail {

// One handle of any kind; windows use the window fields, objects the others.
struct Entry {
  Kind EntryKind = Kind::Window;
  bool Live = true;
  HWND Owner = nullptr;  // a control's dialog, a dialog's owner window
  std::vector<HWND> Controls;
  int Id = 0;
  std::string ClassName;  // upper case; "#32770" for a dialog
  DWORD Style = 0;
  std::string Text;
  RECT Rect{};  // of a dialog, in screen pixels; controls are never placed
  bool Minimised = false;
  std::vector<std::string> Items;
  int Selection = -1;
  int Check = BST_UNCHECKED;
  DLGPROC Proc = nullptr;
  bool Ended = false;
  INT_PTR Result = 0;
  COLORREF Color = 0;
  POINT Size{};
  std::vector<MenuItem> MenuItems;
};

struct Machine {
  std::deque<Entry> Entries;  // a deque: entries stay put while handlers add more
  std::deque<PostedMessage> Queue;
  HWND Foreground = nullptr;
  Settings Setup;
  Record Seen;
};

Machine& TheMachine();
// The live entry behind a handle of this kind, or nullptr.
Entry* Find(const void* handle, Kind kind);
void* Add(Entry entry);
bool Release(const void* handle, Kind kind);

// The program's compiled resources, as a module holds them.
inline constexpr int RT_BITMAP = 2;
inline constexpr int RT_DIALOG = 5;
inline constexpr int RT_GROUP_ICON = 14;
bool HasResource(int type, int id);

struct ControlTemplate {
  int Id;
  std::string ClassName;
  DWORD Style;
  std::string Text;
};

struct DialogTemplate {
  DWORD Style = 0;
  std::string Caption;
  int Width = 0, Height = 0;  // dialog units
  std::vector<ControlTemplate> Controls;
};

// The dialog template with this resource number; false when there is none.
bool ReadDialogTemplate(int id, DialogTemplate& dialog);

}  // namespace standin::detail
