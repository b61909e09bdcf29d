#include "report/kept_quote.h"

#include "report/json.h"

namespace tarivox::report {
namespace {

std::string ActRecord(Language language, const Quote& quote, std::size_t index) {
  return RecordJson(ActFields(), TO_JSON | TO_PAGE, RecordContext{language, &quote, static_cast<long long>(index) + 1},
                    quote.Acts[index], 1);
}

// What the page shows after the acts: the total and the notes.
std::string Summary(Language language, const Quote& quote) {
  return "\"total\": " + RecordJson(TotalFields(), TO_JSON | TO_PAGE, RecordContext{language, &quote}, quote, 0) +
         ",\n\"notes\": " + NotesJson(language, quote.Notes, 0);
}

// [[old note, new note], ...]
std::string RenumberedJson(const Renumbering& renumbered) {
  std::string json = "[";
  for (const auto& [before, after] : renumbered) {
    json += (json.size() > 1 ? ", [" : "[") + std::to_string(before) + ", " + std::to_string(after) + "]";
  }
  return json + "]";
}

}  // namespace

std::string OpenKeptQuote(Language language, const Edition& edition, const JsonNode& acts, std::string_view date,
                          std::size_t shown, Quote* quote) {
  *quote = Quote{};
  quote->Lang = language;
  quote->Tariff = &edition;
  quote->Notes.Tariff = &edition;
  quote->Date = std::string(date);
  std::string records, unreadable;
  for (std::size_t i = 0; i < acts.Items.size(); ++i) {
    Act act;
    std::string reason;
    if (!ActFromJson(language, edition, acts.Items[i], &act, &reason)) reason = Text(language, MSG_PAGE_NOT_AN_ACT);
    if (!reason.empty()) {
      ++quote->Unreadable;
      unreadable += (unreadable.empty() ? "[" : ", [") + std::to_string(i) + ", " + JsonString(reason) + "]";
      continue;
    }
    AppendAct(quote, std::move(act));
    if (quote->Acts.size() <= shown) {
      records += (quote->Acts.size() > 1 ? ",\n" : "\n") + ActRecord(language, *quote, quote->Acts.size() - 1);
    }
  }
  return "{\"acts\": [" + records + "],\n\"unreadable\": [" + unreadable +
         "],\n" + Summary(language, *quote) + "}";
}

std::string KeptActRecords(Language language, const Quote& quote, std::size_t from, std::size_t to) {
  std::string json = "{\"acts\": [";
  for (std::size_t i = from; i < to; ++i) json += (i > from ? ",\n" : "\n") + ActRecord(language, quote, i);
  return json + "]}";
}

KeptChange AddKeptAct(Language language, const JsonNode& record, std::size_t at, Quote* quote, std::string* answer) {
  Act act;
  if (!ActFromJson(language, *quote->Tariff, record, &act, answer)) return KeptChange::NotAnAct;
  if (!answer->empty()) return KeptChange::Refused;
  const Renumbering renumbered = InsertActAt(quote, at, std::move(act));
  *answer = "{\"index\": " + std::to_string(at) + ", \"act\": " + ActRecord(language, *quote, at) +
            ",\n\"renumbered\": " + RenumberedJson(renumbered) + ",\n" + Summary(language, *quote) + "}";
  return KeptChange::Done;
}

std::string RemoveKeptAct(Language language, std::size_t index, Quote* quote) {
  Act removed;
  const Renumbering renumbered = RemoveActAt(quote, index, &removed);
  return "{\"renumbered\": " + RenumberedJson(renumbered) + ",\n" + Summary(language, *quote) + "}";
}

}  // namespace tarivox::report
