#include "ui/calculator_state.h"

namespace tarivox {

CalculatorWindowState CalculatorState;

void ResetCalculatorState(HINSTANCE instance) {
  CalculatorState = {};
  CalculatorState.Instance = instance;
}

}  // namespace tarivox
