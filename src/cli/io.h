// Every read and write of tarivox-cli goes through here: large buffered
// reads and writes on descriptors, records split at any line end, and the
// first failure of each stream kept for the command to report.
//
// Output leaves in whole records only, so that a run that fails or is
// stopped leaves no torn line behind for the next program to read as a
// figure: a write that ends with LF ends a record (a batch line, a line of
// a report, a CSV record; a JSON document is one record, since only its last
// write ends with LF). Only a record longer than the buffer leaves in parts;
// in a regular file it is cut back again when it cannot be finished.
#pragma once

#include <bit>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/platform.h"
#include "report/messages.h"
#include "report/sink.h"

namespace tarivox::cli {

inline constexpr std::size_t IO_BUFFER_SIZE = std::size_t{1} << 16;

// bytes[0..7] as a word, the first byte in the lowest one whatever the
// machine's byte order.
inline std::uint64_t LoadWord(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i) swapped = (swapped << 8) | ((word >> (8 * i)) & 0xFFu);
    word = swapped;
  }
  return word;
}

// Where `byte` first lies in bytes[from, end), or end. A record, a dated
// one too, and a field are often shorter than a few words: those are looked
// at here, eight bytes at a time (a byte equal to `byte` leaves a zero byte,
// which the borrow of the subtraction marks, exactly at the first one), and
// fewer than eight one by one, before the C library's search, whose call
// costs as much.
inline std::size_t FindByte(const char* bytes, std::size_t from, std::size_t end, char byte) {
  constexpr int kWordsHere = 4;
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  const std::uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
  for (int word = 0; word < kWordsHere && from + sizeof(std::uint64_t) <= end; ++word) {
    const std::uint64_t differs = LoadWord(bytes + from) ^ pattern;
    const std::uint64_t zeros = (differs - kOnes) & ~differs & kHighBits;
    if (zeros != 0) return from + static_cast<std::size_t>(std::countr_zero(zeros) / 8);
    from += sizeof(std::uint64_t);
  }
  if (end - from < sizeof(std::uint64_t)) {
    while (from < end && bytes[from] != byte) ++from;
    return from;
  }
  const void* found = std::memchr(bytes + from, byte, end - from);
  return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes) : end;
}

struct Output {
  int Fd = -1;
  std::string Name;  // "standard output", for messages
  int Error = 0;  // errno of the first failure; from then on writes are dropped
  // The failure was a writer's that could not put its document together
  // (an xlsx workbook), not this stream's.
  bool Unassembled = false;
  std::size_t Used = 0;
  std::size_t RecordEnd = 0;  // Buffer[0, RecordEnd) holds whole records
  unsigned long long Sent = 0;   // bytes the system has taken
  unsigned long long Whole = 0;  // of those, the ones up to the end of the last whole record
  std::bitset<IO_BUFFER_SIZE + 1> Ends = {};  // where records end in Buffer: how far a failed write got
  char Buffer[IO_BUFFER_SIZE] = {};
};

