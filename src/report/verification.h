// A quote as a document anyone can check: its canonical content (the
// edition and the dates, who issued it for whom, every act with its fee,
// the total), of which a SHA-256 digest gives a short verification code
// printed on the quote and carried by every export. Each line of the
// content has a short check of its own as well, carried by the JSON export,
// so that a check names what changed rather than only that something did.
//
// The digests are taken by the platform's own library (OpenSSL's libcrypto,
// Windows' CNG, the browser's crypto.subtle), never by code of ours: this
// library says what is digested and how a digest is written.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/calendar.h"

namespace tarivox::report {

struct Quote;

using Sha256Digest = std::array<unsigned char, 32>;

// One line of the content: what it holds ("fecha", "acto 3", "total") and
// the line itself, UTF-8, ending in "\n", every figure in whole cents,
// nothing that depends on the language.
struct CanonicalLine {
  std::string Key;
  std::string Text;
};

// The quote's lines. Acts are numbered by position unless numbers are
// given (those a file states, so that an act taken out leaves the others
// under their own numbers).
std::vector<CanonicalLine> CanonicalLines(const Quote& quote, std::span<const long long> actNumbers = {});

// The lines one after another: what the code is the digest of.
std::string CanonicalContent(std::span<const CanonicalLine> lines);

// The code and each line's check.
struct Seal {
  std::string Code;
  std::vector<std::pair<std::string, std::string>> Checks;  // key, check
  bool IsSet() const { return !Code.empty(); }
};

// From the digest of the whole content and of each line, in order.
Seal SealOf(std::span<const CanonicalLine> lines, const Sha256Digest& content,
            std::span<const Sha256Digest> lineDigests);

// "K7M2-9QXD-4TZA": the digest's first 60 bits in 12 characters of an
// alphabet that has no letters easily taken for a digit (I, L, O, U), in
// groups of four.
std::string VerificationCode(const Sha256Digest& digest);

// A line's check: the first 20 bits in 4 such characters.
std::string LineCheck(const Sha256Digest& digest);

// A digest written in hex (as crypto.subtle's bytes are passed to the
// module), or false.
bool ReadDigestHex(std::string_view hex, Sha256Digest* digest);

}  // namespace tarivox::report
