// The fees that tariff texts state are data beside the catalogue: each row
// is held against the text it was taken from, figure by figure both ways,
// so that neither can change without the other.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/tariff_rules.h"
#include "fees/fee_engine.h"

namespace tarivox {
namespace {

// Every "$" figure of a text, in cents ("$ 8.86" and "$8.86" alike).
std::multiset<long long> DollarFigures(std::string text) {
  std::multiset<long long> figures;
  for (std::size_t at = text.find('$'); at != std::string::npos; at = text.find('$', at + 1)) {
    std::size_t digit = at + 1;
    while (digit < text.size() && text[digit] == ' ') ++digit;
    long long cents = 0;
    for (; digit < text.size() && (std::isdigit(static_cast<unsigned char>(text[digit])) || text[digit] == ',' ||
                                   text[digit] == '.');
         ++digit) {
      if (std::isdigit(static_cast<unsigned char>(text[digit]))) cents = cents * 10 + (text[digit] - '0');
    }
    figures.insert(cents);
  }
  return figures;
}

// What a unit is called in the texts that count it.
const char* UnitWord(QuantityUnit unit) {
  switch (unit) {
    case UNIT_SHEET: return "hoja";
    case UNIT_LOT_OR_PARCEL: return "lote o parcela";
    case UNIT_LOT: return "lote";
    case UNIT_OWNER: return "titular";
    default: return nullptr;
  }
}

TEST(TariffRules, EveryRowStatesExactlyTheFiguresOfItsText) {
  for (int row = 0; row < STATED_FEE_COUNT; ++row) {
    const StatedFee& fee = StatedFees[row];
    // Only the presentation's fee is not in its text: it is the one its
    // display shows.
    EXPECT_EQ(fee.InText, fee.Text != &PresentationText) << "row " << row;
    if (!fee.InText) continue;
    std::string text = *fee.Text;
    bool hasNote = text.find(SocialInterestNote) != std::string::npos;
    if (hasNote) text.erase(text.find(SocialInterestNote));
    std::multiset<long long> stated;
    for (long long cents : {fee.BaseCents, fee.RateCents, fee.MinimumCents}) {
      if (cents != 0) stated.insert(cents);
    }
    EXPECT_EQ(DollarFigures(text), stated) << "row " << row << ": " << text;
    if (const char* word = UnitWord(fee.Unit)) {
      EXPECT_NE(text.find(word), std::string::npos) << "row " << row;
    }
    EXPECT_EQ(fee.Unit == UNIT_NONE, fee.RateCents == 0) << "row " << row;
    EXPECT_EQ((fee.Conditions & CONDITION_ARTICLE_50A) != 0, text.find("50-A") != std::string::npos) << "row " << row;
    EXPECT_EQ((fee.Conditions & CONDITION_SOCIAL_SHARE) != 0, hasNote) << "row " << row;
  }
}

// Every transaction the calculator does not compute has its row, every row
// is some transaction's, and the presentation's is the fee its display shows.
TEST(TariffRules, EveryTransactionWithoutAComputedFeeHasItsRow) {
  std::set<const StatedFee*> reached;
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    for (int service = 0; service < SERVICE_COUNT; ++service) {
      TextList list = LoadedTransactions({office, service, 0, false});
      for (int transaction = 0; transaction < list.Count; ++transaction) {
        for (bool social : {false, true}) {
          Selection what{office, service, transaction, social};
          unsigned conditions = CONDITION_NONE;
          const StatedFee* fee = StatedFeeFor(what, &conditions);
          EXPECT_EQ(fee == nullptr, IsComputedTransaction(what)) << office << "/" << service << "/" << transaction;
          if (fee != nullptr) reached.insert(fee);
        }
      }
    }
  }
  EXPECT_EQ(reached.size(), static_cast<std::size_t>(STATED_FEE_COUNT));
  unsigned conditions = CONDITION_NONE;
  EXPECT_EQ(StatedFeeCents(*StatedFeeFor({0, SERVICE_PRESENTATION, 0, false}, &conditions), 0), FeeShownBeforeComputation(SERVICE_PRESENTATION));
}

TEST(TariffRules, FeeIsBasePlusRateTimesQuantityAtLeastTheMinimum) {
  const StatedFee perLot{nullptr, 0, 970, UNIT_LOT_OR_PARCEL, 3429, CONDITION_NONE, true};
  const StatedFee perSheet{nullptr, 886, 35, UNIT_SHEET, 0, CONDITION_NONE, true};
  const struct {
    const char* name;
    const StatedFee& fee;
    long long quantity, cents;
  } rows[] = {
      {"below the minimum", perLot, 3, 3429},
      {"at the minimum's edge", perLot, 4, 3880},
      {"base and rate", perSheet, 12, 1306},
      {"the largest quantity", perSheet, QUANTITY_LIMIT, 886 + 35 * QUANTITY_LIMIT},
  };
  for (const auto& row : rows) EXPECT_EQ(StatedFeeCents(row.fee, row.quantity), row.cents) << row.name;
}

TEST(TariffRules, ProjectKindOnlyAtMvtWhereTheButtonsFollowTheOffice) {
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    bool follows = ControlsOf(service).ProjectKind;
    EXPECT_EQ(ProjectKindOffered({1, service, 0, true}), follows) << service;
    EXPECT_FALSE(ProjectKindOffered({0, service, 0, true})) << service;
  }
  for (int outside : {-1, SERVICE_COUNT}) {
    const ServiceControls none = ControlsOf(outside);
    EXPECT_FALSE(none.Amount || none.Fee || none.Calculate || none.Toggle || none.Office || none.ProjectKind) << outside;
  }
}

}  // namespace
}  // namespace tarivox
