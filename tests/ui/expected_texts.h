// Expected panel texts, put together from the catalogue's own entries.
#pragma once

#include <string>

#include "catalogue/catalogue.h"

namespace tarivox::uitest {

inline std::string WithNote(const char* text, bool note) {
  return std::string(text) + (note ? SocialInterestNote : "");
}

// Edit controls show "\r\n" line breaks as they were given; the catalogue
// has none, so the text reads back unchanged.
inline constexpr int AMOUNT = 1021;

}  // namespace tarivox::uitest
