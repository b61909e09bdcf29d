#include "cli/quote_input.h"

#include "catalogue/catalogue.h"
#include "cli/cli_common.h"

namespace tarivox::cli {
namespace {

std::string_view Trim(std::string_view text) {
  const std::string_view blanks = " \t\r\n\v\f";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(separator, start);
    fields.push_back(Trim(text.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

bool ParseProjectKind(std::string_view text, bool* social, std::string* reason) {
  std::string folded = FoldName(text);
  if (folded == "social") {
    *social = true;
    return true;
  }
  if (folded == "normal") {
    *social = false;
    return true;
  }
  *reason = "the project kind \"" + std::string(text) + "\" is neither \"social\" nor \"normal\"";
  return false;
}

bool ResolveSelection(const std::vector<std::string_view>& fields, ActRequest* act,
                      std::string* reason) {
  if (!ResolveOffice(fields[0], &act->Office, reason)) return false;
  if (!ResolveService(fields[1], &act->Service, reason)) return false;
  if (!ResolveTransaction(fields[2], act->Service, act->Office, &act->Transaction, reason)) {
    return false;
  }
  act->Social = false;
  if (fields.size() == 4 && !ParseProjectKind(fields[3], &act->Social, reason)) return false;
  // The window offers the option only at MVT; a quote must not suggest a
  // reduction that cannot apply.
  if (act->Social && act->Office == 0) {
    *reason = "the social-interest option exists only at office " + OfficeNameUtf8(1);
    return false;
  }
  return true;
}

// "client: X" or "date: X": the keyword, case-insensitive, then the value.
bool ReadHeaderLine(std::string_view line, std::string_view keyword, std::string_view* value) {
  if (line.size() <= keyword.size() || line[keyword.size()] != ':') return false;
  if (FoldName(line.substr(0, keyword.size())) != keyword) return false;
  *value = Trim(line.substr(keyword.size() + 1));
  return true;
}

bool SetHeader(std::string* field, std::string_view value, std::string_view keyword,
               std::string* reason) {
  if (!field->empty()) {
    *reason = "the " + std::string(keyword) + " is given twice";
    return false;
  }
  if (value.empty()) {
    *reason = "the " + std::string(keyword) + " is empty";
    return false;
  }
  *field = OneLine(value);
  return true;
}

// One line of a quote file, already converted to UTF-8 and trimmed.
bool ReadLine(std::string_view line, QuoteInput* input, std::string* reason) {
  std::string_view value;
  if (ReadHeaderLine(line, "client", &value)) return SetHeader(&input->Client, value, "client", reason);
  if (ReadHeaderLine(line, "date", &value)) return SetHeader(&input->Date, value, "date", reason);
  ActRequest act;
  if (!ParseActText(line, &act, reason)) return false;
  input->Acts.push_back(std::move(act));
  return true;
}

}  // namespace

bool ParseActText(std::string_view actText, ActRequest* act, std::string* reason) {
  std::size_t bar = actText.find('|');
  act->Label = bar == std::string_view::npos ? std::string() : OneLine(Trim(actText.substr(bar + 1)));
  std::string_view body = Trim(actText.substr(0, bar));
  std::size_t equals = body.find('=');
  act->HasAmount = equals != std::string_view::npos;
  act->TypedAmount = act->HasAmount ? std::string(Trim(body.substr(equals + 1))) : std::string();
  std::vector<std::string_view> fields = SplitFields(body.substr(0, equals), ':');
  if (fields.size() < 3 || fields.size() > 4) {
    *reason = "an act is OFFICE:SERVICE:TRANSACTION[:social]=AMOUNT, not \"" + std::string(body) + "\"";
    return false;
  }
  if (!ResolveSelection(fields, act, reason)) return false;
  bool computed = IsComputedTransaction(act->Service, act->Transaction);
  if (computed && !act->HasAmount) {
    *reason = "no amount given: write =AMOUNT after the transaction (=0 for a fixed fee)";
    return false;
  }
  if (!computed && act->HasAmount) {
    *reason = "\"" + TransactionNameUtf8(act->Service, act->Transaction, act->Office) +
              "\" has no computed fee, so it takes no amount";
    return false;
  }
  return true;
}

void ReadQuoteLines(std::istream& in, long long orderBase, QuoteInput* input) {
  std::string raw;
  long long number = 0;
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::string text = AsUtf8(raw);
    std::string_view line = Trim(text);
    if (line.empty() || line[0] == '#') continue;
    std::string reason;
    std::size_t actsBefore = input->Acts.size();
    if (!ReadLine(line, input, &reason)) {
      input->Refused.push_back({"line " + std::to_string(number), reason, orderBase + number});
    } else if (input->Acts.size() > actsBefore) {
      input->Acts.back().Source = "line " + std::to_string(number);
      input->Acts.back().Order = orderBase + number;
    }
  }
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return line;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                       : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) return false;
    if (length == 2 && lead < 0xC2) return false;  // overlong
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

std::string AsUtf8(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

}  // namespace tarivox::cli
