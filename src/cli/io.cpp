#include "cli/io.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "report/text.h"

namespace tarivox::cli {
namespace {

// Writes until every byte is taken or a write fails; returns how many were
// taken. A stop signal does not end it: the records begun are finished.
std::size_t WriteAll(Output* out, const char* bytes, std::size_t length) {
  std::size_t taken = 0;
  while (taken < length && out->Error == 0) {
    long written = WriteSome(out->Fd, bytes + taken, length - taken);
    if (written > 0) {
      taken += static_cast<std::size_t>(written);
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitForDescriptor(out->Fd, true)) {
      continue;
    } else {
      out->Error = written < 0 ? errno : EIO;
    }
  }
  return taken;
}

// The end of the last whole record within Buffer[0, length), or 0.
std::size_t LastRecordEnd(const Output& out, std::size_t length) {
  for (std::size_t at = length; at > 0; --at) {
    if (out.Ends.test(at)) return at;
  }
  return 0;
}

// Part of a record left and the rest never will: a regular file is cut back
// to its last whole record (a pipe or a terminal cannot take bytes back).
void CutBackTorn(Output* out) {
  if (out->Sent > out->Whole && CutBackFile(out->Fd, out->Sent - out->Whole)) out->Sent = out->Whole;
}

void DropBuffered(Output* out) {
  out->Used = out->RecordEnd = 0;
  out->Ends.reset();
}

// Hands Buffer[0, length) to the system and keeps the rest at the front.
void HandOver(Output* out, std::size_t length) {
  std::size_t taken = WriteAll(out, out->Buffer, length);
  out->Sent += taken;
  std::size_t whole = LastRecordEnd(*out, taken);
  if (whole > 0) out->Whole = out->Sent - (taken - whole);
  if (out->Error != 0) {
    CutBackTorn(out);
    DropBuffered(out);
    return;
  }
  std::memmove(out->Buffer, out->Buffer + length, out->Used - length);
  out->Used -= length;
  out->RecordEnd = out->RecordEnd > length ? out->RecordEnd - length : 0;
  out->Ends >>= length;
}

void WriteToOutput(void* context, const char* bytes, std::size_t length) {
  Write(static_cast<Output*>(context), std::string_view(bytes, length));
}

// A regular file's size and times are taken when its reading begins and
// compared at its end: a file cut or written to meanwhile would otherwise
// give figures of no version of it, without a word.
void WatchFile(Input* in) {
  in->Watched = true;
  in->Regular = StampOfFile(in->Fd, &in->AtStart);
}

void CheckUnchanged(Input* in) {
  FileStamp atEnd;
  if (in->Regular && (!StampOfFile(in->Fd, &atEnd) || !(atEnd == in->AtStart))) in->Error = INPUT_CHANGED;
}

// Reads more after what the buffer holds; false at the end, on failure or
// when a stop signal came.
bool Fill(Input* in) {
  if (in->Ended || in->Error != 0) return false;
  if (in->FlushFirst != nullptr) Flush(in->FlushFirst);
  if (!in->Watched) WatchFile(in);
  while (StopSignal() == 0) {
    long got = ReadSome(in->Fd, in->Buffer + in->End, IO_BUFFER_SIZE - in->End);
    if (got > 0) {
      in->End += static_cast<std::size_t>(got);
      return true;
    }
    if (got == 0) {
      in->Ended = true;
      CheckUnchanged(in);
      return false;
    }
    if (errno == EINTR) continue;
    if ((errno == EAGAIN || errno == EWOULDBLOCK) && WaitForDescriptor(in->Fd, false)) continue;
    if (StopSignal() == 0) in->Error = errno;
    return false;
  }
  return false;
}

// Whether the bytes read so far, fewer than three, may be the start of a
// byte-order mark.
bool MayBeMark(const Input& in) { return std::memcmp(in.Buffer, "\xEF\xBB\xBF", in.End) == 0; }

// Reads the next buffer full; the first one without its byte-order mark.
bool Refill(Input* in) {
  in->Begin = in->End = 0;
  in->NextLf = in->NextCr = NOT_LOOKED_FOR;
  bool filled = Fill(in);
  if (!in->Started) {
    in->Started = true;
    // A pipe may deliver the mark a byte at a time; but a first record
    // shorter than the mark is answered at once, not held back for more.
    while (filled && in->End < 3 && MayBeMark(*in)) filled = Fill(in);
    if (in->End >= 3 && std::memcmp(in->Buffer, "\xEF\xBB\xBF", 3) == 0) in->Begin = 3;
    if (in->Begin == in->End) return Refill(in);  // nothing but the mark yet
  }
  return in->Begin < in->End;
}

// Where the next `byte` lies from in->Begin on, End when the buffer holds
// none; *next keeps it, and it is looked for again only once passed.
std::size_t NextOf(const Input& in, char byte, std::size_t* next) {
  if (*next == NOT_LOOKED_FOR || *next < in.Begin) *next = FindByte(in.Buffer, in.Begin, in.End, byte);
  return *next;
}

}  // namespace

void WriteBeyondBuffer(Output* out, std::string_view bytes) {
  while (out->Error == 0 && bytes.size() > IO_BUFFER_SIZE - out->Used) {
    if (out->RecordEnd > 0) {
      HandOver(out, out->RecordEnd);
      continue;
    }
    // One record fills the buffer: it leaves in parts.
    std::size_t room = IO_BUFFER_SIZE - out->Used;
    std::memcpy(out->Buffer + out->Used, bytes.data(), room);
    out->Used += room;
    bytes.remove_prefix(room);
    HandOver(out, out->Used);
  }
  if (out->Error == 0) Write(out, bytes);
}

bool Flush(Output* out) {
  if (out->RecordEnd > 0) HandOver(out, out->RecordEnd);
  return out->Error == 0;
}

char* ReserveBeyondBuffer(Output* out, std::size_t length) {
  Flush(out);
  // A record begun and not ended fills the buffer: it leaves in parts. (After
  // a failure the buffer is empty, and what lands in it is dropped.)
  if (length > IO_BUFFER_SIZE - out->Used) HandOver(out, out->Used);
  return out->Buffer + out->Used;
}

void Abandon(Output* out) {
  Flush(out);
  CutBackTorn(out);
  DropBuffered(out);
}

bool Close(Output* out) {
  // The run is over: what is buffered is its end, even without a line end.
  if (out->Used > 0) HandOver(out, out->Used);
  bool written = out->Error == 0;
  if (CloseDescriptor(out->Fd) != 0 && written) out->Error = errno;
  return out->Error == 0;
}

// A report stops at the next record boundary once a stop signal came, as
// batch does, instead of writing the rest of a long document first.
report::Sink SinkOf(Output* out) {
  return {out, WriteToOutput, [] { return StopSignal() != 0; }, [](void* context, int error) {
            auto* output = static_cast<Output*>(context);
            if (output->Error != 0) return;
            output->Error = error;
            output->Unassembled = true;
            DropBuffered(output);
          }};
}

namespace {

// What a record read piece by piece keeps: its first bytes.
class KeepStart {
 public:
  explicit KeepStart(std::size_t keep) : keep_(keep) {}
  std::size_t Whole(std::size_t length) const { return length < keep_ ? length : keep_; }
  void Add(std::string* kept, std::string_view part) const {
    if (kept->size() < keep_) kept->append(part.data(), std::min(part.size(), keep_ - kept->size()));
  }

