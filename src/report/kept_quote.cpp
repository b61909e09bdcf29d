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

// The request's member of that name as a position from 0 up to limit; when
// it is not there, fallback.
bool Position(const JsonNode& request, std::string_view name, std::size_t limit, std::size_t fallback,
              std::size_t* position) {
  long long value = static_cast<long long>(fallback);
  if (request.Find(name) != nullptr && !MemberInteger(request, name, &value)) return false;
  if (value < 0 || static_cast<unsigned long long>(value) > limit) return false;
  *position = static_cast<std::size_t>(value);
  return true;
}

PageStep NotUnderstood(std::string_view member, std::string* answer) {
  *answer = member;
  return PageStep::NotUnderstood;
}

}  // namespace

PageStep OpenKeptQuote(Language language, const Edition& edition, const JsonNode& request, CalendarDate today,
                       Quote* quote, std::string* answer) {
  const JsonNode* acts = request.Find("acts");
  std::size_t shown = 0;
  if (acts == nullptr || acts->Type != JsonNode::Kind::Array) return NotUnderstood("acts", answer);
  if (!Position(request, "shown", static_cast<std::size_t>(-1), 0, &shown)) return NotUnderstood("shown", answer);
  *quote = Quote{};
  quote->Lang = language;
  quote->Tariff = &edition;
  quote->Notes.Tariff = &edition;
  // Dated as the tool dates a quote: its own date, else today. Its heading,
  // its validity and its code go by that date, as its prices do.
  std::string date;
  if (!MemberText(request, "date", &date) || !ParseIsoDate(date, &quote->DateValue)) quote->DateValue = today;
  quote->Date = IsoDate(quote->DateValue);
  std::string records, unreadable;
  for (std::size_t i = 0; i < acts->Items.size(); ++i) {
    Act act;
    std::string reason;
    if (!ActFromJson(language, edition, acts->Items[i], &act, &reason)) reason = Text(language, MSG_PAGE_NOT_AN_ACT);
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
  *answer = "{\"acts\": [" + records + "],\n\"unreadable\": [" + unreadable + "],\n" + Summary(language, *quote) + "}";
  return PageStep::Done;
}

PageStep KeptActRecords(Language language, const JsonNode& request, const Quote& quote, std::string* answer) {
  std::size_t from = 0, to = 0;
  if (!Position(request, "to", quote.Acts.size(), 0, &to) || !Position(request, "from", to, 0, &from) ||
      request.Find("from") == nullptr || request.Find("to") == nullptr) {
    return NotUnderstood("from", answer);
  }
  *answer = "{\"acts\": [";
  for (std::size_t i = from; i < to; ++i) *answer += (i > from ? ",\n" : "\n") + ActRecord(language, quote, i);
  *answer += "]}";
  return PageStep::Done;
}

PageStep AddKeptAct(Language language, const JsonNode& request, Quote* quote, std::string* answer) {
  const JsonNode* record = request.Find("act");
  std::size_t at = 0;
  if (!Position(request, "at", quote->Acts.size(), quote->Acts.size(), &at)) return NotUnderstood("at", answer);
  Act act;
  if (record == nullptr || !ActFromJson(language, *quote->Tariff, *record, &act, answer)) {
    return NotUnderstood("act", answer);
  }
  if (!answer->empty()) return PageStep::Refused;
  const Renumbering renumbered = InsertActAt(quote, at, std::move(act));
  *answer = "{\"index\": " + std::to_string(at) + ", \"act\": " + ActRecord(language, *quote, at) +
            ",\n\"renumbered\": " + RenumberedJson(renumbered) + ",\n" + Summary(language, *quote) + "}";
  return PageStep::Done;
}

PageStep RemoveKeptAct(Language language, const JsonNode& request, Quote* quote, std::string* answer) {
  std::size_t index = 0;
  if (request.Find("index") == nullptr || quote->Acts.empty() ||
      !Position(request, "index", quote->Acts.size() - 1, 0, &index)) {
    return NotUnderstood("index", answer);
  }
  Act removed;
  const Renumbering renumbered = RemoveActAt(quote, index, &removed);
  *answer = "{\"renumbered\": " + RenumberedJson(renumbered) + ",\n" + Summary(language, *quote) + "}";
  return PageStep::Done;
}

}  // namespace tarivox::report
