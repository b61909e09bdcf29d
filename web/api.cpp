// The page's way into the core and the report library, compiled to
// WebAssembly. Texts cross through two buffers in the module's memory: the
// page keeps the input buffer that tarivox_input gives, writes each input
// (UTF-8) there and passes its length to the call, then reads the UTF-8
// result from tarivox_output. A result of several texts separates them with
// NUL bytes, which no text contains.
//
// The page owns no rule and no sentence of its own: what each service
// enables, where the project kind may be chosen, what an act takes, every
// word it shows and every figure come from here.
//
// Each function returns 0 when it produced what was asked, 1 when the input
// was refused (the output then says why) and 2 for list positions outside
// the catalogue.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/description.h"
#include "catalogue/tariff_rules.h"
#include "fees/amount_text.h"
#include "report/compare.h"
#include "report/explain.h"
#include "report/in_words.h"
#include "report/money.h"
#include "report/quote.h"
#include "report/report.h"
#include "report/text.h"
#include "report/units.h"
#include "report/writers.h"

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

// Two texts written one after the other: the first length bytes, then the
// next second bytes.
std::string_view InputPart(std::size_t offset, std::size_t length) {
  std::string_view all = InputText(offset + length);
  return offset < all.size() ? all.substr(offset) : std::string_view();
}

const report::Sink OutputSink{&Output, [](void* context, const char* bytes, std::size_t length) {
                                static_cast<std::string*>(context)->append(bytes, length);
                              }};

// The formats in the order the page numbers them.
constexpr const char* kFormats[] = {"text", "csv", "csv-excel", "json"};
bool IsFormat(int format) { return format >= 0 && format < static_cast<int>(std::size(kFormats)); }

Selection SelectionOf(int office, int service, int transaction, int social) {
  return {office, service, transaction, social != 0};
}

int Refuse(std::string_view reason) {
  Output = reason;
  return REFUSED;
}

void Field(std::string_view text) { Output.append(text).append(1, '\0'); }

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

const char* ValueName(report::ActValue value) {
  switch (value) {
    case report::ActValue::Amount: return "amount";
    case report::ActValue::Quantity: return "quantity";
    case report::ActValue::None: break;
  }
  return "none";
}

// Whether the amount as typed is read exactly as it is written: a number by
// the quote's rule (commas only between thousands), without an exponent,
// with no more than cents, and small enough for the window to show. Blanks
// at its ends do not count. What the window does with anything else (reads
// "1.500,00" as 1.50, "$ 150 000" as 0.00) is what the page warns about.
bool ReadsWhole(std::string_view typed, const FeeComputation& computation) {
  std::string reason;
  if (!report::CheckTypedAmount(kLanguage, typed, &reason)) return false;
  if (typed.find_first_of("EeDd") != std::string_view::npos) return false;
  const std::size_t point = typed.find('.');
  if (point != std::string_view::npos && typed.size() - point - 1 > 2) return false;
  return computation.TypedValue < AMOUNT_LIMIT;
}

// Tariff texts shared by several selections make one note in a report
// (report::NoteFor): the page groups acts by the same identity, the first
// selection of the catalogue with the same heading and text.
constexpr int kSlots = OFFICE_COUNT * SERVICE_COUNT * 16 * 2;
int SlotOf(const Selection& what) {
  return ((what.OfficeIndex * SERVICE_COUNT + what.ServiceIndex) * 16 + what.TransactionIndex) * 2 +
         (what.SocialInterest ? 1 : 0);
}

int NoteIdentity(const Selection& what) {
  static std::array<std::int16_t, kSlots> identities{};
  static bool built = false;
  if (!built) {
    report::TariffNotes all;
    for (int office = 0; office < OFFICE_COUNT; ++office) {
      for (int service = 0; service < SERVICE_COUNT; ++service) {
        const int count = LoadedTransactions({office, service, 0, false}).Count;
        for (int transaction = 0; transaction < count; ++transaction) {
          for (int social = 0; social < 2; ++social) {
            const Selection selection = SelectionOf(office, service, transaction, social);
            identities[static_cast<std::size_t>(SlotOf(selection))] =
                static_cast<std::int16_t>(report::NoteFor(&all, selection));
          }
        }
      }
    }
    built = true;
  }
  return identities[static_cast<std::size_t>(SlotOf(what))];
}

