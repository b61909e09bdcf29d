#include "catalogue/code_page.h"

namespace tarivox {
namespace {

// The well-formed UTF-8 sequences by their first byte: the length and the
// range the second byte must fall in. The narrow ranges are what excludes
// overlong forms (E0, F0), surrogates (ED) and code points above U+10FFFF
// (F4); first bytes missing here (80..C1, F5..FF) never start a sequence.
struct Utf8Lead {
  unsigned char First, Last, Length, Low, High;
};
constexpr Utf8Lead kUtf8Leads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F}};

const Utf8Lead* FindLead(unsigned char byte) {
  for (const Utf8Lead& lead : kUtf8Leads) {
    if (byte >= lead.First && byte <= lead.Last) return &lead;
  }
  return nullptr;
}

// Unicode code points of bytes 0x80..0x9F in code page 1252; the five
// unassigned bytes become U+FFFD.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The code point of the UTF-8 sequence at text[at], length bytes long.
unsigned CodeAt(std::string_view text, std::size_t at, std::size_t length) {
  static constexpr unsigned kLeadMasks[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  unsigned code = static_cast<unsigned char>(text[at]) & kLeadMasks[length];
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return code;
}

// The byte of code page 1252 for a code point, or 0 when it has none.
unsigned char Cp1252Byte(unsigned code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
  for (unsigned byte = 0; byte < 32; ++byte) {
    if (kHighControls[byte] == code && code != 0xFFFD) return static_cast<unsigned char>(0x80 + byte);
  }
  return 0;
}

}  // namespace

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t Utf8SequenceLength(unsigned char byte) {
  if (byte < 0x80) return 1;
  const Utf8Lead* lead = FindLead(byte);
  return lead == nullptr ? 0 : lead->Length;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      ++at;
      continue;
    }
    const Utf8Lead* lead = FindLead(byte);
    if (lead == nullptr || text.size() - at < lead->Length) return false;
    auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < lead->Low || second > lead->High) return false;
    for (std::size_t i = 2; i < lead->Length; ++i) {
      if (!IsUtf8Continuation(text[at + i])) return false;
    }
    at += lead->Length;
  }
  return true;
}

void AppendUtf8(std::string* out, unsigned code) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    AppendUtf8(&out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
  }
  return out;
}

bool Utf8ToCp1252(std::string_view utf8, std::string* text) {
  if (!IsValidUtf8(utf8)) return false;
  text->clear();
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[at]));
    const unsigned code = CodeAt(utf8, at, length);
    const unsigned char byte = Cp1252Byte(code);
    if (byte == 0 && code != 0) return false;
    text->push_back(static_cast<char>(byte));
    at += length;
  }
  return true;
}

}  // namespace tarivox
