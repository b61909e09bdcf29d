// Text as it enters and leaves reports: every text written is UTF-8, the
// catalogue's texts are code page 1252, and what people type may be either.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarivox::report {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

std::string Cp1252ToUtf8(std::string_view text);

// The text itself when it is valid UTF-8, otherwise all of it read as code
// page 1252 (what Windows editors write), never a mixture of the two.
std::string AsUtf8(std::string_view text);

// Lower case without accents, for matching what people type ("inscripcion"
// finds "Inscripción"). Takes UTF-8.
std::string FoldName(std::string_view utf8);

std::string_view Trim(std::string_view text);

// Free text (labels, client, date) on one line: control characters become
// blanks, so that tables stay aligned and records stay whole.
std::string OneLine(std::string_view text);

// Characters of UTF-8 text: the bytes that do not continue a sequence.
std::size_t DisplayWidth(std::string_view utf8);

}  // namespace tarivox::report
