// The writers behind each report format, and what they share.
#pragma once

#include <string>

#include "report/compare.h"
#include "report/quote.h"
#include "report/sink.h"

namespace tarivox::report {

void WriteQuoteText(const Quote& quote, const Sink& out);
// "4 actos: 3 con el pago calculado sobre su monto y 1 con el pago que fija
// el texto de su arancel.", for a quote of all acts, byEngine of them
// computed by the calculator.
std::string ActCountText(Language language, long long all, long long byEngine);
void WriteComparisonText(const Comparison& comparison, const Sink& out);

struct CsvStyle {
  char Separator;
  bool ByteOrderMark;
  bool Spreadsheet;  // headings, tokens and figures for people in a spreadsheet
};
void WriteQuoteCsv(const Quote& quote, const Sink& out, CsvStyle style);
void WriteComparisonCsv(const Comparison& comparison, const Sink& out, CsvStyle style);

// The xlsx workbook: a sheet with figures as numbers and texts as text.
void WriteQuoteXlsx(const Quote& quote, const Sink& out);
void WriteComparisonXlsx(const Comparison& comparison, const Sink& out);

void WriteQuoteJson(const Quote& quote, const Sink& out);
void WriteComparisonJson(const Comparison& comparison, const Sink& out);

}  // namespace tarivox::report
