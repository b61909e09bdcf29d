// Reading acts: the act syntax, names and positions, the amount checks and
// quote files with their line numbers.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/quote_input.h"

namespace tarivox::cli {
namespace {

struct ActRow {
  const char* ActText;
  int Office;
  int Service;
  int Transaction;
  bool Social;
  bool HasAmount;
  const char* Typed;
  const char* Label;
};

TEST(ParseActText, ReadsNamesPositionsProjectAmountAndLabel) {
  const ActRow rows[] = {
      {"KLDA:0:0=25,000", 0, 0, 0, false, true, "25,000", ""},
      {"mvt:inscripcion:creditos:social=9000.01 | Cr\xC3\xA9" "dito agr\xC3\xAD" "cola", 1, 0, 8, true,
       true, "9000.01", "Cr\xC3\xA9" "dito agr\xC3\xAD" "cola"},
      {" 1 : 1 : 2 : normal = 100 ", 1, 1, 2, false, true, "100", ""},
      {"KLDA:Cancelaci\xC3\xB3n total:otras=80,000|Casa \"La Loma\", lote 3", 0, 1, 2, false, true,
       "80,000", "Casa \"La Loma\", lote 3"},
      {"KLDA:4:0", 0, 4, 0, false, false, "", ""},
      {"KLDA:presentacion:0 | Presentaci\xC3\xB3n", 0, 4, 0, false, false, "",
       "Presentaci\xC3\xB3n"},
      // At MVT the certification list starts at "Extractadas".
      {"MVT:certificacion:0", 1, 2, 0, false, false, "", ""},
      {"MVT:certificacion:extractadas:social", 1, 2, 0, true, false, "", ""},
      {"KLDA:0:6=0", 0, 0, 6, false, true, "0", ""},
  };
  for (const ActRow& row : rows) {
    SCOPED_TRACE(row.ActText);
    ActRequest act;
    std::string reason;
    ASSERT_TRUE(ParseActText(row.ActText, &act, &reason)) << reason;
    EXPECT_EQ(act.Office, row.Office);
    EXPECT_EQ(act.Service, row.Service);
    EXPECT_EQ(act.Transaction, row.Transaction);
    EXPECT_EQ(act.Social, row.Social);
    EXPECT_EQ(act.HasAmount, row.HasAmount);
    EXPECT_EQ(act.TypedAmount, row.Typed);
    EXPECT_EQ(act.Label, row.Label);
  }
}

struct RefusedRow {
  const char* ActText;
  const char* Reason;
};

TEST(ParseActText, RefusesMalformedActsAndSaysWhy) {
  const RefusedRow rows[] = {
      {"KLDA:0", "an act is OFFICE:SERVICE:TRANSACTION"},
      {"KLDA:0:0:social:x=1", "an act is OFFICE:SERVICE:TRANSACTION"},
      {"", "an act is OFFICE:SERVICE:TRANSACTION"},
      {"XYZ:0:0=1", "unknown office \"XYZ\""},
      {"KLDA:9:0=1", "no service at position 9"},
      {"KLDA:0:13=1", "no transaction at position 13"},
      {"MVT:certificacion:literales", "unknown transaction \"literales\""},
      {"KLDA:0:0:maybe=1", "neither \"social\" nor \"normal\""},
      {"KLDA:0:0:social=1", "only at office MVT"},
      {"KLDA:0:0", "no amount given"},
      {"KLDA:0:0 | label", "no amount given"},
      {"KLDA:4:0=100", "has no computed fee, so it takes no amount"},
      {"KLDA:0:9=100", "has no computed fee, so it takes no amount"},
  };
  for (const RefusedRow& row : rows) {
    SCOPED_TRACE(row.ActText);
    ActRequest act;
    std::string reason;
    EXPECT_FALSE(ParseActText(row.ActText, &act, &reason));
    EXPECT_NE(reason.find(row.Reason), std::string::npos) << reason;
  }
}

TEST(CheckTypedAmount, AcceptsNumbersTheWindowReadsWhole) {
  const char* accepted[] = {"25000", "25,000", "1,234,567.89", "999,999.5", "+5", ".5", "5.",
                            "1e3", "1D3", "1E+3", "0", "0.004", "007"};
  for (const char* typed : accepted) {
    SCOPED_TRACE(typed);
    std::string reason;
    EXPECT_TRUE(CheckTypedAmount(typed, &reason)) << reason;
  }
}

TEST(CheckTypedAmount, RefusesWhatTheWindowWouldMisread) {
  const RefusedRow rows[] = {
      {"", "no amount given"},
      {"-5", "is negative"},
      {"abc", "is not a number"},
      {"12 000", "is not a number"},
      {"1.2.3", "is not a number"},
      {"$100", "is not a number"},
      {"1e", "is not a number"},
      {"1+5", "is not a number"},
      {"0x1A", "is not a number"},
      {"inf", "is not a number"},
      {".", "is not a number"},
      {"1.234,56", "commas must separate thousands"},
      {"1234,56", "commas must separate thousands"},
      {"12,34", "commas must separate thousands"},
      {",100", "commas must separate thousands"},
      {"1,0000", "commas must separate thousands"},
      {"1000,000", "commas must separate thousands"},
      {"1,,000", "commas must separate thousands"},
      {"1,000.5,0", "commas must separate thousands"},
  };
  for (const RefusedRow& row : rows) {
    SCOPED_TRACE(row.ActText);
    std::string reason;
    EXPECT_FALSE(CheckTypedAmount(row.ActText, &reason));
    EXPECT_NE(reason.find(row.Reason), std::string::npos) << reason;
  }
  std::string reason;
  EXPECT_TRUE(CheckTypedAmount(std::string(127, '1'), &reason)) << reason;
  EXPECT_FALSE(CheckTypedAmount(std::string(128, '1'), &reason));
  EXPECT_NE(reason.find("longer than the 127 characters"), std::string::npos) << reason;
}

TEST(ReadQuoteLines, KeepsLineNumbersHeadersAndOrder) {
  std::istringstream in(
      "# quote for the Loma sale\n"
      "client: Ref 2026/114\n"
      "Date: 6 de diciembre de 2026\n"
      "\n"
      "KLDA:0:0=150,000 | Compraventa\n"
      "KLDA:0:99=1\n"
      "KLDA:inscripci\xF3n:1=120,000\r\n"
      "client: another\n"
      "   # indented comment\n"
      "MVT:4:0");
  QuoteInput input;
  ReadQuoteLines(in, 100, &input);
  EXPECT_EQ(input.Client, "Ref 2026/114");
  EXPECT_EQ(input.Date, "6 de diciembre de 2026");
  ASSERT_EQ(input.Acts.size(), 3u);
  EXPECT_EQ(input.Acts[0].Source, "line 5");
  EXPECT_EQ(input.Acts[0].Order, 105);
  EXPECT_EQ(input.Acts[0].Label, "Compraventa");
  EXPECT_EQ(input.Acts[1].Source, "line 7");
  EXPECT_EQ(input.Acts[1].Service, 0);  // the code page 1252 name was understood
  EXPECT_EQ(input.Acts[1].TypedAmount, "120,000");  // no CR left behind
  EXPECT_EQ(input.Acts[2].Source, "line 10");
  ASSERT_EQ(input.Refused.size(), 2u);
  EXPECT_EQ(input.Refused[0].Source, "line 6");
  EXPECT_NE(input.Refused[0].Reason.find("position 99"), std::string::npos);
  EXPECT_EQ(input.Refused[1].Source, "line 8");
  EXPECT_NE(input.Refused[1].Reason.find("given twice"), std::string::npos);
}

TEST(AsUtf8, KeepsUtf8AndConvertsCodePage1252) {
  EXPECT_EQ(AsUtf8("Inscripci\xC3\xB3n"), "Inscripci\xC3\xB3n");
  EXPECT_EQ(AsUtf8("Inscripci\xF3n"), "Inscripci\xC3\xB3n");
  EXPECT_EQ(AsUtf8("plain"), "plain");
  EXPECT_FALSE(IsValidUtf8("\xC3"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_TRUE(IsValidUtf8("\xE2\x80\x94"));
}

}  // namespace
}  // namespace tarivox::cli
