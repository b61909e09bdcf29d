// The catalogue's texts are code page 1252 bytes and its lists load as the
// window shows them; the description panel's text follows the note rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalogue/catalogue.h"
#include "fees/fee_engine.h"
#include "catalogue/description.h"

namespace tarivox {
namespace {

TEST(Catalogue, TextsAreCodePage1252AsWritten) {
  // One byte per accented letter; names that differ only by an accent or a
  // plural; sentences joined without a blank stay joined.
  const struct {
    const char* text;
    const char* expected;
  } rows[] = {
      {ServiceNames[0], "Inscripci\xF3n"},
      {InscriptionTransactions[1], "Grav\xE1menes"},
      {InscriptionTransactions[8], "Cr\xE9" "ditos a la Producci\xF3n"},
      {CancellationTransactions[1], "Cr\xE9" "dito a la Producci\xF3n"},
      {InscriptionTransactions[4], "Titulos supletorios"},
      {ReportTransactions[0], "Indice de propietarios"},
      {std::strstr(InscriptionTexts[0], "dominio.Usufructos"), "dominio.Usufructos, Arrendamientos"},
      {std::strstr(CancellationTexts[2], "dominio.Hipotecas"), "dominio.Hipotecas, Hipotecas abiertas"},
      {std::strstr(CertificationSocialTexts[2], "50-A.Por"), "50-A.Por ser proyecto"},
  };
  for (const auto& row : rows) {
    ASSERT_NE(row.text, nullptr) << row.expected;
    EXPECT_EQ(std::strncmp(row.text, row.expected, std::strlen(row.expected)), 0) << row.expected;
  }
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    TextList list = ServiceTransactions(service);
    for (int i = 0; i < list.Count; ++i) {
      EXPECT_EQ(std::strchr(list.Items[i], '\xC3'), nullptr) << "UTF-8 in service " << service << " item " << i;
    }
  }
}

TEST(Catalogue, ListCounts) {
  const struct {
    int service;
    int count;
  } rows[] = {{0, 13}, {1, 3}, {2, 5}, {3, 1}, {4, 1}, {5, 1}, {6, 0}, {-1, 0}};
  for (const auto& row : rows) {
    EXPECT_EQ(ServiceTransactions(row.service).Count, row.count) << "service " << row.service;
  }
}

TEST(Catalogue, CertificationAtTheSecondOfficeStartsAtExtractadas) {
  TextList atFirst = LoadedTransactions({0, SERVICE_CERTIFICATION, 0, false});
  TextList atSecond = LoadedTransactions({1, SERVICE_CERTIFICATION, 0, false});
  ASSERT_EQ(atFirst.Count, 5);
  ASSERT_EQ(atSecond.Count, 4);
  EXPECT_STREQ(atFirst.Items[0], "Literales");
  const char* expected[] = {"Extractadas", "Otras certificaciones", "Carencia de bienes",
                            "Plano de lotificaci\xF3n"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(atSecond.Items[i], expected[i]) << "position " << i;
    EXPECT_STREQ(atFirst.Items[i + 1], expected[i]) << "position " << i + 1;
  }
  EXPECT_EQ(LoadedTransactions({1, SERVICE_INSCRIPTION, 0, false}).Count, 13) << "other services ignore the office";
}

TEST(Catalogue, ComputedTransactions) {
  const struct {
    int service, transaction;
    bool computed;
  } rows[] = {{0, 0, true},  {0, 8, true},  {0, 9, false}, {0, 12, false}, {0, -1, false},
              {1, 0, true},  {1, 2, true},  {1, 3, false}, {2, 0, false},  {3, 0, false},
              {4, 0, false}, {5, 0, false}, {6, 0, false}};
  for (const auto& row : rows) {
    EXPECT_EQ(IsComputedTransaction({0, row.service, row.transaction, false}), row.computed)
        << "service " << row.service << " transaction " << row.transaction;
  }
}

std::string Describe(int service, int transaction, int office, int social) {
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription({office, service, transaction, social == 1}, text);
  return text;
}

TEST(Description, NoteFollowsTheTariffWhereItApplies) {
  const std::string note = SocialInterestNote;
  const struct {
    int service, transaction, office, social;
    const char* base;
    bool note;
  } rows[] = {
      {0, 0, 0, 0, InscriptionTexts[0], false},
      {0, 0, 0, 1, InscriptionTexts[0], false},  // office 0 never shows the note
      {0, 0, 1, 0, InscriptionTexts[0], false},
      {0, 0, 1, 1, InscriptionTexts[0], true},
      {0, 6, 1, 1, InscriptionTexts[6], true},
      {0, 7, 1, 1, InscriptionTexts[7], false},  // Anotaciones y declaratorias
      {0, 12, 1, 1, InscriptionTexts[12], true},
      {1, 0, 1, 1, CancellationTexts[0], false},  // Anotación Preventiva
      {1, 1, 1, 1, CancellationTexts[1], true},
      {1, 2, 1, 1, CancellationTexts[2], true},
      {2, 0, 0, 1, CertificationTexts[0], false},
      {2, 0, 1, 0, CertificationTexts[1], false},  // list starts at Extractadas
      {2, 2, 1, 1, CertificationSocialTexts[2], false},  // sentence already inside
      {2, 3, 1, 1, CertificationSocialTexts[3], false},
      {3, 0, 1, 1, ReportText, true},
      {3, 0, 0, 1, ReportText, false},
      {4, 0, 1, 1, PresentationText, false},
      {5, 0, 1, 1, SubstitutionText, false},
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
  ComposeDescription({1, 0, 0, true}, text);  // the longest: 339 + 83 characters
  ASSERT_EQ(std::strlen(text), 422u);
  for (std::size_t i = 423; i < sizeof text; ++i) ASSERT_EQ(text[i], '#') << "byte " << i;
}

}  // namespace
}  // namespace tarivox
