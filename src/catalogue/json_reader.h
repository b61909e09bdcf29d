// JSON read strictly (RFC 8259, UTF-8): what the page asks of the module,
// and the quotes and tariff editions people hand to the tool. Numbers are
// kept as the text they were written in, so that a figure is read by the
// program's own exact decimal code and never through a double; integers are
// read exactly or refused. Depth and size are bounded by the text itself
// (at most one node per byte), and nesting by JSON_DEPTH_LIMIT, so that no
// document can exhaust the stack.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarivox {

inline constexpr int JSON_DEPTH_LIMIT = 64;

struct JsonNode {
  // Declared, so that clang does not ask whether the node is default
  // constructible while its members still hold it incomplete (clang 14 with
  // GCC 12's library refuses the object's vector of pairs otherwise).
  JsonNode() = default;
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind Type = Kind::Null;
  bool On = false;    // Bool
  std::string Text;   // String: the text itself; Number: as written
  std::vector<JsonNode> Items;                            // Array
  std::vector<std::pair<std::string, JsonNode>> Members;  // Object, in order

  // The member of that name, or null (also when this is not an object).
  const JsonNode* Find(std::string_view name) const;
};

// Why a text is not one JSON value.
enum class JsonProblem { None, Cut, Unexpected, AfterEnd, TooDeep, Control, BadEscape, NotUtf8 };

struct JsonError {
  JsonProblem Problem = JsonProblem::None;
  std::size_t Position = 0;  // of the byte where reading stopped, from 0
};

// False, with where and why in *error, for text that is not one JSON value.
bool ParseJson(std::string_view text, JsonNode* root, JsonError* error);

// A whole number written as one, within what a long long holds.
bool ReadJsonInteger(const JsonNode& node, long long* value);

// The member's value when it is present and of that kind.
bool MemberText(const JsonNode& object, std::string_view name, std::string* text);
bool MemberInteger(const JsonNode& object, std::string_view name, long long* value);
bool MemberBool(const JsonNode& object, std::string_view name, bool* value);

}  // namespace tarivox
