#include "report/text.h"

#include "catalogue/code_page.h"

namespace tarivox::report {
namespace {

bool IsContinuation(char c) { return IsUtf8Continuation(c); }

// Base letter of a Latin-1 letter U+00C0..U+00FF.
char BaseLetter(unsigned char low) {
  static constexpr char kBases[] =
      "aaaaaaaceeeeiiiidnooooo/ouuuuyts"   // U+00C0..U+00DF (upper case)
      "aaaaaaaceeeeiiiidnooooo/ouuuuyty";  // U+00E0..U+00FF
  return kBases[low];
}

// U+0300..U+036F, the combining diacritical marks: CC 80..CC BF and
// CD 80..CD AF.
bool IsCombiningMark(std::string_view utf8, std::size_t at) {
  if (at + 1 >= utf8.size()) return false;
  auto lead = static_cast<unsigned char>(utf8[at]);
  auto next = static_cast<unsigned char>(utf8[at + 1]);
  return (lead == 0xCC && next >= 0x80 && next <= 0xBF) || (lead == 0xCD && next >= 0x80 && next <= 0xAF);
}

bool IsLayoutControl(unsigned code) {
  return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x2028 && code <= 0x202E) ||
         (code >= 0x2066 && code <= 0x2069);
}

}  // namespace

std::string AsUtf8(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

std::string FoldName(std::string_view utf8) {
  std::string folded;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    if (IsCombiningMark(utf8, i)) {
      ++i;  // both bytes of U+0300..U+036F
    } else if (byte >= 'A' && byte <= 'Z') {
      folded += static_cast<char>(byte + ('a' - 'A'));
    } else if (byte == 0xC3 && i + 1 < utf8.size() && IsContinuation(utf8[i + 1])) {
      folded += BaseLetter(static_cast<unsigned char>(utf8[++i]) & 0x3F);
    } else {
      folded += static_cast<char>(byte);  // other characters compare as they are
    }
  }
  return folded;
}

std::string_view Trim(std::string_view text) {
  const std::string_view blanks = " \t\r\n\v\f";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return line;
}

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (char c : utf8) width += IsContinuation(c) ? 0 : 1;
  return width;
}

std::size_t ControlCharacterAt(std::string_view utf8, std::size_t at, unsigned* code) {
  auto byte = [utf8, at](std::size_t i) -> unsigned {
    return at + i < utf8.size() ? static_cast<unsigned char>(utf8[at + i]) : 0u;
  };
  if (byte(0) < 0x20 || byte(0) == 0x7F) {
    *code = byte(0);
    return 1;
  }
  if (byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) {  // C1 controls
    *code = byte(1);
    return 2;
  }
  if (byte(0) == 0xD8 && byte(1) == 0x9C) {
    *code = 0x061C;
    return 2;
  }
  if (byte(0) == 0xE2 && (byte(1) == 0x80 || byte(1) == 0x81) && IsContinuation(static_cast<char>(byte(2)))) {
    *code = 0x2000 | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    return IsLayoutControl(*code) ? 3 : 0;
  }
  return 0;
}

std::string Inert(std::string_view utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    unsigned code = 0;
    std::size_t length = ControlCharacterAt(utf8, at, &code);
    if (length == 0) {
      shown += utf8[at++];
      continue;
    }
    shown += {'\\', 'u', kHex[(code >> 12) & 0xF], kHex[(code >> 8) & 0xF], kHex[(code >> 4) & 0xF], kHex[code & 0xF]};
    at += length;
  }
  return shown;
}

std::string Echo(std::string_view text) { return Inert(AsUtf8(text)); }

std::string MarkCutCharacter(std::string_view cut) {
  if (IsValidUtf8(cut)) return std::string(cut);
  // A split character leaves its lead byte and fewer continuation bytes
  // than the lead announces, at the very end.
  for (std::size_t tail = 1; tail <= 3 && tail <= cut.size(); ++tail) {
    char last = cut[cut.size() - tail];
    if (IsContinuation(last)) continue;
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(last));
    std::string_view whole = cut.substr(0, cut.size() - tail);
    if (length > tail && IsValidUtf8(whole)) return std::string(whole) + "\xEF\xBF\xBD";
    break;
  }
  return std::string(cut);
}

}  // namespace tarivox::report
