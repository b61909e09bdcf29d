// The steps of one computation in words, for `tarivox-cli calc --explain`.
#pragma once

#include <string_view>

#include "report/selection.h"
#include "report/sink.h"

namespace tarivox::report {

// cleanedAmount is the amount field's text after the commas are removed
// (UTF-8), amount the amount in cents the engine computes with.
void WriteExplanation(const Selection& what, std::string_view cleanedAmount, double amount, const Sink& out);

}  // namespace tarivox::report
