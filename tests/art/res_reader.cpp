#include "res_reader.h"

#include <stdexcept>

namespace art_test {

namespace {

std::size_t AlignToDword(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

// Reads a NUL-terminated UTF-16 string; non-ASCII units become '?'.
std::string ReadWideString(const Bytes& bytes, std::size_t& offset) {
  std::string text;
  for (unsigned unit = ReadU16(bytes, offset); unit != 0; unit = ReadU16(bytes, offset)) {
    text += unit < 0x80 ? static_cast<char>(unit) : '?';
    offset += 2;
  }
  offset += 2;
  return text;
}

NameOrOrdinal ReadNameOrOrdinal(const Bytes& bytes, std::size_t& offset) {
  NameOrOrdinal field;
  if (ReadU16(bytes, offset) == 0xFFFF) {
    field.isOrdinal = true;
    field.ordinal = ReadU16(bytes, offset + 2);
    offset += 4;
  } else {
    field.text = ReadWideString(bytes, offset);
  }
  return field;
}

int ReadI16(const Bytes& bytes, std::size_t offset) {
  const unsigned value = ReadU16(bytes, offset);
  return value >= 0x8000 ? static_cast<int>(value) - 0x10000 : static_cast<int>(value);
}

DialogItem ReadDialogItem(const Bytes& data, std::size_t& offset) {
  offset = AlignToDword(offset);
  DialogItem item{};
  item.style = ReadU32(data, offset);
  item.extendedStyle = ReadU32(data, offset + 4);
  item.x = ReadI16(data, offset + 8);
  item.y = ReadI16(data, offset + 10);
  item.cx = ReadI16(data, offset + 12);
  item.cy = ReadI16(data, offset + 14);
  item.id = ReadI16(data, offset + 16);
  offset += 18;
  item.windowClass = ReadNameOrOrdinal(data, offset);
  item.text = ReadNameOrOrdinal(data, offset);
  const unsigned extraBytes = ReadU16(data, offset);
  offset += 2 + extraBytes;
  return item;
}

}  // namespace

std::vector<ResourceEntry> ReadResourceFile(const Bytes& bytes) {
  std::vector<ResourceEntry> entries;
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const std::uint32_t dataSize = ReadU32(bytes, offset);
    const std::uint32_t headerSize = ReadU32(bytes, offset + 4);
    std::size_t field = offset + 8;
    const NameOrOrdinal type = ReadNameOrOrdinal(bytes, field);
    const NameOrOrdinal name = ReadNameOrOrdinal(bytes, field);
    const std::size_t dataStart = offset + headerSize;
    if (headerSize < 16 || dataStart + dataSize > bytes.size() || dataStart < field) {
      throw std::out_of_range("malformed resource header at " + std::to_string(offset));
    }
    if (type.isOrdinal && type.ordinal != 0) {
      entries.push_back({type.ordinal, name.isOrdinal ? name.ordinal : 0,
                         Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(dataStart),
                               bytes.begin() + static_cast<std::ptrdiff_t>(dataStart + dataSize))});
    }
    offset = AlignToDword(dataStart + dataSize);
  }
  return entries;
}

std::optional<ResourceEntry> FindResource(const std::vector<ResourceEntry>& entries,
                                          unsigned type, unsigned name) {
  for (const ResourceEntry& entry : entries) {
    if (entry.type == type && entry.name == name) return entry;
  }
  return std::nullopt;
}

DialogTemplate ReadDialogTemplate(const Bytes& data) {
  if (ReadU16(data, 0) == 1 && ReadU16(data, 2) == 0xFFFF) {
    throw std::out_of_range("an extended (DIALOGEX) template");
  }
  DialogTemplate dialog{};
  dialog.style = ReadU32(data, 0);
  dialog.extendedStyle = ReadU32(data, 4);
  const unsigned itemCount = ReadU16(data, 8);
  dialog.x = ReadI16(data, 10);
  dialog.y = ReadI16(data, 12);
  dialog.cx = ReadI16(data, 14);
  dialog.cy = ReadI16(data, 16);
  std::size_t offset = 18;
  dialog.menu = ReadNameOrOrdinal(data, offset);
  dialog.windowClass = ReadNameOrOrdinal(data, offset);
  dialog.title = ReadWideString(data, offset);
  constexpr std::uint32_t DS_SETFONT = 0x40;
  if ((dialog.style & DS_SETFONT) != 0) {
    dialog.pointSize = ReadU16(data, offset);
    offset += 2;
    dialog.typeface = ReadWideString(data, offset);
  }
  for (unsigned index = 0; index < itemCount; ++index) {
    dialog.items.push_back(ReadDialogItem(data, offset));
  }
  return dialog;
}

}  // namespace art_test
