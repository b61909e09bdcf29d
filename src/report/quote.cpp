#include "report/quote.h"

#include <algorithm>

#include "report/text.h"

namespace tarivox::report {
namespace {

void Refuse(Quote* quote, const Act& at, const std::string& reason) {
  quote->Refused.push_back(Text(quote->Lang, MSG_REFUSED_AT, SourceText(quote->Lang, at), reason));
}

void AddAct(Quote* quote, std::string_view text, long long source, bool fromArgument) {
  quote->Pending.push_back({std::string(text), source, fromArgument, quote->Refused.size()});
}

void CountAct(Quote* quote, const Act& act, int step) {
  quote->TotalCents += step * act.FeeCents;
  if (act.PricedBy == Pricing::Engine) quote->EngineCount += step;
}

// An act just put in has note 0, and is not counted as renumbered.
Renumbering RenumberNotes(Quote* quote) {
  Renumbering changed;
  quote->Notes = TariffNotes(quote->Tariff);
  for (Act& act : quote->Acts) {
    const int note = NoteFor(&quote->Notes, act.What);
    if (act.Note != 0 && act.Note != note &&
        std::find(changed.begin(), changed.end(), std::pair(act.Note, note)) == changed.end()) {
      changed.emplace_back(act.Note, note);
    }
    act.Note = note;
  }
  return changed;
}

// A heading line: its keywords, the field it sets and what is wrong with
// it when given twice or empty; whether it is a date.
struct Header {
  const char* Keywords[2];
  std::string Quote::*Field;
  MessageOf<> Twice, Empty;
  bool Date;
};
constexpr Header kHeaders[] = {
    {{"cliente", "client"}, &Quote::Client, MSG_CLIENT_TWICE, MSG_CLIENT_EMPTY, false},
    {{"fecha", "date"}, &Quote::Date, MSG_DATE_TWICE, MSG_DATE_EMPTY, true},
    {{"numero", "number"}, &Quote::Number, MSG_NUMBER_TWICE, MSG_NUMBER_EMPTY, false},
};

// "cliente: X", "fecha: X" or "número: X": a keyword in any case (and
// accents or none), then the value.
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
    } else if (header.Date && !ParseIsoDate(value, &quote->DateValue)) {
      Refuse(quote, at, Text(quote->Lang, MSG_DATE_NOT_REAL, value));
    } else {
      field = std::string(value);
    }
    return true;
  }
  return false;
}

}  // namespace

std::string NoteHeading(const Edition& edition, const Selection& what) {
  return ServiceName(edition, what.ServiceIndex) + " \xE2\x80\x94 " + TransactionName(edition, what);
}

int NoteFor(TariffNotes* notes, const Selection& what) {
  for (const auto& [seen, note] : notes->Seen) {
    if (seen == what) return note;
  }
  const Edition& edition = *notes->Tariff;
  std::string heading = NoteHeading(edition, what);
  std::string text = TariffText(edition, what);
  int note = 0;
  for (std::size_t i = 0; i < notes->Items.size() && note == 0; ++i) {
    const Selection& other = notes->Items[i];
    if (NoteHeading(edition, other) == heading && TariffText(edition, other) == text) note = static_cast<int>(i) + 1;
  }
  if (note == 0) {
    notes->Items.push_back(what);
    note = static_cast<int>(notes->Items.size());
  }
  notes->Seen.emplace_back(what, note);
  return note;
}

void AppendAct(Quote* quote, Act act) {
  quote->Notes.Tariff = quote->Tariff;
  act.Note = NoteFor(&quote->Notes, act.What);
  CountAct(quote, act, 1);
  quote->Acts.push_back(std::move(act));
}

Renumbering RemoveActAt(Quote* quote, std::size_t index, Act* removed) {
  *removed = std::move(quote->Acts[index]);
  quote->Acts.erase(quote->Acts.begin() + static_cast<std::ptrdiff_t>(index));
  CountAct(quote, *removed, -1);
  return RenumberNotes(quote);
}

Renumbering InsertActAt(Quote* quote, std::size_t index, Act act) {
  if (index == quote->Acts.size()) {
    AppendAct(quote, std::move(act));
    return {};
  }
  CountAct(quote, act, 1);
  act.Note = 0;
  quote->Acts.insert(quote->Acts.begin() + static_cast<std::ptrdiff_t>(index), std::move(act));
  return RenumberNotes(quote);
}

void AddArgumentAct(Quote* quote, std::string_view text, long long number) {
  AddAct(quote, AsUtf8(text), number, true);
}

void PriceQuote(Quote* quote) {
  std::size_t added = 0;
  for (const PendingAct& pending : quote->Pending) {
    Act act;
    act.Source = pending.Source;
    act.FromArgument = pending.FromArgument;
    std::string reason;
    if (ParseAct(quote->Lang, *quote->Tariff, pending.Text, &act, &reason)) {
      AppendAct(quote, std::move(act));
      continue;
    }
    const auto at = quote->Refused.begin() + static_cast<std::ptrdiff_t>(pending.RefusedBefore + added++);
    quote->Refused.insert(at, Text(quote->Lang, MSG_REFUSED_AT, SourceText(quote->Lang, act), reason));
  }
  quote->Pending.clear();
}

void AddQuoteText(Quote* quote, std::string_view text) {
  long long number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    AddQuoteLine(quote, text.substr(0, end), ++number);
    const bool crlf = text.substr(end).starts_with("\r\n");
    text.remove_prefix(std::min(end + (crlf ? 2 : 1), text.size()));
  }
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
