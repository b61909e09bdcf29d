#include "cli/compare_text.h"

#include "cli/quote_money.h"
#include "cli/quote_table.h"

namespace tarivox::cli {
namespace {

constexpr std::size_t NOTE_WIDTH = 78;

std::string FeeCell(const CompareVariant& variant) {
  if (!variant.Offered) return "not offered";
  return variant.Figures.Computed ? variant.Figures.FeeText : "not computed";
}

std::string DifferenceCell(const CompareVariant& variant, bool first) {
  if (first) return variant.HasDifference ? "(reference)" : "";
  return variant.HasDifference ? FormatSignedCents(variant.DifferenceCents) : "-";
}

void WriteFigures(const Comparison& comparison, std::ostream& out) {
  TextTable table;
  std::vector<std::string> office{""}, project{""}, amount{"Amount US$"}, fee{"Fee US$"},
      difference{"Difference US$"}, note{"Tariff text"};
  bool first = true;
  for (const CompareVariant& variant : comparison.Variants) {
    office.push_back(OfficeNameUtf8(variant.Office));
    project.push_back(ProjectName(variant.Social));
    amount.push_back(variant.Figures.Computed ? variant.Figures.AmountText : "-");
    fee.push_back(FeeCell(variant));
    difference.push_back(DifferenceCell(variant, first));
    note.push_back(variant.Note > 0 ? "[" + FormatCount(variant.Note) + "]" : "-");
    first = false;
  }
  table.Rows = {office, project, amount, fee, difference, note};
  table.RightAligned.assign(office.size(), true);
  table.RightAligned[0] = false;
  WriteTable(table, out);
}

void WriteRules(const Comparison& comparison, std::ostream& out) {
  out << "Rules\n";
  for (const CompareVariant& variant : comparison.Variants) {
    WriteWrapped(variant.Figures.Rule, "  " + VariantName(variant) + ": ", "    ", NOTE_WIDTH, out);
  }
}

void WriteNotes(const Comparison& comparison, std::ostream& out) {
  out << "Tariff texts\n";
  int number = 0;
  for (const QuoteNote& note : comparison.Notes) {
    std::string mark = "[" + FormatCount(++number) + "] ";
    WriteWrapped(note.Text, mark, std::string(DisplayWidth(mark), ' '), NOTE_WIDTH, out);
  }
}

}  // namespace

void WriteComparisonText(const Comparison& comparison, std::ostream& out) {
  out << comparison.Service << " \xE2\x80\x94 " << comparison.Transaction << ", amount typed \""
      << comparison.TypedAmount << "\"\n\n";
  WriteFigures(comparison, out);
  out << '\n';
  WriteRules(comparison, out);
  out << '\n';
  WriteNotes(comparison, out);
}

}  // namespace tarivox::cli
