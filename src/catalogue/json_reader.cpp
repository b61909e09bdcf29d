#include "catalogue/json_reader.h"

#include "catalogue/code_page.h"

namespace tarivox {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Document(JsonNode* root) {
    Blanks();
    if (!Value(root, 0)) return false;
    Blanks();
    return at_ == text_.size() || Fail(JsonProblem::AfterEnd);
  }

  std::size_t At() const { return at_; }
  JsonProblem Problem() const { return problem_; }

 private:
  bool Fail(JsonProblem problem) {
    if (problem_ == JsonProblem::None) problem_ = problem;
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
    if (text_.substr(at_, word.size()) != word) return Fail(JsonProblem::Unexpected);
    at_ += word.size();
    return true;
  }

  bool Value(JsonNode* node, int depth) {
    if (depth >= JSON_DEPTH_LIMIT) return Fail(JsonProblem::TooDeep);
    if (at_ >= text_.size()) return Fail(JsonProblem::Cut);
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
      if (at_ >= text_.size() || text_[at_] != '"') return Fail(JsonProblem::Unexpected);
      if (!String(&name)) return false;
      Blanks();
      if (!Take(':')) return Fail(JsonProblem::Unexpected);
      Blanks();
      node->Members.emplace_back(std::move(name), JsonNode{});
      if (!Value(&node->Members.back().second, depth + 1)) return false;
      Blanks();
    } while (Take(','));
    return Take('}') || Fail(at_ >= text_.size() ? JsonProblem::Cut : JsonProblem::Unexpected);
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
    return Take(']') || Fail(at_ >= text_.size() ? JsonProblem::Cut : JsonProblem::Unexpected);
  }

  // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?, kept as written.
  bool Number(std::string* number) {
    const std::size_t start = at_;
    Take('-');
    if (Take('0')) {
    } else if (!Digits()) {
      return Fail(JsonProblem::Unexpected);
    }
    if (Take('.') && !Digits()) return Fail(JsonProblem::Unexpected);
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return Fail(JsonProblem::Unexpected);
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
      if (at_ >= text_.size()) return Fail(JsonProblem::Cut);
      const char c = text_[at_];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return Fail(JsonProblem::BadEscape);
      *code = *code * 16 + static_cast<unsigned>(digit);
    }
    return true;
  }

  // \uXXXX, a surrogate pair making one character; a lone surrogate is no
  // character and is refused rather than written as invalid UTF-8.
  bool Escaped(std::string* out) {
    unsigned code = 0;
    if (!Hex4(&code)) return false;
    if (code >= 0xDC00 && code <= 0xDFFF) return Fail(JsonProblem::BadEscape);
    if (code >= 0xD800 && code <= 0xDBFF) {
      unsigned low = 0;
      if (!Take('\\') || !Take('u') || !Hex4(&low) || low < 0xDC00 || low > 0xDFFF) return Fail(JsonProblem::BadEscape);
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
    return true;
  }

  bool String(std::string* out) {
    ++at_;
    const std::size_t start = at_;
    for (;;) {
      if (at_ >= text_.size()) return Fail(JsonProblem::Cut);
      const char c = text_[at_];
      if (c == '"') break;
      if (static_cast<unsigned char>(c) < 0x20) return Fail(JsonProblem::Control);
      if (c != '\\') {
        out->push_back(c);
        ++at_;
        continue;
      }
      ++at_;
      if (at_ >= text_.size()) return Fail(JsonProblem::Cut);
      const char escape = text_[at_++];
      const std::string_view simple = "\"\\/bfnrt";
      const std::string_view meaning = "\"\\/\b\f\n\r\t";
      const std::size_t which = simple.find(escape);
      if (escape == 'u') {
        if (!Escaped(out)) return false;
      } else if (which != std::string_view::npos) {
        out->push_back(meaning[which]);
      } else {
        return Fail(JsonProblem::BadEscape);
      }
    }
    ++at_;
    if (!IsValidUtf8(*out)) {
      at_ = start;
      return Fail(JsonProblem::NotUtf8);
    }
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  JsonProblem problem_ = JsonProblem::None;
};

}  // namespace

const JsonNode* JsonNode::Find(std::string_view name) const {
  for (const auto& [key, value] : Members) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool ParseJson(std::string_view text, JsonNode* root, JsonError* error) {
  Reader reader(text);
  *root = JsonNode{};
  if (reader.Document(root)) return true;
  *error = {reader.Problem(), reader.At()};
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

}  // namespace tarivox
