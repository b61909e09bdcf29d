// tarivox-cli batch: one computation per input record, streamed, each
// under the edition in force on its date. Memory does not depend on the
// input: of a record only what the window would read, and its date, is
// kept.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "catalogue/calendar.h"
#include "catalogue/edition.h"
#include "cli/commands.h"
#include "cli/tariffs.h"
#include "fees/amount_text.h"
#include "report/text.h"

namespace tarivox::cli {
namespace {

constexpr int kSelectionFields = 4;
// A list position has at most six digits, so seven kept characters are
// enough to tell that a field is none.
constexpr std::size_t kFieldKeep = 7;
// A date field is shown in a refusal up to this many bytes, and cut after.
constexpr std::size_t kDateShown = 32;
// Of each field, what is looked at: the positions' first kFieldKeep + 1
// characters, the amount's as the window reads it, and of the date, the
// rest of the record after the amount, enough to tell it is longer than
// shown.
constexpr std::size_t kFieldsKept[] = {kFieldKeep + 1, kFieldKeep + 1, kFieldKeep + 1, kFieldKeep + 1,
                                       AMOUNT_FIELD_LIMIT, kDateShown + 1};
constexpr FieldKeep kRecordKeep{kFieldsKept, static_cast<int>(std::size(kFieldsKept))};

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
// kept field by field (kRecordKeep) then gets the answer its whole text
// would get.
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
// their digits, read from one word and kept apart, so that no field is
// stored to be read back. Not found for any other start.
struct OneDigitFields {
  bool Found;
  int Office, Service, Transaction, Social;
};

OneDigitFields ReadOneDigitFields(std::string_view record) {
  constexpr std::size_t kFieldsLength = 2 * kSelectionFields;
  constexpr std::uint64_t kTabPlaces = 0xFF00FF00FF00FF00u, kTabs = 0x0900090009000900u;
  if (record.size() < kFieldsLength) return {};
  const std::uint64_t word = LoadWord(record.data());
  if ((word & kTabPlaces) != kTabs) return {};
  unsigned digits[kSelectionFields];
  for (int field = 0; field < kSelectionFields; ++field) {
    digits[field] = static_cast<unsigned>((word >> (16 * field)) & 0xFFu) - unsigned{'0'};
    if (digits[field] > 9) return {};
  }
  return {true, static_cast<int>(digits[0]), static_cast<int>(digits[1]), static_cast<int>(digits[2]),
          static_cast<int>(digits[3])};
}

// Judged in order, as ReadFields judges them.
const report::MessageOf<>* JudgeOneDigitFields(const OneDigitFields& fields, const FieldChoices& choices) {
  const int values[kSelectionFields] = {fields.Office, fields.Service, fields.Transaction, fields.Social};
  for (int field = 0; field < kSelectionFields; ++field) {
    if (values[field] >= choices.Of(field, values)) return &kFieldProblems[field];
  }
  return nullptr;
}

// Returns null for a record that can be computed, with its selection's
// rule, else what is wrong.
const report::MessageOf<>* ReadSelection(std::string_view record, const OneDigitFields& start,
                                         const FieldChoices& choices, Selection* selection,
                                         const SelectionRule** rule, std::string_view* typed) {
  if (start.Found) {
    if (const report::MessageOf<>* problem = JudgeOneDigitFields(start, choices)) return problem;
    *selection = {start.Office, start.Service, start.Transaction, start.Social == 1};
    record.remove_prefix(2 * kSelectionFields);
  } else {
    int values[kSelectionFields] = {};
    if (const report::MessageOf<>* problem = ReadFields(&record, choices, values)) return problem;
    *selection = {values[0], values[1], values[2], values[3] == 1};
  }
  *rule = &choices.RuleFor(*selection);
  if ((*rule)->Computed == nullptr) return &report::MSG_BATCH_TEXT_ONLY;
  *typed = record.substr(0, AMOUNT_FIELD_LIMIT);
  return nullptr;
}

// Where the date field starts: past the fifth tab, the one that ends the
// amount; npos in a record of five fields or fewer. After one-digit fields
// the fourth tab is known.
std::size_t DateStart(std::string_view record, const OneDigitFields& start) {
  std::size_t at = start.Found ? 2 * kSelectionFields : 0;
  int tabs = start.Found ? kSelectionFields : 0;
  for (; tabs < 5; ++tabs) {
    at = FindByte(record.data(), at, record.size(), '\t');
    if (at == record.size()) return std::string_view::npos;
    ++at;
  }
  return at;
}

// The date field as a refusal shows it: cut after kDateShown bytes.
std::string ShownDate(std::string_view date) {
  if (date.size() <= kDateShown) return std::string(date);
  return report::AsUtf8(report::MarkCutCharacter(date.substr(0, kDateShown))) + "\u2026";
}

// The editions a run prices with, each with its field choices, made when a
// record first names a day it is in force on; and what each date a record
// names comes to, remembered for the dates seen most recently, since a
// batch names few days many times.
class DatedTariffs {
 public:
  // What a date field comes to: the edition in force then and its choices;
  // or none, for a date that is not real or one before every edition.
  struct Verdict {
    const Edition* Tariff;
    const FieldChoices* Choices;
    bool Real;
  };

