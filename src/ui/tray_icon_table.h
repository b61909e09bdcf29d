// The program's tray icons and the fixed parts of their records.
#pragma once

#include <cstddef>

#include "platform/win32.h"

namespace tarivox {

struct TrayIconEntry {
  UINT Id;
};

inline constexpr int TRAY_ICON_COUNT = 1;
extern const TrayIconEntry TrayIconTable[TRAY_ICON_COUNT];

// The tip of a first-version record: 63 characters and the terminator.
inline constexpr std::size_t TRAY_TIP_SIZE = 64;
inline constexpr char TRAY_DEFAULT_TIP[] = "Tarivox01";

}  // namespace tarivox
