// Quotes and comparisons written out: as aligned text, as CSV (RFC 4180),
// as CSV for spreadsheets in locales that separate with ";", or as JSON.
// Writers stream to the sink; none builds a whole document in memory.
#pragma once

#include <string_view>

#include "report/compare.h"
#include "report/quote.h"
#include "report/sink.h"

namespace tarivox::report {

struct ReportFormat {
  const char* Name;
  void (*WriteQuote)(const Quote& quote, const Sink& out);
  void (*WriteComparison)(const Comparison& comparison, const Sink& out);
};

// "text", "csv", "csv-excel" or "json"; null for anything else.
const ReportFormat* FindReportFormat(std::string_view name);

}  // namespace tarivox::report
