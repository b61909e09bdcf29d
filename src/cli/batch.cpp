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

constexpr const char* kFieldProblems[kSelectionFields] = {
    "OFFICE must be 0 or 1", "SERVICE must be 0 to 5", "TRANSACTION is not a position of that service's list",
    "SOCIAL must be 0 or 1"};

// How many values a field may take, given the fields before it.
int FieldChoices(int field, const int (&values)[kSelectionFields]) {
  if (field == 0) return OFFICE_COUNT;
  if (field == 1) return SERVICE_COUNT;
  return field == 2 ? LoadedTransactions({values[0], values[1], 0, false}).Count : 2;
}

// Judges the fields in order, each before the next is looked for: a record
// cut after kRecordKeep bytes then gets the answer its whole text would get.
// A tab is looked for among the first kFieldKeep + 1 characters only: a
// field longer than that is no position anyway.
const char* ReadSelection(std::string_view record, Selection* selection, std::string_view* typed) {
  int values[kSelectionFields] = {};
  for (int field = 0; field < kSelectionFields; ++field) {
    std::size_t tab = 0;
    while (tab < record.size() && tab <= kFieldKeep && record[tab] != '\t') ++tab;
    if (!report::ParsePosition(record.substr(0, tab), &values[field]) ||
        values[field] >= FieldChoices(field, values)) {
      return kFieldProblems[field];
    }
    if (tab == record.size()) return "expected OFFICE, SERVICE, TRANSACTION, SOCIAL and TYPED separated by tabs";
    record.remove_prefix(tab + 1);
  }
  *selection = {values[0], values[1], values[2], values[3] == 1};
  if (!IsComputedTransaction(*selection)) return "the transaction is text only (no computed fee)";
  *typed = record.substr(0, AMOUNT_FIELD_LIMIT);
  return nullptr;
}

// The three texts as they are, with the lengths the computation gives.
void WriteTexts(Output* out, const FeeComputation& computation) {
  Write(out, computation.Amount.View());
  Write(out, "\t");
  Write(out, computation.Fee.View());
  Write(out, "\t");
  Write(out, computation.Message.View());
  Write(out, "\n");
}

}  // namespace

const char BATCH_HELP[] =
    "usage: tarivox-cli batch < INPUT\n"
    "\n"
    "Reads records OFFICE<TAB>SERVICE<TAB>TRANSACTION<TAB>SOCIAL<TAB>TYPED from\n"
    "standard input, ended by LF, CR LF or CR alone: positions as numbers (as\n"
    "`tarivox-cli list` shows them), SOCIAL 0 or 1, TYPED what is typed into the\n"
    "amount field, of which the window reads the first 127 characters. Writes\n"
    "for each record, in order, AMOUNT_TEXT<TAB>FEE_TEXT<TAB>MESSAGE_TEXT as the\n"
    "window shows them, or ERROR<TAB>line N: reason, each line ended by LF.\n"
    "Exit status 1: some record refused; 3: the output stops where the input\n"
    "could not be read or the output could not be written.\n";

int RunBatch(const Arguments&, const Streams& io) {
  int status = EXIT_OK;
  long long number = 0;
  std::string_view record;
  ReadResult result = ReadResult::End;
  while (io.Out->Error == 0 && (result = ReadRecord(io.In, kRecordKeep, &record)) == ReadResult::Record) {
    ++number;
    Selection selection{};
    std::string_view typed;
    if (const char* problem = ReadSelection(record, &selection, &typed)) {
      Write(io.Out, "ERROR\tline " + std::to_string(number) + ": " + problem + "\n");
      status = EXIT_REFUSED;
      continue;
    }
    WriteTexts(io.Out, ComputeFeeTexts(selection, typed));
  }
  if (result != ReadResult::Failed) return status;
  Say(io, Failure(io.In->Name, io.In->Error) + "; the output stops after line " + std::to_string(number));
  return EXIT_IO;
}

}  // namespace tarivox::cli
