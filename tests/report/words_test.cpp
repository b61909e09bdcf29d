// The words a person reads: the message table in both languages, and the
// amount in words that closes a quote.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <fstream>
#include <set>
#include <string>

#include "report/in_words.h"
#include "report/messages.h"

namespace tarivox::report {
namespace {

TEST(AmountInWords, BoundariesOfEveryScale) {
  const struct {
    long long cents;
    const char* spanish;
    const char* english;
  } rows[] = {
      {1, "cero dólares con 01/100", "zero dollars and 01/100"},
      {100, "un dólar con 00/100", "one dollar and 00/100"},
      {2100, "veintiún dólares con 00/100", "twenty-one dollars and 00/100"},
      {10000, "cien dólares con 00/100", "one hundred dollars and 00/100"},
      {10100, "ciento un dólares con 00/100", "one hundred one dollars and 00/100"},
      {100000, "mil dólares con 00/100", "one thousand dollars and 00/100"},
      {2100000, "veintiún mil dólares con 00/100", "twenty-one thousand dollars and 00/100"},
      {150221, "mil quinientos dos dólares con 21/100", "one thousand five hundred two dollars and 21/100"},
      {100000000, "un millón de dólares con 00/100", "one million dollars and 00/100"},
      {100000100, "un millón un dólares con 00/100", "one million one dollars and 00/100"},
      {150000000000, "mil quinientos millones de dólares con 00/100",
       "one billion five hundred million dollars and 00/100"},
      {100000000000000, "un billón de dólares con 00/100", "one trillion dollars and 00/100"},
      {LLONG_MAX,
       "noventa y dos mil doscientos treinta y tres billones setecientos veinte mil trescientos sesenta y ocho "
       "millones quinientos cuarenta y siete mil setecientos cincuenta y ocho dólares con 07/100",
       "ninety-two quadrillion two hundred thirty-three trillion seven hundred twenty billion three hundred "
       "sixty-eight million five hundred forty-seven thousand seven hundred fifty-eight dollars and 07/100"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(AmountInWords(Language::Spanish, row.cents), row.spanish) << row.cents;
    EXPECT_EQ(AmountInWords(Language::English, row.cents), row.english) << row.cents;
  }
}

// The page finds a message by its key, so no two share one. (That both
// languages place every argument is checked when the table is compiled.)
TEST(MessageTable, KeysAreUnique) {
  std::set<std::string_view> keys;
  for (int id = 0; id < MESSAGE_COUNT; ++id) EXPECT_TRUE(keys.insert(MessageKey(id)).second) << MessageKey(id);
}

// The words of a dictionary file, one a line, in lower case.
std::set<std::string> Dictionary(const char* path) {
  std::ifstream file(path);
  std::set<std::string> words;
  std::string word;
  while (std::getline(file, word)) {
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    words.insert(word);
  }
  return words;
}

// Names of the tool, its options and formats, which a Spanish text quotes
// rather than translates, and Spanish words that English spells alike.
const std::set<std::string> kQuoted = {"tarivox-cli", "csv", "csv-excel", "json", "lf", "cr", "tab", "rfc", "us",
                                       "es", "en", "pos", "calc", "list", "batch", "quote", "compare", "text",
                                       "help", "act", "file", "client", "date", "format", "lang", "explain",
                                       "office", "service", "transaction", "n", "bytes", "son", "hay", "da",
                                       "lee", "comas", "miles", "tildes", "reduce", "excel", "control",
                                       "tariff", "check", "install", "export", "sheet", "lot", "or", "parcel",
                                       "owner", "in_force_from", "force", "from", "reproduce", "value", "number",
                                       "firm", "verify", "windows", "preparer", "valid-days", "decide", "va",
                                       "dice", "xlsx"};

// No word of a Spanish text is English (Debian's wamerican) unless Spanish
// has it too (wspanish, which lists words in their plain form: it holds
// "hoja" but not "hojas", and so cannot judge a word on its own).
TEST(MessageTable, SpanishTextsHoldNoEnglishWord) {
  const std::set<std::string> spanish = Dictionary("/usr/share/dict/spanish");
  const std::set<std::string> english = Dictionary("/usr/share/dict/american-english");
  ASSERT_GT(spanish.size(), 10000u) << "install wspanish";
  ASSERT_GT(english.size(), 10000u) << "install wamerican";
  for (int id = 0; id < MESSAGE_COUNT; ++id) {
    std::string_view text = MessageText(Language::Spanish, id);
    std::string word;
    auto judge = [&] {
      while (!word.empty() && word.back() == '-') word.pop_back();
      if (english.contains(word) && !spanish.contains(word) && !kQuoted.contains(word)) {
        ADD_FAILURE() << MessageKey(id) << ": «" << word << "»";
      }
      word.clear();
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
      auto c = static_cast<unsigned char>(text[at]);
      if (c == '{' && at + 2 < text.size() && text[at + 2] == '}') {
        at += 2;
        judge();
      } else if (c == 0xC3 && at + 1 < text.size()) {  // a letter with an accent: part of a word
        word += text.substr(at, 2);
        ++at;
      } else if (std::isalpha(c) || (c == '-' && !word.empty())) {
        word += static_cast<char>(std::tolower(c));
      } else {
        judge();
      }
    }
    judge();
  }
}

}  // namespace
}  // namespace tarivox::report
