// What heads a quote as a document an office issues, line by line: the
// text report and the page's printout write the same lines.
#include "report/dates.h"
#include "report/explain.h"
#include "report/quote.h"

namespace tarivox::report {

std::vector<std::string> QuoteHeadingLines(const Quote& quote) {
  const Language language = quote.Lang;
  std::vector<std::string> lines{Text(language, MSG_QUOTE_HEADING)};
  if (!quote.Number.empty()) lines.push_back(Text(language, MSG_QUOTE_NUMBER, quote.Number));
  if (quote.DateValue.IsSet()) lines.push_back(Text(language, MSG_DATE, LongDate(language, quote.DateValue)));
  if (quote.ValidUntil.IsSet()) lines.push_back(Text(language, MSG_VALID_UNTIL, LongDate(language, quote.ValidUntil)));
  if (!quote.Client.empty()) lines.push_back(Text(language, MSG_CLIENT, quote.Client));
  if (!quote.Preparer.empty() && !quote.Firm.empty()) {
    lines.push_back(Text(language, MSG_PREPARED_AT, quote.Preparer, quote.Firm));
  } else if (!quote.Preparer.empty() || !quote.Firm.empty()) {
    lines.push_back(Text(language, MSG_PREPARED_BY, quote.Preparer + quote.Firm));
  }
  lines.push_back(Text(language, MSG_TARIFF, TariffLine(language, *quote.Tariff)));
  if (quote.LaterTariff != nullptr) {
    lines.push_back(Text(language, MSG_FIGURES_CHANGE, LongDate(language, quote.LaterTariff->InForceFrom),
                         quote.LaterTariff->Name));
  }
  if (quote.Sealed.IsSet()) lines.push_back(Text(language, MSG_VERIFICATION, quote.Sealed.Code));
  return lines;
}

}  // namespace tarivox::report
