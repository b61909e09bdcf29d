// `tarivox-cli batch` throughput on generated input, streamed through the
// command exactly as the tool runs it: read from a file, written to
// /dev/null through the tool's own I/O layer. Beside it, a plain C-library
// pipeline over the same input gives the ratio in the same run, and the
// same input with a date on every record what dates cost.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "catalogue/calendar.h"
#include "catalogue/edition.h"
#include "cli/commands.h"
#include "hard_amounts.h"

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

// Lines whose amounts reach the reader's exact comparison: long decimals at
// a halfway point between doubles, some with stray commas, some shifted
// behind leading zeros that an exponent undoes, some with junk after them.
std::string HardLines(int count) {
  std::mt19937_64 random(20260107);
  std::string input;
  for (int i = 0; i < count; ++i) {
    std::string amount = tarivox::bench::HardAmount(random);
    switch (i % 4) {
      case 0: break;
      case 1: amount.insert(amount.find('.') - 3, ","); break;
      case 2: {
        // 1234.5678... as 0.000001234 5678...E+10: the same digits.
        std::size_t point = amount.find('.');
        amount.erase(point, 1);
        std::size_t zeros = 6 + random() % 10;
        amount = "0." + std::string(zeros, '0') + amount + "E+" + std::to_string(zeros + point);
        break;
      }
      default: amount += " tax incl."; break;
    }
    input += std::string(kSelections[i % 8]) + amount + "\n";
  }
  return input;
}

// The lines with a date after each record: one of days from first, in no
// order, as a month's acts come.
std::string Dated(const std::string& lines, tarivox::CalendarDate first, int days) {
  std::mt19937 random(20301231);
  std::string dated;
  dated.reserve(lines.size() + lines.size() / 2);
  std::size_t start = 0;
  for (std::size_t end = lines.find('\n'); end != std::string::npos; end = lines.find('\n', start)) {
    const int day = static_cast<int>(random() % static_cast<unsigned>(days));
    dated.append(lines, start, end - start);
    dated += "\t" + tarivox::IsoDate(tarivox::AddDays(first, day)) + "\n";
    start = end + 1;
  }
  return dated;
}

// The input in an unnamed file; nullptr when it cannot be written.
std::FILE* InputFile(const std::string& input) {
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return nullptr;
  if (std::fwrite(input.data(), 1, input.size(), file) != input.size() || std::fflush(file) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

void RunBatchOver(benchmark::State& state, const std::string& input, int lines,
                  const tarivox::cli::Arguments& arguments = {}) {
  using namespace tarivox::cli;
  std::FILE* file = InputFile(input);
  if (file == nullptr) {
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
    int status = RunBatch(arguments, {in.get(), out.get(), err.get(), "batch", tarivox::report::Language::Spanish});
    Flush(out.get());
    benchmark::DoNotOptimize(status);
    if (status != 0) {
      state.SkipWithError("batch refused a record");
      break;
    }
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

void BM_BatchHard(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  RunBatchOver(state, HardLines(lines), lines);
}
BENCHMARK(BM_BatchHard)->Arg(200000)->Unit(benchmark::kMillisecond);

// The same records, each with a date of one month under one edition.
void BM_BatchTypicalDated(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  RunBatchOver(state, Dated(TypicalLines(lines), {2026, 11, 1}, 30), lines);
}
BENCHMARK(BM_BatchTypicalDated)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_BatchHardDated(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  RunBatchOver(state, Dated(HardLines(lines), {2026, 11, 1}, 30), lines);
}
BENCHMARK(BM_BatchHardDated)->Arg(200000)->Unit(benchmark::kMillisecond);

// ... and with dates around a change of edition: the built-in one until
// 2029-12-31, a copy of it in force from 2030-01-01 (read from a file, once
// a run) after.
void BM_BatchTypicalDatedChange(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  std::string edition(tarivox::BuiltInEditionText());
  const std::string name = "\"name\": \"incorporado al programa\"", from = "\"in_force_from\": null";
  edition.replace(edition.find(name), name.size(), "\"name\": \"banco de pruebas\"");
  edition.replace(edition.find(from), from.size(), "\"in_force_from\": \"2030-01-01\"");
  char path[] = "/tmp/tarivox-bench-edition-XXXXXX";
  const int fd = mkstemp(path);
  const bool written = fd >= 0 && write(fd, edition.data(), edition.size()) == static_cast<ssize_t>(edition.size());
  if (fd >= 0) close(fd);
  if (!written) {
    state.SkipWithError("cannot write the edition file");
  } else {
    tarivox::cli::Arguments arguments;
    arguments.Given[tarivox::cli::OPTION_TARIFF] = true;
    arguments.Value[tarivox::cli::OPTION_TARIFF] = path;
    RunBatchOver(state, Dated(TypicalLines(lines), {2029, 12, 15}, 31), lines, arguments);
  }
  unlink(path);
}
BENCHMARK(BM_BatchTypicalDatedChange)->Arg(200000)->Unit(benchmark::kMillisecond);

// What a quick C program would do with the same records: getline, the four
// positions with strtol, the amount with strtod (no comma removal, no cut at
// 127 characters, rounding as the C library has it), a fee with one rate
// and a minimum, and printf with two decimals, the record's answer shaped as
// batch writes it (amount, fee and the sentence). No grouping, no exact
// cents: only a yardstick for the speed of the tool.
constexpr double kPlainRate = 0.63;
constexpr double kPlainMinimum = 4.50;
constexpr double kPlainStep = 100;
constexpr int kPlainFields = 4;

void PlainPipeline(std::FILE* in, std::FILE* out) {
  char* line = nullptr;
  std::size_t capacity = 0;
  while (getline(&line, &capacity, in) > 0) {
    char* at = line;
    long fields[kPlainFields];
    for (long& field : fields) {
      field = std::strtol(at, &at, 10);
      if (*at == '\t') ++at;
    }
    benchmark::DoNotOptimize(fields);
    double amount = std::strtod(at, nullptr);
    double fee = std::max(kPlainMinimum, std::ceil(amount / kPlainStep) * kPlainRate);
    std::fprintf(out, "%.2f\t%.2f\tPara un monto de: US$ %.2f  el pago es: US$ %.2f\n", amount, fee, amount, fee);
  }
  std::free(line);
  std::fflush(out);
}

void RunPlainOver(benchmark::State& state, const std::string& input, int lines) {
  std::FILE* in = InputFile(input);
  std::FILE* out = std::fopen("/dev/null", "w");
  if (in == nullptr || out == nullptr) {
    state.SkipWithError("cannot open the input or /dev/null");
  } else {
    for (auto _ : state) {
      std::rewind(in);
      PlainPipeline(in, out);
    }
    state.SetItemsProcessed(state.iterations() * lines);
  }
  if (in != nullptr) std::fclose(in);
  if (out != nullptr) std::fclose(out);
}

void BM_PlainTypical(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  RunPlainOver(state, TypicalLines(lines), lines);
}
BENCHMARK(BM_PlainTypical)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_PlainHard(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  RunPlainOver(state, HardLines(lines), lines);
}
BENCHMARK(BM_PlainHard)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
