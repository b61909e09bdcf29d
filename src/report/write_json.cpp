// Reports as JSON (UTF-8). The document is written member by member and the
// arrays object by object, so its size never has to fit in memory.
#include <utility>
#include <vector>

#include "report/in_words.h"
#include "report/money.h"
#include "report/text.h"
#include "report/units.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

// Quotes, backslashes and control characters escaped, and so are the
// characters that reorder a line or break it for a viewer (U+2028, U+202E,
// ...): the string a parser reads is the text itself, while the file stays
// harmless to look at. The runs between them are copied whole.
std::string JsonString(std::string_view utf8) {
  static const char kHex[] = "0123456789abcdef";
  std::string text = "\"";
  std::size_t copied = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned code = 0;
    std::size_t length = ControlCharacterAt(utf8, i, &code);
    if (length == 0 && utf8[i] != '"' && utf8[i] != '\\') {
      ++i;
      continue;
    }
    text.append(utf8.substr(copied, i - copied));
    if (length == 0) {
      text += {'\\', utf8[i]};
      length = 1;
    } else {
      text += {'\\', 'u', kHex[(code >> 12) & 0xF], kHex[(code >> 8) & 0xF], kHex[(code >> 4) & 0xF], kHex[code & 0xF]};
    }
    i += length;
    copied = i;
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

// Every priced act has a fee; the amount belongs to the calculator's acts,
// the quantity to those that go by the piece.
void AddFigures(Language language, JsonObject* object, const Act& act) {
  bool engine = act.PricedBy == Pricing::Engine;
  bool counted = !engine && act.Stated->Unit != UNIT_NONE;
  object->Add("computed", Bool(engine))
      .Add("priced_by", JsonString(engine ? "engine" : "tariff_text"))
      .Add("amount_typed", engine ? JsonString(act.Typed) : "null")
      .Add("amount", engine ? JsonString(FormatCents(act.AmountCents)) : "null")
      .Add("amount_cents", NumberOrNull(engine, act.AmountCents))
      .Add("quantity", NumberOrNull(counted, act.Quantity))
      .Add("unit", counted ? JsonString(UnitKey(act.Stated->Unit)) : "null")
      .Add("fee", JsonString(FormatCents(act.FeeCents)))
      .Add("fee_cents", FormatPlainInteger(act.FeeCents))
      .Add("shown_fee", StringOrNull(ShownFee(act)))
      .Add("caveat", StringOrNull(CaveatText(language, act)));
}

JsonObject NoteObject(const Selection& what, std::size_t number) {
  return JsonObject{}
      .Add("note", FormatPlainInteger(static_cast<long long>(number)))
      .Add("heading", JsonString(NoteHeading(what)))
      .Add("text", JsonString(TariffText(what)));
}

JsonObject ActObject(Language language, const Act& act, std::size_t number) {
  const Selection& what = act.What;
  JsonObject object;
  object.Add("act", FormatPlainInteger(static_cast<long long>(number)))
      .Add("source", JsonString(SourceText(language, act)))
      .Add("label", StringOrNull(act.Label))
      .Add("office", JsonString(OfficeName(what.OfficeIndex)))
      .Add("office_position", FormatPlainInteger(what.OfficeIndex))
      .Add("service", JsonString(ServiceName(what.ServiceIndex)))
      .Add("service_position", FormatPlainInteger(what.ServiceIndex))
      .Add("transaction", JsonString(TransactionName(what)))
      .Add("transaction_position", FormatPlainInteger(what.TransactionIndex))
      .Add("social_interest", Bool(what.SocialInterest));
  AddFigures(language, &object, act);
  object.Add("rule", JsonString(RuleText(language, act))).Add("note", FormatPlainInteger(act.Note));
  return object;
}

JsonObject VariantObject(Language language, const Variant& variant) {
  const Act& act = variant.Figures;
  JsonObject object;
  object.Add("variant", JsonString(VariantName(language, variant)))
      .Add("office", JsonString(OfficeName(act.What.OfficeIndex)))
      .Add("office_position", FormatPlainInteger(act.What.OfficeIndex))
      .Add("social_interest", Bool(act.What.SocialInterest))
      .Add("offered", Bool(variant.Offered))
      .Add("transaction_position", NumberOrNull(variant.Offered, act.What.TransactionIndex));
  if (variant.Offered) AddFigures(language, &object, act);
  bool difference = variant.HasDifference;
  object.Add("rule", JsonString(VariantRule(language, variant)))
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
  ArrayMember(document, "acts", quote.Acts,
              [&quote](const Act& act, std::size_t number) { return ActObject(quote.Lang, act, number); });
  long long byText = static_cast<long long>(quote.Acts.size()) - quote.EngineCount;
  // Every act is priced, so the total is complete; "not_computed_acts" are
  // those priced from their tariff texts.
  Member(document, "total",
         Encode(JsonObject{}
                    .Add("fee", JsonString(FormatCents(quote.TotalCents)))
                    .Add("fee_cents", FormatPlainInteger(quote.TotalCents))
                    .Add("in_words", JsonString(AmountInWords(quote.Lang, quote.TotalCents)))
                    .Add("computed_acts", FormatPlainInteger(quote.EngineCount))
                    .Add("not_computed_acts", FormatPlainInteger(byText))
                    .Add("complete", Bool(true)),
                1));
  ArrayMember(document, "notes", quote.Notes.Items, NoteObject);
  End(document);
}

void WriteComparisonJson(const Comparison& comparison, const Sink& out) {
  Document document{out};
  Member(document, "service", JsonString(ServiceName(comparison.Reference.ServiceIndex)));
  Member(document, "transaction", JsonString(TransactionName(comparison.Reference)));
  Member(document, "amount_typed", comparison.HasTyped ? JsonString(comparison.Typed) : "null");
  ArrayMember(document, "variants", comparison.Variants,
              [&comparison](const Variant& variant, std::size_t) { return VariantObject(comparison.Lang, variant); });
  ArrayMember(document, "notes", comparison.Notes.Items, NoteObject);
  End(document);
}

}  // namespace tarivox::report
