#include "harness.h"

#include <deque>

#include <gtest/gtest.h>

#include "fees/amount_text.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

#if !defined(_WIN32)
#include "platform/standin/standin_inspect.h"
#endif

namespace tarivox::uitest {
namespace {

constexpr UINT RUN_STEPS = WM_APP + 7;
constexpr UINT END_IF_RUNNING = WM_APP + 8;
constexpr UINT RUN_QUEUED_STEP = WM_APP + 9;

const std::function<void(HWND)>* CurrentSteps = nullptr;
CalculatorRun* CurrentRun = nullptr;
std::deque<std::function<void()>> QueuedSteps;
int EndRetries = 0;

// Passes every message on to the program's procedure unchanged; only the
// harness's own messages, which the program never sees, are taken here.
INT_PTR CALLBACK HarnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case RUN_STEPS:
      (*CurrentSteps)(window);
      // Posted, so that it is still waiting when steps that ended the dialog
      // return: the modal loop then stops before it.
      PostMessageA(window, END_IF_RUNNING, 0, 0);
      return TRUE;
    case END_IF_RUNNING:
      // A nested dialog (the About box) still open: the calculator waits
      // for it, and so does the ending, for a while.
      // Steps still queued run first.
      if ((!IsWindowEnabled(window) || !QueuedSteps.empty()) && ++EndRetries < 200) {
        PostMessageA(window, END_IF_RUNNING, 0, 0);
        return TRUE;
      }
      EXPECT_TRUE(IsWindowEnabled(window)) << "a nested dialog was left open";
      CurrentRun->EndedBySteps = false;
      SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
      return TRUE;
    case RUN_QUEUED_STEP:
      if (!QueuedSteps.empty()) {
        auto step = std::move(QueuedSteps.front());
        QueuedSteps.pop_front();
        step();
      }
      return TRUE;
    default: break;
  }
  const INT_PTR result = CalculatorDialogProc(window, message, wParam, lParam);
  if (message == WM_INITDIALOG) PostMessageA(window, RUN_STEPS, 0, 0);
  if (message == WM_DESTROY) CurrentRun->Destroyed = true;
  return result;
}

}  // namespace

HINSTANCE ResourceModule() { return GetModuleHandleA(nullptr); }

void RunFromMessageLoop(HWND window, std::function<void()> step) {
  QueuedSteps.push_back(std::move(step));
  PostMessageA(window, RUN_QUEUED_STEP, 0, 0);
}

CalculatorRun RunCalculator(const std::function<void(HWND)>& steps, const std::function<void()>& prepare) {
#if !defined(_WIN32)
  standin::Reset();
#endif
  ResetCalculatorState(ResourceModule());
  AmountText[0] = FeeText[0] = MessageText[0] = '\0';
  QueuedSteps.clear();
  EndRetries = 0;
  if (prepare) prepare();
  CalculatorRun run;
  run.EndedBySteps = true;
  CurrentRun = &run;
  CurrentSteps = &steps;
  run.Result = DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr, HarnessProc, 0);
  CurrentRun = nullptr;
  CurrentSteps = nullptr;
  EXPECT_TRUE(QueuedSteps.empty()) << "a step never ran";
#if !defined(_WIN32)
  // A real dialog would have sat waiting for input there.
  EXPECT_EQ(standin::StalledDialogCount(), 0) << "a modal loop ran out of messages";
#endif
  return run;
}

}  // namespace tarivox::uitest
