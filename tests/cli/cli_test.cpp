// tarivox-cli run as a user runs it: arguments, standard input, output and
// exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

CliRun RunCli(const std::string& arguments, const std::string& input = "") {
  std::string base = testing::TempDir() + "/tarivox_cli_" + std::to_string(::getpid());
  std::ofstream(base + ".in", std::ios::binary) << input;
  std::string command = std::string(TARIVOX_CLI_PATH) + " " + arguments + " <" + base + ".in >" + base +
                        ".out 2>" + base + ".err";
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(base + ".out"), ReadFile(base + ".err")};
}

TEST(CliCalc, PrintsTheResultSentence) {
  const struct {
    const char* arguments;
    const char* sentence;
  } rows[] = {
      {"calc 25,000", "Para un monto de: US$ 25,000.00  el pago es: US$ 157.50\n"},
      {"calc --service cancelacion --transaction otras 25000",
       "Para un monto de: US$ 25,000.00  el pago es: US$ 29.71\n"},
      {"calc --office MVT --social 1234.125", "Para un monto de: US$ 1,234.13  el pago es: US$ 5.71\n"},
      {"calc --office mvt --service 0 --transaction 'Créditos a la Producción' --social 9500.01",
       "Para un monto de: US$ 9,500.01  el pago es: US$ 1.55\n"},
      {"calc -- -5", "Para un monto de: US$ 0.00  el pago es: US$ 0.00\n"},
      {"calc -5", "Para un monto de: US$ 0.00  el pago es: US$ 0.00\n"},
      {"calc ''", "Para un monto de: US$ 0.00  el pago es: US$ 0.00\n"},
  };
  for (const auto& row : rows) {
    CliRun run = RunCli(row.arguments);
    EXPECT_EQ(run.status, 0) << row.arguments << "\n" << run.err;
    EXPECT_EQ(run.out, row.sentence) << row.arguments;
  }
}

TEST(CliCalc, ExplainShowsEveryStep) {
  CliRun run = RunCli("calc --office MVT --social --explain 9000");
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* expected : {"Amount in cents:   9,000.00", "Started hundreds:  90", "Social factor:     0.25",
                               "Fee as computed:   14.40", "Fee:               14.40",
                               "dominio.Por ser proyecto de inter\xC3\xA9s Social",
                               "Para un monto de: US$ 9,000.00  el pago es: US$ 14.40"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
}

TEST(CliCalc, TextOnlyTransactionsHaveNoComputedFee) {
  CliRun presentation = RunCli("calc --service presentacion 100");
  EXPECT_EQ(presentation.status, 1);
  EXPECT_NE(presentation.out.find("Nueva Presentaci\xC3\xB3n."), std::string::npos) << presentation.out;
  EXPECT_NE(presentation.out.find("8.86"), std::string::npos);
  CliRun perLot = RunCli("calc --transaction 12 100");
  EXPECT_EQ(perLot.status, 1);
  EXPECT_NE(perLot.out.find("Por particiones de inmuebles"), std::string::npos) << perLot.out;
  EXPECT_NE(perLot.err.find("no computed fee"), std::string::npos);
}

TEST(CliCalc, UsageErrors) {
  const struct {
    const char* arguments;
    const char* message;
  } rows[] = {
      {"calc", "the amount is missing"},
      {"calc 1 2", "only one amount"},
      {"calc --office", "--office needs a value"},
      {"calc --office XYZ 5", "unknown office \"XYZ\""},
      {"calc --transaction credito 5", "ambiguous transaction"},
      {"calc --service 9 5", "no service at position 9"},
      {"calc --colour red 5", "unknown option --colour"},
      {"frobnicate", "unknown command"},
  };
  for (const auto& row : rows) {
    CliRun run = RunCli(row.arguments);
    EXPECT_EQ(run.status, 2) << row.arguments;
    EXPECT_NE(run.err.find(row.message), std::string::npos) << row.arguments << "\n" << run.err;
  }
}

TEST(CliHelp, EveryCommandHasHelp) {
  for (const char* command : {"--help", "calc --help", "list --help", "batch --help"}) {
    CliRun run = RunCli(command);
    EXPECT_EQ(run.status, 0) << command;
    EXPECT_NE(run.out.find("usage: tarivox-cli"), std::string::npos) << command;
  }
}

TEST(CliList, ShowsTheCatalogueInUtf8) {
  CliRun run = RunCli("list");
  ASSERT_EQ(run.status, 0);
  for (const char* expected : {"0  KLDA", "1  MVT", "0  Inscripci\xC3\xB3n", "12  Particiones de inmuebles  [text only]",
                               "8  Cr\303\251ditos a la Producci\303\263n  [computed]", "at MVT:\n    0  Extractadas"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
  }
}

TEST(CliBatch, OneOutputLinePerInputLine) {
  const std::string input =
      "0\t0\t0\t0\t25,000\n"
      "1\t0\t0\t1\t1234.125\r\n"
      "0\t1\t2\t0\t25000\n"
      "0\t0\t12\t0\t100\n"            // text only
      "0\t0\t0\t0\n"                  // four fields
      "2\t0\t0\t0\t1\n"               // no such office
      "1\t2\t4\t0\t1\n"               // certification has 4 entries at MVT
      "0\t0\t0\tyes\t1\n"
      "0\t0\t0\t0\t  1\t2,000 \n"     // everything after the fourth tab is typed
      "0\t0\t6\t0\t\n";               // empty field, fixed fee
  CliRun run = RunCli("batch", input);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "25,000.00\t157.50\tPara un monto de: US$ 25,000.00  el pago es: US$ 157.50\n"
            "1,234.13\t5.71\tPara un monto de: US$ 1,234.13  el pago es: US$ 5.71\n"
            "25,000.00\t29.71\tPara un monto de: US$ 25,000.00  el pago es: US$ 29.71\n"
            "ERROR\tline 4: the transaction is text only (no computed fee)\n"
            "ERROR\tline 5: expected OFFICE, SERVICE, TRANSACTION, SOCIAL and TYPED separated by tabs\n"
            "ERROR\tline 6: OFFICE must be 0 or 1\n"
            "ERROR\tline 7: TRANSACTION is not a position of that service's list\n"
            "ERROR\tline 8: SOCIAL must be 0 or 1\n"
            "1.00\t8.86\tPara un monto de: US$ 1.00  el pago es: US$ 8.86\n"
            "0.00\t8.86\tPara un monto de: US$ 0.00  el pago es: US$ 8.86\n");
}

TEST(CliBatch, AllGoodLinesExitZero) {
  CliRun run = RunCli("batch", "0\t0\t0\t0\t1000\n0\t0\t8\t0\t1\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "1,000.00\t8.86\tPara un monto de: US$ 1,000.00  el pago es: US$ 8.86\n"
            "1.00\t1.80\tPara un monto de: US$ 1.00  el pago es: US$ 1.80\n");
  EXPECT_EQ(RunCli("batch extra").status, 2);
}

}  // namespace
