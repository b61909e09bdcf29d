// The page's answers for the calculator, its editions and a quote file, as
// JSON: the module that serves the page hands the request's parts in and
// the answer back, so that every rule and word stays in this library.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/json_reader.h"
#include "report/page_step.h"
#include "report/quote.h"
#include "report/tariff_book.h"

namespace tarivox::report {

// The kept editions (texts) added to the book, those refused left out:
// {"messages", "catalogue" of the edition in force on today, "tariffs",
// "refused_tariffs": [the first reason of each]}.
std::string StartAnswer(Language language, const JsonNode* keptTariffs, CalendarDate today, TariffBook* book);

// An edition opened on the page added: {"tariffs"}; refused with every
// reason, one a line.
PageStep AddTariffAnswer(Language language, std::string_view text, TariffBook* book, std::string* answer);

// "Calcular pago": {"amount", "fee", "message"} as the window shows them,
// "explanation" as `calc --explain` prints it, and "notice": what the amount
// was read as and why when it is not read as it is written. Refused, with
// why, for a transaction the engine does not compute.
PageStep CalculationAnswer(Language language, const Edition& edition, const Selection& what, std::string_view typed,
                       std::string* answer);

// What the act in the calculator ("act", a record as the page keeps it)
// costs before it is added: {"act": its record}, or refused with why.
PageStep PriceAnswer(Language language, const Edition& edition, const JsonNode& request, std::string* answer);

// "Comparar" for the request's "typed" amount and project "value":
// {"text"} as `compare` writes it, or refused with why.
PageStep ComparisonAnswer(Language language, const Edition& edition, const Selection& what, const JsonNode& request,
                      std::string* answer);

// A quote file's text priced on its "fecha:" line, or today, under the
// edition in force then; false with the refusals, one a line, when it has
// no edition, no act or an act refused.
bool QuoteFromText(Language language, const TariffBook& book, CalendarDate today, std::string_view text, Quote* quote,
                   std::string* refusal);

}  // namespace tarivox::report
