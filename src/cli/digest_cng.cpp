// clang-format off
#include <windows.h>
#include <bcrypt.h>
// clang-format on

#include <algorithm>

#include "cli/digest.h"

namespace tarivox::cli {
namespace {

// The provider, opened once: a quote asks for a digest per act.
BCRYPT_ALG_HANDLE Provider() {
  static BCRYPT_ALG_HANDLE provider = [] {
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0) opened = nullptr;
    return opened;
  }();
  return provider;
}

}  // namespace

bool Sha256(std::string_view bytes, report::Sha256Digest* digest) {
  BCRYPT_ALG_HANDLE provider = Provider();
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (provider == nullptr || BCryptCreateHash(provider, &hash, nullptr, 0, nullptr, 0, 0) < 0) return false;
  // CNG takes a ULONG length: a long text is fed in parts.
  bool done = true;
  for (std::size_t at = 0; at < bytes.size() && done;) {
    const std::size_t part = std::min<std::size_t>(bytes.size() - at, 1u << 30);
    done = BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + at)),
                          static_cast<ULONG>(part), 0) >= 0;
    at += part;
  }
  done = done && BCryptFinishHash(hash, digest->data(), static_cast<ULONG>(digest->size()), 0) >= 0;
  BCryptDestroyHash(hash);
  return done;
}

}  // namespace tarivox::cli
