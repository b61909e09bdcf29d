// Text as it enters and leaves reports: every text written is UTF-8, the
// catalogue's texts are code page 1252, and what people type may be either.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/code_page.h"

namespace tarivox::report {

using tarivox::Cp1252ToUtf8;
using tarivox::IsValidUtf8;

// The text itself when it is valid UTF-8, otherwise all of it read as code
// page 1252 (what Windows editors write), never a mixture of the two.
std::string AsUtf8(std::string_view text);

// Lower case without accents, for matching what people type ("inscripcion"
// finds "Inscripción"). Takes UTF-8. Combining accents are dropped as well,
// so that a name typed decomposed ("o" and U+0301, as macOS and some web
// forms write it) finds the letter that its composed form would.
std::string FoldName(std::string_view utf8);

std::string_view Trim(std::string_view text);

// Free text (labels, client, date) on one line: control characters become
// blanks, so that tables stay aligned and records stay whole.
std::string OneLine(std::string_view text);

// The characters that must not reach a terminal or a viewer as they are:
// C0 and C1 controls and DEL (which move the cursor, retitle a window or
// clear a screen), the line and paragraph separators (U+2028, U+2029) and
// the direction marks, embeddings, overrides and isolates (U+061C, U+200E,
// U+200F, U+202A-U+202E, U+2066-U+2069), which reorder what follows them on
// the line. The length in bytes of such a character at utf8[at], with its
// code point in *code; 0 for any other.
std::size_t ControlCharacterAt(std::string_view utf8, std::size_t at, unsigned* code);

// UTF-8 text with every control character above shown as a visible
// escape, "\u" and four upper-case hex digits ("\u202E"), so that echoed
// text can neither forge a line nor drive the terminal.
std::string Inert(std::string_view utf8);

// What a user gave (UTF-8 or code page 1252), as every message echoes it:
// inert UTF-8.
std::string Echo(std::string_view text);

// UTF-8 text cut after a number of bytes: a last character the cut split
// becomes U+FFFD, rather than the whole text reading as code page 1252.
// Text that is not UTF-8 but for such a cut is returned as it is.
std::string MarkCutCharacter(std::string_view cut);

// Characters of UTF-8 text: the bytes that do not continue a sequence.
std::size_t DisplayWidth(std::string_view utf8);

}  // namespace tarivox::report
