// The page's way into the core and the report library, compiled to
// WebAssembly: one call for each thing a person does. The page writes its
// request, a JSON object, into the input buffer and calls tarivox_call with
// its length; the answer is in the output buffer: JSON written by the
// report library's own writer (its records in the shapes a user exports),
// or an export's bytes. This file only marshals: every rule, figure and
// word comes from the library.
//
// tarivox_call returns 0 when it answered, 1 when the input was refused
// (the answer is {"refused": reason}) and 2 for a request the page should
// never make (an unknown action, a position outside the catalogue).
#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/edition.h"
#include "catalogue/description.h"
#include "fees/amount_text.h"
#include "report/catalogue_view.h"
#include "report/compare.h"
#include "report/explain.h"
#include "report/json.h"
#include "report/kept_quote.h"
#include "catalogue/json_reader.h"
#include "report/report.h"
#include "report/sealing.h"
#include "report/tariff_book.h"
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
// The editions the page knows: the built-in one and those it keeps; and
// the page's own date, the local one, on which the calculator prices.
TariffBook Book;
CalendarDate Today;
// The quote open on the page: its acts priced under the edition in force
// on its date, its notes numbered, its total; changed one act at a time.
// Its seal is good for the content it was made for.
Quote Open;
std::string SealedContent;
// The exported quote the page is checking, between its two calls.
QuoteCheck Checked;

// An errno value when the last export could not be put together (a
// workbook without the memory it needs), else 0.
int ExportFailure = 0;

const Sink OutputSink{&Output,
                      [](void* context, const char* bytes, std::size_t length) {
                        static_cast<std::string*>(context)->append(bytes, length);
                      },
                      nullptr, [](void*, int error) { ExportFailure = error; }};


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

// The edition in force on the request's "date", or on the page's today.
const Edition* TariffOf(const JsonNode& request) {
  std::string text;
  CalendarDate date = Today;
  if (MemberText(request, "date", &text) && !ParseIsoDate(text, &date)) return nullptr;
  return Book.InForceOn(date);
}

// The page's date and the editions it keeps: the words, the editions and
// the catalogue of the one in force today.
int Start(const JsonNode& request) {
  std::string today;
  if (!MemberText(request, "today", &today) || !ParseIsoDate(today, &Today)) return NotUnderstood("today");
  std::string refused = "[";
  if (const JsonNode* kept = request.Find("tariffs"); kept != nullptr) {
    for (const JsonNode& text : kept->Items) {
      std::vector<std::string> reasons;
      if (text.Type == JsonNode::Kind::String && Book.Add(kLanguage, text.Text, "", &reasons)) continue;
      refused += (refused.size() > 1 ? ", " : "") + JsonString(reasons.empty() ? "" : reasons.front());
    }
  }
  return Answer("{\"messages\": " + MessagesJson(kLanguage) + ",\n\"catalogue\": " +
                CatalogueJson(kLanguage, *Book.InForceOn(Today)) + ",\n\"tariffs\": " + EditionsJson(kLanguage, Book) +
                ",\n\"refused_tariffs\": " + refused + "]}");
}

// An edition the page opened: added, or refused with every reason.
int AddTariff(const JsonNode& request) {
  std::string text;
  std::vector<std::string> reasons;
  if (!MemberText(request, "tariff", &text)) return NotUnderstood("tariff");
  if (Book.Add(kLanguage, text, "", &reasons)) return Answer("{\"tariffs\": " + EditionsJson(kLanguage, Book) + "}");
  std::string all;
  for (const std::string& reason : reasons) all += reason + "\n";
  return Refuse(all);
}

int Select(const Edition& edition, const Selection& what) {
  return Answer("{\"tariff_text\": " + JsonString(TariffText(edition, what)) + "}");
}

// "Calcular pago": the window's three texts, the steps as `calc --explain`
// prints them and, when the amount was not read as it is written, what it
// was read as and why.
int Calculate(const Edition& edition, const Selection& what, std::string_view typed) {
  if (!IsComputedTransaction(edition, what)) return Refuse(Text(kLanguage, MSG_BATCH_TEXT_ONLY));
  const FeeComputation computation = ComputeFeeTexts(edition, what, typed);
  long long cents = 0;
  std::string reason;
  const std::string notice = ReadTypedAmount(kLanguage, typed, &cents, &reason)
                                 ? std::string()
                                 : Text(kLanguage, MSG_PAGE_READ_AS, computation.Amount.View(), reason);
  std::string explanation;
  const Sink sink{&explanation, OutputSink.Write};
  WriteCalculation(kLanguage, edition, what, typed, true, sink);
  return Answer("{\"amount\": " + JsonString(computation.Amount.View()) + ", \"fee\": " +
                JsonString(computation.Fee.View()) + ", \"message\": " + JsonString(computation.Message.View()) +
                ", \"notice\": " + JsonString(notice) + ", \"explanation\": " + JsonString(explanation) + "}");
}

