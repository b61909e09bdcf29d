// What the calculator's lists select: office, service, transaction (its
// position in the list as loaded for that service and office) and the
// social-interest project, found by name or position, and their names.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/edition.h"
#include "catalogue/selection.h"
#include "report/messages.h"

namespace tarivox::report {

// A list position written as plain decimal digits ("0", "12"): one to six
// of them. Inline: batch reads four a record.
inline bool ParsePosition(std::string_view text, int* position) {
  if (text.empty() || text.size() > 6) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  *position = value;
  return true;
}

// Finds the office, then the service, then the transaction in the list
// loaded for them, each by position, by exact name or by the one name that
// contains the text, all without regard to case or accents (texts are
// UTF-8). On failure *error says why and lists the choices. Social is left
// to the caller.
bool ResolveSelection(Language language, const Edition& edition, std::string_view office, std::string_view service,
                      std::string_view transaction, Selection* what, std::string* error);

// Names and texts in UTF-8, of a selection inside the edition, as Spanish
// is written (written_forms.h): the window alone shows them as they stand.
std::string OfficeName(const Edition& edition, int office);
std::string ServiceName(const Edition& edition, int service);
std::string TransactionName(const Edition& edition, const Selection& selection);
// The tariff text, with the social-interest note where the window shows it.
std::string TariffText(const Edition& edition, const Selection& selection);
// "normal" or "interés social", as reports name the project kind.
std::string ProjectName(Language language, bool social);

}  // namespace tarivox::report
