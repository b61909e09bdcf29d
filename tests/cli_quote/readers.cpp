#include "readers.h"

#include <cstddef>

namespace quote_test {

bool ReadCsv(const std::string& text, std::vector<std::vector<std::string>>* records,
             char separator) {
  records->clear();
  std::vector<std::string> record;
  std::string field;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '"') {
      ++at;
      while (true) {
        if (at >= text.size()) return false;
        if (text[at] == '"') {
          if (at + 1 < text.size() && text[at + 1] == '"') {
            field.push_back('"');
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        field.push_back(text[at++]);
      }
    }
    while (at < text.size() && text[at] != separator && text[at] != '\r') {
      if (text[at] == '"' || text[at] == '\n') return false;
      field.push_back(text[at++]);
    }
    if (at >= text.size()) return false;  // the last record must end in CRLF
    record.push_back(field);
    field.clear();
    if (text[at] == separator) {
      ++at;
      continue;
    }
    if (at + 1 >= text.size() || text[at + 1] != '\n') return false;
    at += 2;
    records->push_back(record);
    record.clear();
  }
  return true;
}

namespace {

struct JsonParser {
  const std::string& Text;
  std::size_t At = 0;

  void SkipBlanks() {
    while (At < Text.size() && (Text[At] == ' ' || Text[At] == '\n' || Text[At] == '\r' ||
                                Text[At] == '\t')) {
      ++At;
    }
  }

  bool Literal(const char* word) {
    std::string expected(word);
    if (Text.compare(At, expected.size(), expected) != 0) return false;
    At += expected.size();
    return true;
  }

  bool ParseString(std::string* out) {
    if (At >= Text.size() || Text[At] != '"') return false;
    ++At;
    while (At < Text.size() && Text[At] != '"') {
      char c = Text[At++];
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out->push_back(c);
        continue;
      }
      if (At >= Text.size()) return false;
      char escape = Text[At++];
      if (escape == 'u') {
        if (At + 4 > Text.size()) return false;
        unsigned long code = std::stoul(Text.substr(At, 4), nullptr, 16);
        At += 4;
        if (code >= 0x80) return false;  // the writer escapes only controls
        out->push_back(static_cast<char>(code));
      } else if (escape == '"' || escape == '\\' || escape == '/') {
        out->push_back(escape);
      } else if (escape == 'n') {
        out->push_back('\n');
      } else {
        return false;
      }
    }
    if (At >= Text.size()) return false;
    ++At;
    return true;
  }

  bool ParseNumber(JsonValue* value) {
    std::size_t start = At;
    if (At < Text.size() && Text[At] == '-') ++At;
    while (At < Text.size() && Text[At] >= '0' && Text[At] <= '9') ++At;
    if (At == start || (Text[start] == '-' && At == start + 1)) return false;
    value->Type = JsonValue::Number;
    value->Text = Text.substr(start, At - start);
    return true;
  }

  bool ParseArray(JsonValue* value) {
    value->Type = JsonValue::Array;
    ++At;
    SkipBlanks();
    if (At < Text.size() && Text[At] == ']') return ++At, true;
    while (true) {
      JsonValue item;
      if (!ParseValue(&item)) return false;
      value->Items.push_back(std::move(item));
      SkipBlanks();
      if (At >= Text.size()) return false;
      if (Text[At] == ']') return ++At, true;
      if (Text[At++] != ',') return false;
    }
  }

  bool ParseObject(JsonValue* value) {
    value->Type = JsonValue::Object;
    ++At;
    SkipBlanks();
    if (At < Text.size() && Text[At] == '}') return ++At, true;
    while (true) {
      SkipBlanks();
      std::string name;
      if (!ParseString(&name)) return false;
      SkipBlanks();
      if (At >= Text.size() || Text[At++] != ':') return false;
      JsonValue member;
      if (!ParseValue(&member)) return false;
      value->MemberNames.push_back(std::move(name));
      value->MemberValues.push_back(std::move(member));
      SkipBlanks();
      if (At >= Text.size()) return false;
      if (Text[At] == '}') return ++At, true;
      if (Text[At++] != ',') return false;
    }
  }

  bool ParseValue(JsonValue* value) {
    SkipBlanks();
    if (At >= Text.size()) return false;
    char c = Text[At];
    if (c == '{') return ParseObject(value);
    if (c == '[') return ParseArray(value);
    if (c == '"') {
      value->Type = JsonValue::String;
      return ParseString(&value->Text);
    }
    if (Literal("null")) return value->Type = JsonValue::Null, true;
    if (Literal("true")) return value->Type = JsonValue::Bool, value->Flag = true, true;
    if (Literal("false")) return value->Type = JsonValue::Bool, value->Flag = false, true;
    return ParseNumber(value);
  }
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
  static const JsonValue missing;
  for (std::size_t i = 0; i < MemberNames.size(); ++i) {
    if (MemberNames[i] == name) return MemberValues[i];
  }
  return missing;
}

bool JsonValue::Has(const std::string& name) const {
  for (const std::string& member : MemberNames) {
    if (member == name) return true;
  }
  return false;
}

bool ReadJson(const std::string& text, JsonValue* value) {
  JsonParser parser{text};
  if (!parser.ParseValue(value)) return false;
  parser.SkipBlanks();
  return parser.At == text.size();
}

}  // namespace quote_test
