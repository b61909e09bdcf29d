#include "report/quote.h"

#include "report/text.h"

namespace tarivox::report {
namespace {

void AddAct(Quote* quote, std::string_view text, long long source, bool fromArgument) {
  Act act;
  act.Source = source;
  act.FromArgument = fromArgument;
  std::string reason;
  if (!ParseAct(text, &act, &reason) || !ComputeAct(&act, &reason)) {
    quote->Refused.push_back(SourceText(act) + ": " + reason);
    return;
  }
  act.Note = NoteFor(&quote->Notes, act.What);
  if (act.Computed) {
    quote->TotalCents += act.FeeCents;
    ++quote->ComputedCount;
  }
  quote->Acts.push_back(std::move(act));
}

// "client: X" or "date: X": the keyword in any case, then the value.
bool SetHeader(Quote* quote, std::string_view line, long long number, const char* keyword, std::string* field) {
  std::string_view name = keyword;
  if (line.size() <= name.size() || line[name.size()] != ':' || FoldName(line.substr(0, name.size())) != name) {
    return false;
  }
  std::string_view value = Trim(line.substr(name.size() + 1));
  std::string problem = !field->empty() ? " is given twice" : value.empty() ? " is empty" : "";
  if (problem.empty()) {
    *field = OneLine(value);
  } else {
    quote->Refused.push_back("line " + std::to_string(number) + ": the " + keyword + problem);
  }
  return true;
}

}  // namespace

std::string NoteHeading(const Selection& what) {
  return ServiceName(what.ServiceIndex) + " \xE2\x80\x94 " + TransactionName(what);
}

int NoteFor(TariffNotes* notes, const Selection& what) {
  for (const auto& [seen, note] : notes->Seen) {
    if (seen == what) return note;
  }
  std::string heading = NoteHeading(what);
  std::string text = TariffText(what);
  int note = 0;
  for (std::size_t i = 0; i < notes->Items.size() && note == 0; ++i) {
    const Selection& other = notes->Items[i];
    if (NoteHeading(other) == heading && TariffText(other) == text) note = static_cast<int>(i) + 1;
  }
  if (note == 0) {
    notes->Items.push_back(what);
    note = static_cast<int>(notes->Items.size());
  }
  notes->Seen.emplace_back(what, note);
  return note;
}

void AddArgumentAct(Quote* quote, std::string_view text, long long number) {
  AddAct(quote, AsUtf8(text), number, true);
}

void AddQuoteLine(Quote* quote, std::string_view line, long long number) {
  if (line.size() > QUOTE_LINE_LIMIT) {
    quote->Refused.push_back("line " + std::to_string(number) + ": longer than 1,024 bytes");
    return;
  }
  std::string text = AsUtf8(line);
  std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed[0] == '#') return;
  if (SetHeader(quote, trimmed, number, "client", &quote->Client)) return;
  if (SetHeader(quote, trimmed, number, "date", &quote->Date)) return;
  AddAct(quote, trimmed, number, false);
}

}  // namespace tarivox::report
