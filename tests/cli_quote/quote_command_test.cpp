// tarivox-cli quote and compare as commands: exit statuses, what goes to
// standard output and standard error, refused acts, usage errors.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "readers.h"

namespace tarivox::cli {
namespace {

using quote_test::JsonValue;

struct CommandRun {
  int Status;
  std::string Out;
  std::string Err;
};

CommandRun RunCommand(int (*command)(int, char**, CommandStreams), std::vector<std::string> arguments,
               const std::string& input = "") {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  std::istringstream in(input);
  std::ostringstream out, err;
  int status = command(static_cast<int>(argv.size()), argv.data(), CommandStreams{in, out, err});
  return {status, out.str(), err.str()};
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(QuoteCommand, WritesTheTableTheTotalAndTheNotes) {
  CommandRun run = RunCommand(RunQuote, {"--client", "Ref 7", "--act", "MVT:0:8:social=0.01|uno",
                                  "--act", "MVT:1:1:social=9000.01", "--act=KLDA:0:0=857100.01"});
  ASSERT_EQ(run.Status, EXIT_OK) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_TRUE(Contains(run.Out, "Client: Ref 7\n"));
  EXPECT_TRUE(Contains(run.Out, "Total US$: 5,401.83\n")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "Tariff texts\n[1] Inscripci\xC3\xB3n \xE2\x80\x94 Cr\xC3\xA9"))
      << run.Out;
}

TEST(QuoteCommand, SaysWhichActsAreLeftOutOfTheTotal) {
  CommandRun run = RunCommand(RunQuote, {"--act", "KLDA:0:0=25000", "--act", "KLDA:4:0", "--act",
                                  "KLDA:2:0"});
  ASSERT_EQ(run.Status, EXIT_OK) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "Total of the 1 computed act US$: 157.50\n")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "act 2: Presentaci\xC3\xB3n \xE2\x80\x94 Nueva Presentaci\xC3\xB3n, "
                                "the calculator shows the fixed fee 8.86\n"))
      << run.Out;
  EXPECT_TRUE(Contains(run.Out, "act 3: Certificaci\xC3\xB3n \xE2\x80\x94 Literales, fee by the "
                                "tariff text, note [3]\n"))
      << run.Out;
}

struct RefusedRun {
  const char* Name;
  std::vector<std::string> Arguments;
  std::string Input;
  std::vector<std::string> Messages;  // each on standard error, in this order
};

TEST(QuoteCommand, RefusedActsAreNamedAndNothingIsWritten) {
  const RefusedRun rows[] = {
      {"argument act",
       {"--act", "KLDA:0:0=1000", "--act", "KLDA:0:0=1.234,56"},
       "",
       {"tarivox-cli quote: --act 2: in the amount \"1.234,56\" commas must separate thousands"}},
      {"file lines, in line order",
       {"--file", "-"},
       "client: X\nKLDA:0:0=1000\nKLDA:0:0=abc\nKLDA:0:0=1E999\nKLDA:zz:0=1\n",
       {"line 3: the amount \"abc\" is not a number", "line 4: the amount \"1E999\" is too large",
        "line 5: unknown service \"zz\""}},
      {"standard input without --file",
       {},
       "KLDA:0:0=1000\n\nKLDA:4:0=5\n",
       {"line 3: \"Nueva Presentaci\xC3\xB3n\" has no computed fee, so it takes no amount"}},
      {"arguments before file lines",
       {"--act", "KLDA:0:0:social=1", "--file", "-"},
       "KLDA:0:0=-5\n",
       {"--act 1: the social-interest option exists only at office MVT",
        "line 1: the amount \"-5\" is negative"}},
  };
  for (const RefusedRun& row : rows) {
    SCOPED_TRACE(row.Name);
    for (const char* format : {"text", "csv", "json"}) {
      SCOPED_TRACE(format);
      std::vector<std::string> arguments = row.Arguments;
      arguments.insert(arguments.end(), {"--format", format});
      CommandRun run = RunCommand(RunQuote, arguments, row.Input);
      EXPECT_EQ(run.Status, EXIT_REFUSED);
      EXPECT_EQ(run.Out, "");
      std::size_t at = 0;
      for (const std::string& message : row.Messages) {
        std::size_t found = run.Err.find(message, at);
        EXPECT_NE(found, std::string::npos) << "missing or out of order: " << message << "\n" << run.Err;
        if (found != std::string::npos) at = found;
      }
      EXPECT_TRUE(Contains(run.Err, "no quote and no total written")) << run.Err;
    }
  }
}

