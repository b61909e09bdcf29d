// The program: one modal dialog, from start to end.
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  tarivox::ResetCalculatorState(instance);
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr, tarivox::CalculatorDialogProc, 0);
  return 0;
}
