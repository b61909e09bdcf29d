// The tariff's texts are code page 1252, as the window shows them; files,
// the tool and the page speak UTF-8. The conversions between the two and
// the strict check of UTF-8 that every reader of text uses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarivox {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The length of the well-formed UTF-8 sequence that starts with byte, or 0
// for a byte that starts none; and whether a byte continues one.
std::size_t Utf8SequenceLength(unsigned char byte);
bool IsUtf8Continuation(char c);

std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 text as code page 1252; false when a character has no place there
// (the window could not show it).
bool Utf8ToCp1252(std::string_view utf8, std::string* text);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string* out, unsigned code);

}  // namespace tarivox
