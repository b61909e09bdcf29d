// Reports as JSON (UTF-8). The document is written member by member and the
// arrays object by object, so its size never has to fit in memory.
#include <utility>
#include <vector>

#include "report/money.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

// Quotes, backslashes and control characters escaped; the runs between
// them copied whole.
std::string JsonString(std::string_view utf8) {
  static const char kHex[] = "0123456789abcdef";
  std::string text = "\"";
  std::size_t copied = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    bool control = byte < 0x20 || byte == 0x7F;
    if (!control && byte != '"' && byte != '\\') continue;
    text.append(utf8.substr(copied, i - copied));
    text += control ? std::string{'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]} : std::string{'\\', utf8[i]};
    copied = i + 1;
  }
  text.append(utf8.substr(copied));
  return text + "\"";
}

std::string Bool(bool value) { return value ? "true" : "false"; }
std::string StringOrNull(const std::string& text) { return text.empty() ? "null" : JsonString(text); }
std::string NumberOrNull(bool shown, long long value) { return shown ? FormatPlainInteger(value) : "null"; }
std::string Indent(int depth) { return std::string(static_cast<std::size_t>(depth) * 2, ' '); }

// The members of one small object (an act, a note), encoded in order.
struct JsonObject {
  std::vector<std::pair<const char*, std::string>> Members;
  JsonObject& Add(const char* name, std::string encoded) {
    Members.emplace_back(name, std::move(encoded));
    return *this;
  }
};

std::string Encode(const JsonObject& object, int depth) {
  std::string text = "{";
  for (std::size_t i = 0; i < object.Members.size(); ++i) {
    text += (i > 0 ? ",\n" : "\n") + Indent(depth + 1) + JsonString(object.Members[i].first) + ": " +
            object.Members[i].second;
  }
  return text + "\n" + Indent(depth) + "}";
}

// The document's top-level object, written a member at a time.
struct Document {
  const Sink& Out;
  bool First = true;
};

void Member(Document& document, const char* name, const std::string& encoded) {
  Put(document.Out, (document.First ? "{\n  " : ",\n  ") + JsonString(name) + ": " + encoded);
  document.First = false;
}

template <typename Item, typename MakeObject>
void ArrayMember(Document& document, const char* name, const std::vector<Item>& items, MakeObject make) {
  Member(document, name, items.empty() ? "[]" : "[");
  if (items.empty()) return;
  for (std::size_t i = 0; i < items.size(); ++i) {
    Put(document.Out, (i > 0 ? ",\n" : "\n") + Indent(2) + Encode(make(items[i], i + 1), 2));
  }
  Put(document.Out, "\n  ]");
}

void End(Document& document) { Put(document.Out, "\n}\n"); }

void AddFigures(JsonObject* object, const Act& act) {
  bool computed = act.Computed;
  object->Add("computed", Bool(computed))
      .Add("amount_typed", computed ? JsonString(act.Typed) : "null")
      .Add("amount", computed ? JsonString(FormatCents(act.AmountCents)) : "null")
      .Add("amount_cents", NumberOrNull(computed, act.AmountCents))
      .Add("fee", computed ? JsonString(FormatCents(act.FeeCents)) : "null")
      .Add("fee_cents", NumberOrNull(computed, act.FeeCents))
      .Add("shown_fee", StringOrNull(ShownFee(act)));
}

JsonObject NoteObject(const Selection& what, std::size_t number) {
  return JsonObject{}
      .Add("note", FormatPlainInteger(static_cast<long long>(number)))
      .Add("heading", JsonString(NoteHeading(what)))
      .Add("text", JsonString(TariffText(what)));
}

JsonObject ActObject(const Act& act, std::size_t number) {
  const Selection& what = act.What;
  JsonObject object;
  object.Add("act", FormatPlainInteger(static_cast<long long>(number)))
      .Add("source", JsonString(SourceText(act)))
      .Add("label", StringOrNull(act.Label))
      .Add("office", JsonString(OfficeName(what.OfficeIndex)))
      .Add("office_position", FormatPlainInteger(what.OfficeIndex))
      .Add("service", JsonString(ServiceName(what.ServiceIndex)))
      .Add("service_position", FormatPlainInteger(what.ServiceIndex))
      .Add("transaction", JsonString(TransactionName(what)))
      .Add("transaction_position", FormatPlainInteger(what.TransactionIndex))
      .Add("social_interest", Bool(what.SocialInterest));
  AddFigures(&object, act);
  object.Add("rule", JsonString(RuleText(act))).Add("note", FormatPlainInteger(act.Note));
  return object;
}

JsonObject VariantObject(const Variant& variant, std::size_t) {
  const Act& act = variant.Figures;
  JsonObject object;
  object.Add("variant", JsonString(VariantName(variant)))
      .Add("office", JsonString(OfficeName(act.What.OfficeIndex)))
      .Add("office_position", FormatPlainInteger(act.What.OfficeIndex))
      .Add("social_interest", Bool(act.What.SocialInterest))
      .Add("offered", Bool(variant.Offered))
      .Add("transaction_position", NumberOrNull(variant.Offered, act.What.TransactionIndex));
  AddFigures(&object, act);
  bool difference = variant.HasDifference;
  object.Add("rule", JsonString(VariantRule(variant)))
      .Add("difference", difference ? JsonString(FormatSignedCents(variant.DifferenceCents)) : "null")
      .Add("difference_cents", NumberOrNull(difference, variant.DifferenceCents))
      .Add("note", NumberOrNull(variant.Offered, act.Note));
  return object;
}

}  // namespace

void WriteQuoteJson(const Quote& quote, const Sink& out) {
  Document document{out};
  Member(document, "client", StringOrNull(quote.Client));
  Member(document, "date", StringOrNull(quote.Date));
  ArrayMember(document, "acts", quote.Acts, ActObject);
  long long notComputed = static_cast<long long>(quote.Acts.size()) - quote.ComputedCount;
  Member(document, "total",
         Encode(JsonObject{}
                    .Add("fee", JsonString(FormatCents(quote.TotalCents)))
                    .Add("fee_cents", FormatPlainInteger(quote.TotalCents))
                    .Add("computed_acts", FormatPlainInteger(quote.ComputedCount))
                    .Add("not_computed_acts", FormatPlainInteger(notComputed))
                    .Add("complete", Bool(notComputed == 0)),
                1));
  ArrayMember(document, "notes", quote.Notes.Items, NoteObject);
  End(document);
}

void WriteComparisonJson(const Comparison& comparison, const Sink& out) {
  Document document{out};
  Member(document, "service", JsonString(ServiceName(comparison.Reference.ServiceIndex)));
  Member(document, "transaction", JsonString(TransactionName(comparison.Reference)));
  Member(document, "amount_typed", JsonString(comparison.Typed));
  ArrayMember(document, "variants", comparison.Variants, VariantObject);
  ArrayMember(document, "notes", comparison.Notes.Items, NoteObject);
  End(document);
}

}  // namespace tarivox::report
