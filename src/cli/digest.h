// SHA-256 as the platform computes it: OpenSSL's libcrypto on Linux, CNG
// (bcrypt.dll) on Windows. A quote's verification code must be the same
// wherever it is made or checked, and a digest is no place for code of our
// own; the build picks the one file for its target.
#pragma once

#include <span>
#include <string_view>

#include "report/quote.h"

namespace tarivox::cli {

// False when the library fails (it should not; then nothing is sealed).
bool Sha256(std::string_view bytes, report::Sha256Digest* digest);

// The quote's code and line checks (report::CanonicalLines for the act
// numbers given, by position when none); false when a digest failed.
bool SealQuote(const report::Quote& quote, std::span<const long long> actNumbers, report::Seal* seal);

}  // namespace tarivox::cli
