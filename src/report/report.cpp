#include "report/report.h"

#include "report/writers.h"

namespace tarivox::report {
namespace {

// CSV as RFC 4180 has it, and as a spreadsheet in a Spanish locale opens it
// by double-click: ";" between fields, a byte-order mark, without which
// accents are misread, and figures with a decimal comma.
constexpr CsvStyle kCsv{',', false, false};
constexpr CsvStyle kCsvExcel{';', true, true};

constexpr ReportFormat kFormats[] = {
    {"text", WriteQuoteText, WriteComparisonText},
    {"csv", [](const Quote& quote, const Sink& out) { WriteQuoteCsv(quote, out, kCsv); },
     [](const Comparison& comparison, const Sink& out) { WriteComparisonCsv(comparison, out, kCsv); }},
    {"csv-excel", [](const Quote& quote, const Sink& out) { WriteQuoteCsv(quote, out, kCsvExcel); },
     [](const Comparison& comparison, const Sink& out) { WriteComparisonCsv(comparison, out, kCsvExcel); }},
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
