// `tarivox-cli batch` throughput on generated input, streamed through the
// command exactly as the tool runs it: read from a file, written to
// /dev/null through the tool's own I/O layer.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"

namespace {

constexpr const char* kSelections[] = {"0\t0\t0\t0\t", "1\t0\t0\t1\t", "0\t1\t2\t0\t", "0\t0\t8\t0\t",
                                       "1\t1\t1\t1\t", "0\t0\t5\t0\t", "1\t0\t6\t1\t", "0\t0\t1\t0\t"};

// Amounts as people type them.
std::string TypicalLines(int count) {
  static constexpr const char* kTyped[] = {"25,000", "1234.125", "25000", "9,500.01",
                                           "0.01",   "1421000",  "",      "2300.01"};
  std::string input;
  for (int i = 0; i < count; ++i) input += std::string(kSelections[i % 8]) + kTyped[i % 8] + "\n";
  return input;
}

// Lines of 50 to 140 characters: leading zeros, trailing zeros after the
// point, exponents that undo leading zeros, and junk after the number.
std::string OddLines(int count) {
  std::uint32_t seed = 20260106;
  std::string input;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1664525u + 1013904223u;
    std::string line = kSelections[i % 8];
    std::size_t room = 50 + (seed >> 8) % 91 - line.size();
    switch (i % 4) {
      case 0: line += std::string(room - 8, '0') + "9,500.01"; break;
      case 1: line += "1234.5" + std::string(room - 6, '0'); break;
      case 2: {
        std::size_t zeros = room - 8;  // "0." zeros "15E+" and two digits
        line += "0." + std::string(zeros, '0') + "15E+" + std::to_string(zeros + 5);
        break;
      }
      default: line += "857100.01 " + std::string(room - 10, 'x'); break;
    }
    input += line + "\n";
  }
  return input;
}

void RunBatchOver(benchmark::State& state, const std::string& input, int lines) {
  using namespace tarivox::cli;
  std::FILE* file = std::tmpfile();
  if (file == nullptr || std::fwrite(input.data(), 1, input.size(), file) != input.size() || std::fflush(file) != 0) {
    state.SkipWithError("cannot write the input file");
    return;
  }
  auto out = std::make_unique<Output>();
  auto err = std::make_unique<Output>();
  out->Fd = open("/dev/null", O_WRONLY);
  err->Fd = out->Fd;
  for (auto _ : state) {
    auto in = std::make_unique<Input>();
    in->Fd = fileno(file);
    lseek(in->Fd, 0, SEEK_SET);
    int status = RunBatch(Arguments{}, {in.get(), out.get(), err.get(), "batch", tarivox::report::Language::Spanish});
    Flush(out.get());
    benchmark::DoNotOptimize(status);
  }
  close(out->Fd);
  std::fclose(file);
  state.SetItemsProcessed(state.iterations() * lines);
}

void BM_BatchTypical(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  RunBatchOver(state, TypicalLines(lines), lines);
}
BENCHMARK(BM_BatchTypical)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_BatchOdd(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  RunBatchOver(state, OddLines(lines), lines);
}
BENCHMARK(BM_BatchOdd)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