// What the act in the calculator costs, before it is added.
int Price(const Edition& edition, const JsonNode& request) {
  const JsonNode* node = request.Find("act");
  Act act;
  std::string reason;
  if (node == nullptr || !ActFromJson(kLanguage, edition, *node, &act, &reason)) return NotUnderstood("act");
  if (!reason.empty()) return Refuse(reason);
  return Answer("{\"act\": " + RecordJson(ActFields(), TO_JSON | TO_PAGE, RecordContext{kLanguage}, act, 0) + "}");
}

int Compare(const Edition& edition, const Selection& what, const JsonNode& request) {
  ActRequest asked;
  asked.What = what;
  const JsonNode* typed = request.Find("typed");
  const JsonNode* value = request.Find("value");
  asked.HasValue = typed != nullptr && typed->Type == JsonNode::Kind::String;
  asked.Value = asked.HasValue ? std::string_view(typed->Text) : "";
  asked.HasProjectValue = value != nullptr && value->Type == JsonNode::Kind::String;
  asked.ProjectValue = asked.HasProjectValue ? std::string_view(value->Text) : "";
  Comparison comparison;
  std::string reason, text;
  if (!BuildComparison(kLanguage, edition, asked, &comparison, &reason)) return Refuse(reason);
  WriteComparisonText(comparison, Sink{&text, OutputSink.Write});
  return Answer("{\"text\": " + JsonString(text) + "}");
}

// A kept quote read back under the edition of its date: each act priced,
// or why it cannot be.
int OpenQuote(const Edition& edition, const JsonNode& request) {
  const JsonNode* acts = request.Find("acts");
  std::string date;
  long long shown = 0;
  if (acts == nullptr || acts->Type != JsonNode::Kind::Array) return NotUnderstood("acts");
  if (request.Find("shown") != nullptr && (!MemberInteger(request, "shown", &shown) || shown < 0)) {
    return NotUnderstood("shown");
  }
  MemberText(request, "date", &date);
  std::string answer = OpenKeptQuote(kLanguage, edition, *acts, date, static_cast<std::size_t>(shown), &Open);
  // Dated as the tool dates a quote: its own date, else today. Its heading,
  // its validity and its code go by that date, as its prices do.
  if (!ParseIsoDate(date, &Open.DateValue)) Open.DateValue = Today;
  Open.Date = IsoDate(Open.DateValue);
  return Answer(std::move(answer));
}

// The records of the open quote's acts from "from" up to "to", for rows
// built after it was opened.
int ActRecords(const JsonNode& request) {
  long long from = 0, to = 0;
  if (!MemberInteger(request, "from", &from) || !MemberInteger(request, "to", &to) || from < 0 || from > to ||
      to > static_cast<long long>(Open.Acts.size())) {
    return NotUnderstood("from");
  }
  return Answer(KeptActRecords(kLanguage, Open, static_cast<std::size_t>(from), static_cast<std::size_t>(to)));
}

// An act added at the end, or put back at its place ("at").
int AddAct(const JsonNode& request) {
  const JsonNode* record = request.Find("act");
  long long at = static_cast<long long>(Open.Acts.size());
  if (request.Find("at") != nullptr && !MemberInteger(request, "at", &at)) return NotUnderstood("at");
  if (record == nullptr || at < 0 || at > static_cast<long long>(Open.Acts.size())) return NotUnderstood("act");
  std::string answer;
  switch (AddKeptAct(kLanguage, *record, static_cast<std::size_t>(at), &Open, &answer)) {
    case KeptChange::Done: return Answer(answer);
    case KeptChange::Refused: return Refuse(answer);
    case KeptChange::NotAnAct: break;
  }
  return NotUnderstood("act");
}

int RemoveAct(const JsonNode& request) {
  long long index = -1;
  if (!MemberInteger(request, "index", &index) || index < 0 || index >= static_cast<long long>(Open.Acts.size())) {
    return NotUnderstood("index");
  }
  return Answer(RemoveKeptAct(kLanguage, static_cast<std::size_t>(index), &Open));
}

