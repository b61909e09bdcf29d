#include "cli/export_csv.h"

#include "cli/compare_build.h"
#include "cli/quote_build.h"
#include "cli/quote_money.h"

namespace tarivox::cli {
namespace {

std::vector<std::string> QuoteActRecord(const Quote& quote, const QuoteEntry& entry, int number) {
  const ActFigures& figures = entry.Figures;
  bool computed = figures.Computed;
  const QuoteNote& note = quote.Notes[static_cast<std::size_t>(entry.Note - 1)];
  return {"act",
          FormatPlainInteger(number),
          entry.Request.Label,
          entry.Office,
          entry.Service,
          entry.Transaction,
          ProjectName(entry.Request.Social),
          computed ? "yes" : "no",
          figures.AmountText,
          computed ? FormatPlainInteger(figures.AmountCents) : std::string(),
          figures.FeeText,
          computed ? FormatPlainInteger(figures.FeeCents) : std::string(),
          figures.Rule,
          FormatPlainInteger(entry.Note),
          note.Text,
          quote.Client,
          quote.Date};
}

std::vector<std::string> QuoteTotalRecord(const Quote& quote) {
  std::size_t notComputed = quote.Acts.size() - static_cast<std::size_t>(quote.ComputedCount);
  std::string rule = "sum of the " + FormatCount(quote.ComputedCount) + " computed acts";
  if (notComputed > 0) {
    rule += "; " + FormatCount(static_cast<long long>(notComputed)) + " not computed, not included";
  }
  return {"total", "", "", "", "", "", "", "", "", "", FormatCents(quote.TotalCents),
          FormatPlainInteger(quote.TotalCents), rule, "", "", quote.Client, quote.Date};
}

std::vector<std::string> ComparisonRecord(const Comparison& comparison,
                                          const CompareVariant& variant) {
  const ActFigures& figures = variant.Figures;
  bool computed = figures.Computed;
  bool difference = variant.HasDifference;
  std::string tariff = variant.Note > 0
                           ? comparison.Notes[static_cast<std::size_t>(variant.Note - 1)].Text
                           : std::string();
  return {VariantName(variant),
          OfficeNameUtf8(variant.Office),
          ProjectName(variant.Social),
          computed ? "yes" : "no",
          figures.AmountText,
          computed ? FormatPlainInteger(figures.AmountCents) : std::string(),
          figures.FeeText,
          computed ? FormatPlainInteger(figures.FeeCents) : std::string(),
          difference ? FormatSignedCents(variant.DifferenceCents) : std::string(),
          difference ? FormatPlainInteger(variant.DifferenceCents) : std::string(),
          figures.Rule,
          tariff};
}

}  // namespace

std::string CsvField(std::string_view text, char separator) {
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (text.find_first_of(special) == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

void WriteCsvRecord(const std::vector<std::string>& fields, char separator, std::ostream& out) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out << separator;
    out << CsvField(fields[i], separator);
  }
  out << "\r\n";
}

void WriteQuoteCsv(const Quote& quote, std::ostream& out, CsvStyle style) {
  if (style.ByteOrderMark) out << "\xEF\xBB\xBF";
  WriteCsvRecord({"record", "act", "label", "office", "service", "transaction", "project",
                  "computed", "amount", "amount_cents", "fee", "fee_cents", "rule", "note",
                  "tariff_text", "client", "date"},
                 style.Separator, out);
  int number = 0;
  for (const QuoteEntry& entry : quote.Acts) {
    WriteCsvRecord(QuoteActRecord(quote, entry, ++number), style.Separator, out);
  }
  WriteCsvRecord(QuoteTotalRecord(quote), style.Separator, out);
}

void WriteComparisonCsv(const Comparison& comparison, std::ostream& out, CsvStyle style) {
  if (style.ByteOrderMark) out << "\xEF\xBB\xBF";
  WriteCsvRecord({"variant", "office", "project", "computed", "amount", "amount_cents", "fee",
                  "fee_cents", "difference", "difference_cents", "rule", "tariff_text"},
                 style.Separator, out);
  for (const CompareVariant& variant : comparison.Variants) {
    WriteCsvRecord(ComparisonRecord(comparison, variant), style.Separator, out);
  }
}

}  // namespace tarivox::cli