// What does not fit the buffer; Write below is the common case, inline
// because batch writes six pieces a line.
void WriteBeyondBuffer(Output* out, std::string_view bytes);
inline void Write(Output* out, std::string_view bytes) {
  if (bytes.size() > IO_BUFFER_SIZE - out->Used) {
    WriteBeyondBuffer(out, bytes);
    return;
  }
  std::memcpy(out->Buffer + out->Used, bytes.data(), bytes.size());
  out->Used += bytes.size();
  if (!bytes.empty() && bytes.back() == '\n') {
    out->RecordEnd = out->Used;
    out->Ends.set(out->Used);
  }
}
// Hands the whole records buffered to the system; false once anything has
// failed. A failed write to a regular file cuts it back to its last whole
// record.
bool Flush(Output* out);
// Room for up to length bytes (at most IO_BUFFER_SIZE) at the end of the
// buffer, for a writer that fills it in place; Commit then keeps what it
// wrote, a record when it ends with LF. Hands over what is buffered first
// when the buffer lacks the room.
char* ReserveBeyondBuffer(Output* out, std::size_t length);
inline char* Reserve(Output* out, std::size_t length) {
  if (length > IO_BUFFER_SIZE - out->Used) return ReserveBeyondBuffer(out, length);
  return out->Buffer + out->Used;
}
inline void Commit(Output* out, std::size_t length) {
  out->Used += length;
  if (length > 0 && out->Buffer[out->Used - 1] == '\n') {
    out->RecordEnd = out->Used;
    out->Ends.set(out->Used);
  }
}
// For a run that stops early: the whole records are written, a record
// begun is dropped (and cut back from a regular file if part of it left).
void Abandon(Output* out);
// Writes everything and closes the descriptor, whose closing can fail too.
bool Close(Output* out);
report::Sink SinkOf(Output* out);

// Input::Error for a regular file whose size or times at its end differ
// from those at the start: it changed while it was read.
inline constexpr int INPUT_CHANGED = -1;

inline constexpr std::size_t NOT_LOOKED_FOR = ~std::size_t{0};

struct Input {
  int Fd = -1;
  std::string Name;  // "standard input" or the file's name, made inert, for messages
  Output* FlushFirst = nullptr;  // flushed before every read, since a read may wait
  int Error = 0;  // errno of the failure, or INPUT_CHANGED
  bool Started = false;  // the byte-order mark has been looked for
  bool Ended = false;
  bool AfterCr = false;  // a CR ended the last record: a LF right after it belongs to it
  bool Unended = false;  // the last record read ended with the input, not with a line end
  bool Watched = false;  // the file's stamp was looked for
  bool Regular = false;  // ... and it is a regular file, whose stamp is AtStart
  FileStamp AtStart = {};
  std::size_t Begin = 0;
  std::size_t End = 0;
  // Where the next LF and CR lie in Buffer from Begin on (End when there is
  // none), or NOT_LOOKED_FOR since the buffer was filled: each byte is looked
  // at once for each, whatever the records' length and line ends.
  std::size_t NextLf = NOT_LOOKED_FOR;
  std::size_t NextCr = NOT_LOOKED_FOR;
  std::string Kept = {};  // the kept start of a record that runs past the end of the buffer
  char Buffer[IO_BUFFER_SIZE] = {};
};

// Stopped: a stop signal came (see platform.h); the record being read, if
// any, is dropped.
enum class ReadResult { Record, End, Failed, Stopped };

// The next record without its line end: LF, CR LF and CR alone each end one,
// and the last may have none (in->Unended then tells). A UTF-8 byte-order
// mark at the start of the input is skipped. Only the first keep bytes of a
// record are kept, in *record until the next call; the rest is skipped.
ReadResult ReadRecord(Input* in, std::size_t keep, std::string_view* record);

// How much of a record of tab-separated fields its reader looks at: the
// first Keep[i] bytes of each of its first Count - 1 fields, and the first
// Keep[Count - 1] of the rest of the record, its last field with any tabs
// after it.
struct FieldKeep {
  const std::size_t* Keep;
  int Count;
};

// ReadRecord for a reader that looks at no more of each field than keep
// says, so that a field may be as long as it likes and the fields after it
// are still read: a record that lies whole in the buffer is handed out
// whole, one that runs past it as the kept start of each field, each with
// the tab that ends it.
ReadResult ReadRecord(Input* in, const FieldKeep& keep, std::string_view* record);

// False, with in->Error set, when the file cannot be opened.
bool OpenInput(Input* in, const char* path);
void CloseInput(Input* in);

// "salida estándar: no queda espacio en el dispositivo", in the language
// of the report library's message table rather than the C library's.
std::string Failure(report::Language language, const std::string& name, int error);

}  // namespace tarivox::cli
