// The tariff editions a run knows: the built-in one and those read from
// files, and which of them is in force on a day. An edition is in force
// from 00:00 of its date until the day the next one takes effect; the
// built-in edition, which has no date, since always.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/edition_reader.h"
#include "report/messages.h"

namespace tarivox::report {

struct KnownEdition {
  const Edition* Tariff;
  std::string Source;     // where it comes from: a file's name, or empty for the built-in edition
  std::string_view Json;  // the document it was read from
};

class TariffBook {
 public:
  TariffBook();  // the built-in edition alone

  // Adds the edition a file holds. False, with every reason in *reasons,
  // when it is no whole edition or another edition takes effect the same
  // day; then nothing is added.
  bool Add(Language language, std::string_view json, std::string source, std::vector<std::string>* reasons);

  // The edition in force on the date; null before every edition.
  const Edition* InForceOn(const CalendarDate& date) const;

  // The first edition that takes effect after the date, or null.
  const Edition* NextAfter(const CalendarDate& date) const;

  // The editions by the day they take effect, the built-in one first.
  const std::vector<KnownEdition>& Editions() const { return editions_; }

  // The edition of that name, or null.
  const KnownEdition* Named(std::string_view name) const;

 private:
  std::vector<std::unique_ptr<LoadedEdition>> owned_;
  std::vector<KnownEdition> editions_;
};

struct Quote;

// How long the quote holds: ValidUntil days after its date, and the later
// edition, if any, that takes effect by then (its figures may change on
// that day).
void SetValidity(const TariffBook& book, int validDays, Quote* quote);

// "30": a whole number of days, blanks around it allowed, from 0 up to
// QUOTE_VALID_DAYS_LIMIT; false for anything else. One rule for the tool's
// option and settings file and for the page's field.
bool ReadValidDays(std::string_view text, int* days);

// The editions known, by the day they take effect, as JSON records: [{"name",
// "in_force_from"}, ...].
std::string EditionsJson(Language language, const TariffBook& book);

// Why an edition is refused, one sentence a reason, each naming its field.
std::vector<std::string> EditionProblemTexts(Language language, const std::vector<EditionProblem>& problems);

}  // namespace tarivox::report
