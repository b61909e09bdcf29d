#include "report/selection.h"

#include "catalogue/catalogue.h"
#include "catalogue/description.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

std::string ListChoices(const TextList& list) {
  std::string choices;
  for (int i = 0; i < list.Count; ++i) {
    choices += "\n  " + std::to_string(i) + "  " + Cp1252ToUtf8(list.Items[i]);
  }
  return choices;
}

// The messages of one list: no entry at a position, no entry by a name,
// more than one entry for a name.
struct ListMessages {
  Message NoneAt, Unknown, Ambiguous;
};
constexpr ListMessages kOfficeMessages{MSG_NO_OFFICE_AT, MSG_UNKNOWN_OFFICE, MSG_AMBIGUOUS_OFFICE};
constexpr ListMessages kServiceMessages{MSG_NO_SERVICE_AT, MSG_UNKNOWN_SERVICE, MSG_AMBIGUOUS_SERVICE};
constexpr ListMessages kTransactionMessages{MSG_NO_TRANSACTION_AT, MSG_UNKNOWN_TRANSACTION, MSG_AMBIGUOUS_TRANSACTION};

bool ResolveInList(Language language, std::string_view text, const TextList& list, const ListMessages& messages,
                   int* found, std::string* error) {
  int position = 0;
  if (ParsePosition(text, &position)) {
    if (position < list.Count) {
      *found = position;
      return true;
    }
    *error = Text(language, messages.NoneAt, {Echo(text), ListChoices(list)});
    return false;
  }
  std::string wanted = FoldName(text);
  int matches = 0;
  for (int i = 0; i < list.Count && !wanted.empty(); ++i) {
    std::string name = FoldName(Cp1252ToUtf8(list.Items[i]));
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
  *error = Text(language, matches > 1 ? messages.Ambiguous : messages.Unknown, {Echo(text), ListChoices(list)});
  return false;
}

}  // namespace

bool ResolveSelection(Language language, std::string_view office, std::string_view service,
                      std::string_view transaction, Selection* what, std::string* error) {
  return ResolveInList(language, office, {OfficeNames, OFFICE_COUNT}, kOfficeMessages, &what->OfficeIndex, error) &&
         ResolveInList(language, service, {ServiceNames, SERVICE_COUNT}, kServiceMessages, &what->ServiceIndex,
                       error) &&
         ResolveInList(language, transaction, LoadedTransactions(*what), kTransactionMessages, &what->TransactionIndex,
                       error);
}

std::string OfficeName(int office) { return Cp1252ToUtf8(OfficeNames[office]); }

std::string ServiceName(int service) { return Cp1252ToUtf8(ServiceNames[service]); }

std::string TransactionName(const Selection& selection) {
  return Cp1252ToUtf8(LoadedTransactions(selection).Items[selection.TransactionIndex]);
}

std::string TariffText(const Selection& selection) {
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(selection, text);
  return Cp1252ToUtf8(text);
}

std::string ProjectName(Language language, bool social) {
  return Text(language, social ? MSG_PROJECT_SOCIAL : MSG_PROJECT_NORMAL);
}

}  // namespace tarivox::report
