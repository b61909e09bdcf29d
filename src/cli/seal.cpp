#include "cli/digest.h"

namespace tarivox::cli {

bool SealQuote(const report::Quote& quote, std::span<const long long> actNumbers, report::Seal* seal) {
  const std::vector<report::CanonicalLine> lines = report::CanonicalLines(quote, actNumbers);
  report::Sha256Digest content{};
  std::vector<report::Sha256Digest> lineDigests(lines.size());
  if (!Sha256(report::CanonicalContent(lines), &content)) return false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!Sha256(lines[i].Text, &lineDigests[i])) return false;
  }
  *seal = report::SealOf(lines, content, lineDigests);
  return true;
}

}  // namespace tarivox::cli
