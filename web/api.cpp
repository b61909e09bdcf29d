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

#include "catalogue/description.h"
#include "catalogue/edition.h"
#include "catalogue/json_reader.h"
#include "fees/amount_text.h"
#include "report/json.h"
#include "report/kept_quote.h"
#include "report/page_answers.h"
#include "report/report.h"
#include "report/sealing.h"
#include "report/tariff_book.h"
#include "report/text.h"
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
// on its date, its notes numbered, its total, changed one act at a time;
// and the content of its seal.
PageQuote Page;
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

int Refuse(std::string_view reason) {
  Output = "{\"refused\": " + JsonString(reason) + "}";
  return REFUSED;
}

int NotUnderstood(std::string_view what) {
  Output = "{\"refused\": " + JsonString(Text(kLanguage, MSG_PAGE_BAD_REQUEST, what)) + "}";
  return NOT_UNDERSTOOD;
}

// The library's answer handed to the page.
int Reply(PageStep step, std::string answer) {
  switch (step) {
    case PageStep::Done: Output = std::move(answer); return DONE;
    case PageStep::Refused: return Refuse(answer);
    case PageStep::NotUnderstood: break;
  }
  return NotUnderstood(answer);
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
  return Reply(PageStep::Done, StartAnswer(kLanguage, request.Find("tariffs"), Today, &Book));
}

// An edition the page opened: added, or refused with every reason.
int AddTariff(const JsonNode& request) {
  std::string text, answer;
  if (!MemberText(request, "tariff", &text)) return NotUnderstood("tariff");
  return Reply(AddTariffAnswer(kLanguage, text, &Book, &answer), answer);
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

const ReportFormat* FormatOf(const JsonNode& request) {
  std::string format;
  return MemberText(request, "format", &format) ? FindReportFormat(format) : nullptr;
}

// What `tarivox-cli quote --client C --date D --act ... --format F` writes
// for the open quote's acts.
int Export(const JsonNode& request) {
  const ReportFormat* writer = FormatOf(request);
  std::string reason;
  if (writer == nullptr) return NotUnderstood("format");
  if (!ReadyForExport(kLanguage, &Page, &reason)) return Refuse(reason);
  return WriteExport(*writer, Page.Open);
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
  return Reply(PageStep::Done, "{\"days\": " + std::to_string(days) + "}");
}

// An exported quote ("document", its text) priced again: the content its
// code should be the digest of, or why it is no quote.
int CheckQuoteText(const JsonNode& request) {
  std::string text, reason;
  if (!MemberText(request, "document", &text)) return NotUnderstood("document");
  if (!CheckQuoteDocument(kLanguage, Book, text, &Checked, &reason)) return Refuse(reason);
  return Reply(PageStep::Done, SealContentJson(CanonicalLines(Checked.Recomputed, Checked.ActNumbers)));
}

// The digests of that content: what differs, and the acts to open.
int CheckSeal(const JsonNode& request) {
  Seal seal;
  if (!SealFromDigests(request, CanonicalLines(Checked.Recomputed, Checked.ActNumbers), &seal)) {
    return NotUnderstood("content");
  }
  CompareSeal(kLanguage, seal, &Checked);
  return Reply(PageStep::Done, QuoteCheckJson(kLanguage, Checked));
}

// What `tarivox-cli quote --format F` writes for the text as its quote
// file, priced on its "fecha:" line or today; when an act is refused,
// each refusal on a line instead.
int QuoteText(const JsonNode& request) {
  const ReportFormat* writer = FormatOf(request);
  std::string text, refusal;
  if (writer == nullptr || !MemberText(request, "text", &text)) return NotUnderstood("text");
  Quote quote;
  if (!QuoteFromText(kLanguage, Book, Today, text, &quote, &refusal)) return Refuse(refusal);
  return WriteExport(*writer, quote);
}

// The quote's actions that need no edition of their own: the open quote's
// edition, or the one of the document checked. -1 for another action.
int QuoteAction(const std::string& action, const JsonNode& request) {
  std::string answer;
  if (action == "add_act") return Reply(AddKeptAct(kLanguage, request, &Page.Open, &answer), answer);
  if (action == "remove_act") return Reply(RemoveKeptAct(kLanguage, request, &Page.Open, &answer), answer);
  if (action == "acts") return Reply(KeptActRecords(kLanguage, request, Page.Open, &answer), answer);
  if (action == "seal_content") return Reply(BeginSeal(request, Book, &Page, &answer), answer);
  if (action == "seal") return Reply(FinishSeal(kLanguage, request, &Page, &answer), answer);
  if (action == "export") return Export(request);
  if (action == "valid_days") return ValidDays(request);
  if (action == "check_quote") return CheckQuoteText(request);
  if (action == "check_seal") return CheckSeal(request);
  if (action == "quote_text") return QuoteText(request);
  return -1;
}

// The actions that price on a day: the calculator's on the page's today,
// a quote's on its date.
int ActionOnDay(const std::string& action, const JsonNode& request) {
  const Edition* edition = TariffOf(request);
  if (edition == nullptr) return Refuse(Text(kLanguage, MSG_PAGE_NO_TARIFF));
  std::string answer;
  if (action == "price") return Reply(PriceAnswer(kLanguage, *edition, request, &answer), answer);
  if (action == "open_quote") return Reply(OpenKeptQuote(kLanguage, *edition, request, Today, &Page.Open, &answer), answer);
  Selection what{};
  if (!SelectionFromJson(*edition, request.Find("selection"), &what)) return NotUnderstood("selection");
  const JsonNode* typed = request.Find("typed");
  if (action == "select") return Reply(PageStep::Done, "{\"tariff_text\": " + JsonString(TariffText(*edition, what)) + "}");
  if (action == "calculate") {
    const bool hasTyped = typed != nullptr && typed->Type == JsonNode::Kind::String;
    return Reply(CalculationAnswer(kLanguage, *edition, what, hasTyped ? typed->Text : "", &answer), answer);
  }
  if (action == "compare") return Reply(ComparisonAnswer(kLanguage, *edition, what, request, &answer), answer);
  return NotUnderstood(action);
}

int Dispatch(const JsonNode& request) {
  std::string action;
  MemberText(request, "action", &action);
  if (action == "start") return Start(request);
  if (!Today.IsSet()) return NotUnderstood("start");
  if (action == "add_tariff") return AddTariff(request);
  if (int status = QuoteAction(action, request); status >= 0) return status;
  return ActionOnDay(action, request);
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
