// The computation path: engine, decimal form, reader and the whole
// computation from field text to the three texts.
#include <benchmark/benchmark.h>

#include "fees/amount_reader.h"
#include "fees/amount_text.h"
#include "fees/decimal_form.h"
#include "fees/fee_engine.h"

namespace tarivox {
namespace {

// Amounts in cents across the rules' ranges, cycled so the branch
// predictor cannot learn one path.
constexpr double kAmounts[] = {25000.00, 1234.13, 0.01, 9000.01, 857100.01, 11700.00, 4158600.00, 100.00};
constexpr const char* kTyped[] = {"25,000", "1234.125", "0.995", "9000.01", "1e6", "  12 000", "abc", "857,100.01"};
constexpr int kCount = 8;

void BM_EvaluateFee(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    FeeSelection selection{{i & 1, (i >> 1) & 1, i % 3, (i & 4) != 0}, kAmounts[i % kCount]};
    benchmark::DoNotOptimize(EvaluateFee(selection));
    ++i;
  }
}
BENCHMARK(BM_EvaluateFee);

void BM_TwoDecimalForm(benchmark::State& state) {
  char text[DECIMAL_FORM_CAPACITY];
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(WriteDecimalForm(kAmounts[i++ % kCount], 2, text, sizeof text));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TwoDecimalForm);

void BM_ReadAmount(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ReadAmount(kTyped[i++ % kCount]));
}
BENCHMARK(BM_ReadAmount);

void BM_WholeComputation(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    FeeSelection selection{{i & 1, 0, i % 9, (i & 2) != 0}, 0};
    benchmark::DoNotOptimize(ComputeFeeTexts(selection, kTyped[i % kCount]));
    benchmark::ClobberMemory();
    ++i;
  }
}
BENCHMARK(BM_WholeComputation);

}  // namespace
}  // namespace tarivox
