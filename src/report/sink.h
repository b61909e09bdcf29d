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
};

inline void Put(const Sink& sink, std::string_view text) { sink.Write(sink.Context, text.data(), text.size()); }

}  // namespace tarivox::report
