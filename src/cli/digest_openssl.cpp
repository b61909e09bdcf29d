#include <openssl/evp.h>

#include "cli/digest.h"

namespace tarivox::cli {

bool Sha256(std::string_view bytes, report::Sha256Digest* digest) {
  unsigned int length = 0;
  return EVP_Digest(bytes.data(), bytes.size(), digest->data(), &length, EVP_sha256(), nullptr) == 1 &&
         length == digest->size();
}

}  // namespace tarivox::cli
