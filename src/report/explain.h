// One computation as `tarivox-cli calc` prints it, with its steps in words
// for `--explain`; and the fee of a transaction priced from its tariff text.
#pragma once

#include <string_view>

#include "report/act.h"
#include "report/selection.h"
#include "report/sink.h"

namespace tarivox::report {

// What a calculation shows for the amount typed into the amount field (the
// bytes as typed, either encoding): with explain, every step first, then
// the result sentence on a line of its own. The transaction must be one
// with a computed fee.
void WriteCalculation(Language language, const Edition& edition, const Selection& what, std::string_view typed,
                      bool explain, const Sink& out);

// The edition as reports name it: "Decreto 12, vigente desde 2030-01-01",
// or its name alone for the one in force since always.
std::string TariffLine(Language language, const Edition& edition);

// A priced act whose fee its tariff text states: the text, the fee with its
// figures, and what it was priced without.
void WriteStatedFee(Language language, const Act& act, const Sink& out);

}  // namespace tarivox::report
