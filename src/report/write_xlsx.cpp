// Reports as an Excel workbook (.xlsx), put together by libxlsxwriter: one
// sheet with the report's title and the facts that head it, then a table
// whose columns are the records' fields marked TO_SHEET (records.h), under
// the headings people read. A figure is a number shown with two decimals
// (#,##0.00), which every spreadsheet displays in its reader's own locale,
// so the same file adds up in a spreadsheet set to a decimal point or to a
// decimal comma. Every text is a text cell: a label such as "0012", "1/2",
// "1e3", "(100)", "50%", "TRUE" or "=SUM(1)" is never read as a number, a
// date, a truth value or a formula, so none needs an apostrophe.
//
// The bytes depend on the report alone: libxlsxwriter dates every entry of
// the zip 1980-01-01, and the document's creation time is the quote's date
// (1980-01-01 too for a report without one), so the tool, its Windows
// build and the page write the same file for the same quote.
//
// Rows are handed to libxlsxwriter in order and written out as each is
// finished (its constant-memory mode), so a quote of many acts never holds
// its sheet in memory; the finished file is read back into the sink a
// block at a time.
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <vector>

#include "report/money.h"
#include "report/records.h"
#include "report/scratch_file.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

// Excel's own limit for a cell's text, in characters.
constexpr std::size_t kCellCharacters = 32767;
// How wide a column may grow to show its longest text, in characters.
constexpr double kWidestColumn = 60;

struct Sheet {
  Language Lang;
  lxw_workbook* Book = nullptr;
  lxw_worksheet* Table = nullptr;
  lxw_format* Strong = nullptr;        // the title, headings, the total
  lxw_format* Figure = nullptr;        // #,##0.00
  lxw_format* StrongFigure = nullptr;  // the total's figures
  lxw_row_t Row = 0;
  std::vector<double> Widths = {};  // the widest cell of each column so far
  lxw_error Error = LXW_NO_ERROR;  // the first failure
};

void Keep(Sheet* sheet, lxw_error error) {
  if (sheet->Error == LXW_NO_ERROR) sheet->Error = error;
}

// Characters of UTF-8 text, as libxlsxwriter counts them.
std::size_t Characters(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void Widen(Sheet* sheet, lxw_col_t column, std::size_t characters) {
  if (sheet->Widths.size() <= column) sheet->Widths.resize(column + 1u, 0);
  sheet->Widths[column] = std::max(sheet->Widths[column], std::min(static_cast<double>(characters) + 2, kWidestColumn));
}

// widen: whether the column is to show the whole text (a title may run on
// over the cells beside it).
void WriteText(Sheet* sheet, lxw_col_t column, std::string text, lxw_format* format, bool widen = true) {
  // A longer text than a cell holds is cut at a character, not refused.
  if (Characters(text) > kCellCharacters) {
    std::size_t kept = 0, at = 0;
    for (; at < text.size(); ++at) {
      if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && ++kept > kCellCharacters) break;
    }
    text.resize(at);
  }
  if (widen) Widen(sheet, column, Characters(text));
  Keep(sheet, worksheet_write_string(sheet->Table, sheet->Row, column, text.c_str(), format));
}

void WriteNumber(Sheet* sheet, lxw_col_t column, double number, lxw_format* format, std::size_t shown) {
  Widen(sheet, column, shown);
  Keep(sheet, worksheet_write_number(sheet->Table, sheet->Row, column, number, format));
}

// A value in its cell: figures as numbers, everything else as text; an
// absent value leaves the cell empty.
void WriteValue(Sheet* sheet, lxw_col_t column, const FieldValue& value, bool strong) {
  using Kind = FieldValue::Kind;
  if (!value.Present) return;
  lxw_format* text = strong ? sheet->Strong : nullptr;
  switch (value.Type) {
    case Kind::Money:
    case Kind::Signed:
      // Whole cents divided by 100 give the double nearest the figure, which
      // every reader shows as the figure itself.
      WriteNumber(sheet, column, static_cast<double>(value.Number) / 100, strong ? sheet->StrongFigure : sheet->Figure,
                  FormatCents(value.Number).size());
      return;
    case Kind::Integer:
      WriteNumber(sheet, column, static_cast<double>(value.Number), text, FormatPlainInteger(value.Number).size());
      return;
    case Kind::Flag: WriteText(sheet, column, Text(sheet->Lang, value.On ? MSG_YES : MSG_NO), text); return;
    case Kind::Code: WriteText(sheet, column, value.Words, text); return;
    case Kind::Text: break;
  }
  WriteText(sheet, column, value.Text, text);
}

