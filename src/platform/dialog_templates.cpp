#include "platform/dialog_templates.h"

#include "resource.h"

namespace tarivox {
namespace {

constexpr DWORD LABEL = SS_LEFT | WS_GROUP;
constexpr DWORD LIST = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// Template order is tab order; the description edit is the lowest control,
// every other one ends at y = 84 or above so that a shorter window hides
// only the text panel.
constexpr ControlTemplate CalculatorControls[] = {
    {1039, "STATIC", LABEL, 0, 3, 54, 29, 9, "Monto $:"},
    {1042, "STATIC", LABEL, 0, 3, 3, 26, 8, "Oficina:"},
    {1021, "EDIT", ES_CENTER | ES_UPPERCASE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 45, 52, 61,
     13, ""},
    {1031, "COMBOBOX", LIST | CBS_SORT | CBS_NOINTEGRALHEIGHT | CBS_UPPERCASE, 0, 45, 3, 44, 58, ""},
    {6, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 112, 53, 52, 12, "Calcular pago"},
    {1032, "COMBOBOX", LIST, 0, 46, 23, 118, 55, ""},
    {-1, "STATIC", LABEL, 0, 3, 24, 29, 10, "Servicio:"},
    {1033, "COMBOBOX", LIST, 0, 46, 37, 118, 52, ""},
    {-1, "STATIC", LABEL, 0, 3, 39, 39, 10, "Transacci\xF3n:"},
    {1034, "BUTTON", BS_AUTORADIOBUTTON | WS_DISABLED, 0, 95, 3, 61, 9, "Proyecto normal"},
    {1035, "BUTTON", BS_AUTORADIOBUTTON | WS_DISABLED, 0, 95, 13, 55, 9, "Interes Social"},
    {1040, "STATIC", LABEL, 0, 3, 73, 29, 9, "Pago $"},
    {1037, "EDIT", ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
     WS_EX_TRANSPARENT, 3, 87, 161, 44, ""},
    {1043, "STATIC", SS_CENTER | WS_BORDER, 0, 45, 71, 61, 13, ""},
    {1044, "BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP, WS_EX_STATICEDGE, 152, 73,
     12, 11, "V"},
    {1045, "STATIC", LABEL, 0, 111, 75, 40, 8, "Ocultar texto"},
};

constexpr ControlTemplate AboutControls[] = {
    {-1, "STATIC", LABEL, 0, 6, 34, 67, 11, "Tarivox - 2001"},
    {-1, "STATIC", LABEL, 0, 6, 45, 71, 11, "Equipo Tarivox"},
    {IDI_APP, "STATIC", SS_ICON, 0, 93, 17, 20, 20, ""},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 41, 60, 38, 12, "OK"},
    {-1, "STATIC", LABEL, 0, 6, 6, 80, 10, "Acerca de Tarivox"},
    {-1, "STATIC", LABEL, 0, 6, 16, 71, 11, "Depto. Aranceles"},
};

}  // namespace

const DialogTemplate CalculatorTemplate = {
    IDD_CALCULATOR,
    "Tarivox 2001 - v.1.0",
    "Arial",
    12,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_SYSMODAL | DS_ABSALIGN |
        DS_3DLOOK | DS_SETFONT | DS_SETFOREGROUND | DS_CENTERMOUSE,
    WS_EX_TOOLWINDOW,
    true,
    168,
    135,
    CalculatorControls,
    static_cast<int>(sizeof CalculatorControls / sizeof CalculatorControls[0]),
};

const DialogTemplate AboutTemplate = {
    IDD_ABOUT,
    "",
    "Comic Sans MS",
    8,
    WS_POPUP | DS_MODALFRAME | DS_CENTER | DS_SETFONT,
    0,
    false,
    123,
    77,
    AboutControls,
    static_cast<int>(sizeof AboutControls / sizeof AboutControls[0]),
};

const DialogTemplate* FindDialogTemplate(int id) {
  if (id == CalculatorTemplate.Id) return &CalculatorTemplate;
  if (id == AboutTemplate.Id) return &AboutTemplate;
  return nullptr;
}

}  // namespace tarivox
