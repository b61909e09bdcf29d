#include "artwork.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "bitmap_file.h"
#include "icon_file.h"
#include "menu_logo.h"
#include "pixel_map.h"

namespace artgen {

std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
  const std::string text = ReadFileText(path);
  return Bytes(text.begin(), text.end());
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

Artwork GenerateArtwork(const std::filesystem::path& sourceDirectory) {
  const PixelMap emblem = ParsePixelMap(ReadFileText(sourceDirectory / EMBLEM_SOURCE), EMBLEM_SOURCE);
  // The layout names its other sources relative to its own directory.
  const SourceLoader load = [&sourceDirectory](std::string_view name) {
    return ReadFileText(sourceDirectory / std::filesystem::path(name));
  };
  const IndexedImage logo =
      ComposeMenuLogo(ReadFileText(sourceDirectory / MENU_LOGO_SOURCE), MENU_LOGO_SOURCE, load);
  return {BuildIconFile(emblem), BuildBitmapFile(logo)};
}

}  // namespace artgen
