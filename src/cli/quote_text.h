// The quote as aligned plain text (UTF-8), the way it is handed to a client.
#pragma once

#include <ostream>

#include "cli/quote_build.h"

namespace tarivox::cli {

void WriteQuoteText(const Quote& quote, std::ostream& out);

}  // namespace tarivox::cli
