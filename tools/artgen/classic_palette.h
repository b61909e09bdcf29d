// The sixteen colours every 4-bit Windows display has, in the order of the
// system's default palette. The 16-colour images use exactly this palette so
// that no colour is remapped when they are shown.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace artgen {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

inline constexpr int CLASSIC_COLOUR_COUNT = 16;

struct ClassicColour {
  std::string_view name;
  Rgb rgb;
};

inline constexpr std::array<ClassicColour, CLASSIC_COLOUR_COUNT> CLASSIC_PALETTE{{
    {"black", {0x00, 0x00, 0x00}},   {"maroon", {0x80, 0x00, 0x00}},
    {"green", {0x00, 0x80, 0x00}},   {"olive", {0x80, 0x80, 0x00}},
    {"navy", {0x00, 0x00, 0x80}},    {"purple", {0x80, 0x00, 0x80}},
    {"teal", {0x00, 0x80, 0x80}},    {"silver", {0xC0, 0xC0, 0xC0}},
    {"gray", {0x80, 0x80, 0x80}},    {"red", {0xFF, 0x00, 0x00}},
    {"lime", {0x00, 0xFF, 0x00}},    {"yellow", {0xFF, 0xFF, 0x00}},
    {"blue", {0x00, 0x00, 0xFF}},    {"fuchsia", {0xFF, 0x00, 0xFF}},
    {"aqua", {0x00, 0xFF, 0xFF}},    {"white", {0xFF, 0xFF, 0xFF}},
}};

// Position of the named colour in CLASSIC_PALETTE, or -1 for an unknown name.
constexpr int ClassicColourIndex(std::string_view name) {
  for (int index = 0; index < CLASSIC_COLOUR_COUNT; ++index) {
    if (CLASSIC_PALETTE[static_cast<std::size_t>(index)].name == name) return index;
  }
  return -1;
}

}  // namespace artgen
