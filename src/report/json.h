// JSON as the report library writes it (UTF-8): strings escaped so that a
// parser reads the text itself while the file stays harmless to look at,
// records as their descriptions (records.h) give them. The exports and the
// page's records are written by these same functions.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "catalogue/json_reader.h"
#include "report/records.h"
#include "report/verification.h"

namespace tarivox::report {

// Quotes, backslashes and control characters escaped, and so are the
// characters that reorder a line or break it for a viewer (U+2028, U+202E).
std::string JsonString(std::string_view utf8);

// A value as its kind is written: strings, numbers, true and false, null.
std::string JsonValue(const FieldValue& value);

std::string JsonIndent(int depth);

// The record's fields for the destinations in `where`, as an object whose
// members sit at depth + 1.
template <typename Record>
std::string RecordJson(std::span<const Field<Record>> fields, unsigned where, const RecordContext& context,
                       const Record& record, int depth) {
  std::string text = "{";
  for (const Field<Record>& field : fields) {
    if ((field.Where & where) == 0) continue;
    text += (text.size() > 1 ? ",\n" : "\n") + JsonIndent(depth + 1) + JsonString(field.Name) + ": " +
            JsonValue(field.Get(context, record));
  }
  return text + "\n" + JsonIndent(depth) + "}";
}

// [{"note": 1, "heading": ..., "text": ...}, ...]: the notes of a report.
std::string NotesJson(Language language, const TariffNotes& notes, int depth);

// {"code": ..., "checks": {"fecha": ..., ...}}: how a quote is verified;
// null for a quote not sealed.
std::string SealJson(const Seal& seal, int depth);

// Why a text could not be read as JSON, and where.
std::string JsonErrorText(Language language, const JsonError& error);

// The message table: [[key, text, number of arguments], ...].
std::string MessagesJson(Language language);

}  // namespace tarivox::report
