// The quote a page keeps open, act by act, as JSON in and out: its kept
// records read back, an act added or put back, an act taken out; each
// answer the records the page shows (an act as the JSON export writes it,
// with the page's own fields), the total and the notes, and the acts whose
// note mark changed.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/json_reader.h"
#include "report/page_step.h"
#include "report/quote.h"

namespace tarivox::report {

// Each reads its request's members; an answer not Done is the reason a
// person reads (Refused) or the member the page got wrong (NotUnderstood).

// The kept records ("acts") priced under the edition, every act in the
// total, the quote dated "date" or today: {"acts": [the records of the
// first "shown" acts], "unreadable": [[index, why], ...], "total",
// "notes"}, so that a long quote's total shows at once and the rows out of
// sight ask for theirs later. Records that cannot be read count as
// unreadable: the quote is then not complete.
PageStep OpenKeptQuote(Language language, const Edition& edition, const JsonNode& request, CalendarDate today,
                       Quote* quote, std::string* answer);

// {"acts": [records of the acts from "from" up to "to"]}.
PageStep KeptActRecords(Language language, const JsonNode& request, const Quote& quote, std::string* answer);

// The record "act" added at position "at" (by default the end; an undo
// puts it back where it was): {"index", "act", "renumbered": [[old note,
// new note], ...], "total", "notes"}, or refused with why.
PageStep AddKeptAct(Language language, const JsonNode& request, Quote* quote, std::string* answer);

// The act at "index" taken out: {"renumbered", "total", "notes"}.
PageStep RemoveKeptAct(Language language, const JsonNode& request, Quote* quote, std::string* answer);

}  // namespace tarivox::report
