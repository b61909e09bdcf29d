#include "report/json_reader.h"

#include "report/text.h"

namespace tarivox::report {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Document(JsonNode* root) {
    Blanks();
    if (!Value(root, 0)) return false;
    Blanks();
    return at_ == text_.size() || Fail(&MSG_JSON_AFTER_END);
  }

  std::size_t At() const { return at_; }
  const MessageOf<>* Problem() const { return problem_; }

 private:
  bool Fail(const MessageOf<>* problem) {
    if (problem_ == nullptr) problem_ = problem;
    return false;
  }

  void Blanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
      ++at_;
    }
  }

  bool Take(char c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return Fail(&MSG_JSON_UNEXPECTED);
    at_ += word.size();
    return true;
  }

  bool Value(JsonNode* node, int depth) {
    if (depth >= JSON_DEPTH_LIMIT) return Fail(&MSG_JSON_TOO_DEEP);
    if (at_ >= text_.size()) return Fail(&MSG_JSON_CUT);
    const char c = text_[at_];
    if (c == '{') return Object(node, depth);
    if (c == '[') return Array(node, depth);
    if (c == '"') {
      node->Type = JsonNode::Kind::String;
      return String(&node->Text);
    }
    if (c == 't' || c == 'f') {
      node->Type = JsonNode::Kind::Bool;
      node->On = c == 't';
      return Word(node->On ? "true" : "false");
    }
    if (c == 'n') return Word("null");
    node->Type = JsonNode::Kind::Number;
    return Number(&node->Text);
  }

  bool Object(JsonNode* node, int depth) {
    node->Type = JsonNode::Kind::Object;
    ++at_;
    Blanks();
    if (Take('}')) return true;
    do {
      Blanks();
      std::string name;
      if (at_ >= text_.size() || text_[at_] != '"') return Fail(&MSG_JSON_UNEXPECTED);
      if (!String(&name)) return false;
      Blanks();
      if (!Take(':')) return Fail(&MSG_JSON_UNEXPECTED);
      Blanks();
      node->Members.emplace_back(std::move(name), JsonNode{});
      if (!Value(&node->Members.back().second, depth + 1)) return false;
      Blanks();
    } while (Take(','));
    return Take('}') || Fail(at_ >= text_.size() ? &MSG_JSON_CUT : &MSG_JSON_UNEXPECTED);
  }

  bool Array(JsonNode* node, int depth) {
    node->Type = JsonNode::Kind::Array;
    ++at_;
    Blanks();
    if (Take(']')) return true;
    do {
      Blanks();
      node->Items.emplace_back();
      if (!Value(&node->Items.back(), depth + 1)) return false;
      Blanks();
    } while (Take(','));
    return Take(']') || Fail(at_ >= text_.size() ? &MSG_JSON_CUT : &MSG_JSON_UNEXPECTED);
  }

  // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?, kept as written.
  bool Number(std::string* number) {
    const std::size_t start = at_;
    Take('-');
    if (Take('0')) {
    } else if (!Digits()) {
      return Fail(&MSG_JSON_UNEXPECTED);
    }
    if (Take('.') && !Digits()) return Fail(&MSG_JSON_UNEXPECTED);
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return Fail(&MSG_JSON_UNEXPECTED);
    }
    number->assign(text_.substr(start, at_ - start));
    return true;
  }

  bool Digits() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ > start;
  }

  bool Hex4(unsigned* code) {
    *code = 0;
    for (int i = 0; i < 4; ++i, ++at_) {
      if (at_ >= text_.size()) return Fail(&MSG_JSON_CUT);
      const char c = text_[at_];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return Fail(&MSG_JSON_BAD_ESCAPE);
      *code = *code * 16 + static_cast<unsigned>(digit);
    }
    return true;
  }

  // \uXXXX, a surrogate pair making one character; a lone surrogate is no
  // character and is refused rather than written as invalid UTF-8.
  bool Escaped(std::string* out) {
    unsigned code = 0;
    if (!Hex4(&code)) return false;
    if (code >= 0xDC00 && code <= 0xDFFF) return Fail(&MSG_JSON_BAD_ESCAPE);
    if (code >= 0xD800 && code <= 0xDBFF) {
      unsigned low = 0;
      if (!Take('\\') || !Take('u') || !Hex4(&low) || low < 0xDC00 || low > 0xDFFF) return Fail(&MSG_JSON_BAD_ESCAPE);
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
    return true;
  }

  static void AppendUtf8(std::string* out, unsigned code) {
    if (code < 0x80) {
      out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out->push_back(static_cast<char>(0xC0 | (code >> 6)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out->push_back(static_cast<char>(0xE0 | (code >> 12)));
      out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xF0 | (code >> 18)));
      out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }

  bool String(std::string* out) {
    ++at_;
    const std::size_t start = at_;
    for (;;) {
      if (at_ >= text_.size()) return Fail(&MSG_JSON_CUT);
      const char c = text_[at_];
      if (c == '"') break;
      if (static_cast<unsigned char>(c) < 0x20) return Fail(&MSG_JSON_CONTROL);
      if (c != '\\') {
        out->push_back(c);
        ++at_;
        continue;
      }
      ++at_;
      if (at_ >= text_.size()) return Fail(&MSG_JSON_CUT);
      const char escape = text_[at_++];
      const std::string_view simple = "\"\\/bfnrt";
      const std::string_view meaning = "\"\\/\b\f\n\r\t";
      const std::size_t which = simple.find(escape);
      if (escape == 'u') {
        if (!Escaped(out)) return false;
      } else if (which != std::string_view::npos) {
        out->push_back(meaning[which]);
      } else {
        return Fail(&MSG_JSON_BAD_ESCAPE);
      }
    }
    ++at_;
    if (!IsValidUtf8(*out)) {
      at_ = start;
      return Fail(&MSG_JSON_NOT_UTF8);
    }
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  const MessageOf<>* problem_ = nullptr;
};

}  // namespace

const JsonNode* JsonNode::Find(std::string_view name) const {
  for (const auto& [key, value] : Members) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool ParseJson(Language language, std::string_view text, JsonNode* root, std::string* error) {
  Reader reader(text);
  *root = JsonNode{};
  if (reader.Document(root)) return true;
  *error = Text(language, MSG_JSON_INVALID, static_cast<long long>(reader.At()) + 1,
                Text(language, *reader.Problem()));
  return false;
}

bool ReadJsonInteger(const JsonNode& node, long long* value) {
  if (node.Type != JsonNode::Kind::Number) return false;
  std::string_view digits = node.Text;
  const bool negative = !digits.empty() && digits[0] == '-';
  if (negative) digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  long long magnitude = 0;
  for (char c : digits) magnitude = magnitude * 10 + (c - '0');
  *value = negative ? -magnitude : magnitude;
  return true;
}

bool MemberText(const JsonNode& object, std::string_view name, std::string* text) {
  const JsonNode* member = object.Find(name);
  if (member == nullptr || member->Type != JsonNode::Kind::String) return false;
  *text = member->Text;
  return true;
}

bool MemberInteger(const JsonNode& object, std::string_view name, long long* value) {
  const JsonNode* member = object.Find(name);
  return member != nullptr && ReadJsonInteger(*member, value);
}

bool MemberBool(const JsonNode& object, std::string_view name, bool* value) {
  const JsonNode* member = object.Find(name);
  if (member == nullptr || member->Type != JsonNode::Kind::Bool) return false;
  *value = member->On;
  return true;
}

}  // namespace tarivox::report
