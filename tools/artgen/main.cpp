// tarivox-artgen <source dir> <output dir>: makes tarivox.ico and
// menu_logo.bmp from the text sources in <source dir> (res/art).
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>

#include "artgen.h"

namespace {

// A file whose bytes are already right is left untouched, so that its time
// does not trigger a relink of the program.
void WriteIfChanged(const std::filesystem::path& file, const artgen::Bytes& bytes) {
  if (std::filesystem::exists(file) &&
      artgen::ReadText(file) == std::string(bytes.begin(), bytes.end())) {
    return;
  }
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  stream.close();
  if (!stream) throw std::runtime_error("cannot write " + file.string());
  std::printf("wrote %s\n", file.string().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: tarivox-artgen <source dir> <output dir>\n", stderr);
    return 2;
  }
  try {
    const std::filesystem::path sources = argv[1];
    const std::filesystem::path outputs = argv[2];
    using namespace artgen;
    const Bytes icon = BuildIconFile(ReadPixelMap(sources / "emblem.txt"));
    const Bytes logo = BuildBitmapFile(ComposeMenuLogo(sources / "menu_logo.txt"));
    WriteIfChanged(outputs / "tarivox.ico", icon);
    WriteIfChanged(outputs / "menu_logo.bmp", logo);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tarivox-artgen: %s\n", error.what());
    return 1;
  }
  return 0;
}
