// Every sentence a person reads from Tarivox's reports, its command-line
// tool and its page, in Spanish and in English: one table, which every
// front end takes its words from. A message holds {1}, {2}, ... where its
// arguments go, so that each language puts them where its grammar wants.
//
// Each message declares what it takes, and a call with too few, too many or
// the wrong kind of arguments does not compile; the build also checks that
// both languages place every argument, and no mark without one. Figures and
// limits are arguments, never prose: a limit changed in code changes every
// sentence that names it.
//
// The catalogue's own texts (offices, services, transactions, tariff texts)
// are not here: they are shown exactly as the window shows them.
#pragma once

#include <string>
#include <string_view>

namespace tarivox::report {

enum class Language : int { Spanish, English };

// "es" or "en".
bool ParseLanguage(std::string_view name, Language* language);
std::string_view LanguageName(Language language);

// Whole cents, so that a figure cannot be passed where a count goes.
struct Cents {
  long long Value;
};

// What an argument is, and how it is written into the sentence.
struct Words {  // text of the program's own (names, figures already written, other sentences), as it is
  using Arg = std::string_view;
  static std::string Write(Arg text) { return std::string(text); }
};
struct Said {  // what a person typed or gave, made inert (see Echo)
  using Arg = std::string_view;
  static std::string Write(Arg text);
};
struct Money {  // whole cents as the window writes figures: "1,234.56"
  using Arg = Cents;
  static std::string Write(Arg cents);
};
struct Count {  // how many of something, grouped: "1,500"
  using Arg = long long;
  static std::string Write(Arg count);
};
struct Number {  // a line, a position or an act's number: "12"
  using Arg = long long;
  static std::string Write(Arg number);
};

// A message and the kinds of its arguments, in order.
template <typename... Kinds>
struct MessageOf {
  static constexpr int Arity = sizeof...(Kinds);
  int Index;
};

// Every message's position in the table.
namespace message_index {
enum : int {
#define TARIVOX_MESSAGE(id, key, kinds, spanish, english) id,
#include "report/message_table.inc"
#undef TARIVOX_MESSAGE
  COUNT
};
}  // namespace message_index

inline constexpr int MESSAGE_COUNT = message_index::COUNT;

#define TARIVOX_KINDS(...) __VA_ARGS__
#define TARIVOX_MESSAGE(id, key, kinds, spanish, english) \
  inline constexpr MessageOf<TARIVOX_KINDS kinds> id{message_index::id};
#include "report/message_table.inc"
#undef TARIVOX_MESSAGE

// The message's stable name ("quote.total"), for the page; its text as
// written, with its {N} marks; and how many arguments it takes.
std::string_view MessageKey(int index);
std::string_view MessageText(Language language, int index);
int MessageArity(int index);

// The pattern with each {N} replaced by the N-th of count arguments.
std::string FillMessage(std::string_view pattern, const std::string* arguments, std::size_t count);

template <typename... Kinds>
std::string Text(Language language, MessageOf<Kinds...> message, typename Kinds::Arg... arguments) {
  if constexpr (sizeof...(Kinds) == 0) {
    return std::string(MessageText(language, message.Index));
  } else {
    const std::string written[] = {Kinds::Write(arguments)...};
    return FillMessage(MessageText(language, message.Index), written, sizeof...(Kinds));
  }
}

// The message for one thing or for many, chosen by the count, which is its
// first argument.
template <typename... More>
std::string CountText(Language language, long long count, MessageOf<Count, More...> one,
                      MessageOf<Count, More...> many, typename More::Arg... more) {
  return Text(language, count == 1 ? one : many, count, more...);
}

}  // namespace tarivox::report
