// Quotes and comparisons as CSV (RFC 4180: comma-separated, CRLF line ends,
// fields quoted when they hold a comma, a quote or a line break). Every
// figure comes twice: as the calculator writes it ("5,400.00") and as whole
// cents (540000), which a spreadsheet reads the same in any locale.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarivox::cli {

struct Quote;
struct Comparison;

// One field, quoted when it must be.
std::string CsvField(std::string_view text);

// One record: the fields joined by commas, ended by CRLF.
void WriteCsvRecord(const std::vector<std::string>& fields, std::ostream& out);

// Columns: record, act, label, office, service, transaction, project,
// computed, amount, amount_cents, fee, fee_cents, rule, note, tariff_text,
// client, date. One "act" record per act, then one "total" record whose fee
// and fee_cents are the total of the computed acts.
void WriteQuoteCsv(const Quote& quote, std::ostream& out);

// Columns: variant, office, project, computed, amount, amount_cents, fee,
// fee_cents, difference, difference_cents, rule, tariff_text.
void WriteComparisonCsv(const Comparison& comparison, std::ostream& out);

}  // namespace tarivox::cli
