// Every read and write of tarivox-cli goes through here: large buffered
// reads and writes on descriptors, records split at any line end, and the
// first failure of each stream kept for the command to report.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "report/messages.h"
#include "report/sink.h"

namespace tarivox::cli {

inline constexpr std::size_t IO_BUFFER_SIZE = std::size_t{1} << 16;

struct Output {
  int Fd = -1;
  std::string Name;  // "standard output", for messages
  int Error = 0;  // errno of the first failure; from then on writes are dropped
  std::size_t Used = 0;
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
}
// Writes what is buffered; false once anything has failed.
bool Flush(Output* out);
// Flushes and closes the descriptor, whose closing can fail too.
bool Close(Output* out);
report::Sink SinkOf(Output* out);

struct Input {
  int Fd = -1;
  std::string Name;  // "standard input" or the file's name, made inert, for messages
  Output* FlushFirst = nullptr;  // flushed before every read, since a read may wait
  int Error = 0;
  bool Started = false;  // the byte-order mark has been looked for
  bool Ended = false;
  bool AfterCr = false;  // a CR ended the last record: a LF right after it belongs to it
  std::size_t Begin = 0;
  std::size_t End = 0;
  std::string Kept = {};  // the kept start of a record that runs past the end of the buffer
  char Buffer[IO_BUFFER_SIZE] = {};
};

enum class ReadResult { Record, End, Failed };

// The next record without its line end: LF, CR LF and CR alone each end one,
// and the last may have none. A UTF-8 byte-order mark at the start of the
// input is skipped. Only the first keep bytes of a record are kept, in
// *record until the next call; the rest is skipped.
ReadResult ReadRecord(Input* in, std::size_t keep, std::string_view* record);

// False, with in->Error set, when the file cannot be opened.
bool OpenInput(Input* in, const char* path);
void CloseInput(Input* in);

// "salida estándar: no queda espacio en el dispositivo", in the language
// of the report library's message table rather than the C library's.
std::string Failure(report::Language language, const std::string& name, int error);

}  // namespace tarivox::cli
