#include "cli/quote_build.h"

#include "cli/cli_common.h"

namespace tarivox::cli {
namespace {

// Equal texts share one note, so a quote of ten sales prints the text once.
int NoteNumber(std::vector<QuoteNote>* notes, const QuoteNote& note) {
  for (std::size_t i = 0; i < notes->size(); ++i) {
    if ((*notes)[i].Heading == note.Heading && (*notes)[i].Text == note.Text) {
      return static_cast<int>(i) + 1;
    }
  }
  notes->push_back(note);
  return static_cast<int>(notes->size());
}

}  // namespace

QuoteNote TariffNote(int office, int service, int transaction, bool social) {
  CalcOptions options;
  options.Office = office;
  options.Service = service;
  options.Transaction = transaction;
  options.Social = social;
  return {ServiceNameUtf8(service) + " \xE2\x80\x94 " +
              TransactionNameUtf8(service, transaction, office),
          DescriptionUtf8(options)};
}

bool BuildQuote(const QuoteInput& input, Quote* quote, std::vector<RefusedAct>* refused) {
  *quote = Quote{};
  quote->Client = input.Client;
  quote->Date = input.Date;
  std::size_t refusedBefore = refused->size();
  for (const ActRequest& request : input.Acts) {
    QuoteEntry entry;
    entry.Request = request;
    std::string reason;
    if (!ComputeAct(request, &entry.Figures, &reason)) {
      refused->push_back({request.Source, reason, request.Order});
      continue;
    }
    entry.Office = OfficeNameUtf8(request.Office);
    entry.Service = ServiceNameUtf8(request.Service);
    entry.Transaction = TransactionNameUtf8(request.Service, request.Transaction, request.Office);
    entry.Note = NoteNumber(&quote->Notes, TariffNote(request.Office, request.Service,
                                                      request.Transaction, request.Social));
    if (entry.Figures.Computed) {
      quote->TotalCents += entry.Figures.FeeCents;
      ++quote->ComputedCount;
    }
    quote->Acts.push_back(std::move(entry));
  }
  return refused->size() == refusedBefore;
}

}  // namespace tarivox::cli
