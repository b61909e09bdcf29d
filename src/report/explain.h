// One computation as `tarivox-cli calc` prints it, with its steps in words
// for `--explain`.
#pragma once

#include <string_view>

#include "report/selection.h"
#include "report/sink.h"

namespace tarivox::report {

// What a calculation shows for the amount typed into the amount field (the
// bytes as typed, either encoding): with explain, every step first, then
// the result sentence on a line of its own. The transaction must be one
// with a computed fee.
void WriteCalculation(const Selection& what, std::string_view typed, bool explain, const Sink& out);

}  // namespace tarivox::report
