// The page's quote sealed in two calls: the code read from the digests the
// browser hands back, and never set on content it is not the digest of.
#include "report/sealing.h"

#include <gtest/gtest.h>

#include <string>

#include "report/kept_quote.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

JsonNode Parsed(const std::string& text) {
  JsonNode node;
  JsonError error;
  EXPECT_TRUE(ParseJson(text, &node, &error)) << text;
  return node;
}

// A page with one act open, 25,000.00 at the first office.
PageQuote OneActQuote(const TariffBook& book) {
  PageQuote page;
  std::string answer;
  const JsonNode request = Parsed(
      R"({"acts": [{"office": 0, "service": 0, "transaction": 0, "social": false, "typed": "25,000"}],
          "date": "2026-12-07"})");
  EXPECT_EQ(OpenKeptQuote(Language::Spanish, *book.InForceOn({2026, 12, 7}), request, {2026, 12, 7}, &page.Open,
                          &answer),
            PageStep::Done);
  return page;
}

// The digests request: the content's hex, and each line's the same.
std::string Digests(const std::string& hex, std::size_t lines) {
  std::string json = R"({"content": ")" + hex + R"(", "lines": [)";
  for (std::size_t i = 0; i < lines; ++i) json += (i > 0 ? ", \"" : "\"") + hex + "\"";
  return json + "]}";
}

std::size_t LineCount(const std::string& sealContentAnswer) { return Parsed(sealContentAnswer).Find("lines")->Items.size(); }

TEST(Sealing, TheCodeIsReadFromTheDigestAsWritten) {
  // Expected codes from Python's own reading of the same hex.
  const struct {
    const char* Row;
    std::string Hex;
    const char* Code;  // null: the digests are refused
  } rows[] = {
      {"zeros", std::string(64, '0'), "0000-0000-0000"},
      {"lower f", std::string(64, 'f'), "ZZZZ-ZZZZ-ZZZZ"},
      {"upper F", std::string(64, 'F'), "ZZZZ-ZZZZ-ZZZZ"},
      {"nines", std::string(64, '9'), "K6CS-K6CS-K6CS"},
      {"lower a", std::string(64, 'a'), "NANA-NANA-NANA"},
      {"upper A", std::string(64, 'A'), "NANA-NANA-NANA"},
      {"every digit", "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef", "04HM-ASW9-NF6Y"},
      {"g", "g" + std::string(63, '0'), nullptr},
      {"G", "G" + std::string(63, '0'), nullptr},
      {"slash", "/" + std::string(63, '0'), nullptr},
      {"colon", std::string(63, '0') + ":", nullptr},
      {"at", "@" + std::string(63, '0'), nullptr},
      {"back-quote", "`" + std::string(63, '0'), nullptr},
      {"63 digits", std::string(63, '0'), nullptr},
      {"65 digits", std::string(65, '0'), nullptr},
  };
  const TariffBook book;
  for (const auto& row : rows) {
    PageQuote page = OneActQuote(book);
    std::string answer;
    ASSERT_EQ(BeginSeal(Parsed("{}"), book, &page, &answer), PageStep::Done) << row.Row;
    const std::size_t lines = LineCount(answer);
    const PageStep step = FinishSeal(Language::Spanish, Parsed(Digests(row.Hex, lines)), &page, &answer);
    if (row.Code == nullptr) {
      EXPECT_EQ(step, PageStep::NotUnderstood) << row.Row;
      EXPECT_FALSE(page.Open.Sealed.IsSet()) << row.Row;
      continue;
    }
    ASSERT_EQ(step, PageStep::Done) << row.Row << ": " << answer;
    EXPECT_EQ(page.Open.Sealed.Code, row.Code) << row.Row;
    // One line's digest short: refused as well.
    ASSERT_EQ(BeginSeal(Parsed("{}"), book, &page, &answer), PageStep::Done) << row.Row;
    EXPECT_EQ(FinishSeal(Language::Spanish, Parsed(Digests(row.Hex, lines - 1)), &page, &answer),
              PageStep::NotUnderstood)
        << row.Row;
  }
}

// Between the content given out and its digests coming back, the quote
// may change (an act added, a heading typed): the digests are then of
// something else, and no export may carry them.
TEST(Sealing, AQuoteChangedSinceItsContentIsNotSealed) {
  const TariffBook book;
  const std::string zeros(64, '0');
  const std::string act = R"({"act": {"office": 0, "service": 0, "transaction": 0, "social": false, "typed": "5"}})";
  const struct {
    const char* Row;
    bool AddAct;
    const char* Heading;  // given again before the digests come back
  } rows[] = {
      {"unchanged", false, nullptr},
      {"an act added", true, nullptr},
      {"the client typed", false, R"({"client": "Otro"})"},
  };
  for (const auto& row : rows) {
    PageQuote page = OneActQuote(book);
    std::string answer, reason;
    EXPECT_FALSE(ReadyForExport(Language::Spanish, &page, &reason)) << row.Row;
    EXPECT_EQ(reason, Text(Language::Spanish, MSG_PAGE_NOT_SEALED)) << row.Row;
    ASSERT_EQ(BeginSeal(Parsed("{}"), book, &page, &answer), PageStep::Done) << row.Row;
    const std::size_t lines = LineCount(answer);
    if (row.AddAct) {
      ASSERT_EQ(AddKeptAct(Language::Spanish, Parsed(act), &page.Open, &answer), PageStep::Done) << row.Row;
    }
    if (row.Heading != nullptr) SetKeptHeading(Parsed(row.Heading), book, &page.Open);
    const PageStep step = FinishSeal(Language::Spanish, Parsed(Digests(zeros, lines)), &page, &answer);
    const bool changed = row.AddAct || row.Heading != nullptr;
    EXPECT_EQ(step, changed ? PageStep::Refused : PageStep::Done) << row.Row << ": " << answer;
    EXPECT_EQ(ReadyForExport(Language::Spanish, &page, &reason), !changed) << row.Row;
    if (!changed) {
      EXPECT_EQ(page.Open.Acts[0].Source, 1) << row.Row;  // numbered as the tool's first --act
    }
  }
}

}  // namespace
}  // namespace tarivox::report
