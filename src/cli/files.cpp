#include "cli/files.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "cli/platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarivox::cli {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

std::wstring Wide(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), size);
  wide.pop_back();
  return wide;
}

std::string Narrow(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  text.pop_back();
  return text;
}

int ErrnoOfLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: return EIO;
  }
}
#else
constexpr char kSeparator = '/';
#endif

bool MakeFolder(const std::string& path) {
#ifdef _WIN32
  return CreateDirectoryW(Wide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
#else
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
#endif
}

bool Rename(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH);
#else
  // link(2) fails when the name is taken, which rename(2) would overwrite.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
#endif
}

int LastError() {
#ifdef _WIN32
  return ErrnoOfLastError();
#else
  return errno;
#endif
}

}  // namespace

std::string UserDataFolder() {
#ifdef _WIN32
  const wchar_t* appData = _wgetenv(L"APPDATA");
  return appData == nullptr || *appData == L'\0' ? std::string() : Narrow(appData);
#else
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  return home == nullptr || *home == '\0' ? std::string() : std::string(home) + "/.local/share";
#endif
}

std::string UserConfigFolder() {
#ifdef _WIN32
  return UserDataFolder();
#else
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  return home == nullptr || *home == '\0' ? std::string() : std::string(home) + "/.config";
#endif
}

std::string JoinPath(const std::string& folder, std::string_view name) {
  if (folder.empty() || folder.back() == kSeparator) return folder + std::string(name);
  return folder + kSeparator + std::string(name);
}

bool ReadSmallFile(const std::string& path, std::size_t limit, std::string* bytes, int* error) {
  const int fd = OpenForReading(path.c_str());
  if (fd < 0) {
    *error = errno;
    return false;
  }
  bytes->clear();
  char buffer[1 << 14];
  long got = 0;
  while ((got = ReadSome(fd, buffer, sizeof buffer)) > 0 && bytes->size() <= limit) {
    bytes->append(buffer, static_cast<std::size_t>(got));
  }
  *error = got < 0 ? errno : bytes->size() > limit ? EFBIG : 0;
  CloseDescriptor(fd);
  return *error == 0;
}

bool ListFiles(const std::string& folder, std::string_view suffix, std::vector<std::string>* names, int* error) {
  names->clear();
  *error = 0;
#ifdef _WIN32
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(Wide(JoinPath(folder, "*")).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    *error = ErrnoOfLastError();
    if (*error == ENOENT) *error = 0;
    return *error == 0;
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names->push_back(Narrow(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
#else
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) {
    *error = errno == ENOENT ? 0 : errno;
    return *error == 0;
  }
  while (const dirent* entry = readdir(directory)) names->push_back(entry->d_name);
  closedir(directory);
#endif
  std::erase_if(*names, [suffix](const std::string& name) {
    return name.size() <= suffix.size() || !std::string_view(name).ends_with(suffix) || name[0] == '.';
  });
  std::sort(names->begin(), names->end());
  return true;
}

bool MakeFolders(const std::string& path, int* error) {
  for (std::size_t at = path.find(kSeparator, 1); ; at = path.find(kSeparator, at + 1)) {
    const std::string part = path.substr(0, at);
    // A drive ("C:") is no folder to make.
    if (!part.empty() && part.back() != ':' && !MakeFolder(part)) {
      *error = LastError();
      return false;
    }
    if (at == std::string::npos) return true;
  }
}

bool WriteNewFile(const std::string& path, std::string_view bytes, int* error) {
  const std::string temporary = path + ".part";
#ifdef _WIN32
  HANDLE file = CreateFileW(Wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  DWORD written = 0;
  const bool done = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!done) {
    *error = ErrnoOfLastError();
    DeleteFileW(Wide(temporary).c_str());
    return false;
  }
#else
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  bool done = fd >= 0;
  for (std::size_t at = 0; done && at < bytes.size();) {
    const long wrote = WriteSome(fd, bytes.data() + at, bytes.size() - at);
    done = wrote > 0;
    at += done ? static_cast<std::size_t>(wrote) : 0;
  }
  done = done && fsync(fd) == 0;
  *error = done ? 0 : errno;
  if (fd >= 0 && close(fd) != 0 && done) {
    done = false;
    *error = errno;
  }
  if (!done) {
    unlink(temporary.c_str());
    return false;
  }
#endif
  if (Rename(temporary, path)) return true;
  *error = LastError();
#ifdef _WIN32
  DeleteFileW(Wide(temporary).c_str());
#else
  unlink(temporary.c_str());
#endif
  return false;
}

CalendarDate LocalToday() {
#ifdef _WIN32
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
#else
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
#endif
}

}  // namespace tarivox::cli
