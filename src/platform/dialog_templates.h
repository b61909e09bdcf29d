// The two dialog templates as data: the headless stand-in builds its dialogs
// from these tables, and the tests prove that the resource script and the
// dialogs that real USER32 creates from it agree with them control by
// control, so the layout has one reference.
#pragma once

#include "platform/win32.h"

namespace tarivox {

struct ControlTemplate {
  int Id;                 // -1 for labels nobody addresses
  const char* ClassName;  // "STATIC", "EDIT", "BUTTON", "COMBOBOX"
  DWORD Style;            // besides WS_CHILD | WS_VISIBLE
  DWORD ExStyle;
  short X, Y, Width, Height;  // dialog units
  const char* Text;
};

struct DialogTemplate {
  int Id;
  const char* Caption;
  const char* FontFace;
  int PointSize;
  DWORD Style;
  DWORD ExStyle;
  bool Extended;  // DIALOGEX rather than DIALOG
  short Width, Height;
  const ControlTemplate* Controls;
  int ControlCount;
};

extern const DialogTemplate CalculatorTemplate;
extern const DialogTemplate AboutTemplate;

// The template with this resource number, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace tarivox
