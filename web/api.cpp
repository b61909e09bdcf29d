// The page's way into the core and the report library, compiled to WebAssembly: one call for each
// thing a person does. The page writes its request, a JSON object, into the input buffer and calls
// tarivox_call with its length; the answer is in the output buffer: JSON written by the report
// library's own writer (its records in the shapes a user exports), or an export's bytes. This file
// only marshals: every rule, figure and word comes from the library.
//
// tarivox_call returns 0 when it answered, 1 when the input was refused (the answer is {"refused":
// reason}) and 2 for a request the page should never make (an unknown action, a position outside the
// catalogue).
#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/description.h"
#include "fees/amount_text.h"
#include "report/catalogue_view.h"
#include "report/compare.h"
#include "report/explain.h"
#include "report/json.h"
#include "report/json_reader.h"
#include "report/report.h"
#include "report/text.h"
#include "report/typed_input.h"
#include "report/writers.h"

#define TARIVOX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace tarivox::web {
namespace {

using namespace report;

enum Status : int { DONE = 0, REFUSED = 1, NOT_UNDERSTOOD = 2 };

// The page speaks to its users in Spanish, as the window does.
constexpr Language kLanguage = Language::Spanish;

std::string Input;
std::string Output;
// The quote open on the page: its acts priced, its notes numbered, its
// total; changed one act at a time.
Quote Open;

const Sink OutputSink{&Output, [](void* context, const char* bytes, std::size_t length) {
                        static_cast<std::string*>(context)->append(bytes, length);
                      }};

int Answer(std::string json) {
  Output = std::move(json);
  return DONE;
}

int Refuse(std::string_view reason) {
  Output = "{\"refused\": " + JsonString(reason) + "}";
  return REFUSED;
}

int NotUnderstood(std::string_view what) {
  Output = "{\"refused\": " + JsonString(Text(kLanguage, MSG_PAGE_BAD_REQUEST, what)) + "}";
  return NOT_UNDERSTOOD;
}

std::string ActRecord(const Act& act, long long position) {
  return RecordJson(ActFields(), TO_JSON | TO_PAGE, RecordContext{kLanguage, &Open, position}, act, 1);
}

// What the page shows after the acts: the total and the notes.
std::string Summary() {
  return "\"total\": " + RecordJson(TotalFields(), TO_JSON | TO_PAGE, RecordContext{kLanguage, &Open}, Open, 0) +
         ",\n\"notes\": " + NotesJson(kLanguage, Open.Notes, 0);
}

// [[old note, new note], ...]
std::string RenumberedJson(const Renumbering& renumbered) {
  std::string json = "[";
  for (const auto& [before, after] : renumbered) {
    json += (json.size() > 1 ? ", [" : "[") + std::to_string(before) + ", " + std::to_string(after) + "]";
  }
  return json + "]";
}

int Start() {
  return Answer("{\"messages\": " + MessagesJson(kLanguage) + ",\n\"catalogue\": " + CatalogueJson(kLanguage) + "}");
}

int Select(const Selection& what) { return Answer("{\"tariff_text\": " + JsonString(TariffText(what)) + "}"); }

// "Calcular pago": the window's three texts, the steps as `calc --explain`
// prints them and, when the amount was not read as it is written, what it
// was read as and why.
int Calculate(const Selection& what, std::string_view typed) {
  if (!IsComputedTransaction(what)) return Refuse(Text(kLanguage, MSG_BATCH_TEXT_ONLY));
  const FeeComputation computation = ComputeFeeTexts(what, typed);
  long long cents = 0;
  std::string reason;
  const std::string notice = ReadTypedAmount(kLanguage, typed, &cents, &reason)
                                 ? std::string()
                                 : Text(kLanguage, MSG_PAGE_READ_AS, computation.Amount.View(), reason);
  std::string explanation;
  const Sink sink{&explanation, OutputSink.Write};
  WriteCalculation(kLanguage, what, typed, true, sink);
  return Answer("{\"amount\": " + JsonString(computation.Amount.View()) + ", \"fee\": " +
                JsonString(computation.Fee.View()) + ", \"message\": " + JsonString(computation.Message.View()) +
                ", \"notice\": " + JsonString(notice) + ", \"explanation\": " + JsonString(explanation) + "}");
}

// What the act in the calculator costs, before it is added.
int Price(const JsonNode& request) {
  const JsonNode* node = request.Find("act");
  Act act;
  std::string reason;
  if (node == nullptr || !ActFromJson(kLanguage, *node, &act, &reason)) return NotUnderstood("act");
  if (!reason.empty()) return Refuse(reason);
  return Answer("{\"act\": " + ActRecord(act, 0) + "}");
}

int Compare(const Selection& what, const JsonNode* typed) {
  Comparison comparison;
  std::string reason, text;
  const bool hasTyped = typed != nullptr && typed->Type == JsonNode::Kind::String;
  if (!BuildComparison(kLanguage, what, hasTyped, hasTyped ? typed->Text : "", &comparison, &reason)) {
    return Refuse(reason);
  }
  WriteComparisonText(comparison, Sink{&text, OutputSink.Write});
  return Answer("{\"text\": " + JsonString(text) + "}");
}

// A kept quote read back: each act priced, or why it cannot be, and every act
// in the total; only the first "shown" acts' records are written, the rows
// out of sight ask for theirs later ("acts"), so a long quote's total shows at once.
int OpenQuote(const JsonNode& request) {
  const JsonNode* acts = request.Find("acts");
  long long shown = 0;
  if (acts == nullptr || acts->Type != JsonNode::Kind::Array) return NotUnderstood("acts");
  if (request.Find("shown") != nullptr && !MemberInteger(request, "shown", &shown)) return NotUnderstood("shown");
  Open = Quote{};
  Open.Lang = kLanguage;
  std::string records, unreadable;
  for (std::size_t i = 0; i < acts->Items.size(); ++i) {
    Act act;
    std::string reason;
    if (!ActFromJson(kLanguage, acts->Items[i], &act, &reason)) reason = Text(kLanguage, MSG_PAGE_NOT_AN_ACT);
    if (!reason.empty()) {
      ++Open.Unreadable;
      unreadable += (unreadable.empty() ? "[" : ", [") + std::to_string(i) + ", " + JsonString(reason) + "]";
      continue;
    }
    AppendAct(&Open, std::move(act));
    if (const auto count = static_cast<long long>(Open.Acts.size()); count <= shown) {
      records += (count > 1 ? ",\n" : "\n") + ActRecord(Open.Acts.back(), count);
    }
  }
  return Answer("{\"acts\": [" + records + "],\n\"unreadable\": [" + unreadable + "],\n" + Summary() + "}");
}

// The records of the open quote's acts from "from" up to "to", for rows built after it was opened.
int ActRecords(const JsonNode& request) {
  long long from = 0, to = 0;
  if (!MemberInteger(request, "from", &from) || !MemberInteger(request, "to", &to) || from < 0 || from > to ||
      to > static_cast<long long>(Open.Acts.size())) {
    return NotUnderstood("from");
  }
  std::string json = "{\"acts\": [";
  for (long long i = from; i < to; ++i) {
    json += (i > from ? ",\n" : "\n") + ActRecord(Open.Acts[static_cast<std::size_t>(i)], i + 1);
  }
  return Answer(json + "]}");
}

// An act added at the end, or put back at its place ("at").
int AddAct(const JsonNode& request) {
  const JsonNode* node = request.Find("act");
  long long at = static_cast<long long>(Open.Acts.size());
  if (request.Find("at") != nullptr && !MemberInteger(request, "at", &at)) return NotUnderstood("at");
  if (node == nullptr || at < 0 || at > static_cast<long long>(Open.Acts.size())) return NotUnderstood("act");
  Act act;
  std::string reason;
  if (!ActFromJson(kLanguage, *node, &act, &reason)) return NotUnderstood("act");
  if (!reason.empty()) return Refuse(reason);
  const auto index = static_cast<std::size_t>(at);
  const Renumbering renumbered = InsertActAt(&Open, index, std::move(act));
  return Answer("{\"index\": " + std::to_string(index) + ", \"act\": " + ActRecord(Open.Acts[index], at + 1) +
                ",\n\"renumbered\": " + RenumberedJson(renumbered) + ",\n" + Summary() + "}");
}

int RemoveAct(const JsonNode& request) {
  long long index = -1;
  if (!MemberInteger(request, "index", &index) || index < 0 || index >= static_cast<long long>(Open.Acts.size())) {
    return NotUnderstood("index");
  }
  Act removed;
  const Renumbering renumbered = RemoveActAt(&Open, static_cast<std::size_t>(index), &removed);
  return Answer("{\"renumbered\": " + RenumberedJson(renumbered) + ",\n" + Summary() + "}");
}

// What `tarivox-cli quote --client C --date D --act ... --format F` writes
// for the open quote's acts.
int Export(const JsonNode& request) {
  std::string format;
  const ReportFormat* writer = MemberText(request, "format", &format) ? FindReportFormat(format) : nullptr;
  if (writer == nullptr) return NotUnderstood("format");
  if (Open.Acts.empty()) return Refuse(Text(kLanguage, MSG_CLI_NO_ACTS));
  MemberText(request, "client", &Open.Client);
  MemberText(request, "date", &Open.Date);
  Open.Client = std::string(Trim(Open.Client));
  Open.Date = std::string(Trim(Open.Date));
  // Numbered as the tool numbers its --act options, so the bytes are its.
  long long number = 0;
  for (Act& act : Open.Acts) {
    act.FromArgument = true;
    act.Source = ++number;
  }
  Output.clear();
  writer->WriteQuote(Open, OutputSink);
  return DONE;
}

// What `tarivox-cli quote --format F` writes for the text as its quote
// file; when an act is refused, each refusal on a line instead.
int QuoteText(const JsonNode& request) {
  std::string text, format;
  const ReportFormat* writer = MemberText(request, "format", &format) ? FindReportFormat(format) : nullptr;
  if (writer == nullptr || !MemberText(request, "text", &text)) return NotUnderstood("text");
  Quote quote;
  quote.Lang = kLanguage;
  AddQuoteText(&quote, text);
  std::string refused;
  for (const std::string& line : quote.Refused) refused += line + "\n";
  if (!refused.empty()) return Refuse(refused);
  if (quote.Acts.empty()) return Refuse(Text(kLanguage, MSG_CLI_NO_ACTS));
  Output.clear();
  writer->WriteQuote(quote, OutputSink);
  return DONE;
}

int Dispatch(const JsonNode& request) {
  std::string action;
  Selection what{};
  const bool selected = SelectionFromJson(request.Find("selection"), &what);
  const JsonNode* typed = request.Find("typed");
  MemberText(request, "action", &action);
  if (action == "start") return Start();
  if (action == "price") return Price(request);
  if (action == "open_quote") return OpenQuote(request);
  if (action == "acts") return ActRecords(request);
  if (action == "add_act") return AddAct(request);
  if (action == "remove_act") return RemoveAct(request);
  if (action == "export") return Export(request);
  if (action == "quote_text") return QuoteText(request);
  if (!selected) return NotUnderstood("selection");
  if (action == "select") return Select(what);
  if (action == "calculate") return Calculate(what, typed != nullptr && typed->Type == JsonNode::Kind::String
                                                        ? std::string_view(typed->Text) : std::string_view());
  if (action == "compare") return Compare(what, typed);
  return NotUnderstood(action);
}

}  // namespace
}  // namespace tarivox::web

