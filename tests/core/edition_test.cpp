// Tariff editions: the built-in one holds the figures its own texts state,
// a file is refused whole with a reason that names its field, and a
// second edition prices as its own figures say.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "catalogue/calendar.h"
#include "catalogue/description.h"
#include "catalogue/edition_reader.h"
#include "fees/amount_text.h"
#include "fees/fee_engine.h"

namespace tarivox {
namespace {

// Every "$" figure of a text, in cents ("$ 8.86" and "$8.86" alike).
std::multiset<long long> DollarFigures(const std::string& text) {
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

// A price the text states, held against that text figure by figure both
// ways, the social-interest sentence left out.
void ExpectStatedInText(const Price& price, std::string text, const std::string& where) {
  const std::string note = BuiltInEdition().SocialNote;
  if (text.find(note) != std::string::npos) text.erase(text.find(note));
  std::multiset<long long> stated;
  for (long long cents : {price.BaseCents, price.RateCents, price.MinimumCents}) {
    if (cents != 0) stated.insert(cents);
  }
  EXPECT_EQ(DollarFigures(text), stated) << where << ": " << text;
  if (const char* word = UnitWord(price.Unit)) {
    EXPECT_NE(text.find(word), std::string::npos) << where;
  }
}

TEST(BuiltInEdition, EveryStatedFeeIsTheOneItsTextStates) {
  const Edition& edition = BuiltInEdition();
  int stated = 0;
  for (int service = 0; service < edition.ServiceCount; ++service) {
    for (int i = 0; i < edition.Services[service].TransactionCount; ++i) {
      const TransactionEntry& entry = edition.Services[service].Transactions[i];
      const std::string where = std::to_string(service) + "/" + std::to_string(i);
      if (entry.Normal.Rule == PriceRule::Stated) {
        ExpectStatedInText(entry.Normal, entry.Text, where);
        ++stated;
      }
      if (entry.HasSocial) ExpectStatedInText(entry.Social, entry.SocialText, where + " social");
    }
  }
  EXPECT_EQ(stated, 11);
  // The presentation's fee is not in its text: it is the one its display shows.
  EXPECT_EQ(edition.Services[4].Transactions[0].Normal.Rule, PriceRule::ShownFee);
  EXPECT_EQ(FeeShownBeforeComputation(edition, 4), 886);
}

// The built-in edition with one change made to its text.
std::string Changed(std::string_view from, std::string_view to) {
  std::string json(BuiltInEditionText());
  const std::size_t at = json.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) json.replace(at, from.size(), to);
  return json;
}

TEST(EditionReader, RefusesAWrongEditionWholeNamingTheField) {
  const struct {
    const char* name;
    std::string json;
    EditionFault fault;
    const char* field;
  } rows[] = {
      {"not JSON", "{\"format\": ", EditionFault::NotJson, ""},
      {"no edition at all", "[1, 2]", EditionFault::Kind, ""},
      {"another format", Changed("tarivox-arancel/1", "tarivox-arancel/9"), EditionFault::Format, "format"},
      {"a field missing", Changed("\"name\": \"incorporado al programa\",", ""), EditionFault::Missing, "name"},
      {"a field unknown", Changed("\"in_force_from\"", "\"colour\": 1, \"in_force_from\""), EditionFault::Unknown,
       "colour"},
      {"cents as a fraction", Changed("\"fixed_fee\": 886", "\"fixed_fee\": 8.86"), EditionFault::WholeCents,
       "offices[0].fixed_fee"},
      {"a negative figure", Changed("\"fixed_fee\": 886", "\"fixed_fee\": -886"), EditionFault::Range,
       "offices[0].fixed_fee"},
      {"a rate as a number", Changed("\"per_hundred\": \"0.63\"", "\"per_hundred\": 0.63"), EditionFault::Kind,
       "services[0].transactions[0].price.per_hundred"},
      {"a rate with a comma", Changed("\"per_hundred\": \"0.63\"", "\"per_hundred\": \"0,63\""),
       EditionFault::Decimal, "services[0].transactions[0].price.per_hundred"},
      {"a text the window cannot show", Changed("\"name\": \"KLDA\"", "\"name\": \"KL\xE2\x82\xBF\""),
       EditionFault::Text, "offices[0].name"},
      {"a day that does not exist", Changed("\"in_force_from\": null", "\"in_force_from\": \"2026-02-29\""),
       EditionFault::Date, "in_force_from"},
      {"an office unknown", Changed("\"offices\": [\"KLDA\"]", "\"offices\": [\"KLDB\"]"), EditionFault::Office,
       "services[2].transactions[0].offices[0]"},
      {"a unit unknown", Changed("\"unit\": \"sheet\"", "\"unit\": \"hoja\""), EditionFault::Unit,
       "services[2].transactions[0].price.stated.unit"},
      {"two rules", Changed("{\"per_hundred\": \"0.63\"}", "{\"per_hundred\": \"0.63\", \"brackets\": true}"),
       EditionFault::Rule, "services[0].transactions[0].price"},
      {"brackets out of order", Changed("{\"up_to\": 450000, \"fee\": 360}", "{\"up_to\": 150000, \"fee\": 360}"),
       EditionFault::Order, "brackets.rows[1].up_to"},
      {"two offices of one name", Changed("\"name\": \"MVT\"", "\"name\": \"KLDA\""), EditionFault::Duplicate,
       "offices[1]"},
      {"an example not reproduced", Changed("\"fee\": \"157.50\"", "\"fee\": \"157.51\""), EditionFault::Example,
       "examples[0]"},
  };
  for (const auto& row : rows) {
    std::vector<EditionProblem> problems;
    EXPECT_EQ(ReadEdition(row.json, &problems), nullptr) << row.name;
    bool named = false;
    for (const EditionProblem& problem : problems) named = named || (problem.Fault == row.fault && problem.Field == row.field);
    EXPECT_TRUE(named) << row.name << ": " << (problems.empty() ? "no problem" : problems[0].Field);
  }
}

TEST(EditionReader, ASecondEditionPricesByItsOwnFigures) {
  std::string json = Changed("\"in_force_from\": null", "\"in_force_from\": \"2030-01-01\"");
  json.replace(json.find("\"0.63\""), 6, "\"0.70\"");
  // The examples at that rate come out otherwise now.
  for (const auto& [before, after] : {std::pair{"\"157.50\"", "\"175.00\""}, {"\"14.40\"", "\"15.30\""},
                                      {"\"63.63\"", "\"70.70\""}}) {
    json.replace(json.find(before), std::string_view(before).size(), after);
  }
  std::vector<EditionProblem> problems;
  const std::unique_ptr<LoadedEdition> later = ReadEdition(json, &problems);
  ASSERT_NE(later, nullptr) << (problems.empty() ? "" : problems[0].Field + " " + problems[0].Detail);
  EXPECT_EQ(later->View.InForceFrom, (CalendarDate{2030, 1, 1}));
  EXPECT_EQ(ComputeFeeTexts(later->View, {0, 0, 0, false}, "25,000").Fee.View(), "175.00");
  EXPECT_EQ(ComputeFeeTexts(BuiltInEdition(), {0, 0, 0, false}, "25,000").Fee.View(), "157.50");
  // The rate under the social factor is rounded from the new rate: 0.70 x
  // 0.25 is 0.17499999999999999 as a double, so 0.17 a hundred.
  EXPECT_EQ(ComputeFeeTexts(later->View, {1, 0, 0, true}, "9,000").Fee.View(), "15.30");
}

// A fee by the piece under a social-interest project: a share of it while
// the project's value is at most the threshold, rounded as the engine rounds.
TEST(SocialShare, JudgedOnTheProjectValue) {
  const Edition& edition = BuiltInEdition();
  const Selection owners{1, 2, 2, true};  // Carencia de bienes at MVT, social interest
  ASSERT_TRUE(SocialShareApplies(edition, owners));
  EXPECT_FALSE(SocialShareApplies(edition, {1, 2, 0, true})) << "Extractadas has a fee of its own";
  EXPECT_FALSE(SocialShareApplies(edition, {1, 2, 2, false}));
  const long long fee = StatedFeeCents(*PriceOf(edition, owners), 3);
  const struct {
    long long value, cents;
  } rows[] = {{1000000, 133}, {1, 133}, {1000001, 531}, {99999999, 531}};
  for (const auto& row : rows) EXPECT_EQ(SocialShareCents(edition, fee, row.value), row.cents) << row.value;
}

TEST(Calendar, ReadsOnlyDaysThatExist) {
  const struct {
    const char* text;
    bool real;
  } rows[] = {{"2026-12-07", true}, {"2024-02-29", true}, {"2000-02-29", true}, {"2026-02-29", false},
              {"1900-02-29", false}, {"2026-13-01", false}, {"2026-12-32", false}, {"2026-12-7", false},
              {"2026/12/07", false}, {"0000-01-01", false}, {" 2026-12-07", false}, {"2026-12-07 ", false}};
  for (const auto& row : rows) {
    CalendarDate date;
    EXPECT_EQ(ParseIsoDate(row.text, &date), row.real) << row.text;
    if (row.real) {
      EXPECT_EQ(IsoDate(date), row.text);
    }
  }
  EXPECT_EQ(IsoDate(AddDays({2026, 12, 7}, 30)), "2027-01-06");
  EXPECT_EQ(IsoDate(AddDays({2028, 2, 28}, 1)), "2028-02-29");
  EXPECT_EQ(IsoDate(AddDays({2028, 3, 1}, -1)), "2028-02-29");
}

TEST(JsonReader, ReadsStrictJsonAndSaysWhereNot) {
  const struct {
    const char* text;
    JsonProblem problem;
  } rows[] = {
      {"{\"a\": [1, -2.5e3, true, null, \"\\u00e9\\ud83d\\ude00\"]}", JsonProblem::None},
      {"{\"a\": 1,}", JsonProblem::Unexpected},
      {"{\"a\": 01}", JsonProblem::Unexpected},
      {"[1, 2", JsonProblem::Cut},
      {"\"tab\there\"", JsonProblem::Control},
      {"\"\\x\"", JsonProblem::BadEscape},
      {"\"\\udc00\"", JsonProblem::BadEscape},
      {"\"\\u00zz\"", JsonProblem::BadEscape},
      {"\"\\ud83d\\u00e9\"", JsonProblem::BadEscape},
      {"\"\xC3\"", JsonProblem::NotUtf8},
      {"[1] 2", JsonProblem::AfterEnd},
  };
  for (const auto& row : rows) {
    JsonNode root;
    JsonError error;
    EXPECT_EQ(ParseJson(row.text, &root, &error), row.problem == JsonProblem::None) << row.text;
    EXPECT_EQ(error.Problem, row.problem) << row.text;
  }
  JsonNode deep;
  JsonError error;
  EXPECT_FALSE(ParseJson(std::string(100, '[') + std::string(100, ']'), &deep, &error));
  EXPECT_EQ(error.Problem, JsonProblem::TooDeep);
  JsonNode number;
  long long value = 0;
  ASSERT_TRUE(ParseJson("-7036874417766399", &number, &error));
  EXPECT_TRUE(ReadJsonInteger(number, &value));
  EXPECT_EQ(value, -7036874417766399);
  ASSERT_TRUE(ParseJson("1.5", &number, &error));
  EXPECT_FALSE(ReadJsonInteger(number, &value)) << "a fraction is no whole number";
}

}  // namespace
}  // namespace tarivox