// The selection whose tariff text is note identity; false when none is.
bool NoteSelection(int identity, Selection* what) {
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    for (int service = 0; service < SERVICE_COUNT; ++service) {
      const int count = LoadedTransactions({office, service, 0, false}).Count;
      for (int transaction = 0; transaction < count; ++transaction) {
        for (int social = 0; social < 2; ++social) {
          *what = SelectionOf(office, service, transaction, social);
          if (NoteIdentity(*what) == identity) return true;
        }
      }
    }
  }
  return false;
}

// An act as the page hands it over, field by field: the selection, the
// value typed (an amount or a quantity; absent for a fixed fee) and the
// label. Strict when the user has just typed it into the calculator: then
// an amount must read as it is written and must not be 0.00. Acts read back
// from the browser's storage or from an exported file are read as
// `tarivox-cli quote` reads them, so that a file gives the same quote back.
int ActFromFields(const Selection& what, bool hasValue, std::string_view value, std::string_view label, bool strict,
                  report::Act* act, std::string* reason) {
  if (!IsInCatalogue(what)) return OUT_OF_RANGE;
  act->What = what;
  act->HasTyped = hasValue;
  act->Typed = std::string(report::Trim(report::AsUtf8(value)));
  act->Label = report::OneLine(report::Trim(report::AsUtf8(label)));
  if (!report::CheckProjectKind(kLanguage, what, reason) || !report::CheckActValue(kLanguage, *act, reason)) {
    return REFUSED;
  }
  const bool amount = report::ValueOf(what) == report::ActValue::Amount;
  if (strict && amount) {
    const FeeComputation computation = ComputeFeeTexts(what, act->Typed);
    if (!ReadsWhole(act->Typed, computation)) {
      *reason = report::Text(kLanguage, report::MSG_PAGE_NOT_WHOLE, act->Typed, computation.Amount.View());
      return REFUSED;
    }
  }
  if (!report::PriceAct(kLanguage, act, reason)) return REFUSED;
  if (strict && amount && act->AmountCents == 0) {
    *reason = report::Text(kLanguage, report::MSG_PAGE_ZERO);
    return REFUSED;
  }
  return DONE;
}

// The quote an export writes, built act by act.
report::Quote Export;

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

// Every message of the report library's table in Spanish: key, NUL, text,
// NUL, for each.
TARIVOX_EXPORT(tarivox_messages) int TarivoxMessages() {
  Output.clear();
  for (int i = 0; i < report::MESSAGE_COUNT; ++i) {
    const auto message = static_cast<report::Message>(i);
    Field(report::MessageKey(message));
    Field(report::MessageText(kLanguage, message));
  }
  return DONE;
}

