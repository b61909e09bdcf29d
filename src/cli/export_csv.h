// Quotes and comparisons as CSV (RFC 4180: comma-separated, CRLF line ends,
// fields quoted when they hold a comma, a quote or a line break). Every
// figure comes twice: as the calculator writes it ("5,400.00") and as whole
// cents (540000), which a spreadsheet reads the same in any locale.
//
// The "excel" style is for spreadsheets that open a file by double-click in
// a locale whose list separator is ";" (Spanish, among others): ";" between
// fields and a UTF-8 byte-order mark, without which accents are misread.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarivox::cli {

struct Quote;
struct Comparison;

struct CsvStyle {
  char Separator;
  bool ByteOrderMark;
};
inline constexpr CsvStyle CSV_STANDARD{',', false};
inline constexpr CsvStyle CSV_EXCEL{';', true};

// One field, quoted when it holds the separator, a quote or a line break.
std::string CsvField(std::string_view text, char separator = ',');

// One record: the fields joined by the separator, ended by CRLF.
void WriteCsvRecord(const std::vector<std::string>& fields, char separator, std::ostream& out);

// Columns: record, act, label, office, service, transaction, project,
// computed, amount, amount_cents, fee, fee_cents, rule, note, tariff_text,
// client, date. One "act" record per act, then one "total" record whose fee
// and fee_cents are the total of the computed acts.
void WriteQuoteCsv(const Quote& quote, std::ostream& out, CsvStyle style = CSV_STANDARD);

// Columns: variant, office, project, computed, amount, amount_cents, fee,
// fee_cents, difference, difference_cents, rule, tariff_text.
void WriteComparisonCsv(const Comparison& comparison, std::ostream& out,
                        CsvStyle style = CSV_STANDARD);

}  // namespace tarivox::cli
