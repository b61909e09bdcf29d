// The tariff text that the description panel shows for a selection: the
// transaction's own text, or under the social-interest project its text of
// its own or its text with the edition's note appended, where the tariff
// says so.
#pragma once

#include <cstddef>

#include "catalogue/edition.h"

namespace tarivox {

// The composition buffer: a text and the note take at most
// 2 * EDITION_TEXT_LIMIT bytes, so 1024 always holds them.
inline constexpr std::size_t DESCRIPTION_TEXT_SIZE = 1024;
static_assert(2 * EDITION_TEXT_LIMIT < DESCRIPTION_TEXT_SIZE);

// What the text is made of: the transaction's text (its social one where it
// has one), and the edition's note where the tariff appends it; code page
// 1252. A selection outside the edition has an empty text and no note.
struct DescriptionParts {
  const char* Text = "";
  const char* Note = nullptr;
};
DescriptionParts DescribeSelection(const Edition& edition, const Selection& selection);

// Writes the text for the selection into out, always terminated. A
// selection outside the edition gives an empty text.
void ComposeDescription(const Edition& edition, const Selection& selection, char (&out)[DESCRIPTION_TEXT_SIZE]);

}  // namespace tarivox
