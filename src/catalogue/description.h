// The tariff text that the description panel shows for a selection, with the
// social-interest note appended where the tariff applies it.
#pragma once

#include <cstddef>

#include "catalogue/selection.h"

namespace tarivox {

// The composition buffer; the longest text (339 characters plus the
// 83-character note) takes 423 bytes, so 1024 leaves ample room.
inline constexpr std::size_t DESCRIPTION_TEXT_SIZE = 1024;

// Writes the text for the selection into out, always terminated. A
// selection outside the catalogue gives an empty text.
void ComposeDescription(const Selection& selection, char (&out)[DESCRIPTION_TEXT_SIZE]);

// The catalogue entry that holds the selection's text before any note;
// null outside the catalogue.
const char* const* TariffBaseText(const Selection& selection);

// True when ComposeDescription appends the note for this selection.
bool DescriptionHasNote(const Selection& selection);

}  // namespace tarivox
