// Reports as plain text: columns aligned by characters (not bytes) of UTF-8
// text, and tariff texts wrapped into numbered notes. What the user typed
// (labels, client, date, the amount) is shown inert: a control or direction
// character in it cannot move the figures after it on the line.
#include <algorithm>
#include <vector>

#include "report/explain.h"
#include "report/in_words.h"
#include "report/money.h"
#include "report/text.h"
#include "report/units.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

constexpr std::size_t kLineWidth = 78;
// A label wider than this goes on in the lines below its act, so that one
// long label cannot widen every row of the table.
constexpr std::size_t kLabelWidth = 40;
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
void WriteLine(const Columns& columns, const Row& row, const Sink& out) {
  std::string line;
  for (std::size_t c = 0; c < row.size(); ++c) {
    std::size_t gap = columns.Widths[c] - std::min(columns.Widths[c], DisplayWidth(row[c]));
    if (c > 0) line += "  ";
    if (columns.Right[c]) line.append(gap, ' ');
    line += row[c];
    if (!columns.Right[c]) line.append(gap, ' ');
  }
  line.erase(line.find_last_not_of(' ') + 1);
  Put(out, line + "\n");
}

// The first characters of UTF-8 text that fill at most width characters,
// broken after the last blank among them when there is one.
std::size_t LineBreak(std::string_view text, std::size_t width) {
  std::size_t characters = 0;
  std::size_t blank = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (characters == width) return blank > 0 ? blank : at;
    if (text[at] == ' ') blank = at + 1;
    ++characters;
  }
  return text.size();
}

// A row whose cell `wrapped` may be wider than its column: the rest of that
// cell goes on below it, the other cells blank.
void WriteRow(const Columns& columns, Row row, std::size_t wrapped, const Sink& out) {
  const std::size_t width = wrapped < row.size() ? columns.Widths[wrapped] : 0;
  std::string rest;
  if (width > 0 && DisplayWidth(row[wrapped]) > width) {
    const std::size_t cut = LineBreak(row[wrapped], width);
    rest = row[wrapped].substr(cut);
    row[wrapped].resize(cut);
  }
  WriteLine(columns, row, out);
  while (!rest.empty()) {
    Row more(row.size());
    const std::size_t cut = LineBreak(rest, width);
    more[wrapped] = rest.substr(0, cut);
    rest.erase(0, cut);
    WriteLine(columns, more, out);
  }
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

void WriteNotes(Language language, const TariffNotes& notes, const Sink& out) {
  Put(out, Text(language, MSG_NOTES_HEADING) + "\n");
  int number = 0;
  for (const Selection& what : notes.Items) {
    std::string mark = NoteMark(++number) + " ";
    std::string indent(DisplayWidth(mark), ' ');
    WriteWrapped(NoteHeading(*notes.Tariff, what) + ":", mark, indent, out);
    WriteWrapped(TariffText(*notes.Tariff, what), indent, indent, out);
  }
}

std::string AmountCell(const Act& act) { return act.PricedBy == Pricing::Engine ? FormatCents(act.AmountCents) : "-"; }

Row ActRow(Language language, const Act& act, std::size_t number, bool withLabel) {
  Row row{FormatCount(static_cast<long long>(number))};
  if (withLabel) row.push_back(Inert(act.Label));
  const Edition& edition = *act.Tariff;
  row.insert(row.end(), {OfficeName(edition, act.What.OfficeIndex), ServiceName(edition, act.What.ServiceIndex),
                         TransactionName(edition, act.What), ProjectName(language, act.What.SocialInterest), AmountCell(act),
                         FormatCents(act.FeeCents), RuleText(language, act), NoteMark(act.Note)});
  return row;
}

Row HeadingRow(Language language, bool withLabel) {
  Row heading;
  for (MessageOf<> column : {MSG_COLUMN_NUMBER, MSG_COLUMN_LABEL, MSG_COLUMN_OFFICE, MSG_COLUMN_SERVICE,
                             MSG_COLUMN_TRANSACTION, MSG_COLUMN_PROJECT, MSG_COLUMN_AMOUNT, MSG_COLUMN_FEE,
                             MSG_COLUMN_RULE, MSG_COLUMN_NOTE}) {
    if (column.Index != MSG_COLUMN_LABEL.Index || withLabel) heading.push_back(Text(language, column));
  }
  return heading;
}

void WriteActs(const Quote& quote, const Sink& out) {
  bool withLabel = false;
  for (const Act& act : quote.Acts) withLabel = withLabel || !act.Label.empty();
  Row heading = HeadingRow(quote.Lang, withLabel);
  auto row = [&quote, withLabel](std::size_t i) { return ActRow(quote.Lang, quote.Acts[i], i + 1, withLabel); };
  Columns columns;
  Measure(&columns, heading);
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) {
    Measure(&columns, row(i));
    if (Stopping(out)) return;
  }
  std::size_t amount = withLabel ? 6 : 5;
  columns.Right[0] = columns.Right[amount] = columns.Right[amount + 1] = true;
  // The label, when there is one, is the second column.
  const std::size_t label = withLabel ? 1 : heading.size();
  if (withLabel) columns.Widths[label] = std::min(columns.Widths[label], kLabelWidth);
  WriteRow(columns, heading, label, out);
  for (std::size_t i = 0; i < quote.Acts.size() && !Stopping(out); ++i) WriteRow(columns, row(i), label, out);
}

}  // namespace

