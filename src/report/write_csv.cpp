// Reports as CSV: one record a line ended by CRLF, fields quoted when they
// hold the separator, a quote or a line break.
//
// Plain CSV is for programs: its column names and its tokens ("act",
// "yes", "engine", "sheet") never change, figures are written as the
// calculator writes them ("5,400.00") and again in whole cents (540000).
// The spreadsheet flavour is for people: headings and tokens in the
// report's language, and figures as a spreadsheet with a decimal comma reads
// numbers ("5400,00"), so that its columns can be summed.
#include <vector>

#include "report/in_words.h"
#include "report/money.h"
#include "report/units.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

struct Cell {
  std::string Text;
  bool Figure = false;  // left exactly as it is, so that it stays a number
};
using Record = std::vector<Cell>;

// A column: its plain name and, for spreadsheets, its heading.
struct Column {
  const char* Name;
  Message Heading;
};

constexpr Column kQuoteColumns[] = {
    {"record", MSG_CSV_RECORD},       {"act", MSG_COLUMN_NUMBER},
    {"label", MSG_COLUMN_LABEL},      {"office", MSG_COLUMN_OFFICE},
    {"service", MSG_COLUMN_SERVICE},  {"transaction", MSG_COLUMN_TRANSACTION},
    {"project", MSG_COLUMN_PROJECT},  {"computed", MSG_CSV_COMPUTED},
    {"amount", MSG_COLUMN_AMOUNT},    {"amount_cents", MSG_CSV_AMOUNT_CENTS},
    {"fee", MSG_COLUMN_FEE},          {"fee_cents", MSG_CSV_FEE_CENTS},
    {"rule", MSG_COLUMN_RULE},        {"note", MSG_COLUMN_NOTE},
    {"tariff_text", MSG_COLUMN_TARIFF_TEXT}, {"client", MSG_CSV_CLIENT},
    {"date", MSG_CSV_DATE},           {"priced_by", MSG_CSV_PRICED_BY},
    {"quantity", MSG_CSV_QUANTITY},   {"unit", MSG_CSV_UNIT},
    {"caveat", MSG_CSV_CAVEAT},
};

constexpr Column kComparisonColumns[] = {
    {"variant", MSG_CSV_VARIANT},     {"office", MSG_COLUMN_OFFICE},
    {"project", MSG_COLUMN_PROJECT},  {"computed", MSG_CSV_COMPUTED},
    {"amount", MSG_COLUMN_AMOUNT},    {"amount_cents", MSG_CSV_AMOUNT_CENTS},
    {"fee", MSG_COLUMN_FEE},          {"fee_cents", MSG_CSV_FEE_CENTS},
    {"difference", MSG_COLUMN_DIFFERENCE}, {"difference_cents", MSG_CSV_DIFFERENCE_CENTS},
    {"rule", MSG_COLUMN_RULE},        {"tariff_text", MSG_COLUMN_TARIFF_TEXT},
    {"priced_by", MSG_CSV_PRICED_BY}, {"quantity", MSG_CSV_QUANTITY},
    {"unit", MSG_CSV_UNIT},           {"caveat", MSG_CSV_CAVEAT},
};

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

