// Amounts that only an exact comparison can round: decimals within a
// whisker of the point halfway between two neighbouring doubles, written
// out with 50 to 140 characters.
#pragma once

#include <random>
#include <string>

namespace tarivox::bench {

// One such amount between 100 and 10^7: the halfway point itself, or it
// with its last digit lowered and nines after, or with zeros and a final 1
// after; all three need every digit to be rounded.
std::string HardAmount(std::mt19937_64& random);

}  // namespace tarivox::bench
