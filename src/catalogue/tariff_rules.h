// The tariff's rules that every front end shares, beside the catalogue they
// belong to: what each service lets the user do, where the project kind may
// be chosen, and the fees that the transactions without a computed fee get
// from their own tariff texts.
#pragma once

#include "catalogue/selection.h"

namespace tarivox {

// What a service enables in the calculator.
struct ServiceControls {
  bool Amount;       // the amount and its label
  bool Fee;          // the fee display and its label
  bool Calculate;    // "Calcular pago"
  bool Toggle;       // the text panel's button and its label
  bool Office;       // the office list and its label
  bool ProjectKind;  // the project-kind buttons follow the office; otherwise they are off
};

// All off for a position outside 0..5.
ServiceControls ControlsOf(int service);

// Whether the office offers the social-interest housing project at all
// (MVT does; KLDA does not): the one answer every front end, the window's
// buttons and the engine's reduction take.
bool OfficeOffersSocialInterest(int office);

// The project kind ("Interes Social") may be chosen at an office that
// offers it, and only for the services whose buttons follow the office.
bool ProjectKindOffered(const Selection& selection);

// What a tariff text counts when its fee goes by the piece.
enum QuantityUnit : int {
  UNIT_NONE,           // a fee for the act as a whole
  UNIT_SHEET,          // hojas
  UNIT_LOT_OR_PARCEL,  // lotes o parcelas
  UNIT_LOT,            // lotes
  UNIT_OWNER,          // titulares
};

// Conditions a tariff text adds that the program cannot decide: the fee is
// the one the text states without them, and the act says so.
enum TariffCondition : unsigned {
  CONDITION_NONE = 0,
  CONDITION_ARTICLE_50A = 1u << 0,    // "no obstante lo dispuesto en el primer inciso del artículo 50-A"
  CONDITION_SOCIAL_SHARE = 1u << 1,   // "pagará el 25% cuando no sobrepase los $10,000.00"
};

// The fee a tariff text states: BaseCents plus RateCents for each unit
// counted, at least MinimumCents. In whole cents, so that it is exact.
struct StatedFee {
  const char* const* Text;  // the catalogue text whose figures these are
  long long BaseCents;
  long long RateCents;  // per unit; 0 with UNIT_NONE
  QuantityUnit Unit;
  long long MinimumCents;  // 0 when the text names none
  unsigned Conditions;     // of the text itself; see StatedFeeFor for the note
  bool InText;  // false for the presentation, whose fee is the one the window shows
};

inline constexpr int STATED_FEE_COUNT = 16;
extern const StatedFee StatedFees[STATED_FEE_COUNT];

// The stated fee of a selection's tariff text, with the social-interest
// condition added when the window appends that note to the text; null for
// a transaction with a computed fee or outside the catalogue.
const StatedFee* StatedFeeFor(const Selection& selection, unsigned* conditions);

// The largest quantity an act may count: six digits, far beyond any sheet
// count or lot plan, and small enough that every fee stays exact.
inline constexpr long long QUANTITY_LIMIT = 999999;

// BaseCents + RateCents x quantity, raised to MinimumCents.
long long StatedFeeCents(const StatedFee& fee, long long quantity);

// What the fee display shows for a service before any computation: the
// fixed fee of "Presentación", 0.00 for every other service.
long long FeeShownBeforeComputation(int service);

}  // namespace tarivox
