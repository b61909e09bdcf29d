#include "cli/compare_build.h"

#include "catalogue/catalogue.h"

namespace tarivox::cli {
namespace {

struct VariantKey {
  int Office;
  bool Social;
};

// Social interest exists only at MVT, so three variants mean something.
constexpr VariantKey ALL_VARIANTS[] = {{0, false}, {1, false}, {1, true}};

std::vector<VariantKey> VariantOrder(const CalcOptions& reference) {
  std::vector<VariantKey> order{{reference.Office, reference.Social}};
  for (const VariantKey& key : ALL_VARIANTS) {
    if (key.Office != reference.Office || key.Social != reference.Social) order.push_back(key);
  }
  return order;
}

int NoteNumber(std::vector<QuoteNote>* notes, const QuoteNote& note) {
  for (std::size_t i = 0; i < notes->size(); ++i) {
    if ((*notes)[i].Text == note.Text) return static_cast<int>(i) + 1;
  }
  notes->push_back(note);
  return static_cast<int>(notes->size());
}

// The same catalogue transaction, as positioned in another office's list.
bool PositionAt(const CalcOptions& reference, int office, int* transaction) {
  int catalogueEntry = reference.Transaction + FirstLoadedTransaction(reference.Service, reference.Office);
  *transaction = catalogueEntry - FirstLoadedTransaction(reference.Service, office);
  return *transaction >= 0 && *transaction < LoadedTransactions(reference.Service, office).Count;
}

bool ComputeVariant(const CalcOptions& reference, std::string_view typedAmount,
                    CompareVariant* variant, Comparison* comparison, std::string* reason) {
  variant->Offered = PositionAt(reference, variant->Office, &variant->Transaction);
  if (!variant->Offered) {
    variant->Figures.Rule = "not offered at this office";
    return true;
  }
  ActRequest act;
  act.Office = variant->Office;
  act.Service = reference.Service;
  act.Transaction = variant->Transaction;
  act.Social = variant->Social;
  act.HasAmount = true;
  act.TypedAmount = std::string(typedAmount);
  if (!ComputeAct(act, &variant->Figures, reason)) return false;
  variant->Note = NoteNumber(&comparison->Notes, TariffNote(variant->Office, reference.Service,
                                                            variant->Transaction, variant->Social));
  return true;
}

}  // namespace

bool BuildComparison(const CalcOptions& reference, std::string_view typedAmount,
                     Comparison* comparison, std::string* reason) {
  *comparison = Comparison{};
  comparison->Service = ServiceNameUtf8(reference.Service);
  comparison->Transaction =
      TransactionNameUtf8(reference.Service, reference.Transaction, reference.Office);
  comparison->TypedAmount = std::string(typedAmount);
  for (const VariantKey& key : VariantOrder(reference)) {
    CompareVariant variant;
    variant.Office = key.Office;
    variant.Social = key.Social;
    if (!ComputeVariant(reference, typedAmount, &variant, comparison, reason)) return false;
    comparison->Variants.push_back(std::move(variant));
  }
  const CompareVariant& first = comparison->Variants.front();
  for (CompareVariant& variant : comparison->Variants) {
    variant.HasDifference = first.Figures.Computed && variant.Figures.Computed;
    if (variant.HasDifference) {
      variant.DifferenceCents = variant.Figures.FeeCents - first.Figures.FeeCents;
    }
  }
  return true;
}

std::string VariantName(const CompareVariant& variant) {
  return OfficeNameUtf8(variant.Office) + " " + ProjectName(variant.Social);
}

}  // namespace tarivox::cli
