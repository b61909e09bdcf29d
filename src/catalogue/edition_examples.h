// The worked examples an edition carries, priced with the edition itself:
// an edition whose own examples come out otherwise is refused, so that a
// figure mistyped in an edition file is found before anything is priced.
#pragma once

#include <vector>

#include "catalogue/edition_reader.h"

namespace tarivox {

// Each example of the list: {"office", "service", "transaction" (names as
// the lists show them), "social_interest" (optional), "amount" (as typed),
// or "quantity" and, for a reduced fee, "value", and "fee" as the window
// writes it}. Adds a problem for each that is malformed or comes out
// otherwise.
void CheckExamples(const Edition& edition, const JsonNode* examples, std::vector<EditionProblem>* problems);

}  // namespace tarivox