// The quote in the format asked for, or a refusal when it could not be put
// together.
int WriteExport(const ReportFormat& writer, const Quote& quote) {
  Output.clear();
  ExportFailure = 0;
  writer.WriteQuote(quote, OutputSink);
  if (ExportFailure != 0) return Refuse(Text(kLanguage, MSG_WORKBOOK_FAILED));
  return DONE;
}

// What `tarivox-cli quote --client C --date D --act ... --format F` writes
// for the open quote's acts.
int Export(const JsonNode& request) {
  std::string format;
  const ReportFormat* writer = MemberText(request, "format", &format) ? FindReportFormat(format) : nullptr;
  if (writer == nullptr) return NotUnderstood("format");
  if (Open.Acts.empty()) return Refuse(Text(kLanguage, MSG_CLI_NO_ACTS));
  // A quote goes out with the code of what it holds, or not at all.
  if (!Open.Sealed.IsSet() || CanonicalContent(CanonicalLines(Open)) != SealedContent) {
    return Refuse(Text(kLanguage, MSG_PAGE_NOT_SEALED));
  }
  // Numbered as the tool numbers its --act options, so the bytes are its.
  long long number = 0;
  for (Act& act : Open.Acts) {
    act.FromArgument = true;
    act.Source = ++number;
  }
  return WriteExport(*writer, Open);
}

// The open quote's heading as the page keeps it, and the content its code
// is the digest of: {"content", "lines"}.
int SealContent(const JsonNode& request) {
  if (!SetKeptHeading(request, Book, &Open)) return NotUnderstood("valid_days");
  Open.Sealed = {};
  return Answer(SealContentJson(CanonicalLines(Open)));
}

// The days a quote holds, as typed into the page's field ("text"): {"days"},
// or why they cannot be, before the page keeps them; without a text, the
// days a quote holds unless told otherwise.
int ValidDays(const JsonNode& request) {
  std::string text;
  int days = QUOTE_VALID_DAYS;
  if (request.Find("text") != nullptr && !MemberText(request, "text", &text)) return NotUnderstood("text");
  if (request.Find("text") != nullptr && !ReadValidDays(text, &days)) {
    return Refuse(Text(kLanguage, MSG_PAGE_VALID_DAYS, text, 0LL, static_cast<long long>(QUOTE_VALID_DAYS_LIMIT)));
  }
  return Answer("{\"days\": " + std::to_string(days) + "}");
}

// The digests of that content: the code, and the heading and the closing
// of its printout.
int SealQuote(const JsonNode& request) {
  const std::vector<CanonicalLine> lines = CanonicalLines(Open);
  if (!SealFromDigests(request, lines, &Open.Sealed)) return NotUnderstood("content");
  SealedContent = CanonicalContent(lines);
  return Answer(SealedHeadingJson(Open));
}

// An exported quote ("document", its text) priced again: the content its
// code should be the digest of, or why it is no quote.
int CheckQuoteText(const JsonNode& request) {
  std::string text, reason;
  JsonNode document;
  JsonError error;
  if (!MemberText(request, "document", &text)) return NotUnderstood("document");
  if (!ParseJson(text, &document, &error)) return Refuse(JsonErrorText(kLanguage, error));
  if (document.Type != JsonNode::Kind::Object) return Refuse(Text(kLanguage, MSG_CHECK_NOT_A_QUOTE, "acts"));
  if (!CheckQuote(kLanguage, Book, document, &Checked, &reason)) return Refuse(reason);
  return Answer(SealContentJson(CanonicalLines(Checked.Recomputed, Checked.ActNumbers)));
}

// The digests of that content: what differs, and the acts to open.
int CheckSeal(const JsonNode& request) {
  Seal seal;
  if (!SealFromDigests(request, CanonicalLines(Checked.Recomputed, Checked.ActNumbers), &seal)) {
    return NotUnderstood("content");
  }
  CompareSeal(kLanguage, seal, &Checked);
  return Answer(QuoteCheckJson(kLanguage, Checked));
}

// What `tarivox-cli quote --format F` writes for the text as its quote
// file, priced on its "fecha:" line or today; when an act is refused,
// each refusal on a line instead.
int QuoteText(const JsonNode& request) {
  std::string text, format;
  const ReportFormat* writer = MemberText(request, "format", &format) ? FindReportFormat(format) : nullptr;
  if (writer == nullptr || !MemberText(request, "text", &text)) return NotUnderstood("text");
  Quote quote;
  quote.Lang = kLanguage;
  AddQuoteText(&quote, text);
  if (!quote.DateValue.IsSet()) quote.DateValue = Today;
  quote.Date = IsoDate(quote.DateValue);
  quote.Tariff = Book.InForceOn(quote.DateValue);
  if (quote.Tariff == nullptr) return Refuse(Text(kLanguage, MSG_CLI_NO_TARIFF_THEN, quote.Date));
  PriceQuote(&quote);
  std::string refused;
  for (const std::string& line : quote.Refused) refused += line + "\n";
  if (!refused.empty()) return Refuse(refused);
  if (quote.Acts.empty()) return Refuse(Text(kLanguage, MSG_CLI_NO_ACTS));
  return WriteExport(*writer, quote);
}

