// Runs the calculator dialog modally, exactly as the program does, and
// performs a test's steps from inside its message loop. The same harness
// drives the real USER32 (under Windows or Wine) and the stand-in.
#pragma once

#include <functional>
#include <string>

#include "platform/win32.h"

namespace tarivox::uitest {

struct CalculatorRun {
  INT_PTR Result = 0;
  bool EndedBySteps = false;  // the steps ended the dialog themselves
  bool Destroyed = false;     // WM_DESTROY reached the dialog
};

// Starts the program's state afresh, runs IDD_CALCULATOR with the
// program's dialog procedure, calls steps(window) once the window is up and
// ends the dialog afterwards if the steps did not.
// prepare, when given, runs after the fresh start and before the dialog.
CalculatorRun RunCalculator(const std::function<void(HWND)>& steps, const std::function<void()>& prepare = {});

// Queues a step that runs from the innermost message loop next time one
// runs (e.g. inside a nested About box).
void RunFromMessageLoop(HWND window, std::function<void()> step);

// The resource module that holds the dialogs and images.
HINSTANCE ResourceModule();

}  // namespace tarivox::uitest
