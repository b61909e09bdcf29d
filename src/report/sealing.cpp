#include "report/sealing.h"

#include "report/json.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

std::string TextArray(const std::vector<std::string>& texts) {
  std::string json = "[";
  for (const std::string& text : texts) json += (json.size() > 1 ? ",\n" : "\n") + JsonString(text);
  return json + "]";
}

}  // namespace

bool SetKeptHeading(const JsonNode& request, const TariffBook& book, Quote* quote) {
  const auto text = [&request](std::string_view name) {
    std::string value;
    MemberText(request, name, &value);
    return std::string(Trim(OneLine(value)));
  };
  quote->Client = text("client");
  quote->Number = text("number");
  quote->Preparer = text("preparer");
  quote->Firm = text("firm");
  long long days = QUOTE_VALID_DAYS;
  if (request.Find("valid_days") != nullptr &&
      (!MemberInteger(request, "valid_days", &days) || days < 0 || days > QUOTE_VALID_DAYS_LIMIT)) {
    return false;
  }
  SetValidity(book, static_cast<int>(days), quote);
  return true;
}

std::string SealContentJson(const std::vector<CanonicalLine>& lines) {
  std::vector<std::string> texts;
  for (const CanonicalLine& line : lines) texts.push_back(line.Text);
  return "{\"content\": " + JsonString(CanonicalContent(lines)) + ",\n\"lines\": " + TextArray(texts) + "}";
}

bool SealFromDigests(const JsonNode& request, const std::vector<CanonicalLine>& lines, Seal* seal) {
  Sha256Digest content{};
  std::string hex;
  const JsonNode* digests = request.Find("lines");
  if (!MemberText(request, "content", &hex) || !ReadDigestHex(hex, &content) || digests == nullptr ||
      digests->Items.size() != lines.size()) {
    return false;
  }
  std::vector<Sha256Digest> lineDigests(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const JsonNode& digest = digests->Items[i];
    if (digest.Type != JsonNode::Kind::String || !ReadDigestHex(digest.Text, &lineDigests[i])) return false;
  }
  *seal = SealOf(lines, content, lineDigests);
  return true;
}

PageStep BeginSeal(const JsonNode& request, const TariffBook& book, PageQuote* page, std::string* answer) {
  if (!SetKeptHeading(request, book, &page->Open)) {
    *answer = "valid_days";
    return PageStep::NotUnderstood;
  }
  page->Open.Sealed = {};
  const std::vector<CanonicalLine> lines = CanonicalLines(page->Open);
  page->PendingContent = CanonicalContent(lines);
  *answer = SealContentJson(lines);
  return PageStep::Done;
}

PageStep FinishSeal(Language language, const JsonNode& request, PageQuote* page, std::string* answer) {
  const std::vector<CanonicalLine> lines = CanonicalLines(page->Open);
  std::string content = CanonicalContent(lines);
  if (content != page->PendingContent) {
    *answer = Text(language, MSG_PAGE_NOT_SEALED);
    return PageStep::Refused;
  }
  if (!SealFromDigests(request, lines, &page->Open.Sealed)) {
    *answer = "content";
    return PageStep::NotUnderstood;
  }
  page->SealedContent = std::move(content);
  *answer = SealedHeadingJson(page->Open);
  return PageStep::Done;
}

bool ReadyForExport(Language language, PageQuote* page, std::string* reason) {
  Quote& quote = page->Open;
  if (quote.Acts.empty()) {
    *reason = Text(language, MSG_CLI_NO_ACTS);
    return false;
  }
  // A quote goes out with the code of what it holds, or not at all.
  if (!quote.Sealed.IsSet() || CanonicalContent(CanonicalLines(quote)) != page->SealedContent) {
    *reason = Text(language, MSG_PAGE_NOT_SEALED);
    return false;
  }
  long long number = 0;
  for (Act& act : quote.Acts) {
    act.FromArgument = true;
    act.Source = ++number;
  }
  return true;
}

std::string SealedHeadingJson(const Quote& quote) {
  return "{\"code\": " + JsonString(quote.Sealed.Code) + ",\n\"heading\": " + TextArray(QuoteHeadingLines(quote)) +
         ",\n\"closing\": " + JsonString(Text(quote.Lang, MSG_QUOTE_CLOSING)) + "}";
}

std::string QuoteCheckJson(Language language, const QuoteCheck& check) {
  std::string records = "[";
  for (const std::string& record : check.Records) records += (records.size() > 1 ? ",\n" : "\n") + record;
  const Quote& quote = check.Recomputed;
  return "{\"agrees\": " + std::string(Agrees(check) ? "true" : "false") +
         ",\n\"differences\": " + TextArray(check.Differences) +
         ",\n\"summary\": " + JsonString(CheckSummary(language, check)) + ",\n\"records\": " + records + "]" +
         ",\n\"client\": " + JsonString(quote.Client) + ",\n\"date\": " + JsonString(quote.Date) +
         ",\n\"number\": " + JsonString(quote.Number) + "}";
}

}  // namespace tarivox::report
