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

DescriptionParts DescribeSelection(const Edition& edition, const Selection& selection) {
  const TransactionEntry* entry = LoadedEntry(edition, selection);
  if (entry == nullptr) return {};
  const bool social = UnderSocialInterest(edition, selection);
  if (social && entry->HasSocial) return {entry->SocialText, nullptr};
  return {entry->Text, social && entry->AppendsNote ? edition.SocialNote : nullptr};
}

void ComposeDescription(const Edition& edition, const Selection& selection, char (&out)[DESCRIPTION_TEXT_SIZE]) {
  const DescriptionParts parts = DescribeSelection(edition, selection);
  const std::size_t end = AppendBounded(out, 0, parts.Text);
  // Where the tariff joins them, with nothing in between.
  if (parts.Note != nullptr) AppendBounded(out, end, parts.Note);
}

}  // namespace tarivox