 private:
  std::size_t keep_;
};

// ... or the start of each field.
class KeepFields {
 public:
  explicit KeepFields(const FieldKeep& keep) : keep_(keep) {}
  std::size_t Whole(std::size_t length) const { return length; }
  void Add(std::string* kept, std::string_view part) {
    while (!part.empty()) {
      const bool last = field_ == keep_.Count - 1;
      const std::size_t tab = last ? std::string_view::npos : part.find('\t');
      const std::size_t run = tab == std::string_view::npos ? part.size() : tab;
      const std::size_t room = keep_.Keep[field_] - inField_;
      const std::size_t taken = run < room ? run : room;
      kept->append(part.data(), taken);
      inField_ += taken;
      if (tab == std::string_view::npos) return;
      kept->push_back('\t');
      ++field_;
      inField_ = 0;
      part.remove_prefix(tab + 1);
    }
  }

 private:
  const FieldKeep& keep_;
  int field_ = 0;
  std::size_t inField_ = 0;
};

// A record that starts where the buffer is to be filled or a CR's LF to be
// passed, or that runs past the buffer's end: read piece by piece, what
// keep keeps of it kept. Not inlined, so that ReadRecord's usual way does
// not pay for this one's registers.
template <typename Keep>
[[gnu::noinline]] ReadResult ReadRecordAcross(Input* in, Keep keep, std::string_view* record) {
  in->Kept.clear();
  std::size_t length = 0;  // of the record so far
  bool begun = false;
  for (;;) {
    if (in->Begin == in->End && !Refill(in)) {
      if (StopSignal() != 0) return ReadResult::Stopped;
      if (in->Error != 0) return ReadResult::Failed;
      if (!begun) return ReadResult::End;
      in->Unended = true;
      break;
    }
    if (in->AfterCr) {
      in->AfterCr = false;
      if (in->Buffer[in->Begin] == '\n') ++in->Begin;
      continue;
    }
    const char* start = in->Buffer + in->Begin;
    const std::size_t lf = NextOf(*in, '\n', &in->NextLf);
    const std::size_t cr = NextOf(*in, '\r', &in->NextCr);
    const std::size_t stop = lf < cr ? lf : cr;  // End when neither is in the buffer
    std::size_t part = stop - in->Begin;
    bool ended = stop < in->End;
    begun = true;
    in->Begin = stop + (ended ? 1 : 0);
    in->AfterCr = ended && stop == cr;
    in->Unended = false;
    if (ended && length == 0) {  // the whole record is in the buffer: no copy
      *record = std::string_view(start, keep.Whole(part));
      return ReadResult::Record;
    }
    keep.Add(&in->Kept, std::string_view(start, part));
    length += part;
    if (ended) break;
  }
  *record = in->Kept;
  return ReadResult::Record;
}

}  // namespace

namespace {

template <typename Keep>
ReadResult ReadKept(Input* in, Keep keep, std::string_view* record) {
  if (StopSignal() != 0) return ReadResult::Stopped;
  // The usual record lies whole in the buffer, its line end found: it is
  // handed out where it stands, with no call to fill or to keep.
  if (in->Begin < in->End && !in->AfterCr) {
    const std::size_t lf = NextOf(*in, '\n', &in->NextLf);
    const std::size_t cr = NextOf(*in, '\r', &in->NextCr);
    const std::size_t stop = lf < cr ? lf : cr;
    if (stop < in->End) {
      const std::size_t part = stop - in->Begin;
      *record = std::string_view(in->Buffer + in->Begin, keep.Whole(part));
      in->Begin = stop + 1;
      in->AfterCr = stop == cr;
      in->Unended = false;
      return ReadResult::Record;
    }
  }
  return ReadRecordAcross(in, keep, record);
}

}  // namespace

ReadResult ReadRecord(Input* in, std::size_t keep, std::string_view* record) {
  return ReadKept(in, KeepStart(keep), record);
}

ReadResult ReadRecord(Input* in, const FieldKeep& keep, std::string_view* record) {
  return ReadKept(in, KeepFields(keep), record);
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
// Null for an error it has no words for.
const report::MessageOf<>* ErrorMessage(int error) {
  using namespace report;
  switch (error) {
    case ENOENT: return &MSG_IO_NOT_FOUND;
    case EACCES:
    case EPERM: return &MSG_IO_DENIED;
    case EISDIR: return &MSG_IO_IS_DIRECTORY;
    case ENOTDIR: return &MSG_IO_NOT_A_DIRECTORY;
    case ENOSPC: return &MSG_IO_NO_SPACE;
    case EFBIG: return &MSG_IO_TOO_LARGE;
    case EPIPE: return &MSG_IO_READER_GONE;
    case EBADF: return &MSG_IO_CLOSED;
    case EIO: return &MSG_IO_DEVICE;
    case INPUT_CHANGED: return &MSG_IO_CHANGED;
    default: return nullptr;
  }
}

}  // namespace

std::string Failure(report::Language language, const std::string& name, int error) {
  const report::MessageOf<>* words = ErrorMessage(error);
  std::string reason = words != nullptr ? report::Text(language, *words) : report::Text(language, report::MSG_IO_OTHER, error);
  return report::Text(language, report::MSG_CLI_FAILURE, name, reason);
}

}  // namespace tarivox::cli
