// tarivox-artgen: makes the icon and the menu picture from res/art's text
// sources.
//   tarivox-artgen <source dir> <output dir>   write tarivox.ico, menu_logo.bmp
//   tarivox-artgen --check <source dir>        exit 1 if the files there differ
// Files whose bytes are already right are left untouched, so that their
// timestamps do not trigger a relink of the program.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "artwork.h"

namespace {

bool SameAsOnDisk(const std::filesystem::path& path, const artgen::Bytes& bytes) {
  if (!std::filesystem::exists(path)) return false;
  return artgen::ReadFileBytes(path) == bytes;
}

int Run(int argc, char** argv) {
  const bool check = argc == 3 && std::string_view(argv[1]) == "--check";
  if (!check && argc != 3) {
    std::fputs("usage: tarivox-artgen <source dir> <output dir>\n"
               "       tarivox-artgen --check <source dir>\n",
               stderr);
    return 2;
  }
  const std::filesystem::path sources = argv[check ? 2 : 1];
  const std::filesystem::path outputs = argv[2];
  const artgen::Artwork artwork = artgen::GenerateArtwork(sources);
  const std::pair<const char*, const artgen::Bytes*> files[] = {
      {artgen::ICON_OUTPUT, &artwork.icon}, {artgen::MENU_LOGO_OUTPUT, &artwork.menuLogo}};
  int stale = 0;
  for (const auto& [name, bytes] : files) {
    const std::filesystem::path path = outputs / name;
    if (SameAsOnDisk(path, *bytes)) continue;
    if (check) {
      std::fprintf(stderr, "%s does not match its sources\n", path.string().c_str());
      stale = 1;
    } else {
      artgen::WriteFileBytes(path, *bytes);
      std::printf("wrote %s (%zu bytes)\n", path.string().c_str(), bytes->size());
    }
  }
  return stale;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tarivox-artgen: %s\n", error.what());
    return 2;
  }
}
