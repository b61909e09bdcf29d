// The tariff-text panel: its text, the calculation controls that go with
// an "Inscripción" transaction, and hiding the panel by shortening the
// window (no control moves; the shorter window cuts the panel off).
#include "catalogue/description.h"
#include "fees/fee_engine.h"
#include "resource.h"
#include "ui/calculator_state.h"
#include "ui/calculator_ui.h"

namespace tarivox {
namespace {

constexpr int CalculationControls[] = {
    IDC_AMOUNT_LABEL, IDC_AMOUNT, IDC_FEE_LABEL, IDC_FEE, IDC_CALCULATE, IDC_TOGGLE_TEXT, IDC_TOGGLE_TEXT_LABEL,
};

constexpr char SHOWN_LABEL[] = "Ocultar texto";
constexpr char HIDDEN_LABEL[] = "    Ver texto";

void EnableCalculationControls(HWND window, bool enable) {
  for (int id : CalculationControls) EnableWindow(GetDlgItem(window, id), enable ? TRUE : FALSE);
}

// Keeps the top-left corner and the width; the height changes by the panel.
void ResizeForPanel(HWND window, bool expand) {
  RECT rect{};
  GetWindowRect(window, &rect);
  CalculatorState.SavedPosition = {rect.left, rect.top};
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top + (expand ? TEXT_PANEL_HEIGHT : -TEXT_PANEL_HEIGHT);
  SetDlgItemTextA(window, IDC_TOGGLE_TEXT_LABEL, expand ? SHOWN_LABEL : HIDDEN_LABEL);
  CalculatorState.TextPanelExpanded = expand;
  MoveWindow(window, CalculatorState.SavedPosition.x, CalculatorState.SavedPosition.y, width, height, TRUE);
}

}  // namespace

void UpdateDescription(HWND window, int service, int transaction, int office, int social) {
  const Selection selection{office, service, transaction, social == BST_CHECKED};
  const ServiceEntry* entry = ServiceOf(WindowTariff(), service);
  // A service whose controls follow its transaction ("Inscripción").
  const bool inscription = entry != nullptr && entry->ControlsFollowTransaction;
  if (inscription && IsComputedTransaction(WindowTariff(), selection)) {
    EnableCalculationControls(window, true);
  } else if (inscription) {
    // A per-lot tariff: explained, not computed.
    EnableCalculationControls(window, false);
    SetAmountTexts("0.00", "0.00");
    ExpandTextPanel(window);
  }
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(WindowTariff(), selection, text);
  SetDlgItemTextA(window, IDC_DESCRIPTION, text);
  if (inscription) ShowAmounts(window);
}

void ToggleTextPanel(HWND window) { ResizeForPanel(window, !CalculatorState.TextPanelExpanded); }

void ExpandTextPanel(HWND window) {
  if (!CalculatorState.TextPanelExpanded) ResizeForPanel(window, true);
}

}  // namespace tarivox
