// One act of a quote, or one column of a comparison: what was asked for and
// the figures the calculator gives for it.
//
// An act is written OFFICE:SERVICE:TRANSACTION[:social|:normal][=AMOUNT][|LABEL]
// with names or list positions, for example
//   KLDA:Inscripción:Transferencias y mod. de dominio=150,000 | Compraventa
#pragma once

#include <string>
#include <string_view>

#include "fees/fee_engine.h"
#include "report/selection.h"

namespace tarivox::report {

struct Act {
  long long Source = 0;  // the line of a quote file, or the number of the --act
  bool FromArgument = false;
  std::string Label;  // UTF-8 on one line; may be empty
  Selection What{};
  bool HasAmount = false;
  std::string Typed;  // the amount as typed into the amount field

  bool Computed = false;  // false for a transaction that is only explained
  long long AmountCents = 0;  // the window's amount and fee texts, in cents
  long long FeeCents = 0;
  double Amount = 0;  // the amount the engine computed with
  FeeResult Result{};
  FeeTrace Trace{};
  int Note = 0;  // 1-based number of its tariff text among the report's notes
};

// "line 5" or "--act 2", for messages.
std::string SourceText(const Act& act);

// Reads the act's text (UTF-8) into act's request fields. False, with the
// reason, for a malformed act or a name that is unknown or ambiguous.
bool ParseAct(std::string_view text, Act* act, std::string* reason);

// Refuses amounts a report must not guess at: empty, negative, longer than
// the amount field, not wholly a number, or with commas that do not separate
// thousands ("1.234,56" would silently read as 1.23). One rule for a sign and
// the commas: "+123,456" and "123,456" alike, "+,123" refused.
bool CheckTypedAmount(std::string_view typed, std::string* reason);

// Computes the act exactly as the window would: the selection and the typed
// amount through the core's window-free computation, and the engine's trace
// for the rule. False, with the reason, for an amount that is refused.
bool ComputeAct(Act* act, std::string* reason);

// How the fee came about, in words, from the engine's own trace.
std::string RuleText(const Act& act);

// What the fee display shows for a transaction that is not computed: the
// fixed fee of a presentation, otherwise nothing.
std::string ShownFee(const Act& act);

}  // namespace tarivox::report
