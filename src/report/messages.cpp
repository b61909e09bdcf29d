#include "report/messages.h"

#include "report/money.h"

namespace tarivox::report {
namespace {

struct MessageEntry {
  const char* Key;
  const char* Texts[2];  // by Language
};

constexpr MessageEntry kMessages[MESSAGE_COUNT] = {
#define TARIVOX_MESSAGE(id, key, spanish, english) {key, {spanish, english}},
#include "report/message_table.inc"
#undef TARIVOX_MESSAGE
};

// The pattern with "{N}" (N from 1 to 9) replaced by the N-th argument;
// anything else, a mark without its argument included, is copied as text.
std::string Fill(std::string_view pattern, const std::string_view* arguments, std::size_t count) {
  std::string text;
  text.reserve(pattern.size() + 32);
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    bool mark = pattern[at] == '{' && at + 2 < pattern.size() && pattern[at + 1] >= '1' && pattern[at + 1] <= '9' &&
                pattern[at + 2] == '}';
    std::size_t index = mark ? static_cast<std::size_t>(pattern[at + 1] - '1') : 0;
    if (mark && index < count) {
      text += arguments[index];
      at += 2;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

}  // namespace

bool ParseLanguage(std::string_view name, Language* language) {
  if (name == "es") *language = Language::Spanish;
  else if (name == "en") *language = Language::English;
  else return false;
  return true;
}

std::string_view MessageKey(Message message) { return kMessages[message].Key; }

std::string_view MessageText(Language language, Message message) {
  return kMessages[message].Texts[static_cast<int>(language)];
}

std::string Text(Language language, Message message, std::initializer_list<std::string_view> arguments) {
  return Fill(MessageText(language, message), arguments.begin(), arguments.size());
}

std::string CountText(Language language, long long count, Message one, Message many,
                      std::initializer_list<std::string_view> more) {
  const std::string figure = FormatCount(count);
  std::string_view arguments[4] = {figure};
  std::size_t used = 1;
  for (std::string_view argument : more) {
    if (used < std::size(arguments)) arguments[used++] = argument;
  }
  return Fill(MessageText(language, count == 1 ? one : many), arguments, used);
}

}  // namespace tarivox::report
