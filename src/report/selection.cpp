#include "report/selection.h"

#include "catalogue/description.h"
#include "report/text.h"
#include "report/written_forms.h"

namespace tarivox::report {
namespace {

// The names of a list, by position.
struct NameList {
  int Count;
  const char* (*NameAt)(const Edition& edition, const Selection& around, int position);
};

const char* OfficeAt(const Edition& edition, const Selection&, int position) { return edition.Offices[position].Name; }
const char* ServiceAt(const Edition& edition, const Selection&, int position) {
  return edition.Services[position].Name;
}
const char* TransactionAt(const Edition& edition, const Selection& around, int position) {
  Selection at = around;
  at.TransactionIndex = position;
  return LoadedEntry(edition, at)->Name;
}

std::string ListChoices(const Edition& edition, const Selection& around, const NameList& list) {
  std::string choices;
  for (int i = 0; i < list.Count; ++i) {
    choices += "\n  " + std::to_string(i) + "  " + Cp1252ToUtf8(list.NameAt(edition, around, i));
  }
  return choices;
}

// The messages of one list: no entry at a position, no entry by a name,
// more than one entry for a name.
struct ListMessages {
  MessageOf<Said, Words> NoneAt, Unknown, Ambiguous;
};
constexpr ListMessages kOfficeMessages{MSG_NO_OFFICE_AT, MSG_UNKNOWN_OFFICE, MSG_AMBIGUOUS_OFFICE};
constexpr ListMessages kServiceMessages{MSG_NO_SERVICE_AT, MSG_UNKNOWN_SERVICE, MSG_AMBIGUOUS_SERVICE};
constexpr ListMessages kTransactionMessages{MSG_NO_TRANSACTION_AT, MSG_UNKNOWN_TRANSACTION, MSG_AMBIGUOUS_TRANSACTION};

bool ResolveInList(Language language, const Edition& edition, const Selection& around, std::string_view text,
                   const NameList& list, const ListMessages& messages, int* found, std::string* error) {
  int position = 0;
  if (ParsePosition(text, &position)) {
    if (position < list.Count) {
      *found = position;
      return true;
    }
    *error = Text(language, messages.NoneAt, text, ListChoices(edition, around, list));
    return false;
  }
  std::string wanted = FoldName(text);
  int matches = 0;
  for (int i = 0; i < list.Count && !wanted.empty(); ++i) {
    std::string name = FoldName(Cp1252ToUtf8(list.NameAt(edition, around, i)));
    if (name == wanted) {
      *found = i;
      return true;
    }
    if (name.find(wanted) != std::string::npos) {
      *found = i;
      ++matches;
    }
  }
  if (matches == 1) return true;
  *error = Text(language, matches > 1 ? messages.Ambiguous : messages.Unknown, text, ListChoices(edition, around, list));
  return false;
}

}  // namespace

bool ResolveSelection(Language language, const Edition& edition, std::string_view office, std::string_view service,
                      std::string_view transaction, Selection* what, std::string* error) {
  return ResolveInList(language, edition, *what, office, {edition.OfficeCount, OfficeAt}, kOfficeMessages,
                       &what->OfficeIndex, error) &&
         ResolveInList(language, edition, *what, service, {edition.ServiceCount, ServiceAt}, kServiceMessages,
                       &what->ServiceIndex, error) &&
         ResolveInList(language, edition, *what, transaction, {LoadedCount(edition, *what), TransactionAt},
                       kTransactionMessages, &what->TransactionIndex, error);
}

std::string OfficeName(const Edition& edition, int office) {
  return WrittenForm(Cp1252ToUtf8(edition.Offices[office].Name));
}

std::string ServiceName(const Edition& edition, int service) {
  return WrittenForm(Cp1252ToUtf8(edition.Services[service].Name));
}

std::string TransactionName(const Edition& edition, const Selection& selection) {
  return WrittenForm(Cp1252ToUtf8(LoadedEntry(edition, selection)->Name));
}

std::string TariffText(const Edition& edition, const Selection& selection) {
  const DescriptionParts parts = DescribeSelection(edition, selection);
  const std::string text = Cp1252ToUtf8(parts.Text);
  return parts.Note == nullptr ? WrittenForm(text) : WrittenWithNote(text, Cp1252ToUtf8(parts.Note));
}

std::string ProjectName(Language language, bool social) {
  return Text(language, social ? MSG_PROJECT_SOCIAL : MSG_PROJECT_NORMAL);
}

}  // namespace tarivox::report
