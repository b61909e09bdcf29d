#include "report/report.h"

#include "report/writers.h"

namespace tarivox::report {
namespace {

// CSV as RFC 4180 has it, and as a spreadsheet set to a decimal comma (as
// in Spain) opens it by double-click: ";" between fields, a byte-order mark,
// without which accents are misread, and figures with a decimal comma. A
// spreadsheet set to a decimal point would read those figures as text or
// as other numbers: the xlsx workbook is for everyone else.
constexpr CsvStyle kCsv{',', false, false};
constexpr CsvStyle kCsvExcel{';', true, true};

constexpr ReportFormat kFormats[] = {
    {"text", WriteQuoteText, WriteComparisonText},
    {"csv", [](const Quote& quote, const Sink& out) { WriteQuoteCsv(quote, out, kCsv); },
     [](const Comparison& comparison, const Sink& out) { WriteComparisonCsv(comparison, out, kCsv); }},
    {"csv-excel", [](const Quote& quote, const Sink& out) { WriteQuoteCsv(quote, out, kCsvExcel); },
     [](const Comparison& comparison, const Sink& out) { WriteComparisonCsv(comparison, out, kCsvExcel); }},
    {"xlsx", WriteQuoteXlsx, WriteComparisonXlsx},
    {"json", WriteQuoteJson, WriteComparisonJson},
};

}  // namespace

const ReportFormat* FindReportFormat(std::string_view name) {
  for (const ReportFormat& format : kFormats) {
    if (name == format.Name) return &format;
  }
  return nullptr;
}

}  // namespace tarivox::report
