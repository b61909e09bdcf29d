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

bool ResolveInList(std::string_view text, const TextList& list, const char* what, int* found, std::string* error) {
  int position = 0;
  if (ParsePosition(text, &position)) {
    if (position < list.Count) {
      *found = position;
      return true;
    }
    *error = "no " + std::string(what) + " at position " + std::string(text) + "; the choices are:" + ListChoices(list);
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
  *error = std::string(matches > 1 ? "ambiguous " : "unknown ") + what + " \"" + std::string(text) +
           "\"; the choices are:" + ListChoices(list);
  return false;
}

}  // namespace

bool ParsePosition(std::string_view text, int* position) {
  if (text.empty() || text.size() > 6) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  *position = value;
  return true;
}

bool ResolveSelection(std::string_view office, std::string_view service, std::string_view transaction,
                      Selection* what, std::string* error) {
  return ResolveInList(office, {OfficeNames, OFFICE_COUNT}, "office", &what->OfficeIndex, error) &&
         ResolveInList(service, {ServiceNames, SERVICE_COUNT}, "service", &what->ServiceIndex, error) &&
         ResolveInList(transaction, LoadedTransactions(*what), "transaction",
                       &what->TransactionIndex, error);
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

const char* ProjectName(bool social) { return social ? "social interest" : "normal"; }

}  // namespace tarivox::report
