// tarivox-cli batch: one computation per input record, streamed. Memory
// does not depend on the input: of a record only what the window would read
// is kept.
#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "fees/amount_text.h"

namespace tarivox::cli {
namespace {

constexpr int kSelectionFields = 4;
// A list position has at most six digits, so seven kept characters are
// enough to tell that a field is none.
constexpr std::size_t kFieldKeep = 7;
constexpr std::size_t kRecordKeep = kSelectionFields * (kFieldKeep + 1) + AMOUNT_FIELD_LIMIT;

constexpr report::Message kFieldProblems[kSelectionFields] = {report::MSG_BATCH_OFFICE, report::MSG_BATCH_SERVICE,
                                                             report::MSG_BATCH_TRANSACTION, report::MSG_BATCH_SOCIAL};

// How many values each field may take, given the fields before it. The
// transaction lists' lengths are looked up once a run, not once a record.
struct FieldChoices {
  int Transactions[OFFICE_COUNT][SERVICE_COUNT];

  int Of(int field, const int (&values)[kSelectionFields]) const {
    if (field == 0) return OFFICE_COUNT;
    if (field == 1) return SERVICE_COUNT;
    return field == 2 ? Transactions[values[0]][values[1]] : 2;
  }
};

FieldChoices LoadFieldChoices() {
  FieldChoices choices{};
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    for (int service = 0; service < SERVICE_COUNT; ++service) {
      choices.Transactions[office][service] = LoadedTransactions({office, service, 0, false}).Count;
    }
  }
  return choices;
}

// Judges the fields in order, each before the next is looked for: a record
// cut after kRecordKeep bytes then gets the answer its whole text would get.
// A tab is looked for among the first kFieldKeep + 1 characters only: a
// field longer than that is no position anyway. Returns MESSAGE_COUNT, with
// *record past the fields, when all four are positions in their lists.
report::Message ReadFields(std::string_view* record, const FieldChoices& choices,
                           int (&values)[kSelectionFields]) {
  for (int field = 0; field < kSelectionFields; ++field) {
    std::size_t tab = 0;
    while (tab < record->size() && tab <= kFieldKeep && (*record)[tab] != '\t') ++tab;
    if (!report::ParsePosition(record->substr(0, tab), &values[field]) ||
        values[field] >= choices.Of(field, values)) {
      return kFieldProblems[field];
    }
    if (tab == record->size()) return report::MSG_BATCH_FIELDS;
    record->remove_prefix(tab + 1);
  }
  return report::MESSAGE_COUNT;
}

// The usual record starts with four one-digit fields, each with its tab:
// read at once, and judged as ReadFields judges them. False, with nothing
// read, for any other start.
bool ReadOneDigitFields(std::string_view* record, const FieldChoices& choices, int (&values)[kSelectionFields],
                        report::Message* problem) {
  constexpr std::size_t kFieldsLength = 2 * kSelectionFields;
  if (record->size() < kFieldsLength) return false;
  for (int field = 0; field < kSelectionFields; ++field) {
    const std::size_t at = 2 * static_cast<std::size_t>(field);
    const unsigned digit = static_cast<unsigned char>((*record)[at]) - unsigned{'0'};
    if (digit > 9 || (*record)[at + 1] != '\t') return false;
    values[field] = static_cast<int>(digit);
  }
  *problem = report::MESSAGE_COUNT;
  for (int field = 0; field < kSelectionFields && *problem == report::MESSAGE_COUNT; ++field) {
    if (values[field] >= choices.Of(field, values)) *problem = kFieldProblems[field];
  }
  record->remove_prefix(kFieldsLength);
  return true;
}

// Returns MESSAGE_COUNT for a record that can be computed.
report::Message ReadSelection(std::string_view record, const FieldChoices& choices, Selection* selection,
                              std::string_view* typed) {
  int values[kSelectionFields] = {};
  report::Message problem = report::MESSAGE_COUNT;
  if (!ReadOneDigitFields(&record, choices, values, &problem)) problem = ReadFields(&record, choices, values);
  if (problem != report::MESSAGE_COUNT) return problem;
  *selection = {values[0], values[1], values[2], values[3] == 1};
  if (!IsComputedTransaction(*selection)) return report::MSG_BATCH_TEXT_ONLY;
  *typed = record.substr(0, AMOUNT_FIELD_LIMIT);
  return report::MESSAGE_COUNT;
}

}  // namespace

int RunBatch(const Arguments&, const Streams& io) {
  int status = EXIT_OK;
  long long number = 0;
  std::string_view record;
  ReadResult result = ReadResult::End;
  const FieldChoices choices = LoadFieldChoices();
  while (io.Out->Error == 0 && (result = ReadRecord(io.In, kRecordKeep, &record)) == ReadResult::Record) {
    ++number;
    Selection selection{};
    std::string_view typed;
    report::Message problem = ReadSelection(record, choices, &selection, &typed);
    if (problem != report::MESSAGE_COUNT) {
      std::string line = report::Text(io.Lang, report::MSG_LINE, {std::to_string(number)});
      Write(io.Out, report::Text(io.Lang, report::MSG_BATCH_ERROR, {line, report::Text(io.Lang, problem)}) + "\n");
      status = EXIT_REFUSED;
      continue;
    }
    // The texts go straight into the output buffer, each written once.
    Commit(io.Out, WriteFeeLine(ComputeFeeFigures(selection, typed), Reserve(io.Out, FEE_LINE_CAPACITY)));
  }
  if (result == ReadResult::Stopped) return EXIT_IO;  // the program ends by the signal
  if (result == ReadResult::Failed) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_STOPS_AFTER,
                         {Failure(io.Lang, io.In->Name, io.In->Error), std::to_string(number)}));
    return EXIT_IO;
  }
  // Editors may end a file without a line end, so the last record is
  // computed; but it may as well be a record cut short, and is named.
  if (io.In->Unended && io.Out->Error == 0) {
    Say(io, report::Text(io.Lang, report::MSG_CLI_LAST_LINE_UNENDED, {io.In->Name, std::to_string(number)}));
  }
  return status;
}

}  // namespace tarivox::cli
