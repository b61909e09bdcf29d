// What differs between POSIX systems and Windows, behind one set of names.
// Descriptors are read and written in binary, so that tarivox-cli reads and
// writes the same bytes everywhere.
#pragma once

#include <cstddef>

namespace tarivox::cli {

// Binary standard streams and a console that shows UTF-8; on POSIX, a
// standard descriptor that was closed is held by one that fails every use,
// so that writing to it is reported and no file opened later takes its place.
void PrepareStandardStreams();

// As read(2), write(2), open(2) and close(2): -1 with errno on failure.
long ReadSome(int fd, char* buffer, std::size_t size);
long WriteSome(int fd, const char* bytes, std::size_t size);
int OpenForReading(const char* path);
int CloseDescriptor(int fd);

}  // namespace tarivox::cli