// The actions that price on a day: the calculator's on the page's today,
// a quote's on its date.
int DispatchOnDay(const std::string& action, const JsonNode& request) {
  const Edition* edition = TariffOf(request);
  if (edition == nullptr) return Refuse(Text(kLanguage, MSG_PAGE_NO_TARIFF));
  if (action == "price") return Price(*edition, request);
  if (action == "open_quote") return OpenQuote(*edition, request);
  Selection what{};
  if (!SelectionFromJson(*edition, request.Find("selection"), &what)) return NotUnderstood("selection");
  const JsonNode* typed = request.Find("typed");
  if (action == "select") return Select(*edition, what);
  if (action == "calculate") {
    return Calculate(*edition, what, typed != nullptr && typed->Type == JsonNode::Kind::String ? typed->Text : "");
  }
  if (action == "compare") return Compare(*edition, what, request);
  return NotUnderstood(action);
}

int Dispatch(const JsonNode& request) {
  std::string action;
  MemberText(request, "action", &action);
  if (action == "start") return Start(request);
  if (!Today.IsSet()) return NotUnderstood("start");
  if (action == "add_tariff") return AddTariff(request);
  if (action == "add_act") return AddAct(request);
  if (action == "remove_act") return RemoveAct(request);
  if (action == "acts") return ActRecords(request);
  if (action == "export") return Export(request);
  if (action == "seal_content") return SealContent(request);
  if (action == "seal") return SealQuote(request);
  if (action == "valid_days") return ValidDays(request);
  if (action == "check_quote") return CheckQuoteText(request);
  if (action == "check_seal") return CheckSeal(request);
  if (action == "quote_text") return QuoteText(request);
  return DispatchOnDay(action, request);
}

}  // namespace
}  // namespace tarivox::web

using namespace tarivox;
using namespace tarivox::web;

// Room for inputs of up to capacity bytes. The buffer stays where it is
// until the page asks for more room, so the page writes every input of a
// run into the same place.
TARIVOX_EXPORT(tarivox_input) char* TarivoxInput(std::size_t capacity) {
  if (Input.size() < capacity) Input.assign(capacity, '\0');
  return Input.data();
}

TARIVOX_EXPORT(tarivox_output) const char* TarivoxOutput() { return Output.data(); }
TARIVOX_EXPORT(tarivox_output_length) std::size_t TarivoxOutputLength() { return Output.size(); }

// One request, the first length bytes of the input buffer.
TARIVOX_EXPORT(tarivox_call) int TarivoxCall(std::size_t length) {
  JsonNode request;
  JsonError error;
  if (!ParseJson(std::string_view(Input.data(), std::min(length, Input.size())), &request, &error)) {
    return NotUnderstood(JsonErrorText(kLanguage, error));
  }
  return Dispatch(request);
}

// The window's three texts after "Calcular pago", for scripts that compute
// many amounts (Tarivox.compute): the selection as numbers and the amount
// field's text, the first length bytes of the input buffer; no request to
// read, and the answer three ASCII lines (amount, fee, sentence) rather
// than JSON, the one answer the page reads so.
TARIVOX_EXPORT(tarivox_compute) int TarivoxCompute(int office, int service, int transaction, int social,
                                                   std::size_t length) {
  const Selection what{office, service, transaction, social != 0};
  const Edition& edition = *Book.InForceOn(Today);
  if (!IsInCatalogue(edition, what)) return NotUnderstood("selection");
  if (!IsComputedTransaction(edition, what)) return Refuse(Text(kLanguage, MSG_BATCH_TEXT_ONLY));
  const FeeComputation computation =
      ComputeFeeTexts(edition, what, std::string_view(Input.data(), std::min(length, Input.size())));
  // Digits, separators and the sentence's ASCII words, one a line: the
  // page reads them without a parser, as bytes.
  Output.assign(computation.Amount.View()).append("\n").append(computation.Fee.View());
  Output.append("\n").append(computation.Message.View());
  return DONE;
}
