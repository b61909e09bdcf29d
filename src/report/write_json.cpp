// Reports as JSON (UTF-8). The document is written member by member and the
// arrays object by object, so its size never has to fit in memory.
#include "report/json.h"
#include "report/money.h"
#include "report/text.h"
#include "report/writers.h"

namespace tarivox::report {

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

std::string JsonValue(const FieldValue& value) {
  using Kind = FieldValue::Kind;
  if (!value.Present) return "null";
  switch (value.Type) {
    case Kind::Money: return JsonString(FormatCents(value.Number));
    case Kind::Signed: return JsonString(FormatSignedCents(value.Number));
    case Kind::Integer: return FormatPlainInteger(value.Number);
    case Kind::Flag: return value.On ? "true" : "false";
    case Kind::Code:
    case Kind::Text: break;
  }
  return JsonString(value.Text);
}

std::string JsonIndent(int depth) { return std::string(static_cast<std::size_t>(depth) * 2, ' '); }

std::string NotesJson(Language language, const TariffNotes& notes, int depth) {
  std::string json = "[";
  long long number = 0;
  for (const Selection& what : notes.Items) {
    json += number++ > 0 ? ",\n" : "\n";
    json += JsonIndent(depth + 1) +
            RecordJson(NoteFields(), TO_JSON, RecordContext{language, nullptr, number, notes.Tariff}, what, depth + 1);
  }
  return json + (number > 0 ? "\n" + JsonIndent(depth) + "]" : "]");
}

std::string JsonErrorText(Language language, const JsonError& error) {
  static constexpr MessageOf<> kProblems[] = {MSG_JSON_UNEXPECTED, MSG_JSON_CUT,       MSG_JSON_UNEXPECTED,
                                              MSG_JSON_AFTER_END,  MSG_JSON_TOO_DEEP,  MSG_JSON_CONTROL,
                                              MSG_JSON_BAD_ESCAPE, MSG_JSON_NOT_UTF8};
  return Text(language, MSG_JSON_INVALID, static_cast<long long>(error.Position) + 1,
              Text(language, kProblems[static_cast<int>(error.Problem)]));
}

std::string MessagesJson(Language language) {
  std::string json = "[";
  for (int i = 0; i < MESSAGE_COUNT; ++i) {
    json += (i > 0 ? ",\n[" : "\n[") + JsonString(MessageKey(i)) + ", " + JsonString(MessageText(language, i)) + ", " +
            FormatPlainInteger(MessageArity(i)) + "]";
  }
  return json + "]";
}

std::string SealJson(const Seal& seal, int depth) {
  if (!seal.IsSet()) return "null";
  std::string checks;
  for (const auto& [key, check] : seal.Checks) {
    checks += (checks.empty() ? "\n" : ",\n") + JsonIndent(depth + 2) + JsonString(key) + ": " + JsonString(check);
  }
  return "{\n" + JsonIndent(depth + 1) + "\"code\": " + JsonString(seal.Code) + ",\n" + JsonIndent(depth + 1) +
         "\"checks\": {" + checks + "\n" + JsonIndent(depth + 1) + "}\n" + JsonIndent(depth) + "}";
}

namespace {

// The document's top-level object, written a member at a time.
struct Document {
  const Sink& Out;
  bool First = true;
};

void Member(Document& document, const char* name, const std::string& encoded) {
  Put(document.Out, (document.First ? "{\n  " : ",\n  ") + JsonString(name) + ": " + encoded);
  document.First = false;
}

// An array of records, each made by `make` from the item and its number
// (from 1). False when the writer was told to stop on the way.
template <typename Item, typename MakeObject>
bool ArrayMember(Document& document, const char* name, const std::vector<Item>& items, MakeObject make) {
  Member(document, name, items.empty() ? "[]" : "[");
  if (items.empty()) return true;
  for (std::size_t i = 0; i < items.size(); ++i) {
    Put(document.Out, (i > 0 ? ",\n" : "\n") + JsonIndent(2) + make(items[i], static_cast<long long>(i) + 1));
    if (Stopping(document.Out)) return false;
  }
  Put(document.Out, "\n  ]");
  return true;
}

void WriteNotes(Document& document, Language language, const TariffNotes& notes) {
  Member(document, "notes", NotesJson(language, notes, 1));
}

void End(Document& document) { Put(document.Out, "\n}\n"); }

}  // namespace

void WriteQuoteJson(const Quote& quote, const Sink& out) {
  Document document{out};
  const RecordContext context{quote.Lang, &quote};
  for (const Field<Quote>& field : HeadingFields()) {
    if ((field.Where & TO_JSON) == 0) continue;
    Member(document, field.Name, JsonValue(field.Get(context, quote)));
    if (std::string_view(field.Name) == "firm") {
      Member(document, "tariff", RecordJson(TariffFields(), TO_JSON, RecordContext{quote.Lang}, *quote.Tariff, 1));
    }
  }
  const bool whole = ArrayMember(document, "acts", quote.Acts, [&quote](const Act& act, long long number) {
    return RecordJson(ActFields(), TO_JSON, RecordContext{quote.Lang, &quote, number}, act, 2);
  });
  if (!whole) return;
  Member(document, "total", RecordJson(TotalFields(), TO_JSON, RecordContext{quote.Lang, &quote}, quote, 1));
  WriteNotes(document, quote.Lang, quote.Notes);
  Member(document, "closing", JsonString(Text(quote.Lang, MSG_QUOTE_CLOSING)));
  Member(document, "verification", SealJson(quote.Sealed, 1));
  End(document);
}

void WriteComparisonJson(const Comparison& comparison, const Sink& out) {
  Document document{out};
  const Edition& edition = *comparison.Tariff;
  Member(document, "tariff", RecordJson(TariffFields(), TO_JSON, RecordContext{comparison.Lang}, edition, 1));
  Member(document, "service", JsonString(ServiceName(edition, comparison.Reference.ServiceIndex)));
  Member(document, "transaction", JsonString(TransactionName(edition, comparison.Reference)));
  Member(document, "amount_typed", comparison.HasTyped ? JsonString(comparison.Typed) : "null");
  Member(document, "project_value_typed",
         comparison.HasProjectValue ? JsonString(comparison.ProjectValueTyped) : "null");
  ArrayMember(document, "variants", comparison.Variants, [&comparison](const Variant& variant, long long) {
    return RecordJson(VariantFields(), TO_JSON, RecordContext{comparison.Lang}, variant, 2);
  });
  WriteNotes(document, comparison.Lang, comparison.Notes);
  End(document);
}

}  // namespace tarivox::report
