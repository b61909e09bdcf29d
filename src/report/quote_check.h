// Checking a quote exported as JSON against the tariff: every act priced
// again from what it states under the edition in force on the quote's date,
// every figure compared with the one written, the total and its words, and
// the content against its verification code, line by line, so that what
// changed is named rather than only found. The code's digests come from
// the front end (the platform's library), as when a quote is sealed.
#pragma once

#include <string>
#include <vector>

#include "catalogue/json_reader.h"
#include "report/quote.h"
#include "report/tariff_book.h"

namespace tarivox::report {

struct QuoteCheck {
  Quote Recomputed;                   // the acts as the tariff prices them
  std::vector<long long> ActNumbers;  // each act's number as the file states it
  std::vector<std::string> Records;   // each act as the page keeps it (JSON)
  std::string StatedCode;             // empty when the file has none
  std::vector<std::pair<std::string, std::string>> StatedChecks;
  std::vector<std::string> Keys;         // what each difference is about ("acto 3")
  std::vector<std::string> Differences;  // "acto 3: ...", one a difference
};

// Reads the document and prices it again, noting every difference but
// those of the code. False, with why, for a document that is no quote
// exported by Tarivox or a date with no edition in force.
bool CheckQuote(Language language, const TariffBook& book, const JsonNode& document, QuoteCheck* check,
                std::string* reason);

// The same for a document's bytes, which must be one JSON object.
bool CheckQuoteDocument(Language language, const TariffBook& book, std::string_view bytes, QuoteCheck* check,
                        std::string* reason);

// Notes what the seal of the recomputed quote (with the stated act numbers)
// finds changed: each line whose check differs and was not named already,
// and the code itself.
void CompareSeal(Language language, const Seal& recomputed, QuoteCheck* check);

// The closing sentence: that the quote agrees, or how many differences.
std::string CheckSummary(Language language, const QuoteCheck& check);

inline bool Agrees(const QuoteCheck& check) { return check.Differences.empty(); }

// How long a quote export may be to be checked: memory stays bounded
// (about 7,000 acts).
inline constexpr std::size_t QUOTE_CHECK_LIMIT = std::size_t{8} << 20;

}  // namespace tarivox::report