std::string ActCountText(Language language, long long all, long long byEngine) {
  // One act is not counted out as "1 acto: 1 con el pago…".
  if (all == 1) return Text(language, byEngine == 1 ? MSG_ONE_ACT_BY_ENGINE : MSG_ONE_ACT_BY_TEXT, all);
  long long byText = all - byEngine;
  std::string engine = Text(language, MSG_PRICED_BY_ENGINE, byEngine);
  std::string fromText = Text(language, MSG_PRICED_BY_TEXT, byText);
  std::string parts = byText == 0     ? engine
                      : byEngine == 0 ? fromText
                                      : Text(language, MSG_AND, engine, fromText);
  return Text(language, MSG_ACT_COUNT, CountText(language, all, MSG_ACTS_ONE, MSG_ACTS_MANY), parts);
}

namespace {

void WriteTotal(const Quote& quote, const Sink& out) {
  Language language = quote.Lang;
  Put(out, ActCountText(quote.Lang, static_cast<long long>(quote.Acts.size()), quote.EngineCount) + "\n");
  Put(out, Text(language, MSG_TOTAL, Cents{quote.TotalCents}) + "\n");
  Put(out, Text(language, MSG_TOTAL_IN_WORDS, AmountInWords(language, quote.TotalCents)) + "\n");
}

std::string ValueHeading(const Comparison& comparison) {
  const Act& first = comparison.Variants.front().Figures;
  std::string heading = NoteHeading(*comparison.Tariff, comparison.Reference);
  if (first.PricedBy == Pricing::Engine) {
    return Text(comparison.Lang, MSG_COMPARISON_HEADING, heading, comparison.Typed);
  }
  if (first.Quantity > 0) {
    heading = Text(comparison.Lang, MSG_COMPARISON_QUANTITY_HEADING, heading,
                   UnitCount(comparison.Lang, first.Stated->Unit, first.Quantity));
  }
  return heading;
}

void WriteFigures(const Comparison& comparison, const Sink& out) {
  Language language = comparison.Lang;
  std::vector<Row> rows{{""},
                        {""},
                        {Text(language, MSG_COLUMN_AMOUNT)},
                        {Text(language, MSG_COLUMN_FEE)},
                        {Text(language, MSG_COLUMN_DIFFERENCE)},
                        {Text(language, MSG_COLUMN_TARIFF_TEXT)}};
  for (const Variant& variant : comparison.Variants) {
    const Act& act = variant.Figures;
    std::string difference = variant.HasDifference ? FormatSignedCents(variant.DifferenceCents) : "-";
    if (&variant == &comparison.Variants.front()) difference = Text(language, MSG_REFERENCE);
    std::string cells[] = {OfficeName(*act.Tariff, act.What.OfficeIndex), ProjectName(language, act.What.SocialInterest),
                           variant.Offered ? AmountCell(act) : "-",
                           variant.Offered ? FormatCents(act.FeeCents) : Text(language, MSG_NOT_OFFERED), difference,
                           variant.Offered ? NoteMark(act.Note) : "-"};
    for (std::size_t r = 0; r < rows.size(); ++r) rows[r].push_back(cells[r]);
  }
  Columns columns;
  for (const Row& row : rows) Measure(&columns, row);
  columns.Right.assign(columns.Widths.size(), true);
  columns.Right[0] = false;
  for (const Row& row : rows) WriteLine(columns, row, out);
}

}  // namespace

void WriteQuoteText(const Quote& quote, const Sink& out) {
  Language language = quote.Lang;
  for (const std::string& line : QuoteHeadingLines(quote)) WriteWrapped(line, "", "", out);
  Put(out, "\n");
  WriteActs(quote, out);
  // Stopped on the way: the acts written stay, without a total for them.
  if (Stopping(out)) return;
  Put(out, "\n");
  WriteTotal(quote, out);
  Put(out, "\n");
  WriteNotes(language, quote.Notes, out);
  Put(out, "\n");
  WriteWrapped(Text(language, MSG_QUOTE_CLOSING), "", "", out);
}

void WriteComparisonText(const Comparison& comparison, const Sink& out) {
  Language language = comparison.Lang;
  Put(out, ValueHeading(comparison) + "\n");
  Put(out, Text(language, MSG_TARIFF, TariffLine(language, *comparison.Tariff)) + "\n\n");
  WriteFigures(comparison, out);
  Put(out, "\n" + Text(language, MSG_RULES_HEADING) + "\n");
  for (const Variant& variant : comparison.Variants) {
    WriteWrapped(VariantRule(language, variant), "  " + VariantName(language, variant) + ": ", "    ", out);
  }
  Put(out, "\n");
  WriteNotes(language, comparison.Notes, out);
}

}  // namespace tarivox::report
