// Reads the number at the start of a text, the way the amount field is read.
//
// Accepted: leading white space (blank, tab, LF, VT, FF, CR), an optional
// sign, digits with at most one "." among them (at least one digit), and an
// optional exponent made of one of E e D d, an optional sign and at least one
// digit. The number is the longest start of the text that has this shape;
// the rest is ignored. Anything else (including "INF", "NAN" and "0x...")
// reads as 0. The value is the double nearest to the decimal read (ties to
// even). The point is always ".", whatever the locale.
#pragma once

#include <cstddef>

namespace tarivox {

// How many characters of text the number read takes: leading white space,
// sign, digits, point and a complete exponent; 0 when text does not begin
// with a number. What follows them is what the reader ignores.
std::size_t AmountLength(const char* text);

// Beyond the range of a double the result is +/-infinity; callers that
// cannot use such a number treat it as unusable. Below the smallest
// subnormal it is a (signed) zero.
double ReadAmount(const char* text);

// The same for the first `length` characters of text, which need no
// terminator (a NUL among them ends the text too).
double ReadAmount(const char* text, std::size_t length);

}  // namespace tarivox
