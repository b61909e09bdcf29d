#include "report/written_forms.h"

#include <cstddef>
#include <unordered_map>

namespace tarivox {
extern const char WrittenFormsTsv[];
extern const std::size_t WrittenFormsTsvSize;
}  // namespace tarivox

namespace tarivox::report {
namespace {

using Forms = std::unordered_map<std::string_view, std::string_view>;

// The rows, read once: "as held<TAB>as written", "#" starting a comment.
Forms ReadForms() {
  Forms forms;
  const std::string_view table(WrittenFormsTsv, WrittenFormsTsvSize);
  for (std::size_t at = 0; at < table.size();) {
    std::size_t end = table.find('\n', at);
    if (end == std::string_view::npos) end = table.size();
    const std::string_view line = table.substr(at, end - at);
    const std::size_t tab = line.find('\t');
    if (!line.starts_with('#') && tab != std::string_view::npos) forms.emplace(line.substr(0, tab), line.substr(tab + 1));
    at = end + 1;
  }
  return forms;
}

}  // namespace

std::string WrittenForm(std::string_view utf8) {
  static const Forms forms = ReadForms();
  const auto found = forms.find(utf8);
  return std::string(found == forms.end() ? utf8 : found->second);
}

std::string WrittenWithNote(std::string_view text, std::string_view note) {
  return WrittenForm(text) + " " + WrittenForm(note);
}

}  // namespace tarivox::report
