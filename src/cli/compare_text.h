// A comparison as aligned plain text (UTF-8): one column per variant.
#pragma once

#include <ostream>

#include "cli/compare_build.h"

namespace tarivox::cli {

void WriteComparisonText(const Comparison& comparison, std::ostream& out);

}  // namespace tarivox::cli
