#include "cli/export_json.h"

#include <vector>

#include "cli/compare_build.h"
#include "cli/quote_build.h"
#include "cli/quote_money.h"

namespace tarivox::cli {
namespace {

// Members of one object, written in the order they were added.
struct JsonObject {
  std::vector<std::pair<std::string, std::string>> Members;  // name, encoded value

  JsonObject& Add(std::string name, std::string encoded) {
    Members.emplace_back(std::move(name), std::move(encoded));
    return *this;
  }
};

std::string Bool(bool value) { return value ? "true" : "false"; }
std::string StringOrNull(const std::string& text) { return text.empty() ? "null" : JsonString(text); }

std::string Indent(int depth) { return std::string(static_cast<std::size_t>(depth) * 2, ' '); }

std::string Encode(const JsonObject& object, int depth) {
  std::string text = "{\n";
  for (std::size_t i = 0; i < object.Members.size(); ++i) {
    text += Indent(depth + 1) + JsonString(object.Members[i].first) + ": " + object.Members[i].second;
    text += i + 1 < object.Members.size() ? ",\n" : "\n";
  }
  return text + Indent(depth) + "}";
}

std::string EncodeArray(const std::vector<JsonObject>& items, int depth) {
  if (items.empty()) return "[]";
  std::string text = "[\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += Indent(depth + 1) + Encode(items[i], depth + 1);
    text += i + 1 < items.size() ? ",\n" : "\n";
  }
  return text + Indent(depth) + "]";
}

// The figures of one act, shared by quotes and comparisons.
void AddFigures(JsonObject* object, const ActFigures& figures, const std::string& typedAmount) {
  bool computed = figures.Computed;
  object->Add("computed", Bool(computed))
      .Add("amount_typed", computed ? JsonString(typedAmount) : "null")
      .Add("amount", computed ? JsonString(figures.AmountText) : "null")
      .Add("amount_cents", computed ? FormatPlainInteger(figures.AmountCents) : "null")
      .Add("fee", computed ? JsonString(figures.FeeText) : "null")
      .Add("fee_cents", computed ? FormatPlainInteger(figures.FeeCents) : "null")
      .Add("shown_fee", StringOrNull(figures.ShownFee))
      .Add("rule", JsonString(figures.Rule));
}

std::vector<JsonObject> NoteObjects(const std::vector<QuoteNote>& notes) {
  std::vector<JsonObject> objects;
  long long number = 0;
  for (const QuoteNote& note : notes) {
    objects.push_back(JsonObject{}
                          .Add("note", FormatPlainInteger(++number))
                          .Add("heading", JsonString(note.Heading))
                          .Add("text", JsonString(note.Text)));
  }
  return objects;
}

JsonObject QuoteActObject(const QuoteEntry& entry, long long number) {
  const ActRequest& request = entry.Request;
  JsonObject object;
  object.Add("act", FormatPlainInteger(number))
      .Add("source", JsonString(request.Source))
      .Add("label", StringOrNull(request.Label))
      .Add("office", JsonString(entry.Office))
      .Add("office_position", FormatPlainInteger(request.Office))
      .Add("service", JsonString(entry.Service))
      .Add("service_position", FormatPlainInteger(request.Service))
      .Add("transaction", JsonString(entry.Transaction))
      .Add("transaction_position", FormatPlainInteger(request.Transaction))
      .Add("social_interest", Bool(request.Social));
  AddFigures(&object, entry.Figures, request.TypedAmount);
  object.Add("note", FormatPlainInteger(entry.Note));
  return object;
}

JsonObject CompareVariantObject(const CompareVariant& variant, const std::string& typedAmount) {
  JsonObject object;
  object.Add("variant", JsonString(VariantName(variant)))
      .Add("office", JsonString(OfficeNameUtf8(variant.Office)))
      .Add("office_position", FormatPlainInteger(variant.Office))
      .Add("social_interest", Bool(variant.Social))
      .Add("offered", Bool(variant.Offered))
      .Add("transaction_position", variant.Offered ? FormatPlainInteger(variant.Transaction) : "null");
  AddFigures(&object, variant.Figures, typedAmount);
  object.Add("difference", variant.HasDifference ? JsonString(FormatSignedCents(variant.DifferenceCents)) : "null")
      .Add("difference_cents", variant.HasDifference ? FormatPlainInteger(variant.DifferenceCents) : "null")
      .Add("note", variant.Note > 0 ? FormatPlainInteger(variant.Note) : "null");
  return object;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
  static const char HEX[] = "0123456789abcdef";
  std::string text = "\"";
  for (char c : utf8) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text.push_back('\\');
      text.push_back(c);
    } else if (byte < 0x20 || byte == 0x7F) {
      text += "\\u00";
      text.push_back(HEX[byte >> 4]);
      text.push_back(HEX[byte & 0xF]);
    } else {
      text.push_back(c);
    }
  }
  return text + "\"";
}

void WriteQuoteJson(const Quote& quote, std::ostream& out) {
  std::vector<JsonObject> acts;
  long long number = 0;
  for (const QuoteEntry& entry : quote.Acts) acts.push_back(QuoteActObject(entry, ++number));
  long long notComputed = static_cast<long long>(quote.Acts.size()) - quote.ComputedCount;
  JsonObject total;
  total.Add("fee", JsonString(FormatCents(quote.TotalCents)))
      .Add("fee_cents", FormatPlainInteger(quote.TotalCents))
      .Add("computed_acts", FormatPlainInteger(quote.ComputedCount))
      .Add("not_computed_acts", FormatPlainInteger(notComputed))
      .Add("complete", Bool(notComputed == 0));
  JsonObject root;
  root.Add("client", StringOrNull(quote.Client))
      .Add("date", StringOrNull(quote.Date))
      .Add("acts", EncodeArray(acts, 1))
      .Add("total", Encode(total, 1))
      .Add("notes", EncodeArray(NoteObjects(quote.Notes), 1));
  out << Encode(root, 0) << '\n';
}

void WriteComparisonJson(const Comparison& comparison, std::ostream& out) {
  std::vector<JsonObject> variants;
  for (const CompareVariant& variant : comparison.Variants) {
    variants.push_back(CompareVariantObject(variant, comparison.TypedAmount));
  }
  JsonObject root;
  root.Add("service", JsonString(comparison.Service))
      .Add("transaction", JsonString(comparison.Transaction))
      .Add("amount_typed", JsonString(comparison.TypedAmount))
      .Add("variants", EncodeArray(variants, 1))
      .Add("notes", EncodeArray(NoteObjects(comparison.Notes), 1));
  out << Encode(root, 0) << '\n';
}

}  // namespace tarivox::cli
