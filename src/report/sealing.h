// The page's side of a quote as a document. The module cannot take a
// digest (the browser's crypto.subtle does, asynchronously), so sealing and
// checking are two calls each: the first gives the canonical content and its
// lines, the page digests them, the second hands the digests back. These
// read the requests and write the answers, as JSON.
#pragma once

#include <string>
#include <vector>

#include "catalogue/json_reader.h"
#include "report/quote_check.h"
#include "report/tariff_book.h"

namespace tarivox::report {

// The heading the page keeps for the quote ({"client", "number",
// "preparer", "firm", "valid_days"}; any may be missing) set on it, with
// its validity. False for a count of days out of range.
bool SetKeptHeading(const JsonNode& request, const TariffBook& book, Quote* quote);

// {"content": the canonical content, "lines": [each line]}.
std::string SealContentJson(const std::vector<CanonicalLine>& lines);

// {"content": hex digest, "lines": [hex digest of each line]}: the seal of
// those lines, or false when the digests are not all there.
bool SealFromDigests(const JsonNode& request, const std::vector<CanonicalLine>& lines, Seal* seal);

// {"code", "heading": [lines], "closing"}: what heads and closes the
// printout of a sealed quote.
std::string SealedHeadingJson(const Quote& quote);

// {"agrees", "differences": [...], "summary", "records": [each act as the
// page keeps it], "client", "date", "number"}.
std::string QuoteCheckJson(Language language, const QuoteCheck& check);

}  // namespace tarivox::report
