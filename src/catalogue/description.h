// The tariff text that the description panel shows for a selection, with the
// social-interest note appended where the tariff applies it.
#pragma once

#include <cstddef>

namespace tarivox {

// The composition buffer; the longest text (339 characters plus the
// 83-character note) takes 423 bytes, so 1024 leaves ample room.
inline constexpr std::size_t DESCRIPTION_TEXT_SIZE = 1024;

// Writes the text for service, transaction (position as loaded), office and
// social (1 when "Interes Social" is checked) into out, always terminated.
// A selection outside the catalogue gives an empty text.
void ComposeDescription(int service, int transaction, int office, int social,
                        char (&out)[DESCRIPTION_TEXT_SIZE]);

// True when ComposeDescription appends the note for this selection.
bool DescriptionHasNote(int service, int transaction, int office, int social);

}  // namespace tarivox
