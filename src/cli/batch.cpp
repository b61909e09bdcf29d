// tarivox-cli batch: one computation per input record, streamed. Memory
// does not depend on the input: of a record only what the window would read
// is kept.
#include <vector>

#include "catalogue/edition.h"
#include "cli/commands.h"
#include "fees/amount_text.h"

namespace tarivox::cli {
namespace {

constexpr int kSelectionFields = 4;
// A list position has at most six digits, so seven kept characters are
// enough to tell that a field is none.
constexpr std::size_t kFieldKeep = 7;
constexpr std::size_t kRecordKeep = kSelectionFields * (kFieldKeep + 1) + AMOUNT_FIELD_LIMIT;

constexpr report::MessageOf<> kFieldProblems[kSelectionFields] = {
    report::MSG_BATCH_OFFICE, report::MSG_BATCH_SERVICE, report::MSG_BATCH_TRANSACTION, report::MSG_BATCH_SOCIAL};

// What a record's fields are judged against and priced by, looked up in the
// edition once a run rather than once a record: how many values each field
// may take, given the fields before it, and the rule of every selection the
// lists allow, as the engine looks it up (RuleOf).
class FieldChoices {
 public:
  explicit FieldChoices(const Edition& edition)
      : offices_(edition.OfficeCount), services_(edition.ServiceCount) {
    for (int office = 0; office < offices_; ++office) {
      for (int service = 0; service < services_; ++service) {
        const int count = LoadedCount(edition, {office, service, 0, false});
        transactions_[office][service] = count;
        if (count > widest_) widest_ = count;
      }
    }
    rules_.resize(static_cast<std::size_t>(offices_) * static_cast<std::size_t>(services_) *
                  static_cast<std::size_t>(widest_) * 2);
    for (int office = 0; office < offices_; ++office) {
      for (int service = 0; service < services_; ++service) {
        for (int position = 0; position < transactions_[office][service]; ++position) {
          for (const bool social : {false, true}) {
            const Selection selection{office, service, position, social};
            rules_[IndexOf(selection)] = RuleOf(edition, selection);
          }
        }
      }
    }
  }

  int Of(int field, const int (&values)[kSelectionFields]) const {
    if (field == 0) return offices_;
    if (field == 1) return services_;
    return field == 2 ? transactions_[values[0]][values[1]] : 2;
  }

  // Of a selection whose fields are all within their lists.
  const SelectionRule& RuleFor(const Selection& selection) const { return rules_[IndexOf(selection)]; }

 private:
  std::size_t IndexOf(const Selection& selection) const {
    const int at = ((selection.OfficeIndex * services_ + selection.ServiceIndex) * widest_ +
                    selection.TransactionIndex) * 2 + (selection.SocialInterest ? 1 : 0);
    return static_cast<std::size_t>(at);
  }

