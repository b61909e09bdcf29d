// The rule behind one fee, in words, for quotes and comparisons: the rate per
// started 100 and the hundreds counted, the bracket, the fixed fee, the
// cancellation base and excess, the social factor, and the minimum or
// maximum when one of them decided the fee.
#pragma once

#include <string>

#include "fees/fee_engine.h"

namespace tarivox::cli {

// Describes the fee from the engine's own trace of the computation; nothing
// is derived again. selection.Amount is the amount the engine computed with.
std::string DescribeFeeRule(const FeeSelection& selection, const FeeResult& result,
                            const FeeTrace& trace);

}  // namespace tarivox::cli
