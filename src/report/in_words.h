// An amount of money in words, as a quote states what is to be paid:
// "mil quinientos dos dólares con 21/100".
#pragma once

#include <string>

#include "report/messages.h"

namespace tarivox::report {

// Whole cents, from 0 to the largest a long long holds.
std::string AmountInWords(Language language, long long cents);

}  // namespace tarivox::report