using namespace tarivox;
using namespace tarivox::web;

// Room for inputs of up to capacity bytes. The buffer stays where it is until the page asks for more
// room, so the page writes every input of a run into the same place.
TARIVOX_EXPORT(tarivox_input) char* TarivoxInput(std::size_t capacity) {
  if (Input.size() < capacity) Input.assign(capacity, '\0');
  return Input.data();
}

TARIVOX_EXPORT(tarivox_output) const char* TarivoxOutput() { return Output.data(); }
TARIVOX_EXPORT(tarivox_output_length) std::size_t TarivoxOutputLength() { return Output.size(); }

// One request, the first length bytes of the input buffer.
TARIVOX_EXPORT(tarivox_call) int TarivoxCall(std::size_t length) {
  JsonNode request;
  std::string error;
  if (!ParseJson(kLanguage, std::string_view(Input.data(), std::min(length, Input.size())), &request, &error)) {
    return NotUnderstood(error);
  }
  return Dispatch(request);
}

// The window's three texts after "Calcular pago", for scripts that compute many amounts
// (Tarivox.compute): the selection as numbers and the amount field's text, the first length bytes
// of the input buffer; no request to read, one small object to answer.
TARIVOX_EXPORT(tarivox_compute) int TarivoxCompute(int office, int service, int transaction, int social,
                                                   std::size_t length) {
  const Selection what{office, service, transaction, social != 0};
  if (!IsInCatalogue(what)) return NotUnderstood("selection");
  if (!IsComputedTransaction(what)) return Refuse(Text(kLanguage, MSG_BATCH_TEXT_ONLY));
  const FeeComputation computation =
      ComputeFeeTexts(what, std::string_view(Input.data(), std::min(length, Input.size())));
  // Digits, separators and the sentence's ASCII words: nothing to escape.
  Output.assign("{\"amount\":\"").append(computation.Amount.View());
  Output.append("\",\"fee\":\"").append(computation.Fee.View());
  Output.append("\",\"message\":\"").append(computation.Message.View()).append("\"}");
  return DONE;
}
