// The calculator window's state: one instance for the whole run, living
// from WinMain to the end of the program. The selection itself is never
// kept here; the Last... fields only guard against acting twice on it.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace tarivox {

// The values a fresh process starts with.
struct CalculatorWindowState {
  HINSTANCE Instance = nullptr;
  HBITMAP MenuLogoBitmap = nullptr;
  HMENU TrayMenu = nullptr;
  std::int32_t LastOffice = 0;
  std::int32_t LastService = 0;
  std::int32_t LastTransaction = 0;
  POINT SavedPosition = {0, 0};  // top-left corner in screen pixels
  bool WindowVisible = true;     // shown or hidden through the tray icon
  bool TextPanelExpanded = true;
  HBRUSH FeeBrush = nullptr;     // created at its first use
};

extern CalculatorWindowState CalculatorState;

// Back to the values a fresh process starts with, for the given instance.
void ResetCalculatorState(HINSTANCE instance);

}  // namespace tarivox
