// One act of a quote, or one column of a comparison: what was asked for and
// the fee it costs under a tariff edition, either as the calculator computes
// it from the amount, or as the act's own tariff text states it.
//
// An act is written OFFICE:SERVICE:TRANSACTION[:social|:normal][=VALUE][|LABEL]
// with names or list positions; VALUE is the amount for a computed fee, the
// quantity its tariff text counts (sheets, lots, owners) for one that goes
// by the piece, and nothing for a fixed fee. Where a social-interest
// project pays a share of a fee by the piece as long as the project's value
// is at most the edition's threshold, the value follows the quantity after
// "@":
//   KLDA:Inscripción:Transferencias y mod. de dominio=150,000 | Compraventa
//   KLDA:certificacion:literales=12
//   MVT:certificacion:carencia:social=3@9,500.00
//   KLDA:presentacion:0
#pragma once

#include <string>
#include <string_view>

#include "catalogue/edition.h"
#include "catalogue/json_reader.h"
#include "fees/fee_engine.h"
#include "report/messages.h"
#include "report/selection.h"

namespace tarivox::report {

// What follows "=" for an act of this selection.
enum class ActValue { Amount, Quantity, None };
ActValue ValueOf(const Edition& edition, const Selection& what);

enum class Pricing { Engine, TariffText };

struct Act {
  long long Source = 0;  // the line of a quote file, or the number of the --act
  bool FromArgument = false;
  std::string Label;  // UTF-8, as given; may be empty
  const Edition* Tariff = nullptr;  // the edition the act is priced under
  Selection What{};
  bool HasTyped = false;
  std::string Typed;  // what follows "=": the amount as typed into the amount field, or the quantity
  bool HasProjectValue = false;
  std::string ProjectValueTyped;  // what follows "@"

  Pricing PricedBy = Pricing::Engine;
  long long FeeCents = 0;
  // Engine: the window's amount in cents, what the engine computed with.
  long long AmountCents = 0;
  double Amount = 0;
  FeeResult Result{};
  FeeTrace Trace{};
  // Tariff text: its price, the quantity counted, and the share of a
  // social-interest project: the fee before it, the project's value.
  const Price* Stated = nullptr;
  long long Quantity = 0;
  bool Shared = false;  // the project's value was asked for
  long long FullFeeCents = 0;
  long long ProjectValueCents = 0;
  int Note = 0;  // 1-based number of its tariff text among the report's notes
};

// "línea 5" or "--act 2", for messages.
std::string SourceText(Language language, const Act& act);

// The act for a selection inside the edition, priced: the value typed
// ("=VALUE": an amount, a quantity, or nothing for a fixed fee) and the
// project's value are read by the one rule of typed_input.h, and the label
// is kept as given, trimmed. False, with the reason, for a project kind not
// offered there, a value missing or not wanted, or a value refused.
struct ActRequest {
  Selection What{};
  bool HasValue = false;
  std::string_view Value;
  bool HasProjectValue = false;
  std::string_view ProjectValue;
  std::string_view Label;
};
bool BuildAct(Language language, const Edition& edition, const ActRequest& request, Act* act, std::string* reason);

// A selection from positions read from a file or a request, any value
// they may hold: true when it is in the edition's catalogue.
bool SelectionFromPositions(const Edition& edition, long long office, long long service, long long transaction,
                            bool social, Selection* what);

// A selection written as JSON, {"office": 0, "service": 0, "transaction":
// 0, "social": false}, inside the edition; false otherwise.
bool SelectionFromJson(const Edition& edition, const JsonNode* node, Selection* what);

// An act as the page keeps it, JSON: the selection's members, "typed" (the
// amount or the quantity as typed, null when it takes none), optionally
// "value" (the project's value) and "label". False when it is not shaped
// so; otherwise BuildAct's answer is in *reason, empty when it was priced.
bool ActFromJson(Language language, const Edition& edition, const JsonNode& node, Act* act, std::string* reason);

// Reads the act's text (UTF-8) and prices it: BuildAct for the selection
// its names or positions find. False, with the reason, for a malformed act
// or a name that is unknown or ambiguous, and as BuildAct.
bool ParseAct(Language language, const Edition& edition, std::string_view text, Act* act, std::string* reason);

// Whether the act's "=VALUE" is there exactly when its transaction takes
// one, and the project's value exactly when its fee takes a share (BuildAct
// checks it; the command-line tool checks its operands so).
bool CheckActValue(Language language, const Act& act, std::string* reason);

// The social-interest project only where the calculator offers it.
bool CheckProjectKind(Language language, const Edition& edition, const Selection& what, std::string* reason);

// Prices the act from act->Typed: through the window's own computation for a
// computed fee, from its tariff text otherwise. False, with the reason, for
// a value that is refused.
bool PriceAct(Language language, Act* act, std::string* reason);

// How the fee came about, in words, from the engine's own trace or the
// tariff text's figures.
std::string RuleText(Language language, const Act& act);

// "Inscripción — Gravámenes (MVT, interés social)": the act as the page
// names it.
std::string ActName(Language language, const Edition& edition, const Selection& what);

// The amount ("25,000.00") or the quantity counted ("12 hojas") of a priced
// act; empty for a fixed fee.
std::string ValueText(Language language, const Act& act);

// How a transaction priced from its text charges, without a quantity:
// "8.86 más 0.35 por hoja"; empty for a computed one.
std::string StatedRate(Language language, const Edition& edition, const Selection& what);

// What the fee display shows for a transaction that is not computed: the
// fixed fee of a presentation, otherwise nothing.
std::string ShownFee(const Act& act);

}  // namespace tarivox::report
