// Reading the acts of a quote from the command line and from text lines.
//
// An act is written OFFICE:SERVICE:TRANSACTION[:social|:normal][=AMOUNT][|LABEL]
// with names or list positions, for example
//   KLDA:Inscripción:Transferencias y mod. de dominio=150,000 | Compraventa
// A quote file holds one act a line; blank lines and lines starting with "#"
// are skipped, and "client: ..." and "date: ..." give the quote's client
// reference and date.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/quote_act.h"

namespace tarivox::cli {

struct RefusedAct {
  std::string Source;  // "line 5", "--act 2"
  std::string Reason;
  long long Order = 0;  // as ActRequest::Order
};

struct QuoteInput {
  std::string Client;
  std::string Date;
  std::vector<ActRequest> Acts;
  std::vector<RefusedAct> Refused;
};

// Parses one act; Source is left to the caller. False, with the reason, for
// a malformed act or a name that is unknown or ambiguous.
bool ParseActText(std::string_view actText, ActRequest* act, std::string* reason);

// Reads quote lines to the end of the stream. Acts and header lines that
// cannot be used go to input->Refused with their line number; Order is
// orderBase plus the line number. A CR before
// the line end is dropped. Text that is not valid UTF-8 is taken as code
// page 1252, as files written on Windows often are.
void ReadQuoteLines(std::istream& in, long long orderBase, QuoteInput* input);

// Free text (labels, client, date) on one line: control characters such as
// tabs and line breaks become blanks, so that tables stay aligned.
std::string OneLine(std::string_view text);

// True when text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// text itself when it is UTF-8, otherwise its code page 1252 reading.
std::string AsUtf8(std::string_view text);

}  // namespace tarivox::cli
