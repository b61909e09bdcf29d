// Reads a compiled resource file (.res, the resource compiler's output): a
// list of entries, each with a type, a name and its data. Names and types
// used here are all numeric.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dib_reader.h"

namespace art_test {

struct ResourceEntry {
  unsigned type;  // RT_ICON 3, RT_BITMAP 2, RT_DIALOG 5, RT_GROUP_ICON 14, ...
  unsigned name;  // 0 when the name is a string
  Bytes data;
};

// Throws std::out_of_range on a malformed file.
std::vector<ResourceEntry> ReadResourceFile(const Bytes& bytes);

std::optional<ResourceEntry> FindResource(const std::vector<ResourceEntry>& entries,
                                          unsigned type, unsigned name);

// A string or ordinal field of a dialog template (sz_Or_Ord).
struct NameOrOrdinal {
  bool isOrdinal = false;
  unsigned ordinal = 0;
  std::string text;  // UTF-16 narrowed; the templates here are ASCII
};

struct DialogItem {
  std::uint32_t style;
  std::uint32_t extendedStyle;
  int x, y, cx, cy;
  int id;  // 16-bit, sign-extended: -1 for IDC_STATIC
  NameOrOrdinal windowClass;
  NameOrOrdinal text;
};

struct DialogTemplate {
  std::uint32_t style;
  std::uint32_t extendedStyle;
  int x, y, cx, cy;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::string title;
  unsigned pointSize = 0;
  std::string typeface;
  std::vector<DialogItem> items;
};

// Reads a classic DLGTEMPLATE; throws std::out_of_range for the extended
// form or a malformed template.
DialogTemplate ReadDialogTemplate(const Bytes& data);

}  // namespace art_test
