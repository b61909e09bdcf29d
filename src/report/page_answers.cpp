#include "report/page_answers.h"

#include "fees/amount_text.h"
#include "report/catalogue_view.h"
#include "report/compare.h"
#include "report/explain.h"
#include "report/json.h"
#include "report/records.h"
#include "report/text.h"
#include "report/typed_input.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

void Append(void* context, const char* bytes, std::size_t length) {
  static_cast<std::string*>(context)->append(bytes, length);
}

}  // namespace

std::string StartAnswer(Language language, const JsonNode* keptTariffs, CalendarDate today, TariffBook* book) {
  std::string refused = "[";
  for (const JsonNode& text : keptTariffs != nullptr ? keptTariffs->Items : std::vector<JsonNode>{}) {
    std::vector<std::string> reasons;
    if (text.Type == JsonNode::Kind::String && book->Add(language, text.Text, "", &reasons)) continue;
    refused += (refused.size() > 1 ? ", " : "") + JsonString(reasons.empty() ? "" : reasons.front());
  }
  return "{\"messages\": " + MessagesJson(language) + ",\n\"catalogue\": " +
         CatalogueJson(language, *book->InForceOn(today)) + ",\n\"tariffs\": " + EditionsJson(language, *book) +
         ",\n\"refused_tariffs\": " + refused + "]}";
}

PageStep AddTariffAnswer(Language language, std::string_view text, TariffBook* book, std::string* answer) {
  std::vector<std::string> reasons;
  if (book->Add(language, text, "", &reasons)) {
    *answer = "{\"tariffs\": " + EditionsJson(language, *book) + "}";
    return PageStep::Done;
  }
  answer->clear();
  for (const std::string& reason : reasons) *answer += reason + "\n";
  return PageStep::Refused;
}

PageStep CalculationAnswer(Language language, const Edition& edition, const Selection& what, std::string_view typed,
                       std::string* answer) {
  if (!IsComputedTransaction(edition, what)) {
    *answer = Text(language, MSG_BATCH_TEXT_ONLY);
    return PageStep::Refused;
  }
  const FeeComputation computation = ComputeFeeTexts(edition, what, typed);
  long long cents = 0;
  std::string reason;
  const std::string notice = ReadTypedAmount(language, typed, &cents, &reason)
                                 ? std::string()
                                 : Text(language, MSG_PAGE_READ_AS, computation.Amount.View(), reason);
  std::string explanation;
  WriteCalculation(language, edition, what, typed, true, Sink{&explanation, Append});
  *answer = "{\"amount\": " + JsonString(computation.Amount.View()) + ", \"fee\": " +
            JsonString(computation.Fee.View()) + ", \"message\": " + JsonString(computation.Message.View()) +
            ", \"notice\": " + JsonString(notice) + ", \"explanation\": " + JsonString(explanation) + "}";
  return PageStep::Done;
}

PageStep PriceAnswer(Language language, const Edition& edition, const JsonNode& request, std::string* answer) {
  const JsonNode* record = request.Find("act");
  Act act;
  if (record == nullptr || !ActFromJson(language, edition, *record, &act, answer)) {
    *answer = "act";
    return PageStep::NotUnderstood;
  }
  if (!answer->empty()) return PageStep::Refused;
  *answer = "{\"act\": " + RecordJson(ActFields(), TO_JSON | TO_PAGE, RecordContext{language}, act, 0) + "}";
  return PageStep::Done;
}

PageStep ComparisonAnswer(Language language, const Edition& edition, const Selection& what, const JsonNode& request,
                      std::string* answer) {
  const JsonNode* typed = request.Find("typed");
  const JsonNode* value = request.Find("value");
  ActRequest asked;
  asked.What = what;
  asked.HasValue = typed != nullptr && typed->Type == JsonNode::Kind::String;
  asked.Value = asked.HasValue ? std::string_view(typed->Text) : "";
  asked.HasProjectValue = value != nullptr && value->Type == JsonNode::Kind::String;
  asked.ProjectValue = asked.HasProjectValue ? std::string_view(value->Text) : "";
  Comparison comparison;
  if (!BuildComparison(language, edition, asked, &comparison, answer)) return PageStep::Refused;
  std::string text;
  WriteComparisonText(comparison, Sink{&text, Append});
  *answer = "{\"text\": " + JsonString(text) + "}";
  return PageStep::Done;
}

bool QuoteFromText(Language language, const TariffBook& book, CalendarDate today, std::string_view text, Quote* quote,
                   std::string* refusal) {
  *quote = Quote{};
  quote->Lang = language;
  AddQuoteText(quote, text);
  if (!quote->DateValue.IsSet()) quote->DateValue = today;
  quote->Date = IsoDate(quote->DateValue);
  quote->Tariff = book.InForceOn(quote->DateValue);
  if (quote->Tariff == nullptr) {
    *refusal = Text(language, MSG_CLI_NO_TARIFF_THEN, quote->Date);
    return false;
  }
  PriceQuote(quote);
  refusal->clear();
  for (const std::string& line : quote->Refused) *refusal += line + "\n";
  if (quote->Acts.empty() && refusal->empty()) *refusal = Text(language, MSG_CLI_NO_ACTS);
  return refusal->empty();
}

}  // namespace tarivox::report
