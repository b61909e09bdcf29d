// Reports as CSV: one record a line ended by CRLF, fields quoted when they
// hold the separator, a quote or a line break. The columns and cells are
// those of the records' descriptions (records.h).
//
// Plain CSV is for programs: its column names and its codes ("act",
// "yes", "engine", "sheet", "social") never change, figures are written as
// the calculator writes them ("5,400.00") and again in whole cents (540000).
// The spreadsheet flavour is for people: headings and words in the
// report's language, and figures as a spreadsheet with a decimal comma reads
// numbers ("5400,00"), so that its columns can be summed.
#include "report/money.h"
#include "report/records.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

// What a record's cells are written with: the style, and the language of
// the spreadsheet flavour's words.
struct Writer {
  CsvStyle Style;
  Language Lang;
  const Sink& Out;
};

// Blanks a spreadsheet may trim from a cell before it looks for a formula
// (its "trim spaces" import option): the ASCII ones, the no-break spaces
// and the ideographic space. The length of one at text[at], or 0.
std::size_t BlankAt(std::string_view text, std::size_t at) {
  constexpr std::string_view kWideBlanks[] = {"\xC2\xA0", "\xE2\x80\x87", "\xE2\x80\xAF", "\xE3\x80\x80"};
  if (std::string_view(" \t\r\n\v\f").find(text[at]) != std::string_view::npos) return 1;
  for (std::string_view blank : kWideBlanks) {
    if (text.substr(at).starts_with(blank)) return blank.size();
  }
  return 0;
}

// A spreadsheet runs a cell that starts with = + - @ as a formula, some also
// with their full-width forms (＝ ＋ － ＠) and some after trimming blanks:
// one rule for every text cell (labels, client, date, names, rules). An
// apostrophe in front makes it show the text instead. A cell that starts
// with a tab or a CR is guarded too, as it always was. Figures are left
// plain, so that they stay numbers.
bool LooksLikeFormula(std::string_view text) {
  constexpr std::string_view kStarters[] = {"=", "+", "-", "@", "\xEF\xBC\x9D", "\xEF\xBC\x8B", "\xEF\xBC\x8D",
                                            "\xEF\xBC\xA0"};
  if (!text.empty() && (text[0] == '\t' || text[0] == '\r')) return true;
  std::size_t at = 0;
  for (std::size_t blank = 0; at < text.size() && (blank = BlankAt(text, at)) > 0;) at += blank;
  for (std::string_view starter : kStarters) {
    if (text.substr(at).starts_with(starter)) return true;
  }
  return false;
}

std::string Quoted(std::string field, char separator) {
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (field.find_first_of(special) == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// What a value's cell holds, before quoting.
std::string CellText(const Writer& writer, const FieldValue& value) {
  using Kind = FieldValue::Kind;
  const bool people = writer.Style.Spreadsheet;
  switch (value.Type) {
    case Kind::Money: return people ? SpreadsheetCents(value.Number) : FormatCents(value.Number);
    case Kind::Signed: return people ? SpreadsheetCents(value.Number) : FormatSignedCents(value.Number);
    case Kind::Integer: return FormatPlainInteger(value.Number);
    case Kind::Flag: return people ? Text(writer.Lang, value.On ? MSG_YES : MSG_NO) : value.On ? "yes" : "no";
    case Kind::Code: return people ? value.Words : value.Text;
    case Kind::Text: break;
  }
  return value.Text;
}

// A figure stays as it is, so that it stays a number; text is guarded.
std::string Cell(const Writer& writer, const FieldValue& value) {
  if (!value.Present) return "";
  const bool words = value.Type == FieldValue::Kind::Text || value.Type == FieldValue::Kind::Code;
  std::string text = CellText(writer, value);
  return Quoted(words && LooksLikeFormula(text) ? "'" + text : std::move(text), writer.Style.Separator);
}

void EndRecord(const Writer& writer, std::string* line) {
  line->append("\r\n");
  Put(writer.Out, *line);
}

template <typename Record>
void AddHeadings(const Writer& writer, std::span<const Field<Record>> fields, std::string* line) {
  for (const Field<Record>& field : fields) {
    if ((field.Where & TO_CSV) == 0) continue;
    if (!line->empty()) *line += writer.Style.Separator;
    *line += writer.Style.Spreadsheet ? Quoted(Text(writer.Lang, field.Heading), writer.Style.Separator) : field.Name;
  }
}

// The record's columns, and after them those of the quote it belongs to.
template <typename Record>
void WriteHeading(const Writer& writer, std::span<const Field<Record>> fields, bool quote) {
  if (writer.Style.ByteOrderMark) Put(writer.Out, "\xEF\xBB\xBF");
  std::string line;
  AddHeadings(writer, fields, &line);
  if (quote) AddHeadings(writer, HeadingFields(), &line);
  EndRecord(writer, &line);
}

// The quote's own columns, after a row's.
void AddQuoteCells(const Writer& writer, const RecordContext& context, const Quote& quote, std::string* line) {
  for (const Field<Quote>& field : HeadingFields()) {
    if ((field.Where & TO_CSV) == 0) continue;
    *line += writer.Style.Separator;
    *line += Cell(writer, field.Get(context, quote));
  }
}

// A record in its own columns.
template <typename Record>
void WriteRow(const Writer& writer, std::span<const Field<Record>> fields, const RecordContext& context,
              const Record& record) {
  std::string line;
  for (const Field<Record>& field : fields) {
    if ((field.Where & TO_CSV) == 0) continue;
    if (&field != &fields.front()) line += writer.Style.Separator;
    line += Cell(writer, field.Get(context, record));
  }
  if (context.InQuote != nullptr) AddQuoteCells(writer, context, *context.InQuote, &line);
  EndRecord(writer, &line);
}

// The total in the acts' columns: each cell from the total's field of the
// same name, empty where it has none.
void WriteTotalRow(const Writer& writer, const RecordContext& context, const Quote& quote) {
  std::string line;
  for (const Field<Act>& column : ActFields()) {
    if ((column.Where & TO_CSV) == 0) continue;
    if (&column != &ActFields().front()) line += writer.Style.Separator;
    const Field<Quote>* field = FindField(TotalFields(), column.Name);
    if (field != nullptr && (field->Where & TO_CSV) != 0) line += Cell(writer, field->Get(context, quote));
  }
  AddQuoteCells(writer, context, quote, &line);
  EndRecord(writer, &line);
}

}  // namespace

void WriteQuoteCsv(const Quote& quote, const Sink& out, CsvStyle style) {
  const Writer writer{style, quote.Lang, out};
  WriteHeading(writer, ActFields(), true);
  RecordContext context{quote.Lang, &quote};
  for (const Act& act : quote.Acts) {
    ++context.Position;
    WriteRow(writer, ActFields(), context, act);
    if (Stopping(out)) return;
  }
  WriteTotalRow(writer, context, quote);
}

void WriteComparisonCsv(const Comparison& comparison, const Sink& out, CsvStyle style) {
  const Writer writer{style, comparison.Lang, out};
  WriteHeading(writer, VariantFields(), false);
  const RecordContext context{comparison.Lang};
  for (const Variant& variant : comparison.Variants) WriteRow(writer, VariantFields(), context, variant);
}

}  // namespace tarivox::report
