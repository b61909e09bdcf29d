// The catalogue's texts are code page 1252 bytes and its lists load as the
// window shows them; the description panel's text follows the note rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue/edition.h"
#include "fees/fee_engine.h"
#include "catalogue/description.h"

namespace tarivox {
namespace {

const Edition& Tariff() { return BuiltInEdition(); }

// The name and text of a service's entry, whatever the office's list.
const char* NameOf(int service, int entry) { return Tariff().Services[service].Transactions[entry].Name; }
const char* TextOf(int service, int entry) { return Tariff().Services[service].Transactions[entry].Text; }
const char* SocialTextOf(int service, int entry) { return Tariff().Services[service].Transactions[entry].SocialText; }

// The names a list shows at an office, in order.
std::vector<std::string> Loaded(int office, int service) {
  std::vector<std::string> names;
  for (Selection at{office, service, 0, false}; at.TransactionIndex < LoadedCount(Tariff(), at); ++at.TransactionIndex) {
    names.push_back(LoadedEntry(Tariff(), at)->Name);
  }
  return names;
}

TEST(Catalogue, TextsAreCodePage1252AsWritten) {
  // One byte per accented letter; names that differ only by an accent or a
  // plural; sentences joined without a blank stay joined.
  const struct {
    const char* text;
    const char* expected;
  } rows[] = {
      {Tariff().Services[0].Name, "Inscripci\xF3n"},
      {NameOf(0, 1), "Grav\xE1menes"},
      {NameOf(0, 8), "Cr\xE9" "ditos a la Producci\xF3n"},
      {NameOf(1, 1), "Cr\xE9" "dito a la Producci\xF3n"},
      {NameOf(0, 4), "Titulos supletorios"},
      {NameOf(3, 0), "Indice de propietarios"},
      {std::strstr(TextOf(0, 0), "dominio.Usufructos"), "dominio.Usufructos, Arrendamientos"},
      {std::strstr(TextOf(1, 2), "dominio.Hipotecas"), "dominio.Hipotecas, Hipotecas abiertas"},
      {std::strstr(SocialTextOf(2, 3), "50-A.Por"), "50-A.Por ser proyecto"},
  };
  for (const auto& row : rows) {
    ASSERT_NE(row.text, nullptr) << row.expected;
    EXPECT_EQ(std::strncmp(row.text, row.expected, std::strlen(row.expected)), 0) << row.expected;
  }
  for (int service = 0; service < Tariff().ServiceCount; ++service) {
    for (int i = 0; i < Tariff().Services[service].TransactionCount; ++i) {
      EXPECT_EQ(std::strchr(NameOf(service, i), '\xC3'), nullptr) << "UTF-8 in service " << service << " item " << i;
    }
  }
  EXPECT_EQ(std::strlen(TextOf(0, 0)), 339u) << "the longest text, as the window shows it";
  EXPECT_EQ(std::strlen(Tariff().SocialNote), 83u);
}

TEST(Catalogue, ListCounts) {
  const struct {
    int service;
    int count;
  } rows[] = {{0, 13}, {1, 3}, {2, 5}, {3, 1}, {4, 1}, {5, 1}, {6, 0}, {-1, 0}};
  for (const auto& row : rows) {
    EXPECT_EQ(LoadedCount(Tariff(), {0, row.service, 0, false}), row.count) << "service " << row.service;
  }
  EXPECT_EQ(Tariff().OfficeCount, 2);
  EXPECT_EQ(Tariff().ServiceCount, 6);
}

TEST(Catalogue, CertificationAtTheSecondOfficeStartsAtExtractadas) {
  const std::vector<std::string> later = {"Extractadas", "Otras certificaciones", "Carencia de bienes",
                                          "Plano de lotificaci\xF3n"};
  std::vector<std::string> atFirst = later;
  atFirst.insert(atFirst.begin(), "Literales");
  EXPECT_EQ(Loaded(0, 2), atFirst);
  EXPECT_EQ(Loaded(1, 2), later);
  EXPECT_EQ(Loaded(1, 0), Loaded(0, 0)) << "other services ignore the office";
  EXPECT_EQ(Loaded(1, 0).size(), 13u);
}

TEST(Catalogue, ComputedTransactions) {
  const struct {
    int service, transaction;
    bool computed;
  } rows[] = {{0, 0, true},  {0, 8, true},  {0, 9, false}, {0, 12, false}, {0, -1, false},
              {1, 0, true},  {1, 2, true},  {1, 3, false}, {2, 0, false},  {3, 0, false},
              {4, 0, false}, {5, 0, false}, {6, 0, false}};
  for (const auto& row : rows) {
    EXPECT_EQ(IsComputedTransaction(Tariff(), {0, row.service, row.transaction, false}), row.computed)
        << "service " << row.service << " transaction " << row.transaction;
  }
}

std::string Describe(int service, int transaction, int office, int social) {
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(Tariff(), {office, service, transaction, social == 1}, text);
  return text;
}

TEST(Description, NoteFollowsTheTariffWhereItApplies) {
  const std::string note = Tariff().SocialNote;
  const struct {
    int service, transaction, office, social;
    const char* base;
    bool note;
  } rows[] = {
      {0, 0, 0, 0, TextOf(0, 0), false},
      {0, 0, 0, 1, TextOf(0, 0), false},  // office 0 never shows the note
      {0, 0, 1, 0, TextOf(0, 0), false},
      {0, 0, 1, 1, TextOf(0, 0), true},
      {0, 6, 1, 1, TextOf(0, 6), true},
      {0, 7, 1, 1, TextOf(0, 7), false},  // Anotaciones y declaratorias
      {0, 12, 1, 1, TextOf(0, 12), true},
      {1, 0, 1, 1, TextOf(1, 0), false},  // Anotación Preventiva
      {1, 1, 1, 1, TextOf(1, 1), true},
      {1, 2, 1, 1, TextOf(1, 2), true},
      {2, 0, 0, 1, TextOf(2, 0), false},
      {2, 0, 1, 0, TextOf(2, 1), false},  // list starts at Extractadas
      {2, 2, 1, 1, SocialTextOf(2, 3), false},  // sentence already inside
      {2, 3, 1, 1, SocialTextOf(2, 4), false},
      {3, 0, 1, 1, TextOf(3, 0), true},
      {3, 0, 0, 1, TextOf(3, 0), false},
      {4, 0, 1, 1, TextOf(4, 0), false},
      {5, 0, 1, 1, TextOf(5, 0), false},
  };
  for (const auto& row : rows) {
    std::string expected = std::string(row.base) + (row.note ? note : "");
    EXPECT_EQ(Describe(row.service, row.transaction, row.office, row.social), expected)
        << "service " << row.service << " transaction " << row.transaction << " office " << row.office
        << " social " << row.social;
  }
}

TEST(Description, OutsideTheCatalogueGivesAnEmptyText) {
  const int rows[][3] = {{0, 13, 0}, {0, -1, 0}, {1, 3, 0}, {2, 5, 0}, {2, 4, 1}, {3, 1, 0}, {6, 0, 0}, {-1, 0, 0}};
  for (const auto& row : rows) {
    EXPECT_EQ(Describe(row[0], row[1], row[2], 1), "") << row[0] << "/" << row[1] << "/" << row[2];
  }
}

TEST(Description, WritesNothingPastTheTerminator) {
  char text[DESCRIPTION_TEXT_SIZE];
  std::memset(text, '#', sizeof text);
  ComposeDescription(Tariff(), {1, 0, 0, true}, text);  // the longest: 339 + 83 characters
  ASSERT_EQ(std::strlen(text), 422u);
  for (std::size_t i = 423; i < sizeof text; ++i) ASSERT_EQ(text[i], '#') << "byte " << i;
}

}  // namespace
}  // namespace tarivox
