// Spanish numbers follow the long scale (millón 10^6, billón 10^12) and
// shorten "uno" to "un" before a noun ("veintiún mil", "un dólar");
// English ones follow the short scale (million, billion, trillion).
#include "report/in_words.h"

#include <cstdint>

namespace tarivox::report {
namespace {

using u64 = std::uint64_t;

constexpr const char* kSpanishUnits[30] = {
    "",           "uno",        "dos",         "tres",       "cuatro",     "cinco",     "seis",
    "siete",      "ocho",       "nueve",       "diez",       "once",       "doce",      "trece",
    "catorce",    "quince",     "dieciséis",   "diecisiete", "dieciocho",  "diecinueve", "veinte",
    "veintiuno",  "veintidós",  "veintitrés",  "veinticuatro", "veinticinco", "veintiséis", "veintisiete",
    "veintiocho", "veintinueve"};
constexpr const char* kSpanishTens[10] = {"", "", "", "treinta", "cuarenta", "cincuenta", "sesenta", "setenta",
                                          "ochenta", "noventa"};
constexpr const char* kSpanishHundreds[10] = {"",           "ciento",     "doscientos", "trescientos",
                                              "cuatrocientos", "quinientos", "seiscientos", "setecientos",
                                              "ochocientos", "novecientos"};

std::string Join(const std::string& head, const std::string& tail) {
  if (head.empty()) return tail;
  return tail.empty() ? head : head + " " + tail;
}

// 0..999; "short" when a noun follows, which turns a final "uno" into "un".
std::string SpanishBelowThousand(unsigned n, bool shortOne) {
  if (n == 100) return "cien";
  std::string words = kSpanishHundreds[n / 100];
  unsigned rest = n % 100;
  std::string tail;
  if (rest < 30) {
    tail = kSpanishUnits[rest];
  } else {
    tail = kSpanishTens[rest / 10];
    if (rest % 10 != 0) tail += std::string(" y ") + kSpanishUnits[rest % 10];
  }
  if (shortOne && rest % 10 == 1 && rest != 11) {
    tail = rest == 21 ? "veintiún" : tail.substr(0, tail.size() - 1);  // "uno" -> "un"
  }
  return Join(words, tail);
}

// 0..999,999: "mil" alone for one thousand, never "un mil".
std::string SpanishBelowMillion(unsigned n, bool shortOne) {
  unsigned thousands = n / 1000;
  std::string head = thousands == 0 ? "" : thousands == 1 ? "mil" : SpanishBelowThousand(thousands, true) + " mil";
  return Join(head, SpanishBelowThousand(n % 1000, shortOne));
}

// A count of millions or billions: "un millón", "dos millones".
std::string SpanishScale(unsigned n, const char* one, const char* many) {
  if (n == 0) return "";
  return n == 1 ? std::string("un ") + one : SpanishBelowMillion(n, true) + " " + many;
}

std::string SpanishDollars(u64 dollars) {
  if (dollars == 0) return "cero dólares";
  if (dollars == 1) return "un dólar";
  constexpr u64 kMillion = 1000000;
  auto billions = static_cast<unsigned>(dollars / (kMillion * kMillion));
  auto millions = static_cast<unsigned>(dollars / kMillion % kMillion);
  auto units = static_cast<unsigned>(dollars % kMillion);
  std::string words = Join(SpanishScale(billions, "billón", "billones"), SpanishScale(millions, "millón", "millones"));
  // A round number of millions or billions takes "de": "un millón de dólares".
  if (units == 0) return words + " de dólares";
  return Join(words, SpanishBelowMillion(units, true)) + " dólares";
}

constexpr const char* kEnglishUnits[20] = {"",        "one",     "two",       "three",    "four",
                                           "five",    "six",     "seven",     "eight",    "nine",
                                           "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                                           "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr const char* kEnglishTens[10] = {"", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty",
                                          "ninety"};
constexpr const char* kEnglishScales[7] = {"", "thousand", "million", "billion", "trillion", "quadrillion",
                                           "quintillion"};

std::string EnglishBelowThousand(unsigned n) {
  std::string words = n >= 100 ? std::string(kEnglishUnits[n / 100]) + " hundred" : "";
  unsigned rest = n % 100;
  std::string tail = rest < 20 ? kEnglishUnits[rest] : kEnglishTens[rest / 10];
  if (rest >= 20 && rest % 10 != 0) tail += std::string("-") + kEnglishUnits[rest % 10];
  return Join(words, tail);
}

std::string EnglishDollars(u64 dollars) {
  if (dollars == 0) return "zero dollars";
  std::string words;
  u64 scale = 1;
  int scales = 0;
  while (dollars / scale >= 1000) {
    scale *= 1000;
    ++scales;
  }
  for (; scales >= 0; --scales, scale /= 1000) {
    auto group = static_cast<unsigned>(dollars / scale % 1000);
    if (group != 0) words = Join(words, Join(EnglishBelowThousand(group), kEnglishScales[scales]));
  }
  return words + (dollars == 1 ? " dollar" : " dollars");
}

}  // namespace

std::string AmountInWords(Language language, long long cents) {
  u64 magnitude = cents < 0 ? 0 : static_cast<u64>(cents);
  unsigned hundredths = static_cast<unsigned>(magnitude % 100);
  std::string fraction{static_cast<char>('0' + hundredths / 10), static_cast<char>('0' + hundredths % 10)};
  u64 dollars = magnitude / 100;
  return language == Language::Spanish ? SpanishDollars(dollars) + " con " + fraction + "/100"
                                       : EnglishDollars(dollars) + " and " + fraction + "/100";
}

}  // namespace tarivox::report
