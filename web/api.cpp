// The page's way into the core and the report library, compiled to
// WebAssembly. Texts cross through two buffers in the module's memory: the
// page writes its input (UTF-8) into the one tarivox_input gives, calls a
// function, and reads the UTF-8 result from tarivox_output. A result of
// several texts separates them with NUL bytes, which no text contains.
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

std::string Input;
std::string Output;

const report::Sink OutputSink{&Output, [](void* context, const char* bytes, std::size_t length) {
                                static_cast<std::string*>(context)->append(bytes, length);
                              }};

// The formats in the order the page numbers them.
constexpr const char* kFormats[] = {"text", "csv", "csv-excel", "json"};

bool InCatalogue(int office, int service, int transaction) {
  if (office < 0 || office >= OFFICE_COUNT || service < 0 || service >= SERVICE_COUNT) return false;
  return transaction >= 0 && transaction < LoadedTransactions(service, office).Count;
}

report::Selection SelectionOf(int office, int service, int transaction, int social) {
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

// Room for an input of length bytes; the page writes it there.
TARIVOX_EXPORT(tarivox_input) char* TarivoxInput(std::size_t length) {
  Input.assign(length, '\0');
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
      TextList list = LoadedTransactions(service, office);
      for (int i = 0; i < list.Count; ++i) {
        Output += "T\t" + std::to_string(service) + "\t" + std::to_string(office) + "\t" +
                  (IsComputedTransaction(service, i) ? "1\t" : "0\t") + report::Cp1252ToUtf8(list.Items[i]) + "\n";
      }
    }
  }
  return DONE;
}

// The tariff text of the description panel.
TARIVOX_EXPORT(tarivox_describe) int TarivoxDescribe(int office, int service, int transaction, int social) {
  Output.clear();
  if (!InCatalogue(office, service, transaction)) return OUT_OF_RANGE;
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(service, transaction, office, social != 0 ? 1 : 0, text);
  Output = report::Cp1252ToUtf8(text);
  return DONE;
}

// "Calcular pago" with the input as the amount field's text: the amount
// field, the fee display and the result sentence, NUL-separated.
TARIVOX_EXPORT(tarivox_compute) int TarivoxCompute(int office, int service, int transaction, int social) {
  Output.clear();
  if (!InCatalogue(office, service, transaction)) return OUT_OF_RANGE;
  if (!IsComputedTransaction(service, transaction)) return Refuse("this transaction is explained only; it has no computed fee");
  ComputeFeeTexts({office, service, transaction, social != 0, 0}, Input.c_str());
  Output = report::Cp1252ToUtf8(AmountText) + '\0' + report::Cp1252ToUtf8(FeeText) + '\0' +
           report::Cp1252ToUtf8(MessageText);
  return DONE;
}

// What `tarivox-cli calc --explain` prints for the input as typed.
TARIVOX_EXPORT(tarivox_explain) int TarivoxExplain(int office, int service, int transaction, int social) {
  Output.clear();
  if (!InCatalogue(office, service, transaction)) return OUT_OF_RANGE;
  if (!IsComputedTransaction(service, transaction)) return Refuse("this transaction is explained only; it has no computed fee");
  report::WriteCalculation(SelectionOf(office, service, transaction, social), Input.c_str(), true, OutputSink);
  return DONE;
}

// What `tarivox-cli quote --format F` writes for the input as its quote
// file; when an act is refused, each refusal on a line instead.
TARIVOX_EXPORT(tarivox_quote) int TarivoxQuote(int format) {
  Output.clear();
  if (format < 0 || format >= static_cast<int>(std::size(kFormats))) return OUT_OF_RANGE;
  report::Quote quote;
  AddQuoteText(&quote, Input);
  if (!quote.Refused.empty()) {
    for (const std::string& refused : quote.Refused) Output += refused + "\n";
    return REFUSED;
  }
  if (quote.Acts.empty()) return Refuse("no acts to quote");
  report::FindReportFormat(kFormats[format])->WriteQuote(quote, OutputSink);
  return DONE;
}

// What `tarivox-cli compare --format F` writes for the input as the amount.
// A transaction without a computed fee is compared too (its columns say
// so), as the command-line tool writes it before saying the same.
TARIVOX_EXPORT(tarivox_compare) int TarivoxCompare(int office, int service, int transaction, int social,
                                                   int format) {
  Output.clear();
  if (!InCatalogue(office, service, transaction)) return OUT_OF_RANGE;
  if (format < 0 || format >= static_cast<int>(std::size(kFormats))) return OUT_OF_RANGE;
  // KLDA has no social-interest option; its column is the normal one.
  report::Selection reference = SelectionOf(office, service, transaction, office != 0 ? social : 0);
  report::Comparison comparison;
  std::string reason;
  if (!report::BuildComparison(reference, Input, &comparison, &reason)) return Refuse(reason);
  report::FindReportFormat(kFormats[format])->WriteComparison(comparison, OutputSink);
  return DONE;
}