// The catalogue and its rules, one line each, fields separated by tabs:
//   O name                         the offices
//   S name amount fee calculate office
//                                  the services, with what each enables (1 or 0)
//   L service office project       a transaction list as loaded for that service
//                                  and office, and whether the project kind may
//                                  be chosen there (1 or 0); its transactions:
//   T value unit shown name        value "amount", "quantity" or "none"; unit the
//                                  name of the quantity's field, or empty; shown
//                                  the fee the display shows without a
//                                  calculation ("Presentación"), or empty
TARIVOX_EXPORT(tarivox_catalogue) int TarivoxCatalogue() {
  Output.clear();
  const auto flag = [](bool on) { return on ? "\t1" : "\t0"; };
  for (const char* name : OfficeNames) Output += "O\t" + report::Cp1252ToUtf8(name) + "\n";
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    const ServiceControls controls = ControlsOf(service);
    Output += "S\t" + report::Cp1252ToUtf8(ServiceNames[service]);
    Output.append(flag(controls.Amount)).append(flag(controls.Fee)).append(flag(controls.Calculate));
    Output.append(flag(controls.Office)).append("\n");
  }
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    for (int office = 0; office < OFFICE_COUNT; ++office) {
      Output += "L\t" + std::to_string(service) + "\t" + std::to_string(office);
      Output.append(flag(ProjectKindOffered({office, service, 0, false}))).append("\n");
      const TextList list = LoadedTransactions({office, service, 0, false});
      for (int i = 0; i < list.Count; ++i) {
        const Selection selection{office, service, i, false};
        const report::ActValue value = report::ValueOf(selection);
        unsigned conditions = 0;
        const StatedFee* stated = StatedFeeFor(selection, &conditions);
        const std::string unit = value == report::ActValue::Quantity ? report::UnitField(kLanguage, stated->Unit) : "";
        report::Act act;
        act.What = selection;
        act.PricedBy = value == report::ActValue::Amount ? report::Pricing::Engine : report::Pricing::TariffText;
        Output += std::string("T\t") + ValueName(value) + "\t" + unit + "\t" + report::ShownFee(act) + "\t" +
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

// What the page says beside the amount field after "Calcular pago": nothing
// (DONE, empty) when the amount was read as it is written, otherwise
// (REFUSED) what was read and how to write the amount.
TARIVOX_EXPORT(tarivox_amount_notice) int TarivoxAmountNotice(int office, int service, int transaction, int social,
                                                              std::size_t length) {
  Output.clear();
  const Selection selection = SelectionOf(office, service, transaction, social);
  if (!IsInCatalogue(selection)) return OUT_OF_RANGE;
  if (!IsComputedTransaction(selection)) return DONE;
  const std::string_view typed = InputText(length);
  const FeeComputation computation = ComputeFeeTexts(selection, typed);
  if (ReadsWhole(report::Trim(typed), computation)) return DONE;
  return Refuse(report::Text(kLanguage, report::MSG_PAGE_READ_AS, computation.Amount.View(), report::OneLine(report::AsUtf8(typed))));
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

namespace tarivox::web {
namespace {

// The act priced into Output, as tarivox_act describes it.
int PriceFields(int office, int service, int transaction, int social, int hasValue, int strict,
                std::string_view value, std::string_view label) {
  Output.clear();
  report::Act act;
  std::string reason;
  const int status = ActFromFields(SelectionOf(office, service, transaction, social), hasValue != 0, value, label,
                                   strict != 0, &act, &reason);
  if (status == REFUSED) return Refuse(reason);
  if (status != DONE) return status;
  const Selection& what = act.What;
  const bool engine = act.PricedBy == report::Pricing::Engine;
  const std::string officeName = report::OfficeName(what.OfficeIndex);
  Field(what.SocialInterest
            ? report::Text(kLanguage, report::MSG_PAGE_ACT_NAME_SOCIAL, report::ServiceName(what.ServiceIndex), report::TransactionName(what), officeName,
                            report::ProjectName(kLanguage, true))
            : report::Text(kLanguage, report::MSG_PAGE_ACT_NAME, report::ServiceName(what.ServiceIndex), report::TransactionName(what), officeName));
  Field(engine ? "engine" : "text");
  Field(engine ? report::FormatCents(act.AmountCents) : "");
  Field(!engine && act.Stated->Unit != UNIT_NONE ? report::UnitCount(kLanguage, act.Stated->Unit, act.Quantity) : "");
  Field(report::FormatCents(act.FeeCents));
  Field(report::FormatPlainInteger(act.FeeCents));
  Field(report::RuleText(kLanguage, act));
  Field(report::CaveatText(kLanguage, act));
  Field(std::to_string(NoteIdentity(what)));
  Field(act.Typed);
  Field(act.Label);
  return DONE;
}

}  // namespace
}  // namespace tarivox::web

// One act of the quote, priced. The input holds the value (valueLength
// bytes; hasValue 0 for an act that takes none) followed by the label.
// Writes, NUL-separated: the act's name with office and project, how it is
// priced ("engine" or "text"), the amount, the quantity counted ("12
// hojas"), the fee, the fee in whole cents, the rule, the caveat, the
// identity of its tariff text's note (see tarivox_note), and the value and
// the label as read; fields that do not apply are empty.
TARIVOX_EXPORT(tarivox_act) int TarivoxAct(int office, int service, int transaction, int social, int hasValue,
                                           int strict, std::size_t valueLength, std::size_t labelLength) {
  return PriceFields(office, service, transaction, social, hasValue, strict, InputText(valueLength),
                     InputPart(valueLength, labelLength));
}

// Many acts at once, as a kept quote is read back: the input holds count
// records of seven fields, each ended by a NUL byte (office, service,
// transaction, social, hasValue as digits, then the value and the label);
// for each, "1" and the fields tarivox_act writes, or "0" and the reason,
// every field ended by a NUL byte. Priced as tarivox_act prices what is not
// strict.
TARIVOX_EXPORT(tarivox_acts) int TarivoxActs(int count, std::size_t length) {
  const std::string input(InputText(length));
  std::string_view rest = input;
  std::string all;
  const auto next = [&rest]() {
    const std::size_t end = rest.find('\0');
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return field;
  };
  const auto number = [&next]() {
    int value = 0;
    return report::ParsePosition(next(), &value) ? value : -1;
  };
  for (int i = 0; i < count; ++i) {
    const int office = number(), service = number(), transaction = number(), social = number();
    const int hasValue = number();
    const std::string_view value = next();
    const std::string_view label = next();
    const int status = PriceFields(office, service, transaction, social, hasValue, 0, value, label);
    all.append(status == DONE ? "1" : "0").append(1, '\0');
    if (status == OUT_OF_RANGE) Output = report::Text(kLanguage, report::MSG_PAGE_NOT_AN_ACT) + '\0';
    all.append(Output);
    if (status == REFUSED) all.append(1, '\0');
  }
  Output = std::move(all);
  return DONE;
}

// The heading and the text of the note with that identity, NUL-separated.
TARIVOX_EXPORT(tarivox_note) int TarivoxNote(int identity) {
  Output.clear();
  Selection what{};
  if (!NoteSelection(identity, &what)) return OUT_OF_RANGE;
  Field(report::NoteHeading(what));
  Output += report::TariffText(what);
  return DONE;
}

// What a quote of count acts, byEngine of them computed by the calculator,
// says after its last act for a total of cents: the number of acts and how
// they are priced, the total and the total in words, NUL-separated.
TARIVOX_EXPORT(tarivox_total) int TarivoxTotal(std::int64_t cents, std::int64_t count, std::int64_t byEngine) {
  Output.clear();
  if (cents < 0 || count < 0 || byEngine < 0 || byEngine > count) return OUT_OF_RANGE;
  Field(report::ActCountText(kLanguage, count, byEngine));
  Field(report::Text(kLanguage, report::MSG_TOTAL, report::FormatCents(cents)));
  Output += report::Text(kLanguage, report::MSG_TOTAL_IN_WORDS, report::AmountInWords(kLanguage, cents));
  return DONE;
}

// An export, as `tarivox-cli quote --client C --date D --act A --act B ...
// --format F` writes it: begin with the client and the date in the input
// (clientLength bytes, then dateLength), add each act as tarivox_act takes
// it, then write.
TARIVOX_EXPORT(tarivox_export_begin) int TarivoxExportBegin(std::size_t clientLength, std::size_t dateLength) {
  Output.clear();
  Export = report::Quote{};
  Export.Lang = kLanguage;
  Export.Client = report::OneLine(report::AsUtf8(InputText(clientLength)));
  Export.Date = report::OneLine(report::AsUtf8(InputPart(clientLength, dateLength)));
  return DONE;
}

TARIVOX_EXPORT(tarivox_export_act) int TarivoxExportAct(int office, int service, int transaction, int social,
                                                        int hasValue, std::size_t valueLength,
                                                        std::size_t labelLength) {
  Output.clear();
  report::Act act;
  std::string reason;
  const int status = ActFromFields(SelectionOf(office, service, transaction, social), hasValue != 0,
                                   InputText(valueLength), InputPart(valueLength, labelLength), false, &act, &reason);
  if (status == REFUSED) return Refuse(reason);
  if (status != DONE) return status;
  act.FromArgument = true;
  act.Source = static_cast<long long>(Export.Acts.size()) + 1;
  act.Note = report::NoteFor(&Export.Notes, act.What);
  Export.TotalCents += act.FeeCents;
  if (act.PricedBy == report::Pricing::Engine) ++Export.EngineCount;
  Export.Acts.push_back(std::move(act));
  return DONE;
}

TARIVOX_EXPORT(tarivox_export_write) int TarivoxExportWrite(int format) {
  Output.clear();
  if (!IsFormat(format)) return OUT_OF_RANGE;
  if (Export.Acts.empty()) return Refuse(report::Text(kLanguage, report::MSG_CLI_NO_ACTS));
  report::FindReportFormat(kFormats[format])->WriteQuote(Export, OutputSink);
  Export = report::Quote{};
  return DONE;
}

// What `tarivox-cli quote --format F` writes for the input as its quote
// file; when an act is refused, each refusal on a line instead.
TARIVOX_EXPORT(tarivox_quote) int TarivoxQuote(int format, std::size_t length) {
  Output.clear();
  if (!IsFormat(format)) return OUT_OF_RANGE;
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

// What `tarivox-cli compare --format F` writes for the input as the amount
// or the quantity. A transaction with a fixed fee takes no value.
TARIVOX_EXPORT(tarivox_compare) int TarivoxCompare(int office, int service, int transaction, int social,
                                                   int format, std::size_t length) {
  Output.clear();
  if (!IsInCatalogue(SelectionOf(office, service, transaction, social))) return OUT_OF_RANGE;
  if (!IsFormat(format)) return OUT_OF_RANGE;
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
