#include "report/quote_check.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "report/json.h"
#include "report/money.h"
#include "report/text.h"

namespace tarivox::report {
namespace {

// A figure the export writes and the check compares: its field and what a
// person calls it.
struct Figure {
  const char* FieldName;
  MessageOf<> Name;
};
constexpr Figure kActFigures[] = {
    {"office", MSG_FIGURE_OFFICE},   {"service", MSG_FIGURE_SERVICE},        {"transaction", MSG_FIGURE_TRANSACTION},
    {"amount", MSG_FIGURE_AMOUNT},   {"amount_cents", MSG_FIGURE_AMOUNT_CENTS}, {"quantity", MSG_FIGURE_QUANTITY},
    {"project_value", MSG_FIGURE_PROJECT_VALUE}, {"fee", MSG_FIGURE_FEE},    {"fee_cents", MSG_FIGURE_FEE_CENTS},
};
constexpr Figure kTotalFigures[] = {
    {"fee", MSG_FIGURE_TOTAL}, {"fee_cents", MSG_FIGURE_TOTAL_CENTS}, {"in_words", MSG_FIGURE_WORDS}};

// The canonical content's keys and the names people read for them.
struct Part {
  const char* Key;
  MessageOf<> Name;
};
constexpr Part kParts[] = {
    {"arancel", MSG_PART_TARIFF}, {"fecha", MSG_PART_DATE},     {"valido-hasta", MSG_PART_VALID_UNTIL},
    {"numero", MSG_PART_NUMBER},  {"cliente", MSG_PART_CLIENT}, {"preparado", MSG_PART_PREPARED},
    {"total", MSG_PART_TOTAL},    {"codigo", MSG_PART_CODE},
};

// N of "acto N", as CanonicalLines writes it; 0 for any other key.
long long ActNumber(std::string_view key) {
  if (!key.starts_with("acto ")) return 0;
  const std::string_view digits = key.substr(5);
  long long number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return error == std::errc() && end == digits.data() + digits.size() && number > 0 ? number : 0;
}

std::string PartName(Language language, std::string_view key) {
  for (const Part& part : kParts) {
    if (key == part.Key) return Text(language, part.Name);
  }
  const long long number = ActNumber(key);
  return number > 0 ? Text(language, MSG_PART_ACT, number) : Echo(key);
}

std::string ActKey(long long number) { return "acto " + FormatPlainInteger(number); }

void Note(QuoteCheck* check, std::string key, std::string difference) {
  check->Keys.push_back(std::move(key));
  check->Differences.push_back(std::move(difference));
}

// A stated value as the export would have written it, to compare with
// what the record gives; absent reads as nothing the export writes.
std::string Encoded(const JsonNode* node) {
  if (node == nullptr) return "";
  switch (node->Type) {
    case JsonNode::Kind::Null: return "null";
    case JsonNode::Kind::Bool: return node->On ? "true" : "false";
    case JsonNode::Kind::Number: return node->Text;
    case JsonNode::Kind::String: return JsonString(node->Text);
    default: return "[...]";
  }
}

// Either value as a person reads it.
std::string Shown(Language language, const JsonNode* node) {
  const bool text = node != nullptr && (node->Type == JsonNode::Kind::String || node->Type == JsonNode::Kind::Number);
  return text && !node->Text.empty() ? node->Text : Text(language, MSG_CHECK_NOTHING);
}
std::string Shown(Language language, const FieldValue& value) {
  if (!value.Present) return Text(language, MSG_CHECK_NOTHING);
  if (value.Type == FieldValue::Kind::Money) return FormatCents(value.Number);
  if (value.Type == FieldValue::Kind::Integer) return FormatPlainInteger(value.Number);
  return value.Text;
}

// Each figure of the record against the one the file states.
template <typename Record>
void CompareFigures(Language language, std::span<const Figure> figures, std::span<const Field<Record>> fields,
                    const RecordContext& context, const Record& record, const JsonNode& stated,
                    const std::string& key, QuoteCheck* check) {
  for (const Figure& figure : figures) {
    const FieldValue expected = FindField(fields, figure.FieldName)->Get(context, record);
    const JsonNode* written = stated.Find(figure.FieldName);
    if (Encoded(written) == JsonValue(expected)) continue;
    Note(check, key,
         Text(language, MSG_CHECK_FIGURE, PartName(language, key), Text(language, figure.Name),
              Shown(language, written), Shown(language, expected)));
  }
}

std::string OptionalText(const JsonNode& object, std::string_view name) {
  std::string text;
  MemberText(object, name, &text);
  return text;
}

// The act's request from what the export states of it: the selection by
// positions, the amount as typed or the quantity, the project's value and
// the label.
bool ExportedRequest(const Edition& edition, const JsonNode& node, ActRequest* request, std::string* typed,
                     std::string* value, std::string* label) {
  long long office = -1, service = -1, transaction = -1, quantity = 0;
  bool social = false;
  if (!MemberInteger(node, "office_position", &office) || !MemberInteger(node, "service_position", &service) ||
      !MemberInteger(node, "transaction_position", &transaction) || !MemberBool(node, "social_interest", &social)) {
    return false;
  }
  if (!SelectionFromPositions(edition, office, service, transaction, social, &request->What)) return false;
  request->HasValue = MemberText(node, "amount_typed", typed);
  if (!request->HasValue && MemberInteger(node, "quantity", &quantity)) {
    *typed = FormatPlainInteger(quantity);
    request->HasValue = true;
  }
  request->Value = *typed;
  request->HasProjectValue = MemberText(node, "project_value", value);
  request->ProjectValue = *value;
  *label = OptionalText(node, "label");
  request->Label = *label;
  return true;
}

// The act as the page keeps it, so that the page can open what it checked.
std::string KeptRecord(const ActRequest& request) {
  const auto textOrNull = [](bool present, std::string_view text) { return present ? JsonString(text) : "null"; };
  return "{\"office\": " + FormatPlainInteger(request.What.OfficeIndex) +
         ", \"service\": " + FormatPlainInteger(request.What.ServiceIndex) +
         ", \"transaction\": " + FormatPlainInteger(request.What.TransactionIndex) +
         ", \"social\": " + (request.What.SocialInterest ? "true" : "false") +
         ", \"typed\": " + textOrNull(request.HasValue, request.Value) +
         ", \"value\": " + textOrNull(request.HasProjectValue, request.ProjectValue) +
         ", \"label\": " + JsonString(request.Label) + "}";
}

// One act of the file, numbered `number`: priced again and compared.
void CheckAct(Language language, const JsonNode& node, long long number, QuoteCheck* check) {
  Quote& quote = check->Recomputed;
  const std::string key = ActKey(number);
  ActRequest request;
  std::string typed, value, label, reason;
  if (node.Type != JsonNode::Kind::Object || !ExportedRequest(*quote.Tariff, node, &request, &typed, &value, &label)) {
    Note(check, key, Text(language, MSG_CHECK_NOT_AN_ACT, PartName(language, key)));
    return;
  }
  Act act;
  if (!BuildAct(language, *quote.Tariff, request, &act, &reason)) {
    Note(check, key, Text(language, MSG_CHECK_REFUSED, PartName(language, key), reason));
    return;
  }
  AppendAct(&quote, std::move(act));
  check->ActNumbers.push_back(number);
  check->Records.push_back(KeptRecord(request));
  CompareFigures(language, kActFigures, ActFields(), RecordContext{quote.Lang, &quote, number}, quote.Acts.back(), node,
                 key, check);
}

// The acts in order, numbered from 1: a number skipped is an act missing.
void CheckActs(Language language, const JsonNode& acts, QuoteCheck* check) {
  long long expected = 1;
  for (const JsonNode& node : acts.Items) {
    long long number = expected;
    const bool numbered = node.Type == JsonNode::Kind::Object && MemberInteger(node, "act", &number);
    const long long skipped = number - expected;
    if (numbered && skipped > 0 && skipped <= static_cast<long long>(acts.Items.size())) {
      for (long long missing = expected; missing < number; ++missing) {
        Note(check, ActKey(missing), Text(language, MSG_CHECK_MISSING, PartName(language, ActKey(missing))));
      }
    } else if (numbered && skipped != 0) {
      Note(check, ActKey(number), Text(language, MSG_CHECK_NUMBERING, PartName(language, ActKey(number))));
    }
    CheckAct(language, node, number, check);
    expected = std::max(expected, number + 1);
  }
}

// The edition the file names against the one in force on its date.
void CheckTariff(Language language, const JsonNode* stated, const Edition& edition, QuoteCheck* check) {
  std::string name, from;
  if (stated != nullptr) {
    MemberText(*stated, "name", &name);
    MemberText(*stated, "in_force_from", &from);
  }
  const std::string right = edition.InForceFrom.IsSet() ? IsoDate(edition.InForceFrom) : "";
  if (name == edition.Name && from == right) return;
  Note(check, "arancel",
       Text(language, MSG_CHECK_TARIFF, PartName(language, "arancel"), IsoDate(check->Recomputed.DateValue),
            edition.Name, name));
}

void ReadStatedSeal(const JsonNode& document, QuoteCheck* check) {
  const JsonNode* seal = document.Find("verification");
  if (seal == nullptr) return;
  MemberText(*seal, "code", &check->StatedCode);
  const JsonNode* checks = seal->Find("checks");
  if (checks == nullptr) return;
  for (const auto& [key, value] : checks->Members) {
    if (value.Type == JsonNode::Kind::String) check->StatedChecks.emplace_back(key, value.Text);
  }
}

// Where a difference about the key is said: in the order of the quote
// itself, heading, acts by number, total, code.
long long Rank(std::string_view key) {
  constexpr long long kActs = 100;
  for (std::size_t i = 0; i < std::size(kParts); ++i) {
    if (key != kParts[i].Key) continue;
    const long long after = std::string_view(kParts[i].Key) == "total" || std::string_view(kParts[i].Key) == "codigo";
    return after ? std::numeric_limits<long long>::max() - 10 + static_cast<long long>(i) : static_cast<long long>(i);
  }
  return kActs + ActNumber(key);
}

void SortByPlace(QuoteCheck* check) {
  std::vector<std::size_t> order(check->Keys.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [check](std::size_t a, std::size_t b) { return Rank(check->Keys[a]) < Rank(check->Keys[b]); });
  QuoteCheck sorted;
  for (std::size_t i : order) Note(&sorted, check->Keys[i], check->Differences[i]);
  check->Keys = std::move(sorted.Keys);
  check->Differences = std::move(sorted.Differences);
}

bool Named(const QuoteCheck& check, std::string_view key) {
  return std::find(check.Keys.begin(), check.Keys.end(), key) != check.Keys.end();
}

}  // namespace

bool CheckQuote(Language language, const TariffBook& book, const JsonNode& document, QuoteCheck* check,
                std::string* reason) {
  *check = QuoteCheck{};
  Quote& quote = check->Recomputed;
  std::string date, fileLanguage;
  const JsonNode* acts = document.Find("acts");
  const JsonNode* total = document.Find("total");
  const char* missing = !MemberText(document, "date", &date) ? "date"
                        : acts == nullptr || acts->Type != JsonNode::Kind::Array ? "acts"
                        : total == nullptr ? "total"
                                           : nullptr;
  if (missing != nullptr) {
    *reason = Text(language, MSG_CHECK_NOT_A_QUOTE, missing);
    return false;
  }
  if (!ParseIsoDate(date, &quote.DateValue)) {
    *reason = Text(language, MSG_DATE_NOT_REAL, date);
    return false;
  }
  quote.Tariff = book.InForceOn(quote.DateValue);
  if (quote.Tariff == nullptr) {
    *reason = Text(language, MSG_CLI_NO_TARIFF_THEN, date);
    return false;
  }
  if (MemberText(document, "language", &fileLanguage)) ParseLanguage(fileLanguage, &quote.Lang);
  quote.Date = date;
  quote.Number = OptionalText(document, "number");
  quote.Client = OptionalText(document, "client");
  quote.Preparer = OptionalText(document, "preparer");
  quote.Firm = OptionalText(document, "firm");
  ParseIsoDate(OptionalText(document, "valid_until"), &quote.ValidUntil);
  quote.Notes.Tariff = quote.Tariff;
  CheckTariff(language, document.Find("tariff"), *quote.Tariff, check);
  CheckActs(language, *acts, check);
  CompareFigures(language, kTotalFigures, TotalFields(), RecordContext{quote.Lang, &quote}, quote, *total, "total",
                 check);
  ReadStatedSeal(document, check);
  return true;
}

bool CheckQuoteDocument(Language language, const TariffBook& book, std::string_view bytes, QuoteCheck* check,
                        std::string* reason) {
  JsonNode document;
  JsonError syntax;
  if (!ParseJson(bytes, &document, &syntax)) {
    *reason = JsonErrorText(language, syntax);
    return false;
  }
  if (document.Type != JsonNode::Kind::Object) {
    *reason = Text(language, MSG_CHECK_NOT_A_QUOTE, "acts");
    return false;
  }
  return CheckQuote(language, book, document, check, reason);
}

void CompareSeal(Language language, const Seal& recomputed, QuoteCheck* check) {
  const auto stated = [check](std::string_view key) -> const std::string* {
    for (const auto& [statedKey, value] : check->StatedChecks) {
      if (statedKey == key) return &value;
    }
    return nullptr;
  };
  for (const auto& [key, value] : recomputed.Checks) {
    const std::string* written = stated(key);
    // A line the file states no check for is not judged: without its check
    // nothing says whether it changed (the code still says whether the
    // whole did).
    if (written == nullptr || *written == value || Named(*check, key)) continue;
    Note(check, key, Text(language, MSG_CHECK_CHANGED, PartName(language, key)));
  }
  for (const auto& statedCheck : check->StatedChecks) {
    const std::string& key = statedCheck.first;
    const bool kept = std::any_of(recomputed.Checks.begin(), recomputed.Checks.end(),
                                  [&key](const auto& line) { return line.first == key; });
    if (!kept && !Named(*check, key)) Note(check, key, Text(language, MSG_CHECK_MISSING, PartName(language, key)));
  }
  if (check->StatedCode.empty()) {
    Note(check, "codigo", Text(language, MSG_CHECK_NO_CODE, PartName(language, "codigo")));
  } else if (check->StatedCode != recomputed.Code) {
    Note(check, "codigo", Text(language, MSG_CHECK_CODE, PartName(language, "codigo"), check->StatedCode, recomputed.Code));
  }
  SortByPlace(check);
}

std::string CheckSummary(Language language, const QuoteCheck& check) {
  const Quote& quote = check.Recomputed;
  if (Agrees(check)) {
    return Text(language, MSG_CHECK_AGREES, check.StatedCode,
                CountText(language, static_cast<long long>(quote.Acts.size()), MSG_ACTS_ONE, MSG_ACTS_MANY),
                quote.Tariff->Name);
  }
  return Text(language, MSG_CHECK_DIFFERS,
              CountText(language, static_cast<long long>(check.Differences.size()), MSG_DIFFERENCES_ONE,
                        MSG_DIFFERENCES_MANY));
}

}  // namespace tarivox::report
