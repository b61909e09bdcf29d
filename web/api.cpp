// The page's way into the core and the report library, compiled to
// WebAssembly. Texts cross through two buffers in the module's memory: the
// page keeps the input buffer that tarivox_input gives, writes each input
// (UTF-8) there and passes its length to the call, then reads the UTF-8
// result from tarivox_output. A result of several texts separates them with
// NUL bytes, which no text contains.
//
// Each function returns 0 when it produced what was asked, 1 when the input
// was refused (the output then says why) and 2 for list positions outside
// the catalogue.
#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/description.h"
#include "fees/amount_text.h"
#include "report/compare.h"
#include "report/explain.h"
#include "report/quote.h"
#include "report/report.h"
#include "report/text.h"

#define TARIVOX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace tarivox::web {
namespace {

enum Status : int { DONE = 0, REFUSED = 1, OUT_OF_RANGE = 2 };

// The page speaks to its users in Spanish, as the window does.
constexpr report::Language kLanguage = report::Language::Spanish;

std::string Input;
std::string Output;

// The input of the current call: the first length bytes of the buffer.
std::string_view InputText(std::size_t length) { return {Input.data(), length < Input.size() ? length : Input.size()}; }

const report::Sink OutputSink{&Output, [](void* context, const char* bytes, std::size_t length) {
                                static_cast<std::string*>(context)->append(bytes, length);
                              }};

// The formats in the order the page numbers them.
constexpr const char* kFormats[] = {"text", "csv", "csv-excel", "json"};

Selection SelectionOf(int office, int service, int transaction, int social) {
  return {office, service, transaction, social != 0};
}

int Refuse(std::string_view reason) {
  Output = reason;
  return REFUSED;
}

// The text's lines as a quote file's: LF, CR LF and CR alone each end one.
void AddQuoteText(report::Quote* quote, std::string_view text) {
  long long number = 0;
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) end = text.size();
    report::AddQuoteLine(quote, text.substr(0, end), ++number);
    std::size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') ++next;
    text.remove_prefix(next);
  }
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

// The catalogue, one line each: "O\tname" for the offices, "S\tname" for the
// services, then "T\tservice\toffice\tcomputed\tname" for every transaction
// as the list loads it for that service and office.
TARIVOX_EXPORT(tarivox_catalogue) int TarivoxCatalogue() {
  Output.clear();
  for (const char* name : OfficeNames) Output += "O\t" + report::Cp1252ToUtf8(name) + "\n";
  for (const char* name : ServiceNames) Output += "S\t" + report::Cp1252ToUtf8(name) + "\n";
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    for (int office = 0; office < OFFICE_COUNT; ++office) {
      TextList list = LoadedTransactions({office, service, 0, false});
      for (int i = 0; i < list.Count; ++i) {
        Output += "T\t" + std::to_string(service) + "\t" + std::to_string(office) + "\t" +
                  (IsComputedTransaction({office, service, i, false}) ? "1\t" : "0\t") +
                  report::Cp1252ToUtf8(list.Items[i]) + "\n";
      }
    }
  }
  return DONE;
}

// The tariff text of the description panel.
TARIVOX_EXPORT(tarivox_describe) int TarivoxDescribe(int office, int service, int transaction, int social) {
  Output.clear();
  const Selection selection = SelectionOf(office, service, transaction, social);
  if (!IsInCatalogue(selection)) return OUT_OF_RANGE;
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(selection, text);
  Output = report::Cp1252ToUtf8(text);
  return DONE;
}

// "Calcular pago" with the input as the amount field's text: the amount
// field, the fee display and the result sentence, NUL-separated.
TARIVOX_EXPORT(tarivox_compute) int TarivoxCompute(int office, int service, int transaction, int social,
                                                   std::size_t length) {
  Output.clear();
  const Selection selection = SelectionOf(office, service, transaction, social);
  if (!IsInCatalogue(selection)) return OUT_OF_RANGE;
  if (!IsComputedTransaction(selection)) return Refuse(report::Text(kLanguage, report::MSG_BATCH_TEXT_ONLY));
  // The three texts are digits, separators and the sentence's ASCII words:
  // the same bytes in code page 1252 and in UTF-8.
  const FeeComputation computation = ComputeFeeTexts(selection, InputText(length));
  Output.append(computation.Amount.View()).append(1, '\0');
  Output.append(computation.Fee.View()).append(1, '\0');
  Output.append(computation.Message.View());
  return DONE;
}

// What `tarivox-cli calc --explain` prints for the input as typed.
TARIVOX_EXPORT(tarivox_explain) int TarivoxExplain(int office, int service, int transaction, int social,
                                                   std::size_t length) {
  Output.clear();
  const Selection selection = SelectionOf(office, service, transaction, social);
  if (!IsInCatalogue(selection)) return OUT_OF_RANGE;
  if (!IsComputedTransaction(selection)) return Refuse(report::Text(kLanguage, report::MSG_BATCH_TEXT_ONLY));
  report::WriteCalculation(kLanguage, selection, InputText(length), true, OutputSink);
  return DONE;
}

// What `tarivox-cli quote --format F` writes for the input as its quote
// file; when an act is refused, each refusal on a line instead.
TARIVOX_EXPORT(tarivox_quote) int TarivoxQuote(int format, std::size_t length) {
  Output.clear();
  if (format < 0 || format >= static_cast<int>(std::size(kFormats))) return OUT_OF_RANGE;
  report::Quote quote;
  quote.Lang = kLanguage;
  AddQuoteText(&quote, InputText(length));
  if (!quote.Refused.empty()) {
    for (const std::string& refused : quote.Refused) Output += refused + "\n";
    return REFUSED;
  }
  if (quote.Acts.empty()) return Refuse(report::Text(kLanguage, report::MSG_CLI_NO_ACTS));
  report::FindReportFormat(kFormats[format])->WriteQuote(quote, OutputSink);
  return DONE;
}

// What `tarivox-cli compare --format F` writes for the input as the amount.
// A transaction without a computed fee is compared too (its columns say
// so), as the command-line tool writes it before saying the same.
TARIVOX_EXPORT(tarivox_compare) int TarivoxCompare(int office, int service, int transaction, int social,
                                                   int format, std::size_t length) {
  Output.clear();
  if (!IsInCatalogue(SelectionOf(office, service, transaction, social))) return OUT_OF_RANGE;
  if (format < 0 || format >= static_cast<int>(std::size(kFormats))) return OUT_OF_RANGE;
  Selection reference = SelectionOf(office, service, transaction, social);
  report::Comparison comparison;
  std::string reason;
  const bool hasTyped = report::ValueOf(reference) != report::ActValue::None;
  if (!report::BuildComparison(kLanguage, reference, hasTyped, InputText(length), &comparison, &reason)) {
    return Refuse(reason);
  }
  report::FindReportFormat(kFormats[format])->WriteComparison(comparison, OutputSink);
  return DONE;
}
