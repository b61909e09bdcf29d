// The records that reports write, each described once: an act of a quote,
// the quote's total, a column of a comparison, a tariff text's note, and
// the facts that head a quote or a comparison. A description lists a
// record's fields in order, with the name programs select by, the heading
// people read, the kind of value and where the field goes (JSON, CSV, the
// workbook, the page). The CSV header and cells, the workbook's columns and
// cells, the JSON members and the page's fields all come from it, so a new
// column is one line.
#pragma once

#include <span>
#include <string>

#include "report/compare.h"
#include "report/quote.h"

namespace tarivox::report {

// Where a field is written.
enum Destination : unsigned {
  TO_JSON = 1u << 0,  // exports and the page's records
  TO_CSV = 1u << 1,   // both CSV flavours
  TO_PAGE = 1u << 2,  // only what the page shows besides the JSON members
  TO_SHEET = 1u << 3, // the xlsx workbook, a sheet people read and add up
  TO_BOTH = TO_JSON | TO_CSV,
};

// One value, as each format writes it.
struct FieldValue {
  enum class Kind {
    Text,     // words and names; JSON null when empty and NullWhenEmpty
    Code,     // a code programs select by; the spreadsheet flavour writes Words instead
    Flag,     // JSON true/false, CSV yes/no
    Money,    // whole cents written as a figure: "5,400.00"; a number in the workbook
    Signed,   // a difference: "+1.23", "-42.30", "0.00"
    Integer,  // a plain number: cents, positions, counts
  };
  Kind Type = Kind::Text;
  bool Present = true;  // false: JSON null, an empty CSV cell
  std::string Text;     // Text, Code
  std::string Words;    // Code: what a person reads instead
  long long Number = 0; // Money, Signed, Integer
  bool On = false;      // Flag
};

// What a record is written with besides the record itself.
struct RecordContext {
  Language Lang;
  const Quote* InQuote = nullptr;  // for a quote's client and date
  long long Position = 0;          // the act's number in its quote, from 1
  const Edition* Tariff = nullptr; // for a note: the edition whose text it is
};

// For a field that only programs read, in JSON: it has no heading.
inline constexpr MessageOf<> NO_HEADING{-1};

template <typename Record>
struct Field {
  const char* Name;                 // JSON member and plain CSV column
  MessageOf<> Heading;              // what people read: csv-excel's and the workbook's column heading
  unsigned Where;                   // Destination bits
  FieldValue (*Get)(const RecordContext& context, const Record& record);
};

// The act of a quote; a column of a comparison; the total of a quote; a note.
std::span<const Field<Act>> ActFields();
std::span<const Field<Variant>> VariantFields();
std::span<const Field<Quote>> TotalFields();
std::span<const Field<Selection>> NoteFields();
// What heads a quote as a document an office issues.
std::span<const Field<Quote>> HeadingFields();
// The edition a report's figures are priced under.
std::span<const Field<Edition>> TariffFields();
// The facts above a workbook's table, each under its heading: the quote's
// client, date and edition; what a comparison compares.
std::span<const Field<Comparison>> ComparisonHeadingFields();

// False while some kept act could not be read back, and so is not priced.
bool IsComplete(const Quote& quote);

// The CSV total row fills the act's columns of the same name.
template <typename Record>
const Field<Record>* FindField(std::span<const Field<Record>> fields, std::string_view name) {
  for (const Field<Record>& field : fields) {
    if (name == field.Name) return &field;
  }
  return nullptr;
}

}  // namespace tarivox::report
