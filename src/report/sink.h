// Where the writers of this library put their bytes. The owner of the sink
// decides what a failed write means (the command-line tool keeps the first
// failure and reports it); the writers only produce text.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarivox::report {

struct Sink {
  void* Context;
  void (*Write)(void* context, const char* bytes, std::size_t length);
  // Asked between records: true when the writer is to stop at this record
  // boundary, as a program that was told to end (a stop signal) does. A
  // report stopped so is cut short, never completed later.
  bool (*StopRequested)() = nullptr;
  // Told by a writer that could not put its document together at all (a
  // workbook whose scratch file could not be written): nothing of it was
  // written. The error is an errno value; the owner reports it as it
  // reports a failed write.
  void (*Failed)(void* context, int error) = nullptr;
};

inline void Put(const Sink& sink, std::string_view text) { sink.Write(sink.Context, text.data(), text.size()); }

inline bool Stopping(const Sink& sink) { return sink.StopRequested != nullptr && sink.StopRequested(); }

inline void Fail(const Sink& sink, int error) {
  if (sink.Failed != nullptr) sink.Failed(sink.Context, error);
}

}  // namespace tarivox::report
