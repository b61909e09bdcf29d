// The quote a page keeps open, act by act, as JSON in and out: its kept
// records read back, an act added or put back, an act taken out; each
// answer the records the page shows (an act as the JSON export writes it,
// with the page's own fields), the total and the notes, and the acts whose
// note mark changed.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/json_reader.h"
#include "report/quote.h"

namespace tarivox::report {

// The kept records priced under the edition, every act in the total:
// {"acts": [the records of the first `shown` acts], "unreadable": [[index,
// why], ...], "total", "notes"}, so that a long quote's total shows at once
// and the rows out of sight ask for theirs later. Records that cannot be
// read count as unreadable: the quote is then not complete.
std::string OpenKeptQuote(Language language, const Edition& edition, const JsonNode& acts, std::string_view date,
                          std::size_t shown, Quote* quote);

// {"acts": [records of the acts from `from` up to `to`]}.
std::string KeptActRecords(Language language, const Quote& quote, std::size_t from, std::size_t to);

// A record added at position at (the end, or where an undo puts it back):
// true with the answer {"index", "act", "renumbered": [[old note, new
// note], ...], "total", "notes"}, or
// false with why it is refused; a record not shaped as one is neither.
enum class KeptChange { Done, Refused, NotAnAct };
KeptChange AddKeptAct(Language language, const JsonNode& record, std::size_t at, Quote* quote, std::string* answer);

// The act at index taken out: {"renumbered", "total", "notes"}.
std::string RemoveKeptAct(Language language, std::size_t index, Quote* quote);

}  // namespace tarivox::report
