#include "report/quote.h"

#include "report/text.h"

namespace tarivox::report {
namespace {

void Refuse(Quote* quote, const Act& at, const std::string& reason) {
  quote->Refused.push_back(Text(quote->Lang, MSG_REFUSED_AT, SourceText(quote->Lang, at), reason));
}

void AddAct(Quote* quote, std::string_view text, long long source, bool fromArgument) {
  Act act;
  act.Source = source;
  act.FromArgument = fromArgument;
  std::string reason;
  if (!ParseAct(quote->Lang, text, &act, &reason)) {
    Refuse(quote, act, reason);
    return;
  }
  AppendAct(quote, std::move(act));
}

void CountAct(Quote* quote, const Act& act, int step) {
  quote->TotalCents += step * act.FeeCents;
  if (act.PricedBy == Pricing::Engine) quote->EngineCount += step;
}

void RenumberNotes(Quote* quote) {
  quote->Notes = {};
  for (Act& act : quote->Acts) act.Note = NoteFor(&quote->Notes, act.What);
}

// A heading line: its keywords, the field it sets and what is wrong with
// it when given twice or empty.
struct Header {
  const char* Keywords[2];
  std::string Quote::*Field;
  MessageOf<> Twice, Empty;
};
constexpr Header kHeaders[] = {
    {{"cliente", "client"}, &Quote::Client, MSG_CLIENT_TWICE, MSG_CLIENT_EMPTY},
    {{"fecha", "date"}, &Quote::Date, MSG_DATE_TWICE, MSG_DATE_EMPTY},
};

// "cliente: X" or "fecha: X": a keyword in any case, then the value.
bool SetHeader(Quote* quote, std::string_view line, long long number) {
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  std::string keyword = FoldName(line.substr(0, colon));
  for (const Header& header : kHeaders) {
    if (keyword != header.Keywords[0] && keyword != header.Keywords[1]) continue;
    std::string_view value = Trim(line.substr(colon + 1));
    std::string& field = quote->*header.Field;
    Act at;
    at.Source = number;
    if (!field.empty()) {
      Refuse(quote, at, Text(quote->Lang, header.Twice));
    } else if (value.empty()) {
      Refuse(quote, at, Text(quote->Lang, header.Empty));
    } else {
      field = std::string(value);
    }
    return true;
  }
  return false;
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

void AppendAct(Quote* quote, Act act) {
  act.Note = NoteFor(&quote->Notes, act.What);
  CountAct(quote, act, 1);
  quote->Acts.push_back(std::move(act));
}

Act RemoveActAt(Quote* quote, std::size_t index) {
  Act act = std::move(quote->Acts[index]);
  quote->Acts.erase(quote->Acts.begin() + static_cast<std::ptrdiff_t>(index));
  CountAct(quote, act, -1);
  RenumberNotes(quote);
  return act;
}

void InsertActAt(Quote* quote, std::size_t index, Act act) {
  CountAct(quote, act, 1);
  quote->Acts.insert(quote->Acts.begin() + static_cast<std::ptrdiff_t>(index), std::move(act));
  RenumberNotes(quote);
}

void AddArgumentAct(Quote* quote, std::string_view text, long long number) {
  AddAct(quote, AsUtf8(text), number, true);
}

void AddQuoteLine(Quote* quote, std::string_view line, long long number) {
  if (line.size() > QUOTE_LINE_LIMIT) {
    Act at;
    at.Source = number;
    Refuse(quote, at, Text(quote->Lang, MSG_LINE_TOO_LONG, static_cast<long long>(QUOTE_LINE_LIMIT)));
    return;
  }
  std::string text = AsUtf8(line);
  std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed[0] == '#') return;
  if (SetHeader(quote, trimmed, number)) return;
  AddAct(quote, trimmed, number, false);
}

}  // namespace tarivox::report
