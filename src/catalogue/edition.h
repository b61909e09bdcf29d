// A tariff edition: every fact of the registry's tariff from the day it is
// in force: the offices, the services and their transactions with the
// names and tariff texts the window shows, how each transaction is priced,
// the social-interest project, the minimum and maximum fee.
//
// An edition is data, read from a JSON document (editions/README.md gives
// its format). The built-in one, editions/built-in.json, is compiled into
// every program; others come from files. An Edition is a view: plain
// arrays, texts in code page 1252 as the window shows them, nothing that
// allocates when a fee is computed.
#pragma once

#include <cstdint>
#include <string_view>

#include "catalogue/calendar.h"
#include "catalogue/selection.h"

namespace tarivox {

// Bounds that keep an edition's lists as small as a window's lists are.
inline constexpr int EDITION_OFFICE_LIMIT = 8;
inline constexpr int EDITION_SERVICE_LIMIT = 16;
inline constexpr int EDITION_TRANSACTION_LIMIT = 64;  // of one service
inline constexpr int EDITION_BRACKET_LIMIT = 16;
// A tariff text, and the social-interest note, in code page 1252 bytes: so
// that a text and the note always fit the window's text panel together.
inline constexpr int EDITION_TEXT_LIMIT = 511;

// What a tariff text counts when its fee goes by the piece.
enum QuantityUnit : int {
  UNIT_NONE,           // a fee for the act as a whole
  UNIT_SHEET,          // hojas
  UNIT_LOT_OR_PARCEL,  // lotes o parcelas
  UNIT_LOT,            // lotes
  UNIT_OWNER,          // titulares
};

// How a transaction's fee is found.
enum class PriceRule : std::uint8_t {
  PerHundred,      // a rate per started hundred of the amount
  FixedByOffice,   // the office's fixed fee
  Brackets,        // the bracket schedule
  CappedBrackets,  // the bracket schedule, capped at the cancellation base
  Cancellation,    // the cancellation base, and above its bound a rate per started hundred of the excess
  Stated,          // what the tariff text states: a base and a rate per piece, at least a minimum
  ShownFee,        // the fee the service's display shows (a presentation)
};

struct Price {
  PriceRule Rule = PriceRule::Stated;
  // PerHundred: the rate, and under factor 1 and the social factor the
  // rate rounded to cents, which is what multiplies the hundreds.
  double PerHundred = 0;
  double RoundedRate = 0;
  double RoundedSocialRate = 0;
  // Stated: in whole cents.
  long long BaseCents = 0;
  long long RateCents = 0;  // per unit; 0 with UNIT_NONE
  long long MinimumCents = 0;
  QuantityUnit Unit = UNIT_NONE;
};

struct TransactionEntry {
  const char* Name;  // code page 1252, as the list shows it
  const char* Text;  // the tariff text
  unsigned Offices;  // one bit per office whose list shows it
  Price Normal;
  // Under the social-interest project: the note follows the text; or the
  // transaction has a text and a price of its own (the note in its text).
  bool AppendsNote;
  bool HasSocial;
  const char* SocialText;
  Price Social;
  // Under the project a stated fee is reduced by the social factor when
  // the project's value is at most the threshold, as its text says.
  bool SocialReduced;
};

// What a service enables in the calculator.
struct ServiceControls {
  bool Amount;       // the amount and its label
  bool Fee;          // the fee display and its label
  bool Calculate;    // "Calcular pago"
  bool Toggle;       // the text panel's button and its label
  bool Office;       // the office list and its label
  bool ProjectKind;  // the project-kind buttons follow the office; otherwise they are off
};

struct ServiceEntry {
  const char* Name;
  ServiceControls Controls;
  // The calculation controls follow the transaction: a text-only one turns
  // them off, clears the amounts and opens the text panel.
  bool ControlsFollowTransaction;
  bool ExpandsText;             // choosing the service opens the text panel
  long long ShownFeeCents;      // what the fee display shows before any computation
  const TransactionEntry* Transactions;
  int TransactionCount;
  // The list each office loads: Loaded[office][position] is the entry.
  std::uint8_t Loaded[EDITION_OFFICE_LIMIT][EDITION_TRANSACTION_LIMIT];
  int LoadedCount[EDITION_OFFICE_LIMIT];
};

struct OfficeEntry {
  const char* Name;
  double FixedFee;
  bool SocialInterest;  // the office offers the social-interest housing project
};

struct BracketRow {
  double Low;
  double High;  // the last row goes on past it
  double Base;
  double RatePer100;  // of the excess above the schedule's threshold
};

struct FeeLimitSet {
  double Minimum;
  double Maximum;
};

struct Edition {
  const char* Name;  // UTF-8, as reports name it
  CalendarDate InForceFrom;  // none for the built-in edition: in force since always
  const OfficeEntry* Offices;
  int OfficeCount;
  const ServiceEntry* Services;
  int ServiceCount;
  const BracketRow* Brackets;
  int BracketCount;
  double BracketExcessAbove;  // the schedule's rate counts the hundreds above it
  double CancellationBase;
  double CancellationUpTo;
  double CancellationPerHundred;
  double SocialFactor;
  double SocialUpTo;  // the factor applies to amounts (and values) at or below it
  long long SocialUpToCents;
  FeeLimitSet NormalLimits;
  FeeLimitSet SocialLimits;
  const char* SocialNote;  // appended to a text under the project where the tariff does
};

// The edition compiled into the program, read once on first use; and the
// JSON document it is read from.
const Edition& BuiltInEdition();
std::string_view BuiltInEditionText();

// The service's entry, or null outside the edition.
const ServiceEntry* ServiceOf(const Edition& edition, int service);

// The transaction list exactly as the window loads it for the selection's
// service and office: its length, and the entry at a position (null
// outside). A transaction position elsewhere in the program is a position
// in this list.
int LoadedCount(const Edition& edition, const Selection& selection);
const TransactionEntry* LoadedEntry(const Edition& edition, const Selection& selection);

// True when office, service and transaction name entries of the edition.
bool IsInCatalogue(const Edition& edition, const Selection& selection);

// The office offers the social-interest project at all; and the project
// kind may be chosen for the selection's service there.
bool OfficeOffersSocialInterest(const Edition& edition, int office);
bool ProjectKindOffered(const Edition& edition, const Selection& selection);

// Whether the selection is priced as a social-interest project: chosen,
// at an office that offers it.
bool UnderSocialInterest(const Edition& edition, const Selection& selection);

// The price that applies to the selection (its own under the project when
// it has one); null outside the edition.
const Price* PriceOf(const Edition& edition, const Selection& selection);

// True when the engine computes the fee from the amount; everything else is
// text only, priced from what its text states.
bool IsComputedTransaction(const Edition& edition, const Selection& selection);

// All off for a service outside the edition.
ServiceControls ControlsOf(const Edition& edition, int service);

// What the fee display shows for a service before any computation.
long long FeeShownBeforeComputation(const Edition& edition, int service);

}  // namespace tarivox
