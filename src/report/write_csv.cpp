// Reports as CSV: one record a line ended by CRLF, fields quoted when they
// hold the separator, a quote or a line break. Every figure comes twice: as
// the calculator writes it ("5,400.00") and in whole cents (540000), which a
// spreadsheet reads the same in any locale.
#include <cstdint>
#include <vector>

#include "report/money.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

using Record = std::vector<std::string>;

// A spreadsheet runs a cell that starts with one of these as a formula; an
// apostrophe in front makes it show the text instead. Figures are left
// plain, so that they stay numbers.
bool LooksLikeFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
}

std::string CsvField(std::string_view text, char separator, bool figure) {
  std::string field = !figure && LooksLikeFormula(text) ? "'" + std::string(text) : std::string(text);
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (field.find_first_of(special) == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// figures has bit i set when field i is a figure.
void WriteRecord(const Record& fields, std::uint32_t figures, CsvStyle style, const Sink& out) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += style.Separator;
    line += CsvField(fields[i], style.Separator, ((figures >> i) & 1u) != 0);
  }
  Put(out, line + "\r\n");
}

void WriteHeading(const Record& names, CsvStyle style, const Sink& out) {
  if (style.ByteOrderMark) Put(out, "\xEF\xBB\xBF");
  WriteRecord(names, 0, style, out);
}

std::string CentsOrEmpty(bool shown, long long cents) { return shown ? FormatPlainInteger(cents) : std::string(); }

// amount, amount_cents, fee, fee_cents
Record Figures(const Act& act) {
  return {act.Computed ? FormatCents(act.AmountCents) : "", CentsOrEmpty(act.Computed, act.AmountCents),
          act.Computed ? FormatCents(act.FeeCents) : "", CentsOrEmpty(act.Computed, act.FeeCents)};
}

Record Join(Record head, const Record& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

constexpr std::uint32_t kQuoteFigures = 1u << 1 | 1u << 8 | 1u << 9 | 1u << 10 | 1u << 11 | 1u << 13;
constexpr std::uint32_t kComparisonFigures = 0x3Fu << 4;

}  // namespace

void WriteQuoteCsv(const Quote& quote, const Sink& out, CsvStyle style) {
  WriteHeading({"record", "act", "label", "office", "service", "transaction", "project", "computed", "amount",
                "amount_cents", "fee", "fee_cents", "rule", "note", "tariff_text", "client", "date"},
               style, out);
  long long number = 0;
  for (const Act& act : quote.Acts) {
    Record head{"act", FormatPlainInteger(++number), act.Label, OfficeName(act.What.OfficeIndex),
                ServiceName(act.What.ServiceIndex), TransactionName(act.What), ProjectName(act.What.SocialInterest),
                act.Computed ? "yes" : "no"};
    Record tail{RuleText(act), FormatPlainInteger(act.Note), TariffText(act.What), quote.Client, quote.Date};
    WriteRecord(Join(Join(head, Figures(act)), tail), kQuoteFigures, style, out);
  }
  long long notComputed = static_cast<long long>(quote.Acts.size()) - quote.ComputedCount;
  std::string rule = "sum of the " + FormatCount(quote.ComputedCount) + " computed acts";
  if (notComputed > 0) rule += "; " + FormatCount(notComputed) + " not computed, not included";
  WriteRecord({"total", "", "", "", "", "", "", "", "", "", FormatCents(quote.TotalCents),
               FormatPlainInteger(quote.TotalCents), rule, "", "", quote.Client, quote.Date},
              kQuoteFigures, style, out);
}

void WriteComparisonCsv(const Comparison& comparison, const Sink& out, CsvStyle style) {
  WriteHeading({"variant", "office", "project", "computed", "amount", "amount_cents", "fee", "fee_cents",
                "difference", "difference_cents", "rule", "tariff_text"},
               style, out);
  for (const Variant& variant : comparison.Variants) {
    const Act& act = variant.Figures;
    Record head{VariantName(variant), OfficeName(act.What.OfficeIndex), ProjectName(act.What.SocialInterest),
                act.Computed ? "yes" : "no"};
    bool difference = variant.HasDifference;
    Record tail{difference ? FormatSignedCents(variant.DifferenceCents) : "",
                CentsOrEmpty(difference, variant.DifferenceCents),
                VariantRule(variant),
                variant.Offered ? TariffText(act.What) : ""};
    WriteRecord(Join(Join(head, Figures(act)), tail), kComparisonFigures, style, out);
  }
}

}  // namespace tarivox::report
