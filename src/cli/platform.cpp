#include "cli/platform.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <csignal>
#include <initializer_list>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarivox::cli {
namespace {

volatile std::sig_atomic_t caughtSignal = 0;

}  // namespace

int StopSignal() { return caughtSignal; }

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

std::string Utf8FromWide(const wchar_t* wide) {
  int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  text.pop_back();  // the terminator
  return text;
}

std::wstring WideFromUtf8(const char* text) {
  int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (size <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), size);
  wide.pop_back();
  return wide;
}

// The errno a POSIX system gives for the same failure, so that one table
// of messages serves both.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_NO_DATA:  // the pipe is being closed: its reader went away
    case ERROR_BROKEN_PIPE:
    case ERROR_PIPE_NOT_CONNECTED: return EPIPE;  // Wine's word for the same
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_TOO_LARGE: return EFBIG;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_INVALID_HANDLE: return EBADF;
    default: return EIO;
  }
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool IsDiskFile(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK; }

void OnStopSignal(int signal) {
  // The C library has put the default action back: a second Ctrl-C ends
  // the program at once.
  caughtSignal = signal;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

void PrepareStandardStreams() {
  // No CR added before each LF, and no Ctrl-Z taken for the end of input.
  for (int fd = 0; fd < 3; ++fd) _setmode(fd, _O_BINARY);
  if (IsConsole(STD_OUTPUT_HANDLE) || IsConsole(STD_ERROR_HANDLE)) SetConsoleOutputCP(CP_UTF8);
}

long ReadSome(int fd, char* buffer, std::size_t size) { return _read(fd, buffer, Count(size)); }

long WriteSome(int fd, const char* bytes, std::size_t size) {
  HANDLE handle = HandleOf(fd);
  DWORD written = 0;
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return -1;
  }
  // A write that stops part way (a disk that fills) may fail and still
  // have written some: those bytes count, and the next call says why.
  if (!WriteFile(handle, bytes, Count(size), &written, nullptr) && written == 0) {
    errno = ErrnoOf(GetLastError());
    return -1;
  }
  return static_cast<long>(written);
}

// Windows refuses to open a folder as "access denied"; it is said to be a
// folder, as on POSIX.
int OpenForReading(const char* utf8Path) {
  const std::wstring path = WideFromUtf8(utf8Path);
  const int fd = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
  if (fd < 0 && errno == EACCES) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) errno = EISDIR;
  }
  return fd;
}
int CloseDescriptor(int fd) { return _close(fd); }

bool WaitForDescriptor(int, bool) { return false; }

bool StampOfFile(int fd, FileStamp* stamp) {
  HANDLE handle = HandleOf(fd);
  FILE_BASIC_INFO basic{};
  FILE_STANDARD_INFO standard{};
  if (!IsDiskFile(handle) || !GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) ||
      !GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard)) {
    return false;
  }
  *stamp = {standard.EndOfFile.QuadPart, basic.LastWriteTime.QuadPart, basic.ChangeTime.QuadPart};
  return true;
}

namespace {

// A file's identity: the volume and the file's number on it. The older call
// gives both on every Windows; Wine cannot name the volume of a handle it
// was given at start (redirected standard streams) and refuses it, while
// the newer call answers with the number and a volume of 0 there.
struct FileIdentity {
  unsigned long long Volume = 0;
  unsigned char Number[16] = {};
};

bool IdentityOf(HANDLE handle, FileIdentity* identity) {
  if (!IsDiskFile(handle)) return false;
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileInformationByHandle(handle, &information)) {
    identity->Volume = information.dwVolumeSerialNumber;
    unsigned long long number = (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    std::memcpy(identity->Number, &number, sizeof number);
    return true;
  }
  FILE_ID_INFO id{};
  if (!GetFileInformationByHandleEx(handle, FileIdInfo, &id, sizeof id)) return false;
  identity->Volume = id.VolumeSerialNumber;
  std::memcpy(identity->Number, id.FileId.Identifier, sizeof identity->Number);
  return true;
}

}  // namespace