TEST(QuoteAndCompareCommands, OutputThatCannotBeWrittenIsNotSuccess) {
  const struct {
    const char* Name;
    int (*Command)(int, char**, CommandStreams);
    std::vector<std::string> Arguments;
  } rows[] = {
      {"quote", RunQuote, {"--act", "KLDA:0:0=1000"}},
      {"compare", RunCompare, {"1000"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    std::vector<std::string> arguments = row.Arguments;
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    std::istringstream in;
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    int status = row.Command(static_cast<int>(argv.size()), argv.data(), CommandStreams{in, out, err});
    EXPECT_EQ(status, EXIT_REFUSED);
    EXPECT_TRUE(Contains(err.str(), "could not be written")) << err.str();
  }
}

TEST(QuoteCommand, UsageErrorsExitWithTwo) {
  const struct {
    const char* Name;
    std::vector<std::string> Arguments;
    const char* Message;
  } rows[] = {
      {"unknown format", {"--act", "KLDA:0:0=1", "--format", "xml"}, "unknown format \"xml\""},
      {"missing value", {"--act"}, "--act needs a value"},
      {"stray argument", {"KLDA:0:0=1"}, "unexpected argument \"KLDA:0:0=1\""},
      {"no acts at all", {}, "no acts to quote"},
      {"two files", {"--file", "a", "--file", "b"}, "only one --file"},
      {"unreadable file", {"--file", "/nonexistent/quote.txt"}, "cannot read \"/nonexistent/quote.txt\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    CommandRun run = RunCommand(RunQuote, row.Arguments, "# only a comment\n");
    EXPECT_EQ(run.Status, EXIT_USAGE);
    EXPECT_EQ(run.Out, "");
    EXPECT_TRUE(Contains(run.Err, row.Message)) << run.Err;
  }
}

struct CompareRow {
  const char* Name;
  std::vector<std::string> Arguments;
  std::vector<std::string> Variants;
  std::vector<std::string> Fees;         // "" where not computed
  std::vector<std::string> Differences;  // "" where there is none
};

TEST(CompareCommand, PutsEveryVariantSideBySideWithItsDifference) {
  const CompareRow rows[] = {
      {"social reduction",
       {"--transaction", "0", "9000"},
       {"KLDA normal", "MVT normal", "MVT social interest"},
       {"56.70", "56.70", "14.40"},
       {"0.00", "0.00", "-42.30"}},
      {"reference chosen by the options",
       {"--office", "MVT", "--social", "--transaction", "0", "9000"},
       {"MVT social interest", "KLDA normal", "MVT normal"},
       {"14.40", "56.70", "56.70"},
       {"0.00", "+42.30", "+42.30"}},
      {"social minimum on a fixed fee",
       {"--service", "1", "--transaction", "0", "0"},
       {"KLDA normal", "MVT normal", "MVT social interest"},
       {"8.86", "8.86", "5.71"},
       {"0.00", "0.00", "-3.15"}},
      {"social bracket below the minimum",
       {"--transaction", "creditos", "1,800"},
       {"KLDA normal", "MVT normal", "MVT social interest"},
       {"1.80", "1.80", "0.45"},
       {"0.00", "0.00", "-1.35"}},
      {"no reduction above 10,000.00",
       {"--service", "cancelacion", "--transaction", "otras", "25,000"},
       {"KLDA normal", "MVT normal", "MVT social interest"},
       {"29.71", "29.71", "29.71"},
       {"0.00", "0.00", "0.00"}},
  };
  for (const CompareRow& row : rows) {
    SCOPED_TRACE(row.Name);
    std::vector<std::string> arguments = row.Arguments;
    arguments.insert(arguments.begin(), {"--format", "json"});
    CommandRun run = RunCommand(RunCompare, arguments);
    ASSERT_EQ(run.Status, EXIT_OK) << run.Err;
    JsonValue root;
    ASSERT_TRUE(quote_test::ReadJson(run.Out, &root)) << run.Out;
    const std::vector<JsonValue>& variants = root["variants"].Items;
    ASSERT_EQ(variants.size(), row.Variants.size());
    for (std::size_t i = 0; i < variants.size(); ++i) {
      SCOPED_TRACE("column " + std::to_string(i + 1));
      EXPECT_EQ(variants[i]["variant"].Text, row.Variants[i]);
      EXPECT_EQ(variants[i]["fee"].Text, row.Fees[i]);
      EXPECT_EQ(variants[i]["difference"].Text, row.Differences[i]);
    }
  }
}

TEST(CompareCommand, TextShowsTheColumnsAndTheRules) {
  CommandRun run = RunCommand(RunCompare, {"--transaction", "0", "9000"});
  ASSERT_EQ(run.Status, EXIT_OK) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "Fee US$               56.70     56.70            14.40\n")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "Difference US$  (reference)      0.00           -42.30\n")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "  MVT social interest: 90 started hundreds \xC3\x97 0.16 (0.63 \xC3\x97 0.25, rounded)\n"))
      << run.Out;
}

