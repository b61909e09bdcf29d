// Files in the module's own memory. The page's module has no host to ask
// for a file system (it imports nothing), but libxlsxwriter writes an xlsx
// workbook through the C library's files: its parts to tmpfile(), the
// workbook itself to a file it opens by name. So the module brings its
// own: fopen, tmpfile and remove here make C library streams (fopencookie)
// over bytes in memory, which the C library reads, writes and seeks like
// any other file. They take the place of WASI's C library's own fopen and
// remove (which would import the host's file calls) and supply the
// tmpfile it lacks.
//
// What else of the C library would call the host without a file system
// answers here too, as a host without one would: writes to standard error
// (libxlsxwriter's messages on a failure) go nowhere, and the clock, which
// libxlsxwriter reads before it takes the workbook's given creation time
// instead, says the start of 1970.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif
#include <wasi/api.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <sys/types.h>

namespace {

using Bytes = std::shared_ptr<std::string>;

// The named files: the workbook until the writer has read it back.
std::map<std::string, Bytes>& Named() {
  static std::map<std::string, Bytes> files;
  return files;
}

struct Stream {
  Bytes Data;
  std::size_t At = 0;
  bool Appending = false;
};

ssize_t Read(void* cookie, char* buffer, std::size_t size) {
  auto* stream = static_cast<Stream*>(cookie);
  const std::size_t available = stream->At < stream->Data->size() ? stream->Data->size() - stream->At : 0;
  const std::size_t count = size < available ? size : available;
  std::memcpy(buffer, stream->Data->data() + stream->At, count);
  stream->At += count;
  return static_cast<ssize_t>(count);
}

ssize_t Write(void* cookie, const char* bytes, std::size_t size) {
  auto* stream = static_cast<Stream*>(cookie);
  std::string& data = *stream->Data;
  if (stream->Appending) stream->At = data.size();
  if (data.size() < stream->At + size) data.resize(stream->At + size);
  std::memcpy(data.data() + stream->At, bytes, size);
  stream->At += size;
  return static_cast<ssize_t>(size);
}

int Seek(void* cookie, off_t* offset, int whence) {
  auto* stream = static_cast<Stream*>(cookie);
  const long long base = whence == SEEK_SET   ? 0
                         : whence == SEEK_CUR ? static_cast<long long>(stream->At)
                                              : static_cast<long long>(stream->Data->size());
  const long long target = base + *offset;
  if (target < 0) {
    errno = EINVAL;
    return -1;
  }
  stream->At = static_cast<std::size_t>(target);
  *offset = static_cast<off_t>(target);
  return 0;
}

int Close(void* cookie) {
  delete static_cast<Stream*>(cookie);
  return 0;
}

FILE* Open(Bytes data, const char* mode) {
  auto* stream = new Stream{std::move(data), 0, mode[0] == 'a'};
  FILE* file = fopencookie(stream, mode, cookie_io_functions_t{Read, Write, Seek, Close});
  if (file == nullptr) delete stream;
  return file;
}

}  // namespace

extern "C" {

FILE* fopen(const char* name, const char* mode) {
  auto found = Named().find(name);
  if (mode[0] == 'r') {
    if (found == Named().end()) {
      errno = ENOENT;
      return nullptr;
    }
    return Open(found->second, mode);
  }
  if (found == Named().end()) found = Named().emplace(name, std::make_shared<std::string>()).first;
  if (mode[0] == 'w') found->second->clear();
  return Open(found->second, mode);
}

FILE* tmpfile(void) { return Open(std::make_shared<std::string>(), "w+"); }

int remove(const char* name) {
  if (Named().erase(name) == 0) {
    errno = ENOENT;
    return -1;
  }
  return 0;
}

// The host calls that standard error and the clock would make.
int32_t __imported_wasi_snapshot_preview1_fd_write(int32_t, int32_t, int32_t, int32_t written) {
  *reinterpret_cast<uint32_t*>(static_cast<uintptr_t>(written)) = 0;
  return __WASI_ERRNO_BADF;
}
int32_t __imported_wasi_snapshot_preview1_fd_seek(int32_t, int64_t, int32_t, int32_t) { return __WASI_ERRNO_BADF; }
int32_t __imported_wasi_snapshot_preview1_fd_close(int32_t) { return __WASI_ERRNO_BADF; }
int32_t __imported_wasi_snapshot_preview1_clock_time_get(int32_t, int64_t, int32_t time) {
  *reinterpret_cast<uint64_t*>(static_cast<uintptr_t>(time)) = 0;
  return __WASI_ERRNO_SUCCESS;
}

}  // extern "C"