bool SameRegularFile(int first, int second) {
  FileIdentity one, other;
  FileStamp oneStamp{}, otherStamp{};
  if (!IdentityOf(HandleOf(first), &one) || !IdentityOf(HandleOf(second), &other) ||
      std::memcmp(one.Number, other.Number, sizeof one.Number) != 0) {
    return false;
  }
  if (one.Volume != 0 && other.Volume != 0) return one.Volume == other.Volume;
  // A volume not known: the same number, size and times is the same file.
  return StampOfFile(first, &oneStamp) && StampOfFile(second, &otherStamp) && oneStamp == otherStamp;
}

bool CutBackFile(int fd, unsigned long long tail) {
  HANDLE handle = HandleOf(fd);
  LARGE_INTEGER here{};
  if (!IsDiskFile(handle) || !SetFilePointerEx(handle, LARGE_INTEGER{}, &here, FILE_CURRENT) ||
      static_cast<unsigned long long>(here.QuadPart) < tail) {
    return false;
  }
  LARGE_INTEGER end{};
  end.QuadPart = here.QuadPart - static_cast<long long>(tail);
  return SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
}

void CatchStopSignals() {
  for (int signal : {SIGINT, SIGBREAK, SIGTERM}) {
    if (std::signal(signal, OnStopSignal) == SIG_IGN) std::signal(signal, SIG_IGN);
  }
}

void EndBySignal(int) { ExitProcess(STATUS_CONTROL_C_EXIT); }

#else

namespace {

void OnStopSignal(int signal) {
  if (caughtSignal != 0) {
    // Asked twice: the program ends now, as it would have the first time.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  caughtSignal = signal;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

void PrepareStandardStreams() {
  for (int fd = 0; fd < 3; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      // The lowest free descriptor is this one: the ones below are open.
      int held = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
      static_cast<void>(held);
    }
  }
  std::signal(SIGXFSZ, SIG_IGN);
}

long ReadSome(int fd, char* buffer, std::size_t size) { return read(fd, buffer, size); }
long WriteSome(int fd, const char* bytes, std::size_t size) { return write(fd, bytes, size); }
int OpenForReading(const char* utf8Path) { return open(utf8Path, O_RDONLY); }
int CloseDescriptor(int fd) { return close(fd); }

bool WaitForDescriptor(int fd, bool writing) {
  pollfd watched{fd, static_cast<short>(writing ? POLLOUT : POLLIN), 0};
  for (;;) {
    if (poll(&watched, 1, -1) >= 0) return true;  // ready, or the next call will tell what failed
    // A stop signal ends a wait for input; output begun is finished, as a
    // blocking write finishes it, so that no record is left torn.
    if (errno != EINTR || (!writing && caughtSignal != 0)) return false;
  }
}

bool StampOfFile(int fd, FileStamp* stamp) {
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  constexpr long long kNano = 1000000000;
  *stamp = {static_cast<long long>(status.st_size), status.st_mtim.tv_sec * kNano + status.st_mtim.tv_nsec,
            status.st_ctim.tv_sec * kNano + status.st_ctim.tv_nsec};
  return true;
}

bool SameRegularFile(int first, int second) {
  struct stat one {}, other {};
  return fstat(first, &one) == 0 && fstat(second, &other) == 0 && S_ISREG(one.st_mode) && one.st_dev == other.st_dev &&
         one.st_ino == other.st_ino;
}

bool CutBackFile(int fd, unsigned long long tail) {
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  off_t here = lseek(fd, 0, SEEK_CUR);
  if (here < 0 || static_cast<unsigned long long>(here) < tail) return false;
  off_t end = here - static_cast<off_t>(tail);
  // The position too: standard error may share it (2>&1), and must not
  // write after a hole.
  return ftruncate(fd, end) == 0 && lseek(fd, end, SEEK_SET) == end;
}

void CatchStopSignals() {
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction old {};
    if (sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read that waits for input returns, and the program
    // stops instead of waiting on.
    action.sa_flags = 0;
    sigaction(signal, &action, nullptr);
  }
}

void EndBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  _exit(128 + signal);  // not reached: the signal ends the program
}

#endif

}  // namespace tarivox::cli
