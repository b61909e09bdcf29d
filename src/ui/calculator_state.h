// The calculator window's state: one instance for the whole run, living
// from WinMain to the end of the program. The selection itself is never
// kept here; the Last... fields only guard against acting twice on it.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace tarivox {

struct CalculatorWindowState {
  HINSTANCE Instance;
  HBITMAP MenuLogoBitmap;
  HMENU TrayMenu;
  std::int32_t LastOffice;
  std::int32_t LastService;
  std::int32_t LastTransaction;
  POINT SavedPosition;  // top-left corner in screen pixels
  bool WindowVisible;   // shown or hidden through the tray icon
  bool TextPanelExpanded;
  HBRUSH FeeBrush;      // created at its first use
};

extern CalculatorWindowState CalculatorState;

// The values a fresh process starts with, for the given instance.
void ResetCalculatorState(HINSTANCE instance);

}  // namespace tarivox