TEST(CompareCommand, TransactionsThatAreOnlyExplainedAreShownAndExitOne) {
  CommandRun run = RunCommand(RunCompare, {"--format", "json", "--service", "2", "--transaction", "0", "100"});
  EXPECT_EQ(run.Status, EXIT_REFUSED);
  JsonValue root;
  ASSERT_TRUE(quote_test::ReadJson(run.Out, &root)) << run.Out;
  const std::vector<JsonValue>& variants = root["variants"].Items;
  ASSERT_EQ(variants.size(), 3u);
  EXPECT_TRUE(variants[0]["offered"].Flag);  // "Literales" at KLDA
  EXPECT_FALSE(variants[0]["computed"].Flag);
  EXPECT_FALSE(variants[1]["offered"].Flag);  // not in MVT's list
  EXPECT_FALSE(variants[2]["offered"].Flag);
  EXPECT_EQ(variants[2]["rule"].Text, "not offered at this office");
  EXPECT_TRUE(Contains(run.Err, "no computed fee"));
}

TEST(CompareCommand, CertificationIsMatchedByEntryAcrossOffices) {
  // "Extractadas" is position 1 at KLDA and position 0 at MVT.
  CommandRun run = RunCommand(RunCompare, {"--format", "json", "--office", "MVT", "--service", "2",
                                    "--transaction", "0", "100"});
  JsonValue root;
  ASSERT_TRUE(quote_test::ReadJson(run.Out, &root)) << run.Out;
  const std::vector<JsonValue>& variants = root["variants"].Items;
  ASSERT_EQ(variants.size(), 3u);
  EXPECT_EQ(root["transaction"].Text, "Extractadas");
  EXPECT_EQ(variants[0]["transaction_position"].Text, "0");
  EXPECT_EQ(variants[1]["variant"].Text, "KLDA normal");
  EXPECT_EQ(variants[1]["transaction_position"].Text, "1");
}

TEST(CompareCommand, SocialInterestAtKldaFallsBackToTheNormalColumn) {
  CommandRun run = RunCommand(RunCompare, {"--format", "json", "--social", "9000"});
  ASSERT_EQ(run.Status, EXIT_OK) << run.Err;
  EXPECT_TRUE(Contains(run.Err, "--social has no effect at KLDA")) << run.Err;
  JsonValue root;
  ASSERT_TRUE(quote_test::ReadJson(run.Out, &root)) << run.Out;
  ASSERT_EQ(root["variants"].Items.size(), 3u);
  EXPECT_EQ(root["variants"].Items[0]["variant"].Text, "KLDA normal");
  EXPECT_EQ(root["variants"].Items[2]["variant"].Text, "MVT social interest");
}

TEST(CompareCommand, RefusesBadAmountsAndBadOptions) {
  const struct {
    const char* Name;
    std::vector<std::string> Arguments;
    int Status;
    const char* Message;
  } rows[] = {
      {"amount not a number", {"abc"}, EXIT_REFUSED, "the amount \"abc\" is not a number"},
      {"decimal comma", {"1234,56"}, EXIT_REFUSED, "commas must separate thousands"},
      {"amount missing", {"--transaction", "0"}, EXIT_USAGE, "the amount is missing"},
      {"explain", {"--explain", "100"}, EXIT_USAGE, "--explain belongs to calc"},
      {"format value", {"--format", "pdf", "100"}, EXIT_USAGE, "unknown format \"pdf\""},
      {"unknown option", {"--verbose", "100"}, EXIT_USAGE, "unknown option --verbose"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    CommandRun run = RunCommand(RunCompare, row.Arguments);
    EXPECT_EQ(run.Status, row.Status);
    EXPECT_EQ(run.Out, "");
    EXPECT_TRUE(Contains(run.Err, row.Message)) << run.Err;
  }
}

}  // namespace
}  // namespace tarivox::cli
