#include "catalogue/edition_examples.h"

#include <string>

#include "catalogue/code_page.h"
#include "fees/amount_text.h"
#include "fees/fee_engine.h"

namespace tarivox {
namespace {

// The position of the entry named name among count entries; -1 if none.
template <typename NameAt>
int FindByName(const std::string& utf8, int count, NameAt nameAt) {
  std::string name;
  if (!Utf8ToCp1252(utf8, &name)) return -1;
  for (int i = 0; i < count; ++i) {
    if (name == nameAt(i)) return i;
  }
  return -1;
}

bool ResolveExample(const Edition& edition, const JsonNode& example, Selection* what) {
  std::string office, service, transaction;
  bool social = false;
  if (!MemberText(example, "office", &office) || !MemberText(example, "service", &service) ||
      !MemberText(example, "transaction", &transaction)) {
    return false;
  }
  if (example.Find("social_interest") != nullptr && !MemberBool(example, "social_interest", &social)) return false;
  what->OfficeIndex = FindByName(office, edition.OfficeCount, [&](int i) { return edition.Offices[i].Name; });
  what->ServiceIndex = FindByName(service, edition.ServiceCount, [&](int i) { return edition.Services[i].Name; });
  what->SocialInterest = social;
  what->TransactionIndex = 0;
  what->TransactionIndex = FindByName(transaction, LoadedCount(edition, *what), [&](int i) {
    Selection at = *what;
    at.TransactionIndex = i;
    return LoadedEntry(edition, at)->Name;
  });
  return IsInCatalogue(edition, *what) && (!social || ProjectKindOffered(edition, *what));
}

// The fee of the example as the window writes it, or empty when the example
// does not give what its transaction takes.
std::string PricedExample(const Edition& edition, const Selection& what, const JsonNode& example) {
  std::string amount, value;
  long long quantity = 0;
  if (IsComputedTransaction(edition, what)) {
    if (!MemberText(example, "amount", &amount)) return {};
    return std::string(ComputeFeeTexts(edition, what, amount).Fee.View());
  }
  const Price& price = *PriceOf(edition, what);
  if (price.Unit != UNIT_NONE && (!MemberInteger(example, "quantity", &quantity) || quantity < 1)) return {};
  long long cents = price.Rule == PriceRule::ShownFee ? FeeShownBeforeComputation(edition, what.ServiceIndex)
                                                      : StatedFeeCents(price, quantity);
  if (SocialShareApplies(edition, what)) {
    if (!MemberText(example, "value", &value)) return {};
    cents = SocialShareCents(edition, cents, ReadFieldCents(value));
  }
  char text[FEE_TEXT_SIZE];
  return std::string(text, WriteGroupedCents(static_cast<unsigned long long>(cents), text, sizeof text));
}

}  // namespace

void CheckExamples(const Edition& edition, const JsonNode* examples, std::vector<EditionProblem>* problems) {
  if (examples == nullptr) return;
  for (std::size_t i = 0; i < examples->Items.size(); ++i) {
    const JsonNode& example = examples->Items[i];
    const std::string field = "examples[" + std::to_string(i) + "]";
    Selection what{};
    std::string fee;
    if (example.Type != JsonNode::Kind::Object || !ResolveExample(edition, example, &what) ||
        !MemberText(example, "fee", &fee)) {
      problems->push_back({EditionFault::Example, field, ""});
      continue;
    }
    const std::string priced = PricedExample(edition, what, example);
    if (priced != fee) problems->push_back({EditionFault::Example, field, priced});
  }
}

}  // namespace tarivox
