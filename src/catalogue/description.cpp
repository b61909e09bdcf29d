#include "catalogue/description.h"

namespace tarivox {
namespace {

// Appends source to out from position at, never past the last byte; returns
// the new end position.
std::size_t AppendBounded(char (&out)[DESCRIPTION_TEXT_SIZE], std::size_t at, const char* source) {
  while (*source != '\0' && at + 1 < DESCRIPTION_TEXT_SIZE) out[at++] = *source++;
  out[at] = '\0';
  return at;
}

}  // namespace

void ComposeDescription(const Edition& edition, const Selection& selection, char (&out)[DESCRIPTION_TEXT_SIZE]) {
  out[0] = '\0';
  const TransactionEntry* entry = LoadedEntry(edition, selection);
  if (entry == nullptr) return;
  const bool social = UnderSocialInterest(edition, selection);
  if (social && entry->HasSocial) {
    AppendBounded(out, 0, entry->SocialText);
    return;
  }
  const std::size_t end = AppendBounded(out, 0, entry->Text);
  // Where the tariff joins them, with nothing in between.
  if (social && entry->AppendsNote) AppendBounded(out, end, edition.SocialNote);
}

}  // namespace tarivox
