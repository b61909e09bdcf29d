#include "hard_amounts.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace tarivox::bench {
namespace {

// The halfway point of two doubles has 54 significant bits; x86's long
// double holds 64, so it is exact there, and glibc prints it exactly.
static_assert(std::numeric_limits<long double>::digits >= 64, "the halfway points need a 64-bit long double");

constexpr double kLowest = 100;
constexpr double kHighest = 1e7;
constexpr int kShortest = 50;
constexpr int kLongest = 140;
// Enough decimals for every halfway point at or above kLowest (2^-47 has 47).
constexpr int kPrintedDecimals = 60;

std::string ExactHalfway(double low) {
  long double next = std::nextafter(low, kHighest * 2);
  long double half = (static_cast<long double>(low) + next) / 2;
  char text[128];
  std::snprintf(text, sizeof text, "%.*Lf", kPrintedDecimals, half);
  std::string exact = text;
  exact.erase(exact.find_last_not_of('0') + 1);
  return exact;
}

}  // namespace

std::string HardAmount(std::mt19937_64& random) {
  std::uniform_real_distribution<double> amount(kLowest, kHighest);
  std::uniform_int_distribution<int> length(kShortest, kLongest);
  std::string text = ExactHalfway(amount(random));
  auto size = static_cast<std::size_t>(length(random));
  switch (random() % 3) {
    case 0:  // just below: ...4999...
      text.back() = static_cast<char>(text.back() - 1);
      if (text.size() < size) text.append(size - text.size(), '9');
      break;
    case 1:  // just above: ...5000...1
      if (text.size() + 1 < size) text.append(size - text.size() - 1, '0');
      text += '1';
      break;
    default:  // exactly halfway, with trailing zeros
      if (text.size() < size) text.append(size - text.size(), '0');
      break;
  }
  return text;
}

}  // namespace tarivox::bench
