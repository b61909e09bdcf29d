// Reports as plain text: columns aligned by characters (not bytes) of UTF-8
// text, and tariff texts wrapped into numbered notes.
#include <algorithm>
#include <vector>

#include "report/money.h"
#include "report/text.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

constexpr std::size_t kLineWidth = 78;
using Row = std::vector<std::string>;

// Column widths, found in a first pass over the rows so that a long quote
// needs no table in memory.
struct Columns {
  std::vector<std::size_t> Widths;
  std::vector<bool> Right;  // figures align right
};

void Measure(Columns* columns, const Row& row) {
  columns->Widths.resize(row.size(), 0);
  columns->Right.resize(row.size(), false);
  for (std::size_t c = 0; c < row.size(); ++c) {
    columns->Widths[c] = std::max(columns->Widths[c], DisplayWidth(row[c]));
  }
}

// Two blanks between columns and none at the end of the line.
void WriteRow(const Columns& columns, const Row& row, const Sink& out) {
  std::string line;
  for (std::size_t c = 0; c < row.size(); ++c) {
    std::size_t gap = columns.Widths[c] - DisplayWidth(row[c]);
    if (c > 0) line += "  ";
    if (columns.Right[c]) line.append(gap, ' ');
    line += row[c];
    if (!columns.Right[c]) line.append(gap, ' ');
  }
  line.erase(line.find_last_not_of(' ') + 1);
  Put(out, line + "\n");
}

// Word by word in lines of at most kLineWidth characters.
void WriteWrapped(std::string_view text, const std::string& firstIndent, const std::string& indent, const Sink& out) {
  std::string line = firstIndent;
  bool lineHasWord = false;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = std::min(text.find(' ', at), text.size());
    std::string_view word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    if (lineHasWord && DisplayWidth(line) + 1 + DisplayWidth(word) > kLineWidth) {
      Put(out, line + "\n");
      line = indent;
      lineHasWord = false;
    }
    line += (lineHasWord ? " " : "") + std::string(word);
    lineHasWord = true;
  }
  Put(out, line + "\n");
}

std::string NoteMark(int note) { return "[" + FormatCount(note) + "]"; }

void WriteNotes(const TariffNotes& notes, const Sink& out) {
  Put(out, "Tariff texts\n");
  int number = 0;
  for (const Selection& what : notes.Items) {
    std::string mark = NoteMark(++number) + " ";
    std::string indent(DisplayWidth(mark), ' ');
    WriteWrapped(NoteHeading(what) + ":", mark, indent, out);
    WriteWrapped(TariffText(what), indent, indent, out);
  }
}

std::string AmountCell(const Act& act) { return act.Computed ? FormatCents(act.AmountCents) : "-"; }
std::string FeeCell(const Act& act) { return act.Computed ? FormatCents(act.FeeCents) : "not computed"; }

Row ActRow(const Act& act, std::size_t number, bool withLabel) {
  Row row{FormatCount(static_cast<long long>(number))};
  if (withLabel) row.push_back(act.Label);
  row.insert(row.end(), {OfficeName(act.What.OfficeIndex), ServiceName(act.What.ServiceIndex), TransactionName(act.What),
                         ProjectName(act.What.SocialInterest), AmountCell(act), FeeCell(act), RuleText(act),
                         NoteMark(act.Note)});
  return row;
}

void WriteActs(const Quote& quote, const Sink& out) {
  bool withLabel = false;
  for (const Act& act : quote.Acts) withLabel = withLabel || !act.Label.empty();
  Row heading{"#", "Office", "Service", "Transaction", "Project", "Amount US$", "Fee US$", "Rule", "Note"};
  if (withLabel) heading.insert(heading.begin() + 1, "Label");
  auto row = [&quote, withLabel](std::size_t i) { return ActRow(quote.Acts[i], i + 1, withLabel); };
  Columns columns;
  Measure(&columns, heading);
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) Measure(&columns, row(i));
  std::size_t amount = withLabel ? 6 : 5;
  columns.Right[0] = columns.Right[amount] = columns.Right[amount + 1] = true;
  WriteRow(columns, heading, out);
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) WriteRow(columns, row(i), out);
}

// Acts without a computed fee are named below the total, so that nobody
// reads the total as the whole cost.
void WriteTotal(const Quote& quote, const Sink& out) {
  if (quote.ComputedCount == static_cast<long long>(quote.Acts.size())) {
    Put(out, "Total US$: " + FormatCents(quote.TotalCents) + "\n");
    return;
  }
  Put(out, "Total of the " + FormatCount(quote.ComputedCount) +
               (quote.ComputedCount == 1 ? " computed act US$: " : " computed acts US$: ") +
               FormatCents(quote.TotalCents) + "\nNot in the total (no computed fee):\n");
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) {
    const Act& act = quote.Acts[i];
    if (act.Computed) continue;
    Put(out, "  act " + FormatCount(static_cast<long long>(i + 1)) + ": " + NoteHeading(act.What) + ", " +
                 RuleText(act) + ", note " + NoteMark(act.Note) + "\n");
  }
}

void WriteFigures(const Comparison& comparison, const Sink& out) {
  std::vector<Row> rows{{""}, {""}, {"Amount US$"}, {"Fee US$"}, {"Difference US$"}, {"Tariff text"}};
  for (const Variant& variant : comparison.Variants) {
    const Act& act = variant.Figures;
    std::string difference = variant.HasDifference ? FormatSignedCents(variant.DifferenceCents) : "-";
    if (&variant == &comparison.Variants.front()) difference = variant.HasDifference ? "(reference)" : "";
    std::string cells[] = {OfficeName(act.What.OfficeIndex), ProjectName(act.What.SocialInterest), AmountCell(act),
                           variant.Offered ? FeeCell(act) : "not offered", difference,
                           variant.Offered ? NoteMark(act.Note) : "-"};
    for (std::size_t r = 0; r < rows.size(); ++r) rows[r].push_back(cells[r]);
  }
  Columns columns;
  for (const Row& row : rows) Measure(&columns, row);
  columns.Right.assign(columns.Widths.size(), true);
  columns.Right[0] = false;
  for (const Row& row : rows) WriteRow(columns, row, out);
}

}  // namespace

void WriteQuoteText(const Quote& quote, const Sink& out) {
  Put(out, "Quote\n");
  if (!quote.Client.empty()) Put(out, "Client: " + quote.Client + "\n");
  if (!quote.Date.empty()) Put(out, "Date: " + quote.Date + "\n");
  Put(out, "\n");
  WriteActs(quote, out);
  Put(out, "\n");
  WriteTotal(quote, out);
  Put(out, "\n");
  WriteNotes(quote.Notes, out);
}

void WriteComparisonText(const Comparison& comparison, const Sink& out) {
  const Selection& reference = comparison.Reference;
  Put(out, NoteHeading(reference) + ", amount typed \"" + OneLine(comparison.Typed) + "\"\n\n");
  WriteFigures(comparison, out);
  Put(out, "\nRules\n");
  for (const Variant& variant : comparison.Variants) {
    WriteWrapped(VariantRule(variant), "  " + VariantName(variant) + ": ", "    ", out);
  }
  Put(out, "\n");
  WriteNotes(comparison.Notes, out);
}

}  // namespace tarivox::report
