#include "report/tariff_book.h"

#include <algorithm>

#include "report/json.h"
#include "report/quote.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

constexpr MessageOf<Words, Words> kFaults[] = {
    MSG_EDITION_NOT_JSON, MSG_EDITION_FORMAT,  MSG_EDITION_MISSING, MSG_EDITION_UNKNOWN,   MSG_EDITION_KIND,
    MSG_EDITION_CENTS,    MSG_EDITION_DECIMAL, MSG_EDITION_TEXT,    MSG_EDITION_DATE,      MSG_EDITION_RANGE,
    MSG_EDITION_OFFICE,   MSG_EDITION_UNIT,    MSG_EDITION_RULE,    MSG_EDITION_ORDER,     MSG_EDITION_DUPLICATE,
    MSG_EDITION_EXAMPLE};

}  // namespace

std::vector<std::string> EditionProblemTexts(Language language, const std::vector<EditionProblem>& problems) {
  std::vector<std::string> texts;
  for (const EditionProblem& problem : problems) {
    const std::string detail =
        problem.Fault == EditionFault::NotJson ? JsonErrorText(language, problem.Json) : Echo(problem.Detail);
    texts.push_back(Text(language, kFaults[static_cast<int>(problem.Fault)], problem.Field.empty() ? "-" : problem.Field,
                         detail));
  }
  return texts;
}

std::string EditionsJson(Language language, const TariffBook& book) {
  std::string json = "[";
  for (const KnownEdition& known : book.Editions()) {
    json += (json.size() > 1 ? ",\n" : "\n") +
            RecordJson(TariffFields(), TO_JSON, RecordContext{language}, *known.Tariff, 0);
  }
  return json + "]";
}

TariffBook::TariffBook() { editions_.push_back({&BuiltInEdition(), "", BuiltInEditionText()}); }

bool TariffBook::Add(Language language, std::string_view json, std::string source, std::vector<std::string>* reasons) {
  std::vector<EditionProblem> problems;
  std::unique_ptr<LoadedEdition> edition = ReadEdition(json, &problems);
  if (edition == nullptr) {
    *reasons = EditionProblemTexts(language, problems);
    return false;
  }
  const CalendarDate from = edition->View.InForceFrom;
  for (const KnownEdition& known : editions_) {
    if (known.Tariff->InForceFrom == from) {
      reasons->push_back(Text(language, MSG_EDITION_SAME_DAY, from.IsSet() ? IsoDate(from) : "-",
                              known.Tariff->Name));
      return false;
    }
  }
  editions_.push_back({&edition->View, std::move(source), edition->Json});
  owned_.push_back(std::move(edition));
  std::stable_sort(editions_.begin(), editions_.end(), [](const KnownEdition& a, const KnownEdition& b) {
    return a.Tariff->InForceFrom < b.Tariff->InForceFrom;
  });
  return true;
}

const Edition* TariffBook::InForceOn(const CalendarDate& date) const {
  const Edition* found = nullptr;
  for (const KnownEdition& known : editions_) {
    if (known.Tariff->InForceFrom <= date) found = known.Tariff;
  }
  return found;
}

const Edition* TariffBook::NextAfter(const CalendarDate& date) const {
  for (const KnownEdition& known : editions_) {
    if (date < known.Tariff->InForceFrom) return known.Tariff;
  }
  return nullptr;
}

void SetValidity(const TariffBook& book, int validDays, Quote* quote) {
  quote->ValidUntil = AddDays(quote->DateValue, validDays);
  const Edition* later = book.NextAfter(quote->DateValue);
  quote->LaterTariff = later != nullptr && later->InForceFrom <= quote->ValidUntil ? later : nullptr;
}

bool ReadValidDays(std::string_view text, int* days) {
  text = Trim(text);
  if (text.empty()) return false;
  int read = 0;
  for (char c : text) {
    // Refused as soon as it passes the limit, so that no count of digits
    // can overflow.
    if (c < '0' || c > '9' || (read = read * 10 + (c - '0')) > QUOTE_VALID_DAYS_LIMIT) return false;
  }
  *days = read;
  return true;
}

const KnownEdition* TariffBook::Named(std::string_view name) const {
  for (const KnownEdition& known : editions_) {
    if (name == known.Tariff->Name) return &known;
  }
  return nullptr;
}

}  // namespace tarivox::report
