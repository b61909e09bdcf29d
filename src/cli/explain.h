// The steps of one computation in words, for `tarivox-cli calc --explain`.
#pragma once

#include <ostream>
#include <string>

#include "cli/cli_common.h"
#include "fees/fee_engine.h"

namespace tarivox::cli {

// cleanedAmount is the amount field's text after the commas are removed;
// amount is the amount in cents the engine computed with and result its
// answer for that selection.
void WriteExplanation(const CalcOptions& selection, const std::string& cleanedAmount, double amount,
                      const FeeResult& result, std::ostream& out);

}  // namespace tarivox::cli
