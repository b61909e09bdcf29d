// A quote: several acts, each priced by the calculator or by its tariff
// text, the total to pay in whole cents and the tariff texts as numbered
// notes. Acts are priced as they are added, so a quote keeps only what its
// report needs of each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/act.h"
#include "report/verification.h"

namespace tarivox::report {

// The tariff texts of a report as numbered notes: acts whose heading and
// text are the same share one note, so a quote of ten sales prints it once.
struct TariffNotes {
  TariffNotes(const Edition* tariff = nullptr) : Tariff(tariff) {}  // NOLINT: a quote starts with none
  const Edition* Tariff;  // whose texts they are
  std::vector<Selection> Items;  // a selection that shows each note's text
  std::vector<std::pair<Selection, int>> Seen;  // every selection met, with its note
};

// The number of the note for what's tariff text, adding a note when new.
int NoteFor(TariffNotes* notes, const Selection& what);
// "Inscripción — Transferencias y mod. de dominio": the edition's names only.
std::string NoteHeading(const Edition& edition, const Selection& what);

// An act read but not yet priced: a quote's acts are priced once its date,
// and with it the edition in force, is known.
struct PendingAct {
  std::string Text;
  long long Source;
  bool FromArgument;
  std::size_t RefusedBefore;  // refusals of lines read before it, for their order
};

struct Quote {
  Language Lang = Language::Spanish;  // of every text the quote writes, refusals included
  const Edition* Tariff = &BuiltInEdition();  // every act is priced under it
  std::string Client;
  std::string Date;        // as given, "YYYY-MM-DD"
  CalendarDate DateValue;  // the same, read; not set when none was given
  // What heads the quote as a document an office issues.
  std::string Number;      // the office's own number for it, if any
  std::string Preparer;
  std::string Firm;
  CalendarDate ValidUntil;
  // A later edition that takes effect before ValidUntil: from that day the
  // figures may change.
  const Edition* LaterTariff = nullptr;
  Seal Sealed;  // its verification code and checks, once every act is in
  std::vector<PendingAct> Pending;
  std::vector<Act> Acts;
  TariffNotes Notes;
  long long TotalCents = 0;   // of every act: each one is priced
  long long EngineCount = 0;  // acts priced by the calculator; the others by their tariff texts
  std::vector<std::string> Refused;  // "línea 5: reason", in input order
  // Acts kept for this quote that could not be read back (the page's
  // storage): not in the total, so the quote is not complete.
  long long Unreadable = 0;
};

// How many days a quote holds by default, and at most.
inline constexpr int QUOTE_VALID_DAYS = 30;
inline constexpr int QUOTE_VALID_DAYS_LIMIT = 3650;

// The heading's lines: the title, the number, the dates, the client, who
// prepared it, the edition (and the later one that changes its figures
// before it expires), the verification code once sealed.
std::vector<std::string> QuoteHeadingLines(const Quote& quote);

// The number-th --act option (from 1), kept until PriceQuote.
void AddArgumentAct(Quote* quote, std::string_view text, long long number);

// Prices the acts read so far under quote->Tariff; refusals join the others
// in the order of the input.
void PriceQuote(Quote* quote);

// A priced act added at the end: its tariff text numbered among the notes,
// its fee in the total.
void AppendAct(Quote* quote, Act act);

// The notes that got another number by a change: each old number with the
// new one. Every act that cited a note cites it under its new number (the
// act a change adds has its own). A list as long as the notes, not the acts:
// removing the first of 5,000 acts can renumber every act's note.
using Renumbering = std::vector<std::pair<int, int>>;

// The act at index taken out, or an act put there (an undo puts one back);
// the notes are numbered again in the order the acts then cite them.
Renumbering RemoveActAt(Quote* quote, std::size_t index, Act* removed);
Renumbering InsertActAt(Quote* quote, std::size_t index, Act act);

// A quote line is one act: longer ones are refused rather than kept, so
// that every act costs the quote a bounded amount of memory.
inline constexpr std::size_t QUOTE_LINE_LIMIT = 1024;

// One line of a quote file: an act (kept until PriceQuote), or "cliente:
// ...", "fecha: YYYY-MM-DD" or "número: ..." (also "client:", "date:",
// "number:") to head the quote; blank lines and lines starting with "#" are skipped. A line
// that is not valid UTF-8 is read as code page 1252, as files written on
// Windows often are. A line longer than QUOTE_LINE_LIMIT bytes is refused
// (a reader may pass only its first QUOTE_LINE_LIMIT + 1 bytes).
void AddQuoteLine(Quote* quote, std::string_view line, long long number);

// A quote file's whole text, its lines ended by LF, CR LF or CR alone.
void AddQuoteText(Quote* quote, std::string_view text);

}  // namespace tarivox::report