  explicit DatedTariffs(const report::TariffBook& book) : book_(book), choices_(book.Editions().size()) {}

  const FieldChoices& ChoicesOf(const Edition& edition) {
    std::size_t at = 0;
    while (book_.Editions()[at].Tariff != &edition) ++at;
    if (choices_[at] == nullptr) choices_[at] = std::make_unique<FieldChoices>(edition);
    return *choices_[at];
  }

  Verdict On(std::string_view date) {
    if (date.size() != kDateLength) return {nullptr, nullptr, false};
    std::uint64_t head = 0;
    std::uint16_t tail = 0;
    std::memcpy(&head, date.data(), sizeof head);
    std::memcpy(&tail, date.data() + sizeof head, sizeof tail);
    const std::uint64_t key = head ^ (std::uint64_t{tail} << 17);
    Remembered& slot = remembered_[(key * std::uint64_t{0x9E3779B97F4A7C15}) >> (64 - kRememberedBits)];
    if (!slot.Filled || slot.Head != head || slot.Tail != tail) slot = {true, head, tail, Judge(date)};
    return slot.Answer;
  }

 private:
  static constexpr std::size_t kDateLength = 10;  // YYYY-MM-DD
  static constexpr int kRememberedBits = 8;

  struct Remembered {
    bool Filled;
    std::uint64_t Head;  // the date's first eight bytes, and its last two
    std::uint16_t Tail;
    Verdict Answer;
  };

  Verdict Judge(std::string_view text) {
    CalendarDate date;
    if (!ParseIsoDate(text, &date)) return {nullptr, nullptr, false};
    const Edition* tariff = book_.InForceOn(date);
    if (tariff == nullptr) return {nullptr, nullptr, true};
    return {tariff, &ChoicesOf(*tariff), true};
  }

  const report::TariffBook& book_;
  std::vector<std::unique_ptr<FieldChoices>> choices_;  // by the book's order of editions
  Remembered remembered_[std::size_t{1} << kRememberedBits] = {};
};

void Refuse(const Streams& io, long long number, const std::string& reason) {
  std::string line = report::Text(io.Lang, report::MSG_LINE, number);
  Write(io.Out, report::Text(io.Lang, report::MSG_BATCH_ERROR, line, reason) + "\n");
}

}  // namespace

int RunBatch(const Arguments& arguments, const Streams& io) {
  if (ReadsOwnOutput(io, io.In)) return EXIT_USAGE;
  report::TariffBook book;
  int status = EXIT_OK;
  // Records without a date are priced on --date, or today.
  const Edition* undated = ChosenTariff(arguments, io, &book, &status);
  if (undated == nullptr) return status;
  DatedTariffs tariffs(book);
  const FieldChoices& undatedChoices = tariffs.ChoicesOf(*undated);
  long long number = 0;
  std::string_view record;
  ReadResult result = ReadResult::End;
  while (io.Out->Error == 0 && (result = ReadRecord(io.In, kRecordKeep, &record)) == ReadResult::Record) {
    ++number;
    const Edition* edition = undated;
    const FieldChoices* choices = &undatedChoices;
    const OneDigitFields start = ReadOneDigitFields(record);
    // The date decides the lists the other fields are judged against, so
    // it is judged first; an empty one is none.
    if (const std::size_t dateStart = DateStart(record, start); dateStart != std::string_view::npos) {
      const std::string_view date = record.substr(dateStart);
      record = record.substr(0, dateStart - 1);
      if (!date.empty()) {
        const DatedTariffs::Verdict verdict = tariffs.On(date);
        if (verdict.Tariff == nullptr) {
          Refuse(io, number, verdict.Real ? report::Text(io.Lang, report::MSG_CLI_NO_TARIFF_THEN, date)
                                          : report::Text(io.Lang, report::MSG_DATE_NOT_REAL, ShownDate(date)));
          status = EXIT_REFUSED;
          continue;
        }
        edition = verdict.Tariff;
        choices = verdict.Choices;
      }
    }
    Selection selection{};
    const SelectionRule* rule = nullptr;
    std::string_view typed;
    const report::MessageOf<>* problem = ReadSelection(record, start, *choices, &selection, &rule, &typed);
    if (problem != nullptr) {
      Refuse(io, number, report::Text(io.Lang, *problem));
      status = EXIT_REFUSED;
      continue;
    }
    // The texts go straight into the output buffer, each written once.
    Commit(io.Out,
           WriteFeeLine(ComputeFeeFigures(*edition, *rule, selection, typed), Reserve(io.Out, FEE_LINE_CAPACITY)));
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
