// The built tarivox-cli, run as a user runs it: the commands are reachable
// and the figures survive the trip through a real process.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "readers.h"

namespace {

struct ProcessRun {
  int Status;
  std::string Out;
};

ProcessRun RunCli(const std::string& arguments) {
  // The redirection goes first, so that arguments may end in a here-document.
  std::string command = std::string(TARIVOX_CLI_PATH) + " 2>/dev/null " + arguments;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}};
  std::string out;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, read);
  int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(TarivoxCliBinary, ListsQuoteAndCompare) {
  ProcessRun run = RunCli("--help");
  EXPECT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("  quote "), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("  compare "), std::string::npos) << run.Out;
}

TEST(TarivoxCliBinary, QuoteCsvFromStandardInputReadsBack) {
  ProcessRun run = RunCli(
      "quote --format csv --file - <<'EOF'\n"
      "client: Ref 9\n"
      "MVT:0:8:social=0.01 | one\n"
      "MVT:1:1:social=9000.01 | two\n"
      "KLDA:0:0=857,100.01 | three\n"
      "EOF");
  ASSERT_EQ(run.Status, 0);
  std::vector<std::vector<std::string>> records;
  ASSERT_TRUE(quote_test::ReadCsv(run.Out, &records)) << run.Out;
  ASSERT_EQ(records.size(), 5u);
  const char* fees[] = {"45", "138", "540000"};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("act " + std::to_string(i + 1));
    EXPECT_EQ(records[i + 1][11], fees[i]);  // fee_cents
    EXPECT_EQ(records[i + 1][15], "Ref 9");  // client
  }
  EXPECT_EQ(records[4][0], "total");
  EXPECT_EQ(records[4][10], "5,401.83");
  EXPECT_EQ(records[4][11], "540183");
}

TEST(TarivoxCliBinary, RefusedQuoteExitsOneWithNothingOnStandardOutput) {
  ProcessRun run = RunCli("quote --act 'KLDA:0:0=1000' --act 'KLDA:0:0=12 000'");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out, "");
}

}  // namespace
