// What differs between POSIX systems and Windows, behind one set of names.
// Descriptors are read and written in binary, and arguments and file names
// are UTF-8, so that tarivox-cli reads and writes the same bytes everywhere.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarivox::cli {

// The command line in UTF-8. Windows hands a program its arguments in the
// ANSI code page with "best fit" (Ł becomes L, １ becomes 1); they are taken
// from the UTF-16 command line instead, so that they are what the user gave.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Binary standard streams and a console that shows UTF-8; on POSIX, a
// standard descriptor that was closed is held by one that fails every use,
// so that writing to it is reported and no file opened later takes its place,
// and a file-size limit fails the write (EFBIG) instead of killing the
// program before it can cut its output back to whole records.
void PrepareStandardStreams();

// As read(2), write(2), open(2) and close(2): -1 with errno on failure.
// On Windows a write to a pipe whose reader went away fails with EPIPE, and
// one to a full disk with ENOSPC, as on POSIX.
long ReadSome(int fd, char* buffer, std::size_t size);
long WriteSome(int fd, const char* bytes, std::size_t size);
int OpenForReading(const char* utf8Path);
int CloseDescriptor(int fd);

// After EAGAIN on a descriptor that does not block (a coprocess's pipe, some
// IDEs' consoles): waits until it can be read or written. False when it
// cannot wait, or a stop signal came while it waited for input.
bool WaitForDescriptor(int fd, bool writing);

// A regular file's size and times, to tell whether it changed while it was
// read. False for what is no regular file (a pipe, a terminal, a device).
struct FileStamp {
  long long Size = 0;
  long long Modified = 0;  // in the system's own units
  long long Changed = 0;
  bool operator==(const FileStamp&) const = default;
};
bool StampOfFile(int fd, FileStamp* stamp);

// True when both descriptors are the same regular file: a run that reads
// its own output would grow it until the disk is full ("batch < f >> f").
bool SameRegularFile(int first, int second);

// Cuts the last tail bytes written to the regular file at fd away, and
// leaves its position at the new end. False for what is no regular file,
// or when the system refuses.
bool CutBackFile(int fd, unsigned long long tail);

// SIGINT and SIGTERM (Ctrl-C, Ctrl-Break on Windows) are noted instead of
// ending the program at once, so that it can end at a record boundary; a
// signal that was ignored when the program started (Ctrl-C for a
// background job) stays ignored, and a second one ends the program at once.
void CatchStopSignals();
// The stop signal caught, or 0.
int StopSignal();
// Ends the program as that signal would have (status 128 + N in a POSIX
// shell; on Windows the status of a console program ended by Ctrl-C).
[[noreturn]] void EndBySignal(int signal);

}  // namespace tarivox::cli
