#include "cli/quote_text.h"

#include "cli/quote_money.h"
#include "cli/quote_table.h"

namespace tarivox::cli {
namespace {

constexpr std::size_t NOTE_WIDTH = 78;

bool AnyLabel(const Quote& quote) {
  for (const QuoteEntry& entry : quote.Acts) {
    if (!entry.Request.Label.empty()) return true;
  }
  return false;
}

std::vector<std::string> ActRow(const QuoteEntry& entry, int number, bool withLabel) {
  const ActFigures& figures = entry.Figures;
  std::vector<std::string> row{FormatCount(number)};
  if (withLabel) row.push_back(entry.Request.Label);
  row.insert(row.end(), {entry.Office, entry.Service, entry.Transaction,
                         ProjectName(entry.Request.Social)});
  row.push_back(figures.Computed ? figures.AmountText : "-");
  row.push_back(figures.Computed ? figures.FeeText : "not computed");
  row.push_back(figures.Rule);
  row.push_back("[" + FormatCount(entry.Note) + "]");
  return row;
}

void WriteActsTable(const Quote& quote, std::ostream& out) {
  bool withLabel = AnyLabel(quote);
  TextTable table;
  std::vector<std::string> heading{"#"};
  if (withLabel) heading.push_back("Label");
  heading.insert(heading.end(), {"Office", "Service", "Transaction", "Project", "Amount US$",
                                 "Fee US$", "Rule", "Note"});
  table.Rows.push_back(heading);
  table.RightAligned.assign(heading.size(), false);
  table.RightAligned[0] = true;
  std::size_t amountColumn = withLabel ? 6 : 5;
  table.RightAligned[amountColumn] = true;
  table.RightAligned[amountColumn + 1] = true;
  int number = 0;
  for (const QuoteEntry& entry : quote.Acts) {
    table.Rows.push_back(ActRow(entry, ++number, withLabel));
  }
  WriteTable(table, out);
}

// Acts without a computed fee are named below the total, so that nobody
// reads the total as the whole cost.
void WriteTotal(const Quote& quote, std::ostream& out) {
  std::size_t notComputed = quote.Acts.size() - static_cast<std::size_t>(quote.ComputedCount);
  if (notComputed == 0) {
    out << "Total US$: " << FormatCents(quote.TotalCents) << '\n';
    return;
  }
  out << "Total of the " << FormatCount(quote.ComputedCount)
      << (quote.ComputedCount == 1 ? " computed act US$: " : " computed acts US$: ")
      << FormatCents(quote.TotalCents) << '\n';
  out << "Not in the total (no computed fee):\n";
  int number = 0;
  for (const QuoteEntry& entry : quote.Acts) {
    ++number;
    if (entry.Figures.Computed) continue;
    std::string what = entry.Figures.ShownFee.empty()
                           ? "fee by the tariff text, note [" + FormatCount(entry.Note) + "]"
                           : "the calculator shows the fixed fee " + entry.Figures.ShownFee;
    out << "  act " << number << ": " << entry.Service << " \xE2\x80\x94 " << entry.Transaction
        << ", " << what << '\n';
  }
}

void WriteNotes(const Quote& quote, std::ostream& out) {
  out << "Tariff texts\n";
  int number = 0;
  for (const QuoteNote& note : quote.Notes) {
    std::string mark = "[" + FormatCount(++number) + "] ";
    std::string indent(DisplayWidth(mark), ' ');
    WriteWrapped(note.Heading + ":", mark, indent, NOTE_WIDTH, out);
    WriteWrapped(note.Text, indent, indent, NOTE_WIDTH, out);
  }
}

}  // namespace

void WriteQuoteText(const Quote& quote, std::ostream& out) {
  out << "Quote\n";
  if (!quote.Client.empty()) out << "Client: " << quote.Client << '\n';
  if (!quote.Date.empty()) out << "Date: " << quote.Date << '\n';
  out << '\n';
  WriteActsTable(quote, out);
  out << '\n';
  WriteTotal(quote, out);
  out << '\n';
  WriteNotes(quote, out);
}

}  // namespace tarivox::cli
