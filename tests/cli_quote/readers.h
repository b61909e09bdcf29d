// Minimal readers for what the quote exports write, so that tests can read
// the output back the way another program would: RFC 4180 CSV and JSON.
#pragma once

#include <string>
#include <vector>

namespace quote_test {

// Records of RFC 4180 text (with another separator when given); false when
// a quoted field is malformed or a record does not end in CRLF.
bool ReadCsv(const std::string& text, std::vector<std::vector<std::string>>* records,
             char separator = ',');

struct JsonValue {
  enum Kind { Null, Bool, Number, String, Array, Object } Type = Null;
  bool Flag = false;
  std::string Text;    // a string's value, or a number's digits as written
  std::vector<JsonValue> Items;
  // An object's members; two vectors, since a pair cannot hold the type
  // being defined.
  std::vector<std::string> MemberNames;
  std::vector<JsonValue> MemberValues;

  // The member of an object; a Null value when absent.
  const JsonValue& operator[](const std::string& name) const;
  bool Has(const std::string& name) const;
};

// Parses a whole JSON text; false on any syntax error or trailing garbage.
bool ReadJson(const std::string& text, JsonValue* value);

}  // namespace quote_test