std::string CsvField(const Cell& cell, char separator) {
  std::string field = !cell.Figure && LooksLikeFormula(cell.Text) ? "'" + cell.Text : cell.Text;
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  if (field.find_first_of(special) == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void WriteRecord(const Writer& writer, const Record& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += writer.Style.Separator;
    line += CsvField(cells[i], writer.Style.Separator);
  }
  Put(writer.Out, line + "\r\n");
}

template <std::size_t Count>
void WriteHeading(const Writer& writer, const Column (&columns)[Count]) {
  if (writer.Style.ByteOrderMark) Put(writer.Out, "\xEF\xBB\xBF");
  Record heading;
  for (const Column& column : columns) {
    heading.push_back({writer.Style.Spreadsheet ? Text(writer.Lang, column.Heading) : column.Name});
  }
  WriteRecord(writer, heading);
}

// A token: the plain one for programs, the message for spreadsheets.
Cell Token(const Writer& writer, const char* plain, Message words) {
  return {writer.Style.Spreadsheet ? Text(writer.Lang, words) : plain};
}

Cell Figure(const Writer& writer, long long cents, bool shown = true, bool sign = false) {
  if (!shown) return {"", true};
  if (writer.Style.Spreadsheet) return {SpreadsheetCents(cents), true};
  return {sign ? FormatSignedCents(cents) : FormatCents(cents), true};
}

Cell Integer(long long value, bool shown = true) { return {shown ? FormatPlainInteger(value) : "", true}; }

// computed, amount, amount_cents, fee, fee_cents
Record Figures(const Writer& writer, const Act& act) {
  bool engine = act.PricedBy == Pricing::Engine;
  return {engine ? Token(writer, "yes", MSG_YES) : Token(writer, "no", MSG_NO), Figure(writer, act.AmountCents, engine),
          Integer(act.AmountCents, engine), Figure(writer, act.FeeCents), Integer(act.FeeCents)};
}

// priced_by, quantity, unit, caveat
Record HowPriced(const Writer& writer, const Act& act) {
  if (act.PricedBy == Pricing::Engine) return {Token(writer, "engine", MSG_CSV_BY_ENGINE), {}, {}, {}};
  QuantityUnit unit = act.Stated->Unit;
  Cell unitCell{writer.Style.Spreadsheet ? UnitsName(writer.Lang, unit) : UnitKey(unit)};
  return {Token(writer, "tariff_text", MSG_CSV_BY_TEXT), Integer(act.Quantity, unit != UNIT_NONE), unitCell,
          {CaveatText(writer.Lang, act)}};
}

Record Join(Record head, const Record& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

}  // namespace

void WriteQuoteCsv(const Quote& quote, const Sink& out, CsvStyle style) {
  const Writer writer{style, quote.Lang, out};
  WriteHeading(writer, kQuoteColumns);
  long long number = 0;
  for (const Act& act : quote.Acts) {
    Record head{Token(writer, "act", MSG_CSV_ACT),
                Integer(++number),
                {act.Label},
                {OfficeName(act.What.OfficeIndex)},
                {ServiceName(act.What.ServiceIndex)},
                {TransactionName(act.What)},
                {ProjectName(quote.Lang, act.What.SocialInterest)}};
    Record tail{{RuleText(quote.Lang, act)}, Integer(act.Note), {TariffText(act.What)}, {quote.Client}, {quote.Date}};
    WriteRecord(writer, Join(Join(Join(head, Figures(writer, act)), tail), HowPriced(writer, act)));
  }
  std::string acts = CountText(quote.Lang, static_cast<long long>(quote.Acts.size()), MSG_ACTS_ONE, MSG_ACTS_MANY);
  std::string rule = Text(quote.Lang, MSG_TOTAL_RULE, {acts}) + ": " + AmountInWords(quote.Lang, quote.TotalCents);
  Record total{Token(writer, "total", MSG_CSV_TOTAL), {}, {}, {}, {}, {}, {}, {}, Figure(writer, 0, false),
               Integer(0, false), Figure(writer, quote.TotalCents), Integer(quote.TotalCents), {rule}, Integer(0, false),
               {}, {quote.Client}, {quote.Date}, {}, {}, {}, {}};
  WriteRecord(writer, total);
}

void WriteComparisonCsv(const Comparison& comparison, const Sink& out, CsvStyle style) {
  const Writer writer{style, comparison.Lang, out};
  WriteHeading(writer, kComparisonColumns);
  for (const Variant& variant : comparison.Variants) {
    const Act& act = variant.Figures;
    Record head{{VariantName(comparison.Lang, variant)},
                {OfficeName(act.What.OfficeIndex)},
                {ProjectName(comparison.Lang, act.What.SocialInterest)}};
    bool offered = variant.Offered;
    bool difference = variant.HasDifference;
    Record figures = offered ? Figures(writer, act) : Record{{}, Figure(writer, 0, false), Integer(0, false),
                                                             Figure(writer, 0, false), Integer(0, false)};
    Record tail{Figure(writer, variant.DifferenceCents, difference, true), Integer(variant.DifferenceCents, difference),
                {VariantRule(comparison.Lang, variant)}, {offered ? TariffText(act.What) : ""}};
    Record how = offered ? HowPriced(writer, act) : Record{{}, {}, {}, {}};
    WriteRecord(writer, Join(Join(Join(head, figures), tail), how));
  }
}

}  // namespace tarivox::report
