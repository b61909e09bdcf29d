// Every sentence a person reads from Tarivox's reports, its command-line
// tool and its page, in Spanish and in English: one table, which every
// front end takes its words from. A message holds {1}, {2}, ... where its
// arguments go, so that each language puts them where its grammar wants.
//
// The catalogue's own texts (offices, services, transactions, tariff texts)
// are not here: they are shown exactly as the window shows them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarivox::report {

enum class Language : int { Spanish, English };

// "es" or "en".
bool ParseLanguage(std::string_view name, Language* language);

enum Message : int {
#define TARIVOX_MESSAGE(id, key, spanish, english) id,
#include "report/message_table.inc"
#undef TARIVOX_MESSAGE
  MESSAGE_COUNT
};

// The message's stable name ("quote.total"), for the page.
std::string_view MessageKey(Message message);

// The message as written, with its {N} marks.
std::string_view MessageText(Language language, Message message);

// The message with each {N} replaced by the N-th argument.
std::string Text(Language language, Message message, std::initializer_list<std::string_view> arguments = {});

// The message for one thing or for many, with the count as its first
// argument, grouped as figures are ("1,500").
std::string CountText(Language language, long long count, Message one, Message many,
                      std::initializer_list<std::string_view> more = {});

}  // namespace tarivox::report
