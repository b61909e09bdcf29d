#include "report/scratch_file.h"

#include <cerrno>
#include <cstdlib>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#elif !defined(__wasi__)
#include <unistd.h>
#endif

namespace tarivox::report {

#if defined(_WIN32)

namespace {

// libxlsxwriter takes the name in UTF-8 and opens it as UTF-16 itself, so a
// temporary folder under a user name such as "Peña" works.
std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
  utf8.resize(utf8.size() - 1);
  return utf8;
}

}  // namespace

bool MakeScratchFile(std::string* path, int* error) {
  wchar_t folder[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"tvx", 0, name) == 0) {
    *error = GetLastError() == ERROR_DISK_FULL ? ENOSPC : EACCES;
    return false;
  }
  *path = Utf8(name);
  return true;
}

std::FILE* OpenScratchFile(const std::string& path) { return _wfopen(Wide(path).c_str(), L"rb"); }

void RemoveScratchFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

#elif defined(__wasi__)

// One workbook at a time, in the module's memory.
bool MakeScratchFile(std::string* path, int*) {
  *path = "tarivox.xlsx";
  return true;
}

std::FILE* OpenScratchFile(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

void RemoveScratchFile(const std::string& path) { std::remove(path.c_str()); }

#else

bool MakeScratchFile(std::string* path, int* error) {
  const char* folder = std::getenv("TMPDIR");
  std::string name = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/tarivox-XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    *error = errno;
    return false;
  }
  close(fd);
  *path = name;
  return true;
}

std::FILE* OpenScratchFile(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

void RemoveScratchFile(const std::string& path) { std::remove(path.c_str()); }

#endif

}  // namespace tarivox::report
