// The page's side of a quote as a document. The module cannot take a
// digest (the browser's crypto.subtle does, asynchronously), so sealing and
// checking are two calls each: the first gives the canonical content and its
// lines, the page digests them, the second hands the digests back. These
// read the requests and write the answers, as JSON.
#pragma once

#include <string>
#include <vector>

#include "catalogue/json_reader.h"
#include "report/page_step.h"
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

// The quote open on the page, the content its seal is being made for (its
// digests are on their way), and the content of its last seal.
struct PageQuote {
  Quote Open;
  std::string PendingContent;
  std::string SealedContent;
};

// The heading kept on the open quote and its content to digest: the answer
// of SealContentJson; not understood for a count of days out of range.
PageStep BeginSeal(const JsonNode& request, const TariffBook& book, PageQuote* page, std::string* answer);

// The digests handed back: the quote sealed, answered with
// SealedHeadingJson. Refused (with why) when the quote changed since its
// content was given, so that a code is never set on content it is not the
// digest of.
PageStep FinishSeal(Language language, const JsonNode& request, PageQuote* page, std::string* answer);

// The open quote ready to go out as `tarivox-cli quote --act ...` writes it
// (acts numbered as its options): false, with why, while it has no act or
// no seal of what it holds.
bool ReadyForExport(Language language, PageQuote* page, std::string* reason);

// {"agrees", "differences": [...], "summary", "records": [each act as the
// page keeps it], "client", "date", "number"}.
std::string QuoteCheckJson(Language language, const QuoteCheck& check);

}  // namespace tarivox::report
