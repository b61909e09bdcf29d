// CSV and JSON read back by an independent reader give the same figures as
// the quote and the comparison they were written from.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/compare_build.h"
#include "cli/export_csv.h"
#include "cli/export_json.h"
#include "cli/quote_build.h"
#include "cli/quote_money.h"
#include "readers.h"

namespace tarivox::cli {
namespace {

using quote_test::JsonValue;

Quote SampleQuote() {
  const char* actTexts[] = {
      "KLDA:0:0=150,000 | Casa \"La Loma\", lote 3",
      "KLDA:0:1=120,000 | Hipoteca\nBanco",
      "KLDA:1:2=80,000 | Cancelaci\xC3\xB3n",
      "KLDA:4:0 | Presentaci\xC3\xB3n",
      "MVT:0:8:social=9000.01",
      "MVT:0:0:social=0",
  };
  QuoteInput input;
  input.Client = "Ref, \"2026\"/114";
  input.Date = "2026-12-06";
  long long order = 0;
  for (const char* actText : actTexts) {
    ActRequest act;
    std::string reason;
    EXPECT_TRUE(ParseActText(actText, &act, &reason)) << actText << ": " << reason;
    act.Source = "--act " + std::to_string(++order);
    input.Acts.push_back(act);
  }
  Quote quote;
  std::vector<RefusedAct> refused;
  EXPECT_TRUE(BuildQuote(input, &quote, &refused));
  return quote;
}

std::size_t Column(const std::vector<std::string>& header, const std::string& name) {
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (header[i] == name) return i;
  }
  ADD_FAILURE() << "no column " << name;
  return 0;
}

TEST(CsvField, QuotesOnlyWhatMustBeQuoted) {
  const struct {
    const char* Text;
    const char* Field;
  } rows[] = {
      {"plain", "plain"},          {"", ""},
      {"5,400.00", "\"5,400.00\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""}, {"cr\r", "\"cr\r\""},
      {"Inscripci\xC3\xB3n", "Inscripci\xC3\xB3n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text);
    EXPECT_EQ(CsvField(row.Text), row.Field);
  }
}

TEST(QuoteCsv, ReadBackGivesTheSameFiguresAndTotal) {
  Quote quote = SampleQuote();
  std::ostringstream out;
  WriteQuoteCsv(quote, out);
  std::vector<std::vector<std::string>> records;
  ASSERT_TRUE(quote_test::ReadCsv(out.str(), &records)) << out.str();
  ASSERT_EQ(records.size(), quote.Acts.size() + 2);  // header, acts, total
  const std::vector<std::string>& header = records[0];
  for (const auto& record : records) ASSERT_EQ(record.size(), header.size());
  long long sum = 0;
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) {
    SCOPED_TRACE("act " + std::to_string(i + 1));
    const QuoteEntry& entry = quote.Acts[i];
    const std::vector<std::string>& record = records[i + 1];
    EXPECT_EQ(record[Column(header, "record")], "act");
    EXPECT_EQ(record[Column(header, "act")], std::to_string(i + 1));
    EXPECT_EQ(record[Column(header, "label")], entry.Request.Label);
    EXPECT_EQ(record[Column(header, "transaction")], entry.Transaction);
    EXPECT_EQ(record[Column(header, "client")], quote.Client);
    EXPECT_EQ(record[Column(header, "computed")], entry.Figures.Computed ? "yes" : "no");
    EXPECT_EQ(record[Column(header, "fee")], entry.Figures.FeeText);
    EXPECT_EQ(record[Column(header, "amount")], entry.Figures.AmountText);
    EXPECT_EQ(record[Column(header, "rule")], entry.Figures.Rule);
    if (!entry.Figures.Computed) {
      EXPECT_EQ(record[Column(header, "fee_cents")], "");
      continue;
    }
    long long feeCents = std::stoll(record[Column(header, "fee_cents")]);
    long long fromText = -1;
    ASSERT_TRUE(ParseCentsText(record[Column(header, "fee")], &fromText));
    EXPECT_EQ(feeCents, fromText);
    EXPECT_EQ(feeCents, entry.Figures.FeeCents);
    EXPECT_EQ(std::stoll(record[Column(header, "amount_cents")]), entry.Figures.AmountCents);
    sum += feeCents;
  }
  const std::vector<std::string>& total = records.back();
  EXPECT_EQ(total[Column(header, "record")], "total");
  EXPECT_EQ(std::stoll(total[Column(header, "fee_cents")]), sum);
  EXPECT_EQ(sum, quote.TotalCents);
  EXPECT_EQ(total[Column(header, "fee")], FormatCents(sum));
}

TEST(QuoteCsv, ExcelStyleHasTheMarkTheSeparatorAndTheSameRecords) {
  Quote quote = SampleQuote();
  std::ostringstream standard, excel;
  WriteQuoteCsv(quote, standard, CSV_STANDARD);
  WriteQuoteCsv(quote, excel, CSV_EXCEL);
  const std::string mark = "\xEF\xBB\xBF";
  ASSERT_EQ(excel.str().compare(0, mark.size(), mark), 0);
  EXPECT_NE(standard.str().compare(0, mark.size(), mark), 0);
  std::vector<std::vector<std::string>> fromStandard, fromExcel;
  ASSERT_TRUE(quote_test::ReadCsv(standard.str(), &fromStandard));
  ASSERT_TRUE(quote_test::ReadCsv(excel.str().substr(mark.size()), &fromExcel, ';'));
  EXPECT_EQ(fromExcel, fromStandard);
  EXPECT_EQ(CsvField("5,400.00", ';'), "5,400.00");
  EXPECT_EQ(CsvField("a;b", ';'), "\"a;b\"");
}

TEST(JsonString, EscapesQuotesBackslashesAndControls) {
  const struct {
    const char* Text;
    const char* Json;
  } rows[] = {
      {"plain", "\"plain\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a\\b", "\"a\\\\b\""},
      {"two\nlines\t", "\"two\\u000alines\\u0009\""},
      {"Inscripci\xC3\xB3n", "\"Inscripci\xC3\xB3n\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text);
    EXPECT_EQ(JsonString(row.Text), row.Json);
    JsonValue back;
    ASSERT_TRUE(quote_test::ReadJson(JsonString(row.Text), &back));
    EXPECT_EQ(back.Text, row.Text);
  }
}

TEST(QuoteJson, ReadBackGivesTheSameFiguresAndTotal) {
  Quote quote = SampleQuote();
  std::ostringstream out;
  WriteQuoteJson(quote, out);
  JsonValue root;
  ASSERT_TRUE(quote_test::ReadJson(out.str(), &root)) << out.str();
  EXPECT_EQ(root["client"].Text, quote.Client);
  EXPECT_EQ(root["date"].Text, quote.Date);
  const JsonValue& acts = root["acts"];
  ASSERT_EQ(acts.Items.size(), quote.Acts.size());
  long long sum = 0;
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) {
    SCOPED_TRACE("act " + std::to_string(i + 1));
    const QuoteEntry& entry = quote.Acts[i];
    const JsonValue& act = acts.Items[i];
    EXPECT_EQ(act["act"].Text, std::to_string(i + 1));
    EXPECT_EQ(act["label"].Text, entry.Request.Label);
    EXPECT_EQ(act["office"].Text, entry.Office);
    EXPECT_EQ(act["service"].Text, entry.Service);
    EXPECT_EQ(act["transaction"].Text, entry.Transaction);
    EXPECT_EQ(act["social_interest"].Flag, entry.Request.Social);
    EXPECT_EQ(act["computed"].Flag, entry.Figures.Computed);
    EXPECT_EQ(act["rule"].Text, entry.Figures.Rule);
    EXPECT_EQ(act["note"].Text, std::to_string(entry.Note));
    if (!entry.Figures.Computed) {
      EXPECT_EQ(act["fee"].Type, JsonValue::Null);
      EXPECT_EQ(act["fee_cents"].Type, JsonValue::Null);
      EXPECT_EQ(act["shown_fee"].Text, entry.Figures.ShownFee);
      continue;
    }
    EXPECT_EQ(act["amount_typed"].Text, entry.Request.TypedAmount);
    EXPECT_EQ(act["amount"].Text, entry.Figures.AmountText);
    EXPECT_EQ(act["fee"].Text, entry.Figures.FeeText);
    long long fromText = -1;
    ASSERT_TRUE(ParseCentsText(act["fee"].Text, &fromText));
    EXPECT_EQ(std::stoll(act["fee_cents"].Text), fromText);
    EXPECT_EQ(std::stoll(act["amount_cents"].Text), entry.Figures.AmountCents);
    sum += fromText;
  }
  const JsonValue& total = root["total"];
  EXPECT_EQ(std::stoll(total["fee_cents"].Text), sum);
  EXPECT_EQ(total["fee"].Text, FormatCents(sum));
  EXPECT_EQ(total["computed_acts"].Text, "5");
  EXPECT_EQ(total["not_computed_acts"].Text, "1");
  EXPECT_FALSE(total["complete"].Flag);
  ASSERT_EQ(root["notes"].Items.size(), quote.Notes.size());
  EXPECT_EQ(root["notes"].Items[0]["text"].Text, quote.Notes[0].Text);
}

TEST(QuoteJson, AbsentClientAndLabelAreNull) {
  QuoteInput input;
  ActRequest act;
  std::string reason;
  ASSERT_TRUE(ParseActText("KLDA:0:0=1000", &act, &reason)) << reason;
  input.Acts.push_back(act);
  Quote quote;
  std::vector<RefusedAct> refused;
  ASSERT_TRUE(BuildQuote(input, &quote, &refused));
  std::ostringstream out;
  WriteQuoteJson(quote, out);
  JsonValue root;
  ASSERT_TRUE(quote_test::ReadJson(out.str(), &root)) << out.str();
  EXPECT_TRUE(root.Has("client"));
  EXPECT_EQ(root["client"].Type, JsonValue::Null);
  EXPECT_EQ(root["date"].Type, JsonValue::Null);
  EXPECT_EQ(root["acts"].Items[0]["label"].Type, JsonValue::Null);
  EXPECT_TRUE(root["total"]["complete"].Flag);
}

Comparison SampleComparison(int office, bool social, const char* typed) {
  CalcOptions reference;
  reference.Office = office;
  reference.Social = social;
  Comparison comparison;
  std::string reason;
  EXPECT_TRUE(BuildComparison(reference, typed, &comparison, &reason)) << reason;
  return comparison;
}

TEST(ComparisonCsvAndJson, ReadBackGiveTheSameFiguresAndDifferences) {
  Comparison comparison = SampleComparison(1, true, "9000");
  std::ostringstream csv, json;
  WriteComparisonCsv(comparison, csv);
  WriteComparisonJson(comparison, json);
  std::vector<std::vector<std::string>> records;
  ASSERT_TRUE(quote_test::ReadCsv(csv.str(), &records)) << csv.str();
  JsonValue root;
  ASSERT_TRUE(quote_test::ReadJson(json.str(), &root)) << json.str();
  ASSERT_EQ(records.size(), 4u);
  ASSERT_EQ(root["variants"].Items.size(), 3u);
  const std::vector<std::string>& header = records[0];
  const char* fees[] = {"14.40", "56.70", "56.70"};
  const char* differences[] = {"0.00", "+42.30", "+42.30"};
  const char* differenceCents[] = {"0", "4230", "4230"};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("variant " + std::to_string(i + 1));
    const std::vector<std::string>& record = records[i + 1];
    const JsonValue& variant = root["variants"].Items[i];
    EXPECT_EQ(record[Column(header, "fee")], fees[i]);
    EXPECT_EQ(variant["fee"].Text, fees[i]);
    EXPECT_EQ(record[Column(header, "difference")], differences[i]);
    EXPECT_EQ(variant["difference"].Text, differences[i]);
    EXPECT_EQ(record[Column(header, "difference_cents")], differenceCents[i]);
    EXPECT_EQ(variant["difference_cents"].Text, differenceCents[i]);
    EXPECT_EQ(record[Column(header, "variant")], variant["variant"].Text);
    EXPECT_EQ(record[Column(header, "amount_cents")], "900000");
  }
  EXPECT_EQ(root["variants"].Items[0]["variant"].Text, "MVT social interest");
  EXPECT_EQ(root["amount_typed"].Text, "9000");
}

}  // namespace
}  // namespace tarivox::cli
