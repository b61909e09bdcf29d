// The catalogue's names and texts as a client reads them: Spanish as it is
// written, checked word by word against Debian's Spanish dictionary
// (hunspell-es, as El Salvador writes it), and the table of written forms
// holding no row that no longer applies.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "catalogue/code_page.h"
#include "report/selection.h"
#include "report/written_forms.h"

namespace tarivox::report {
namespace {

// Every name and tariff text a report can show, for every selection.
std::vector<std::string> ClientTexts(const Edition& edition) {
  std::vector<std::string> texts;
  for (int office = 0; office < edition.OfficeCount; ++office) {
    texts.push_back(OfficeName(edition, office));
    for (int service = 0; service < edition.ServiceCount; ++service) {
      texts.push_back(ServiceName(edition, service));
      for (int position = 0; position < edition.Services[service].LoadedCount[office]; ++position) {
        for (bool social : {false, true}) {
          const Selection what{office, service, position, social};
          texts.push_back(TransactionName(edition, what));
          texts.push_back(TariffText(edition, what));
        }
      }
    }
  }
  return texts;
}

TEST(WrittenForms, SentencesAreJoinedWithABlank) {
  // A full stop followed at once by a capital: "dominio.Usufructos".
  const std::regex joined("[a-záéíóúñ0-9)]\\.[A-ZÁÉÍÓÚÑ]");
  for (const std::string& text : ClientTexts(BuiltInEdition())) EXPECT_FALSE(std::regex_search(text, joined)) << text;
}

// Words Spanish has that the dictionary lacks: the official names of the
// offices, a plural of the legal "dación en pago", and the word El
// Salvador's law uses for dividing land into lots.
const std::set<std::string> kKnownWords = {"KLDA", "MVT", "daciones", "lotificación"};

TEST(WrittenForms, EveryWordIsSpanish) {
#ifdef _WIN32
  GTEST_SKIP() << "hunspell is checked natively";
#else
  const std::string words = ::testing::TempDir() + "written_forms_words.txt";
  {
    std::ofstream out(words);
    for (const std::string& text : ClientTexts(BuiltInEdition())) out << text << "\n";
  }
  FILE* pipe = popen(("hunspell -d es_SV -l < " + words).c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> unknown;
  char line[256];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string word(line);
    if (!word.empty() && word.back() == '\n') word.pop_back();
    if (!kKnownWords.contains(word)) unknown.insert(word);
  }
  ASSERT_EQ(pclose(pipe), 0) << "install hunspell and hunspell-es";
  std::string listed;
  for (const std::string& word : unknown) listed += " «" + word + "»";
  EXPECT_TRUE(unknown.empty()) << "not in the dictionary:" << listed;
#endif
}

// Each row of the table changes a text the edition holds: a row whose text
// the edition no longer has would leave a client text unwritten unnoticed.
TEST(WrittenForms, EveryRowChangesAHeldText) {
  const Edition& edition = BuiltInEdition();
  std::set<std::string> changed;
  const auto held = [&changed](const char* text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    if (WrittenForm(utf8) != utf8) changed.insert(utf8);
  };
  held(edition.SocialNote);
  for (int office = 0; office < edition.OfficeCount; ++office) held(edition.Offices[office].Name);
  for (int service = 0; service < edition.ServiceCount; ++service) {
    const ServiceEntry& entry = edition.Services[service];
    held(entry.Name);
    for (int i = 0; i < entry.TransactionCount; ++i) {
      held(entry.Transactions[i].Name);
      held(entry.Transactions[i].Text);
      if (entry.Transactions[i].HasSocial) held(entry.Transactions[i].SocialText);
    }
  }
  std::ifstream table(TARIVOX_WRITTEN_FORMS);
  ASSERT_TRUE(table) << TARIVOX_WRITTEN_FORMS;
  int rows = 0;
  for (std::string line; std::getline(table, line);) rows += !line.empty() && line[0] != '#';
  EXPECT_EQ(static_cast<int>(changed.size()), rows);
}

}  // namespace
}  // namespace tarivox::report
