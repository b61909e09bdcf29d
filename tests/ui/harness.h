// Runs the calculator dialog modally, exactly as the program does, and acts
// on it as a user would, from inside its message loop. The same harness
// drives the stand-in and the real USER32 (under Windows or Wine).
//
// A user's act reaches the window as the messages its controls send the
// dialog (a list's notifications, a button's BN_CLICKED, the command that
// Enter, Esc or the close box produce), never through the keyboard focus or
// the mouse capture: those belong to the desktop, which other programs on
// the same display change whenever they like.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace tarivox::uitest {

using Step = std::function<void(HWND calculator)>;

struct CalculatorRun {
  HWND Window = nullptr;
  INT_PTR Result = 0;
  bool Destroyed = false;      // WM_DESTROY reached the dialog
  std::map<int, int> Picked;   // the entry last chosen in each list
};

// Starts the program's state afresh (prepare, when given, runs then), runs
// the calculator dialog and each step in turn, each from the message loop
// running at that moment (the About box's, while it is open), then ends the
// dialog if no step did. A dialog that never comes up is a failure.
CalculatorRun RunCalculator(const std::vector<Step>& steps, const std::function<void()>& prepare = {});

// What the user does.
Step Choose(int listId, int index);  // a drop-down list entry, picked with the mouse
Step Click(int buttonId);            // an enabled button; a radio button checks itself first
Step Type(const char* amount);       // the amount field's text replaced
Step Command(WPARAM wParam);         // as the dialog manager sends it: IDCANCEL for Esc or the close box
Step MoveTo(int x, int y);           // the window dragged, its size kept
Step Minimise();
Step TrayMouse(UINT mouseMessage);   // the shell's callback for a mouse message on the icon
Step PickFromTrayMenu(int position);  // left click on the icon, then an item (-1: none)
Step InAboutBox(WPARAM commandId);     // IDOK ("OK", Enter) or IDCANCEL (Esc) in the open About box

// What the window shows, field by field.
enum Field { DISABLED, CHOSEN, TRANSACTIONS, CHECKED, AMOUNTS, TEXT, LABEL, PLACE, WINDOW, FIELDS };
using Snapshot = std::array<std::string, FIELDS>;
inline constexpr const char* FieldNames[FIELDS] = {"disabled", "offices and services", "transactions", "checked",
                                                   "fee and amount", "text", "label", "place and size", "window"};
// Takes the snapshot into *shown: lists as their entries joined by "|" with
// the selected one in brackets, the fee before the amount, the window's
// top-left corner and its width and height counted from those it opened
// with ("0,0 0x-110").
Step TakeSnapshot(Snapshot* shown);

}  // namespace tarivox::uitest
