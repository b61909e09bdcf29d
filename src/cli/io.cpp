#include "cli/io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/platform.h"
#include "report/text.h"

namespace tarivox::cli {
namespace {

bool WriteAll(Output* out, const char* bytes, std::size_t length) {
  while (length > 0 && out->Error == 0) {
    long written = WriteSome(out->Fd, bytes, length);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      out->Error = written < 0 ? errno : EIO;
    } else {
      bytes += written;
      length -= static_cast<std::size_t>(written);
    }
  }
  return out->Error == 0;
}

void WriteToOutput(void* context, const char* bytes, std::size_t length) {
  Write(static_cast<Output*>(context), std::string_view(bytes, length));
}

// Reads more after what the buffer holds; false at the end or on failure.
bool Fill(Input* in) {
  if (in->Ended || in->Error != 0) return false;
  if (in->FlushFirst != nullptr) Flush(in->FlushFirst);
  long got = 0;
  do {
    got = ReadSome(in->Fd, in->Buffer + in->End, IO_BUFFER_SIZE - in->End);
  } while (got < 0 && errno == EINTR);
  if (got < 0) in->Error = errno;
  if (got == 0) in->Ended = true;
  if (got > 0) in->End += static_cast<std::size_t>(got);
  return got > 0;
}

// Reads the next buffer full; the first one without its byte-order mark
// (which a pipe may deliver a byte at a time).
bool Refill(Input* in) {
  in->Begin = in->End = 0;
  bool filled = Fill(in);
  if (!in->Started) {
    in->Started = true;
    while (filled && in->End < 3) filled = Fill(in);
    if (in->End >= 3 && std::memcmp(in->Buffer, "\xEF\xBB\xBF", 3) == 0) in->Begin = 3;
    if (in->Begin == in->End) return Refill(in);  // nothing but the mark yet
  }
  return in->Begin < in->End;
}

}  // namespace

void WriteBeyondBuffer(Output* out, std::string_view bytes) {
  if (Flush(out) && bytes.size() < IO_BUFFER_SIZE) {
    Write(out, bytes);
  } else {
    WriteAll(out, bytes.data(), bytes.size());
  }
}

bool Flush(Output* out) {
  bool written = WriteAll(out, out->Buffer, out->Used);
  out->Used = 0;
  return written;
}

bool Close(Output* out) {
  bool written = Flush(out);
  if (CloseDescriptor(out->Fd) != 0 && written) out->Error = errno;
  return out->Error == 0;
}

report::Sink SinkOf(Output* out) { return {out, WriteToOutput}; }

ReadResult ReadRecord(Input* in, std::size_t keep, std::string_view* record) {
  in->Kept.clear();
  std::size_t length = 0;  // of the record so far
  bool begun = false;
  for (;;) {
    if (in->Begin == in->End && !Refill(in)) {
      if (in->Error != 0) return ReadResult::Failed;
      if (!begun) return ReadResult::End;
      break;
    }
    if (in->AfterCr) {
      in->AfterCr = false;
      if (in->Buffer[in->Begin] == '\n') ++in->Begin;
      continue;
    }
    const char* start = in->Buffer + in->Begin;
    std::size_t available = in->End - in->Begin;
    const void* lf = std::memchr(start, '\n', available);
    std::size_t part = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : available;
    const void* cr = std::memchr(start, '\r', part);
    if (cr != nullptr) part = static_cast<std::size_t>(static_cast<const char*>(cr) - start);
    bool ended = lf != nullptr || cr != nullptr;
    begun = true;
    in->Begin += part + (ended ? 1 : 0);
    in->AfterCr = cr != nullptr;
    if (ended && length == 0) {  // the whole record is in the buffer: no copy
      *record = std::string_view(start, part < keep ? part : keep);
      return ReadResult::Record;
    }
    if (in->Kept.size() < keep) in->Kept.append(start, std::min(part, keep - in->Kept.size()));
    length += part;
    if (ended) break;
  }
  *record = in->Kept;
  return ReadResult::Record;
}

bool OpenInput(Input* in, const char* path) {
  in->Name = report::Echo(path);
  in->Fd = OpenForReading(path);
  if (in->Fd < 0) in->Error = errno;
  return in->Fd >= 0;
}

void CloseInput(Input* in) {
  if (in->Fd >= 0) CloseDescriptor(in->Fd);
}

namespace {

// The errors a user can meet and act on, each in words of our own; any
// other gets its number, which the C library's English text would not make
// clearer to a Spanish-speaking user.
report::Message ErrorMessage(int error) {
  switch (error) {
    case ENOENT: return report::MSG_IO_NOT_FOUND;
    case EACCES:
    case EPERM: return report::MSG_IO_DENIED;
    case EISDIR: return report::MSG_IO_IS_DIRECTORY;
    case ENOSPC: return report::MSG_IO_NO_SPACE;
    case EFBIG: return report::MSG_IO_TOO_LARGE;
    case EPIPE: return report::MSG_IO_READER_GONE;
    case EBADF: return report::MSG_IO_CLOSED;
    case EIO: return report::MSG_IO_DEVICE;
    default: return report::MSG_IO_OTHER;
  }
}

}  // namespace

std::string Failure(report::Language language, const std::string& name, int error) {
  std::string reason = report::Text(language, ErrorMessage(error), {std::to_string(error)});
  return report::Text(language, report::MSG_CLI_FAILURE, {name, reason});
}

}  // namespace tarivox::cli
