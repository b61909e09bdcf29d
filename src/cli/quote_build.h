// A whole quote: its acts with the window's figures, the total in whole
// cents and the tariff texts as numbered notes.
#pragma once

#include <string>
#include <vector>

#include "cli/quote_act.h"
#include "cli/quote_input.h"

namespace tarivox::cli {

struct QuoteNote {
  std::string Heading;  // "Inscripción — Transferencias y mod. de dominio"
  std::string Text;     // the tariff text, with the social-interest note where it applies
};

struct QuoteEntry {
  ActRequest Request;
  ActFigures Figures;
  std::string Office;  // names in UTF-8
  std::string Service;
  std::string Transaction;
  int Note = 0;  // 1-based number in Quote::Notes
};

struct Quote {
  std::string Client;
  std::string Date;
  std::vector<QuoteEntry> Acts;
  std::vector<QuoteNote> Notes;
  long long TotalCents = 0;  // of the computed acts only
  int ComputedCount = 0;
};

// Computes every act. Refused acts go to *refused, in input order; the
// quote is complete (and its total meaningful) only when none is refused.
bool BuildQuote(const QuoteInput& input, Quote* quote, std::vector<RefusedAct>* refused);

// The tariff text of a selection in UTF-8 and its note heading.
QuoteNote TariffNote(int office, int service, int transaction, bool social);

}  // namespace tarivox::cli
