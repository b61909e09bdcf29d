#include "ui/calculator_state.h"

namespace tarivox {

CalculatorWindowState CalculatorState = {nullptr, nullptr, nullptr, 0, 0, 0, {0, 0}, true, true, nullptr};

void ResetCalculatorState(HINSTANCE instance) {
  CalculatorState = {instance, nullptr, nullptr, 0, 0, 0, {0, 0}, true, true, nullptr};
}

}  // namespace tarivox
