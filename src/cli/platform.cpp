#include "cli/platform.h"

#include <fcntl.h>

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tarivox::cli {

#ifdef _WIN32

namespace {

bool IsConsole(DWORD standardHandle) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

// One call moves at most this much, whatever was asked (the count is an
// unsigned int there).
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;
unsigned Count(std::size_t size) { return static_cast<unsigned>(size < kLargestTransfer ? size : kLargestTransfer); }

}  // namespace

void PrepareStandardStreams() {
  // No CR added before each LF, and no Ctrl-Z taken for the end of input.
  for (int fd = 0; fd < 3; ++fd) _setmode(fd, _O_BINARY);
  if (IsConsole(STD_OUTPUT_HANDLE) || IsConsole(STD_ERROR_HANDLE)) SetConsoleOutputCP(CP_UTF8);
}

long ReadSome(int fd, char* buffer, std::size_t size) { return _read(fd, buffer, Count(size)); }
long WriteSome(int fd, const char* bytes, std::size_t size) { return _write(fd, bytes, Count(size)); }
int OpenForReading(const char* path) { return _open(path, _O_RDONLY | _O_BINARY); }
int CloseDescriptor(int fd) { return _close(fd); }

#else

void PrepareStandardStreams() {
  for (int fd = 0; fd < 3; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      // The lowest free descriptor is this one: the ones below are open.
      int held = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
      static_cast<void>(held);
    }
  }
}

long ReadSome(int fd, char* buffer, std::size_t size) { return read(fd, buffer, size); }
long WriteSome(int fd, const char* bytes, std::size_t size) { return write(fd, bytes, size); }
int OpenForReading(const char* path) { return open(path, O_RDONLY); }
int CloseDescriptor(int fd) { return close(fd); }

#endif

}  // namespace tarivox::cli
