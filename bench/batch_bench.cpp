// `tarivox-cli batch` throughput on generated input, streamed through the
// command exactly as the tool runs it (less the terminal).
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "cli/commands.h"

namespace {

std::string GenerateLines(int count) {
  static constexpr const char* kLines[] = {
      "0\t0\t0\t0\t25,000\n", "1\t0\t0\t1\t1234.125\n", "0\t1\t2\t0\t25000\n",  "0\t0\t8\t0\t9,500.01\n",
      "1\t1\t1\t1\t0.01\n",   "0\t0\t5\t0\t1421000\n",  "1\t0\t6\t1\t\n",       "0\t0\t1\t0\t2300.01\n",
  };
  std::string input;
  for (int i = 0; i < count; ++i) input += kLines[i % 8];
  return input;
}

void BM_BatchLines(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string input = GenerateLines(lines);
  for (auto _ : state) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    int status = tarivox::cli::RunBatch(0, nullptr, {in, out, err});
    benchmark::DoNotOptimize(status);
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_BatchLines)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
