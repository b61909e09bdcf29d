// A comparison refuses what a quote refuses, for the front ends that build
// one without the command line's checks (the page).
#include <gtest/gtest.h>

#include "catalogue/edition.h"
#include "report/compare.h"

namespace tarivox::report {
namespace {

TEST(Comparison, RefusesWhatAnActWouldRefuse) {
  const struct {
    const char* name;
    Selection reference;
    bool hasTyped;
    const char* typed;
    bool accepted;
  } rows[] = {
      {"an amount", {0, 0, 0, false}, true, "25,000", true},
      {"social interest at KLDA", {0, 0, 0, true}, true, "25,000", false},
      {"no amount", {0, 0, 0, false}, false, "", false},
      {"a quantity", {0, 2, 0, false}, true, "12", true},
      {"no quantity", {0, 2, 0, false}, false, "", false},
      {"a fixed fee with a value", {0, 4, 0, false}, true, "100", false},
      {"a fixed fee", {0, 4, 0, false}, false, "", true},
  };
  for (const auto& row : rows) {
    Comparison comparison;
    std::string reason;
    ActRequest asked;
    asked.What = row.reference;
    asked.HasValue = row.hasTyped;
    asked.Value = row.typed;
    EXPECT_EQ(BuildComparison(Language::Spanish, BuiltInEdition(), asked, &comparison, &reason), row.accepted)
        << row.name << ": " << reason;
    EXPECT_EQ(reason.empty(), row.accepted) << row.name;
  }
}

}  // namespace
}  // namespace tarivox::report