// 00:00 UTC of the date, for the document's creation time; the zip's own
// 1980-01-01 for none, or for a date some C libraries cannot write.
std::time_t CreationTime(const CalendarDate& date) {
  const bool usable = date.IsSet() && date.Year >= 1980 && date.Year <= 2999;
  const long long year = usable ? date.Year : 1980, month = usable ? date.Month : 1, day = usable ? date.Day : 1;
  // Days from 1970-01-01 in the proleptic Gregorian calendar.
  const long long y = month <= 2 ? year - 1 : year;
  const long long era = y / 400, yearOfEra = y - era * 400;
  const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<std::time_t>((era * 146097 + dayOfEra - 719468) * 86400);
}

// A new workbook with its one sheet and formats, in the scratch file.
bool Open(Sheet* sheet, const std::string& path, const std::string& title, const CalendarDate& date) {
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  sheet->Book = workbook_new_opt(path.c_str(), &options);
  if (sheet->Book == nullptr) return false;
  lxw_doc_properties properties{};
  properties.title = const_cast<char*>(title.c_str());  // copied by libxlsxwriter
  properties.created = CreationTime(date);
  Keep(sheet, workbook_set_properties(sheet->Book, &properties));
  sheet->Table = workbook_add_worksheet(sheet->Book, title.c_str());
  sheet->Strong = workbook_add_format(sheet->Book);
  sheet->Figure = workbook_add_format(sheet->Book);
  sheet->StrongFigure = workbook_add_format(sheet->Book);
  if (sheet->Table == nullptr || sheet->Strong == nullptr || sheet->Figure == nullptr || sheet->StrongFigure == nullptr) {
    return false;
  }
  format_set_bold(sheet->Strong);
  format_set_num_format(sheet->Figure, "#,##0.00");
  format_set_bold(sheet->StrongFigure);
  format_set_num_format(sheet->StrongFigure, "#,##0.00");
  WriteText(sheet, 0, title, sheet->Strong, false);
  ++sheet->Row;
  return true;
}

// The facts above the table, a heading and its value on each row, those
// with nothing to say left out (no client given, the built-in edition's
// first day); then an empty row.
template <typename Record>
void WriteFacts(Sheet* sheet, std::span<const Field<Record>> facts, const RecordContext& context, const Record& record) {
  for (const Field<Record>& fact : facts) {
    if ((fact.Where & TO_SHEET) == 0) continue;
    const FieldValue value = fact.Get(context, record);
    if (!value.Present) continue;
    WriteText(sheet, 0, Text(sheet->Lang, fact.Heading), sheet->Strong);
    WriteValue(sheet, 1, value, false);
    ++sheet->Row;
  }
  ++sheet->Row;
}

// The table's headings; the rows below scroll under them.
template <typename Record>
void WriteHeadings(Sheet* sheet, std::span<const Field<Record>> fields) {
  lxw_col_t column = 0;
  for (const Field<Record>& field : fields) {
    if ((field.Where & TO_SHEET) == 0) continue;
    WriteText(sheet, column++, Text(sheet->Lang, field.Heading), sheet->Strong);
  }
  worksheet_freeze_panes(sheet->Table, sheet->Row + 1, 0);
  ++sheet->Row;
}

template <typename Record>
void WriteRow(Sheet* sheet, std::span<const Field<Record>> fields, const RecordContext& context, const Record& record) {
  lxw_col_t column = 0;
  for (const Field<Record>& field : fields) {
    if ((field.Where & TO_SHEET) == 0) continue;
    WriteValue(sheet, column++, field.Get(context, record), false);
  }
  ++sheet->Row;
}