  int offices_;
  int services_;
  int widest_ = 0;
  int transactions_[EDITION_OFFICE_LIMIT][EDITION_SERVICE_LIMIT] = {};
  std::vector<SelectionRule> rules_;
};

// Judges the fields in order, each before the next is looked for: a record
// cut after kRecordKeep bytes then gets the answer its whole text would get.
// A tab is looked for among the first kFieldKeep + 1 characters only: a
// field longer than that is no position anyway. Returns null, with *record
// past the fields, when all four are positions in their lists.
const report::MessageOf<>* ReadFields(std::string_view* record, const FieldChoices& choices,
                                      int (&values)[kSelectionFields]) {
  for (int field = 0; field < kSelectionFields; ++field) {
    std::size_t tab = 0;
    while (tab < record->size() && tab <= kFieldKeep && (*record)[tab] != '\t') ++tab;
    if (!report::ParsePosition(record->substr(0, tab), &values[field]) ||
        values[field] >= choices.Of(field, values)) {
      return &kFieldProblems[field];
    }
    if (tab == record->size()) return &report::MSG_BATCH_FIELDS;
    record->remove_prefix(tab + 1);
  }
  return nullptr;
}

// The usual record starts with four one-digit fields, each with its tab:
// read at once, and judged as ReadFields judges them. False, with nothing
// read, for any other start.
bool ReadOneDigitFields(std::string_view* record, const FieldChoices& choices, int (&values)[kSelectionFields],
                        const report::MessageOf<>** problem) {
  constexpr std::size_t kFieldsLength = 2 * kSelectionFields;
  if (record->size() < kFieldsLength) return false;
  for (int field = 0; field < kSelectionFields; ++field) {
    const std::size_t at = 2 * static_cast<std::size_t>(field);
    const unsigned digit = static_cast<unsigned char>((*record)[at]) - unsigned{'0'};
    if (digit > 9 || (*record)[at + 1] != '\t') return false;
    values[field] = static_cast<int>(digit);
  }
  *problem = nullptr;
  for (int field = 0; field < kSelectionFields && *problem == nullptr; ++field) {
    if (values[field] >= choices.Of(field, values)) *problem = &kFieldProblems[field];
  }
  record->remove_prefix(kFieldsLength);
  return true;
}

// Returns null for a record that can be computed, with its selection's
// rule, else what is wrong.
const report::MessageOf<>* ReadSelection(std::string_view record, const FieldChoices& choices,
                                         Selection* selection, const SelectionRule** rule, std::string_view* typed) {
  int values[kSelectionFields] = {};
  const report::MessageOf<>* problem = nullptr;
  if (!ReadOneDigitFields(&record, choices, values, &problem)) problem = ReadFields(&record, choices, values);
  if (problem != nullptr) return problem;
  *selection = {values[0], values[1], values[2], values[3] == 1};
  *rule = &choices.RuleFor(*selection);
  if ((*rule)->Computed == nullptr) return &report::MSG_BATCH_TEXT_ONLY;
  *typed = record.substr(0, AMOUNT_FIELD_LIMIT);
  return nullptr;
}

}  // namespace

int RunBatch(const Arguments& arguments, const Streams& io) {
  if (ReadsOwnOutput(io, io.In)) return EXIT_USAGE;
  report::TariffBook book;
  int status = EXIT_OK;
  const Edition* tariff = ChosenTariff(arguments, io, &book, &status);
  if (tariff == nullptr) return status;
  const Edition& edition = *tariff;
  long long number = 0;
  std::string_view record;
  ReadResult result = ReadResult::End;
  const FieldChoices choices(edition);
  while (io.Out->Error == 0 && (result = ReadRecord(io.In, kRecordKeep, &record)) == ReadResult::Record) {
    ++number;
    Selection selection{};
    const SelectionRule* rule = nullptr;
    std::string_view typed;
    const report::MessageOf<>* problem = ReadSelection(record, choices, &selection, &rule, &typed);
    if (problem != nullptr) {
      std::string line = report::Text(io.Lang, report::MSG_LINE, number);
      Write(io.Out, report::Text(io.Lang, report::MSG_BATCH_ERROR, line, report::Text(io.Lang, *problem)) + "\n");
      status = EXIT_REFUSED;
      continue;
    }
    // The texts go straight into the output buffer, each written once.
    Commit(io.Out, WriteFeeLine(ComputeFeeFigures(edition, *rule, selection, typed), Reserve(io.Out, FEE_LINE_CAPACITY)));
  }
  if (result == ReadResult::Stopped) return EXIT_IO;  // the program ends by the signal
  if (result == ReadResult::Failed) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_STOPS_AFTER, Failure(io.Lang, io.In->Name, io.In->Error), number));
    return EXIT_IO;
  }
  // Editors may end a file without a line end, so the last record is
  // computed; but it may as well be a record cut short, and is named.
  if (io.In->Unended && io.Out->Error == 0) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_LAST_LINE_UNENDED, io.In->Name, number));
  }
  return status;
}

}  // namespace tarivox::cli
