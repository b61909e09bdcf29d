// The program's two pictures made from their editable text sources:
//   emblem.txt      the 32 x 32 emblem (pixel map)
//   menu_logo.txt   the layout of the menu picture, naming its fonts
// giving the icon file tarivox.ico and the bitmap file menu_logo.bmp.
#pragma once

#include <filesystem>

#include "byte_writer.h"

namespace artgen {

inline constexpr const char* EMBLEM_SOURCE = "emblem.txt";
inline constexpr const char* MENU_LOGO_SOURCE = "menu_logo.txt";
inline constexpr const char* ICON_OUTPUT = "tarivox.ico";
inline constexpr const char* MENU_LOGO_OUTPUT = "menu_logo.bmp";

struct Artwork {
  Bytes icon;
  Bytes menuLogo;
};

// Throws std::runtime_error naming the file and line of any mistake.
Artwork GenerateArtwork(const std::filesystem::path& sourceDirectory);

// Whole file as text or bytes; throws std::runtime_error when unreadable.
std::string ReadFileText(const std::filesystem::path& path);
Bytes ReadFileBytes(const std::filesystem::path& path);

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace artgen
