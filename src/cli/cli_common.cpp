#include "cli/cli_common.h"

#include <cstring>

#include "catalogue/catalogue.h"
#include "catalogue/description.h"

namespace tarivox::cli {
namespace {

// Unicode code points of bytes 0x80..0x9F in code page 1252 (0 = unused).
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Base letter of a Latin-1 accented letter (U+00C0..U+00FF), or 0.
char BaseLetter(char32_t code) {
  static constexpr char kBases[] =
      "aaaaaaaceeeeiiiidnooooo/ouuuuyts"   // U+00C0..U+00DF (upper case)
      "aaaaaaaceeeeiiiidnooooo/ouuuuyty";  // U+00E0..U+00FF
  if (code < 0xC0 || code > 0xFF) return 0;
  return kBases[code - 0xC0];
}

std::string FoldCatalogueText(const char* cp1252) { return FoldName(Cp1252ToUtf8(cp1252)); }

std::string ListChoices(const TextList& list) {
  std::string choices;
  for (int i = 0; i < list.Count; ++i) {
    choices += "\n  " + std::to_string(i) + "  " + Cp1252ToUtf8(list.Items[i]);
  }
  return choices;
}

// Finds text among the list's entries: a position, an exact name, or the one
// entry whose name contains it (all folded).
bool ResolveInList(std::string_view text, const TextList& list, const char* what, int* found,
                   std::string* error) {
  int position = 0;
  if (ParsePosition(text, &position)) {
    if (position < list.Count) {
      *found = position;
      return true;
    }
    *error = "no " + std::string(what) + " at position " + std::string(text) + "; the choices are:" +
             ListChoices(list);
    return false;
  }
  std::string wanted = FoldName(text);
  int matches = 0;
  for (int i = 0; i < list.Count && !wanted.empty(); ++i) {
    std::string name = FoldCatalogueText(list.Items[i]);
    if (name == wanted) {
      *found = i;
      return true;
    }
    if (name.find(wanted) != std::string::npos) {
      *found = i;
      ++matches;
    }
  }
  if (matches == 1) return true;
  *error = std::string(matches > 1 ? "ambiguous " : "unknown ") + what + " \"" + std::string(text) +
           "\"; the choices are:" + ListChoices(list);
  return false;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    char32_t code = byte;
    if (byte >= 0x80 && byte < 0xA0) code = kHighControls[byte - 0x80] != 0 ? kHighControls[byte - 0x80] : U'\uFFFD';
    AppendUtf8(out, code);
  }
  return out;
}

std::string FoldName(std::string_view utf8) {
  std::string folded;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      folded += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
    } else if ((byte == 0xC3) && i + 1 < utf8.size()) {
      auto next = static_cast<unsigned char>(utf8[i + 1]);
      char base = BaseLetter(static_cast<char32_t>(0xC0 + (next & 0x3F)));
      folded += base != 0 ? base : '?';
      ++i;
    } else {
      folded += static_cast<char>(byte);  // other characters compare as they are
    }
  }
  return folded;
}

bool ParsePosition(std::string_view text, int* position) {
  if (text.empty() || text.size() > 6) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  *position = value;
  return true;
}

bool ResolveOffice(std::string_view text, int* office, std::string* error) {
  return ResolveInList(text, {OfficeNames, OFFICE_COUNT}, "office", office, error);
}

bool ResolveService(std::string_view text, int* service, std::string* error) {
  return ResolveInList(text, {ServiceNames, SERVICE_COUNT}, "service", service, error);
}

bool ResolveTransaction(std::string_view text, int service, int office, int* transaction,
                        std::string* error) {
  return ResolveInList(text, LoadedTransactions(service, office), "transaction", transaction, error);
}

bool WantsHelp(int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
  }
  return false;
}

std::string DescriptionUtf8(const CalcOptions& options) {
  char text[DESCRIPTION_TEXT_SIZE];
  ComposeDescription(options.Service, options.Transaction, options.Office, options.Social ? 1 : 0, text);
  return Cp1252ToUtf8(text);
}

}  // namespace tarivox::cli
