// Where libxlsxwriter puts a workbook together. The library writes the
// finished workbook to a file it is given by name (and its parts to
// temporary files of its own), so the workbook writer gives it a scratch
// file, reads the workbook back into its sink and removes the file. On
// Windows and POSIX systems that is a new file in the temporary folder,
// made for this run alone; in the page, whose module has no file system,
// it is a file in the module's memory (web/memory_files.cpp).
#pragma once

#include <cstdio>
#include <string>

namespace tarivox::report {

// A new, empty scratch file; its name in UTF-8. False, with an errno
// value in *error, when none can be made.
bool MakeScratchFile(std::string* path, int* error);

// The scratch file opened for reading, or null with errno set.
std::FILE* OpenScratchFile(const std::string& path);

void RemoveScratchFile(const std::string& path);

}  // namespace tarivox::report