// The total in the acts' columns: each cell from the total's field of the
// same name, empty where it has none.
void WriteTotalRow(Sheet* sheet, const RecordContext& context, const Quote& quote) {
  lxw_col_t column = 0;
  for (const Field<Act>& act : ActFields()) {
    if ((act.Where & TO_SHEET) == 0) continue;
    const Field<Quote>* field = FindField(TotalFields(), act.Name);
    if (field != nullptr && (field->Where & TO_SHEET) != 0) WriteValue(sheet, column, field->Get(context, quote), true);
    ++column;
  }
  ++sheet->Row;
}

// errno as the failure to report: libxlsxwriter says what failed, the C
// library why.
int FailureOf(lxw_error error, int systemError) {
  if (error == LXW_ERROR_MEMORY_MALLOC_FAILED) return ENOMEM;
  return systemError != 0 ? systemError : EIO;
}

// Closes the workbook, which writes it to the scratch file, and hands the
// file's bytes to the sink; or tells the sink why there is no workbook.
void Finish(Sheet* sheet, const std::string& path, const Sink& out) {
  for (lxw_col_t column = 0; column < sheet->Widths.size(); ++column) {
    Keep(sheet, worksheet_set_column(sheet->Table, column, column, sheet->Widths[column], nullptr));
  }
  errno = 0;
  const lxw_error closed = workbook_close(sheet->Book);
  const int systemError = errno;
  const lxw_error error = sheet->Error != LXW_NO_ERROR ? sheet->Error : closed;
  if (error != LXW_NO_ERROR) {
    RemoveScratchFile(path);
    Fail(out, FailureOf(error, systemError));
    return;
  }
  std::FILE* file = OpenScratchFile(path);
  if (file == nullptr) {
    const int openError = errno;
    RemoveScratchFile(path);
    Fail(out, openError != 0 ? openError : EIO);
    return;
  }
  std::vector<char> block(std::size_t{1} << 16);
  std::size_t got = 0;
  while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) Put(out, std::string_view(block.data(), got));
  const bool readFailed = std::ferror(file) != 0;
  std::fclose(file);
  RemoveScratchFile(path);
  if (readFailed) Fail(out, EIO);
}

// A stop request leaves no workbook at all: one cut short is no workbook.
void Abandon(Sheet* sheet, const std::string& path) {
  if (sheet->Book != nullptr) workbook_close(sheet->Book);
  RemoveScratchFile(path);
}

bool Start(Sheet* sheet, std::string* path, const std::string& title, const CalendarDate& date, const Sink& out) {
  int error = 0;
  if (!MakeScratchFile(path, &error)) {
    Fail(out, error);
    return false;
  }
  errno = 0;
  if (Open(sheet, *path, title, date)) return true;
  // What failed is the C library's or memory.
  error = errno != 0 ? errno : ENOMEM;
  Abandon(sheet, *path);
  Fail(out, error);
  return false;
}

}  // namespace

void WriteQuoteXlsx(const Quote& quote, const Sink& out) {
  Sheet sheet{quote.Lang};
  std::string path;
  // The date as the quote heads it: the page sets that text alone.
  CalendarDate date;
  if (!ParseIsoDate(quote.Date, &date)) date = CalendarDate{};
  if (!Start(&sheet, &path, Text(quote.Lang, MSG_QUOTE_TITLE), date, out)) return;
  RecordContext context{quote.Lang, &quote};
  WriteFacts(&sheet, HeadingFields(), context, quote);
  WriteHeadings(&sheet, ActFields());
  for (const Act& act : quote.Acts) {
    ++context.Position;
    WriteRow(&sheet, ActFields(), context, act);
    if (Stopping(out)) return Abandon(&sheet, path);
  }
  WriteTotalRow(&sheet, context, quote);
  Finish(&sheet, path, out);
}

void WriteComparisonXlsx(const Comparison& comparison, const Sink& out) {
  Sheet sheet{comparison.Lang};
  std::string path;
  if (!Start(&sheet, &path, Text(comparison.Lang, MSG_COMPARISON_TITLE), CalendarDate{}, out)) return;
  const RecordContext context{comparison.Lang};
  WriteFacts(&sheet, ComparisonHeadingFields(), context, comparison);
  WriteHeadings(&sheet, VariantFields());
  for (const Variant& variant : comparison.Variants) WriteRow(&sheet, VariantFields(), context, variant);
  Finish(&sheet, path, out);
}

}  // namespace tarivox::report
