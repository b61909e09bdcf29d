// Quotes and comparisons written out: as aligned text, as CSV (RFC 4180),
// as CSV for spreadsheets set to a decimal comma, as an xlsx workbook that
// reads alike in every locale, or as JSON. Writers stream to the sink; none
// builds a whole document in memory.
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

// "text", "csv", "csv-excel", "xlsx" or "json"; null for anything else.
const ReportFormat* FindReportFormat(std::string_view name);

}  // namespace tarivox::report
