#include "report/verification.h"

#include "report/money.h"
#include "report/quote.h"

namespace tarivox::report {
namespace {

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

// A value on one line whatever it holds: the separator and the line end are
// escaped, so that no value can pass for two.
std::string Field(std::string_view value) {
  std::string field;
  for (char c : value) {
    if (c == '\\' || c == '|') field += '\\';
    if (c == '\n' || c == '\r') {
      field += c == '\n' ? "\\n" : "\\r";
      continue;
    }
    field += c;
  }
  return field;
}

std::string DateOrNone(const CalendarDate& date) { return date.IsSet() ? IsoDate(date) : "-"; }
std::string CentsOrNone(bool present, long long cents) { return present ? FormatPlainInteger(cents) : "-"; }

std::string ActFields(const Act& act) {
  const Edition& edition = *act.Tariff;
  const bool engine = act.PricedBy == Pricing::Engine;
  const bool counted = !engine && act.Stated->Unit != UNIT_NONE;
  return Field(OfficeName(edition, act.What.OfficeIndex)) + "|" + Field(ServiceName(edition, act.What.ServiceIndex)) +
         "|" + Field(TransactionName(edition, act.What)) + "|" + (act.What.SocialInterest ? "social" : "normal") + "|" +
         CentsOrNone(engine, act.AmountCents) + "|" + CentsOrNone(counted, act.Quantity) + "|" +
         CentsOrNone(act.Shared, act.ProjectValueCents) + "|" + Field(act.Label) + "|" + FormatPlainInteger(act.FeeCents);
}

// The first bits of a digest in characters of the alphabet, five bits each.
std::string Base32(const Sha256Digest& digest, int characters) {
  unsigned long long bits = 0;
  for (std::size_t i = 0; i < 8; ++i) bits = bits << 8 | digest[i];
  std::string text;
  for (int i = 0; i < characters; ++i) {
    if (i > 0 && i % 4 == 0) text += '-';
    text += kAlphabet[(bits >> (59 - 5 * i)) & 31];
  }
  return text;
}

}  // namespace

std::vector<CanonicalLine> CanonicalLines(const Quote& quote, std::span<const long long> actNumbers) {
  std::vector<CanonicalLine> lines;
  const auto add = [&lines](std::string key, const std::string& value) {
    lines.push_back({key, key + ": " + value + "\n"});
  };
  add("arancel", Field(quote.Tariff->Name) + "|" + DateOrNone(quote.Tariff->InForceFrom));
  add("fecha", DateOrNone(quote.DateValue));
  add("valido-hasta", DateOrNone(quote.ValidUntil));
  add("numero", Field(quote.Number));
  add("cliente", Field(quote.Client));
  add("preparado", Field(quote.Preparer) + "|" + Field(quote.Firm));
  for (std::size_t i = 0; i < quote.Acts.size(); ++i) {
    const long long number = i < actNumbers.size() ? actNumbers[i] : static_cast<long long>(i) + 1;
    add("acto " + std::to_string(number), ActFields(quote.Acts[i]));
  }
  add("total", FormatPlainInteger(quote.TotalCents));
  return lines;
}

std::string CanonicalContent(std::span<const CanonicalLine> lines) {
  std::string content = "tarivox-presupuesto/1\n";
  for (const CanonicalLine& line : lines) content += line.Text;
  return content;
}

Seal SealOf(std::span<const CanonicalLine> lines, const Sha256Digest& content,
            std::span<const Sha256Digest> lineDigests) {
  Seal seal{VerificationCode(content), {}};
  for (std::size_t i = 0; i < lines.size() && i < lineDigests.size(); ++i) {
    seal.Checks.emplace_back(lines[i].Key, LineCheck(lineDigests[i]));
  }
  return seal;
}

std::string VerificationCode(const Sha256Digest& digest) { return Base32(digest, 12); }
std::string LineCheck(const Sha256Digest& digest) { return Base32(digest, 4); }

bool ReadDigestHex(std::string_view hex, Sha256Digest* digest) {
  if (hex.size() != 64) return false;
  const auto nibble = [](char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
  };
  for (std::size_t i = 0; i < digest->size(); ++i) {
    const int high = nibble(hex[2 * i]), low = nibble(hex[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    (*digest)[i] = static_cast<unsigned char>(high << 4 | low);
  }
  return true;
}

}  // namespace tarivox::report
