// The files a run reads and writes besides its streams: the tariff editions
// a user installs, in the user's own data folder. Paths are UTF-8, and a
// failure is an errno value, so that one table of messages names it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/calendar.h"

namespace tarivox::cli {

// $XDG_DATA_HOME (or ~/.local/share) on POSIX, %APPDATA% on Windows; empty
// when the system names none.
std::string UserDataFolder();

// $XDG_CONFIG_HOME (or ~/.config) on POSIX, %APPDATA% on Windows; empty
// when the system names none.
std::string UserConfigFolder();

std::string JoinPath(const std::string& folder, std::string_view name);

// The whole file, when it has at most limit bytes (EFBIG beyond).
bool ReadSmallFile(const std::string& path, std::size_t limit, std::string* bytes, int* error);

// The names of the folder's entries ending in suffix, sorted; a folder that
// does not exist has none.
bool ListFiles(const std::string& folder, std::string_view suffix, std::vector<std::string>* names, int* error);

// The folder and those above it, where missing.
bool MakeFolders(const std::string& path, int* error);

// A file that did not exist, written whole or not at all: the bytes go to
// a file of its own beside it, which then takes the name (EEXIST when the
// name is taken).
bool WriteNewFile(const std::string& path, std::string_view bytes, int* error);

// Today in the user's own time zone: a deed signed this evening in San
// Salvador is dated today, not tomorrow as the UTC date would have it.
CalendarDate LocalToday();

}  // namespace tarivox::cli
