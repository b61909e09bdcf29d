// The amount reader on what people type and on amounts that only an exact
// comparison can round.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "fees/amount_reader.h"
#include "hard_amounts.h"

namespace tarivox {
namespace {

// Typed amounts as the reader sees them (commas already removed), cycled so
// the branch predictor cannot learn one path.
constexpr const char* kTypical[] = {"25000",     "1234.125", "0.995",     "9000.01",
                                    "1e6",       "12",       "857100.01", "1234.5678901234567"};
constexpr int kHardCount = 1024;

void BM_ReadTypicalAmount(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ReadAmount(kTypical[i++ % std::size(kTypical)]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadTypicalAmount);

void BM_ReadHardAmount(benchmark::State& state) {
  std::mt19937_64 random(20260107);
  std::vector<std::string> amounts;
  for (int i = 0; i < kHardCount; ++i) amounts.push_back(bench::HardAmount(random));
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ReadAmount(amounts[i++ % amounts.size()].c_str()));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadHardAmount);

}  // namespace
}  // namespace tarivox
