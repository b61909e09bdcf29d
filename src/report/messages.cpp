#include "report/messages.h"

#include "report/money.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

struct MessageEntry {
  const char* Key;
  const char* Texts[2];  // by Language
  int Arity;
};

constexpr MessageEntry kMessages[MESSAGE_COUNT] = {
#define TARIVOX_MESSAGE(id, key, kinds, spanish, english) {key, {spanish, english}, decltype(id)::Arity},
#include "report/message_table.inc"
#undef TARIVOX_MESSAGE
};

// Every mark {1} to {arity} appears in the text, and no other: an argument
// a language forgot, or a mark printed as "{2}" for want of one, stops the
// build.
constexpr bool MarksFit(const char* text, int arity) {
  bool used[10] = {};
  for (; *text != '\0'; ++text) {
    if (text[0] != '{' || text[1] < '1' || text[1] > '9' || text[2] != '}') continue;
    const int mark = text[1] - '0';
    if (mark > arity) return false;
    used[mark] = true;
  }
  for (int mark = 1; mark <= arity; ++mark) {
    if (!used[mark]) return false;
  }
  return true;
}

#define TARIVOX_MESSAGE(id, key, kinds, spanish, english)                          \
  static_assert(MarksFit(spanish, decltype(id)::Arity), "Spanish marks of " key); \
  static_assert(MarksFit(english, decltype(id)::Arity), "English marks of " key);
#include "report/message_table.inc"
#undef TARIVOX_MESSAGE

}  // namespace

std::string Said::Write(Arg text) { return Echo(text); }
std::string Money::Write(Arg cents) { return FormatCents(cents.Value); }
std::string Count::Write(Arg count) { return FormatCount(count); }
std::string Number::Write(Arg number) { return FormatPlainInteger(number); }

constexpr std::string_view kLanguageNames[] = {"es", "en"};

bool ParseLanguage(std::string_view name, Language* language) {
  for (int i = 0; i < 2; ++i) {
    if (name != kLanguageNames[i]) continue;
    *language = static_cast<Language>(i);
    return true;
  }
  return false;
}

std::string_view LanguageName(Language language) { return kLanguageNames[static_cast<int>(language)]; }

std::string_view MessageKey(int index) { return kMessages[index].Key; }

std::string_view MessageText(Language language, int index) {
  return kMessages[index].Texts[static_cast<int>(language)];
}

int MessageArity(int index) { return kMessages[index].Arity; }

std::string FillMessage(std::string_view pattern, const std::string* arguments, std::size_t count) {
  std::string text;
  text.reserve(pattern.size() + 32);
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const bool mark = pattern[at] == '{' && at + 2 < pattern.size() && pattern[at + 1] >= '1' &&
                      pattern[at + 1] <= '9' && pattern[at + 2] == '}';
    const std::size_t index = mark ? static_cast<std::size_t>(pattern[at + 1] - '1') : count;
    if (index < count) {
      text += arguments[index];
      at += 2;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

}  // namespace tarivox::report
