// The catalogue's names and texts as Spanish is written, for everything a
// client reads: the window shows them exactly as the edition holds them,
// and a table of data (src/catalogue/editions/written-forms.tsv, carried in
// the program) says how each one that differs is written.
#pragma once

#include <string>
#include <string_view>

namespace tarivox::report {

// The written form of a name or a text (UTF-8) as the edition holds it; the
// text itself when no row names it.
std::string WrittenForm(std::string_view utf8);

// A tariff text and the note the tariff appends to it, written: two
// sentences with a blank between them.
std::string WrittenWithNote(std::string_view text, std::string_view note);

}  // namespace tarivox::report
