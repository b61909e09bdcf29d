#include "catalogue/edition_reader.h"

#include <string>

#include "catalogue/code_page.h"
#include "catalogue/edition_examples.h"
#include "fees/amount_reader.h"
#include "fees/fee_engine.h"

namespace tarivox {
namespace {

constexpr std::string_view kFormat = "tarivox-arancel/1";
// Figures up to ten billion dollars; rates and factors up to a hundred.
constexpr long long kCentsLimit = 1000000000000;
constexpr double kDecimalLimit = 100;

using Kind = JsonNode::Kind;

// The members of one object, each taken at most once; those left over are
// unknown fields.
class Fields {
 public:
  Fields(const JsonNode& node, std::string path, std::vector<EditionProblem>* problems)
      : node_(node), path_(std::move(path)), problems_(problems), taken_(node.Members.size(), false) {}

  ~Fields() {
    for (std::size_t i = 0; i < taken_.size(); ++i) {
      if (!taken_[i]) Report(EditionFault::Unknown, node_.Members[i].first);
    }
  }
  Fields(const Fields&) = delete;
  Fields& operator=(const Fields&) = delete;

  std::string Path(std::string_view name) const { return path_.empty() ? std::string(name) : path_ + "." + std::string(name); }

  void Report(EditionFault fault, std::string_view name, std::string detail = {}) const {
    problems_->push_back({fault, Path(name), std::move(detail)});
  }

  // The member, of the kind wanted; null (and a problem when required)
  // otherwise. A null value counts as absent.
  const JsonNode* Take(std::string_view name, Kind kind, bool required = true) {
    for (std::size_t i = 0; i < node_.Members.size(); ++i) {
      if (node_.Members[i].first != name) continue;
      taken_[i] = true;
      const JsonNode& value = node_.Members[i].second;
      if (value.Type == Kind::Null && !required) return nullptr;
      if (value.Type == kind) return &value;
      Report(EditionFault::Kind, name);
      return nullptr;
    }
    if (required) Report(EditionFault::Missing, name);
    return nullptr;
  }

  // Whether the member is there and not null.
  bool Has(std::string_view name) const {
    const JsonNode* value = node_.Find(name);
    return value != nullptr && value->Type != Kind::Null;
  }

  bool Flag(std::string_view name, bool required = true) {
    const JsonNode* value = Take(name, Kind::Bool, required);
    return value != nullptr && value->On;
  }

  // Whole cents from 0 to kCentsLimit.
  long long CentsOf(std::string_view name, bool required = true) {
    const JsonNode* value = Take(name, Kind::Number, required);
    long long cents = 0;
    if (value == nullptr) return 0;
    if (!ReadJsonInteger(*value, &cents)) {
      Report(EditionFault::WholeCents, name, value->Text);
      return 0;
    }
    if (cents < 0 || cents > kCentsLimit) Report(EditionFault::Range, name, value->Text);
    return cents;
  }

  double Dollars(std::string_view name, bool required = true) { return static_cast<double>(CentsOf(name, required)) / 100; }

  // A rate or a factor written out in digits ("0.63"): the double nearest
  // to it, as the program's own reader gives it, above 0.
  double Decimal(std::string_view name, bool required = true) {
    const JsonNode* value = Take(name, Kind::String, required);
    if (value == nullptr) return 0;
    const std::string& text = value->Text;
    const bool digits = !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos &&
                        text.find('.') == text.rfind('.') && text.front() != '.' && text.back() != '.';
    const double read = digits ? ReadAmount(text.c_str()) : 0;
    if (!digits) Report(EditionFault::Decimal, name, text);
    else if (!(read > 0) || read > kDecimalLimit) Report(EditionFault::Range, name, text);
    return read;
  }

  // A text as the window shows it, in code page 1252; kept in storage.
  const char* Text(std::string_view name, std::deque<std::string>* storage, bool required = true) {
    const JsonNode* value = Take(name, Kind::String, required);
    if (value == nullptr) return required ? "" : nullptr;
    std::string text;
    if (value->Text.empty() || !Utf8ToCp1252(value->Text, &text)) {
      Report(EditionFault::Text, name);
      return "";
    }
    if (text.size() > EDITION_TEXT_LIMIT) Report(EditionFault::Range, name);
    return storage->emplace_back(std::move(text)).c_str();
  }

 private:
  const JsonNode& node_;
  std::string path_;
  std::vector<EditionProblem>* problems_;
  std::vector<bool> taken_;
};

std::string Indexed(const std::string& path, std::size_t index) { return path + "[" + std::to_string(index) + "]"; }

struct Builder {
  LoadedEdition* Out;
  std::vector<EditionProblem>* Problems;

  void Offices(Fields& top) {
    const JsonNode* list = top.Take("offices", Kind::Array);
    if (list == nullptr) return;
    if (list->Items.empty() || list->Items.size() > EDITION_OFFICE_LIMIT) top.Report(EditionFault::Range, "offices");
    for (std::size_t i = 0; i < list->Items.size() && i < EDITION_OFFICE_LIMIT; ++i) {
      if (list->Items[i].Type != Kind::Object) {
        top.Report(EditionFault::Kind, Indexed("offices", i));
        continue;
      }
      Fields office(list->Items[i], Indexed(top.Path("offices"), i), Problems);
      Out->Offices.push_back(
          {office.Text("name", &Out->Texts), office.Dollars("fixed_fee"), office.Flag("social_interest")});
    }
  }

  FeeLimitSet Limits(Fields& limits, std::string_view name) {
    const JsonNode* node = limits.Take(name, Kind::Object);
    if (node == nullptr) return {};
    Fields set(*node, limits.Path(name), Problems);
    const FeeLimitSet read{set.Dollars("minimum"), set.Dollars("maximum")};
    if (read.Minimum > read.Maximum) set.Report(EditionFault::Order, "minimum");
    return read;
  }

  void Brackets(Fields& top) {
    const JsonNode* node = top.Take("brackets", Kind::Object);
    if (node == nullptr) return;
    Fields brackets(*node, top.Path("brackets"), Problems);
    Out->View.BracketExcessAbove = brackets.Dollars("excess_above");
    const JsonNode* rows = brackets.Take("rows", Kind::Array);
    if (rows == nullptr) return;
    if (rows->Items.empty() || rows->Items.size() > EDITION_BRACKET_LIMIT) brackets.Report(EditionFault::Range, "rows");
    double low = 0;
    for (std::size_t i = 0; i < rows->Items.size() && i < EDITION_BRACKET_LIMIT; ++i) {
      if (rows->Items[i].Type != Kind::Object) {
        brackets.Report(EditionFault::Kind, Indexed("rows", i));
        continue;
      }
      Fields row(rows->Items[i], Indexed(brackets.Path("rows"), i), Problems);
      const double high = row.Dollars("up_to");
      if (!(high > low)) row.Report(EditionFault::Order, "up_to");
      const double base = row.Dollars("fee");
      const double rate = row.Has("per_hundred") ? row.Decimal("per_hundred") : 0;
      Out->Brackets.push_back({low, high, base, rate});
      low = high;
    }
  }

  void Cancellation(Fields& top) {
    const JsonNode* node = top.Take("cancellation", Kind::Object);
    if (node == nullptr) return;
    Fields cancellation(*node, top.Path("cancellation"), Problems);
    Out->View.CancellationBase = cancellation.Dollars("base");
    Out->View.CancellationUpTo = cancellation.Dollars("up_to");
    Out->View.CancellationPerHundred = cancellation.Decimal("per_hundred");
  }

  void SocialInterest(Fields& top) {
    const JsonNode* node = top.Take("social_interest", Kind::Object);
    if (node == nullptr) return;
    Fields social(*node, top.Path("social_interest"), Problems);
    Out->View.SocialFactor = social.Decimal("factor");
    Out->View.SocialUpToCents = social.CentsOf("up_to");
    Out->View.SocialUpTo = static_cast<double>(Out->View.SocialUpToCents) / 100;
    Out->View.SocialNote = social.Text("note", &Out->Texts);
  }

  QuantityUnit Unit(Fields& stated) {
    const JsonNode* unit = stated.Take("unit", Kind::String, false);
    if (unit == nullptr) return UNIT_NONE;
    constexpr std::pair<std::string_view, QuantityUnit> kUnits[] = {
        {"sheet", UNIT_SHEET}, {"lot_or_parcel", UNIT_LOT_OR_PARCEL}, {"lot", UNIT_LOT}, {"owner", UNIT_OWNER}};
    for (const auto& [name, value] : kUnits) {
      if (unit->Text == name) return value;
    }
    stated.Report(EditionFault::Unit, "unit", unit->Text);
    return UNIT_NONE;
  }

  Price Stated(const JsonNode& node, const std::string& path) {
    Fields stated(node, path, Problems);
    Price price;
    price.Rule = PriceRule::Stated;
    price.BaseCents = stated.CentsOf("base", false);
    price.RateCents = stated.CentsOf("rate", false);
    price.MinimumCents = stated.CentsOf("minimum", false);
    price.Unit = Unit(stated);
    // A rate counts a unit, and a unit is counted at a rate.
    if ((price.RateCents > 0) != (price.Unit != UNIT_NONE)) stated.Report(EditionFault::Rule, "unit");
    return price;
  }

  // Exactly one rule; "capped" goes with "brackets" only.
  Price ReadPrice(Fields& owner) {
    const JsonNode* node = owner.Take("price", Kind::Object);
    Price price;
    if (node == nullptr) return price;
    Fields fields(*node, owner.Path("price"), Problems);
    int rules = 0;
    if (fields.Has("per_hundred")) {
      ++rules;
      price.Rule = PriceRule::PerHundred;
      price.PerHundred = fields.Decimal("per_hundred");
    }
    constexpr std::pair<std::string_view, PriceRule> kFlags[] = {{"fixed_by_office", PriceRule::FixedByOffice},
                                                                  {"brackets", PriceRule::Brackets},
                                                                  {"cancellation", PriceRule::Cancellation},
                                                                  {"shown_fee", PriceRule::ShownFee}};
    for (const auto& [name, rule] : kFlags) {
      if (!fields.Flag(name, false)) continue;
      ++rules;
      price.Rule = rule;
    }
    const bool capped = fields.Flag("capped", false);
    if (capped && price.Rule == PriceRule::Brackets) price.Rule = PriceRule::CappedBrackets;
    else if (capped) fields.Report(EditionFault::Rule, "capped");
    if (const JsonNode* stated = fields.Take("stated", Kind::Object, false)) {
      ++rules;
      price = Stated(*stated, fields.Path("stated"));
    }
    if (rules != 1) owner.Report(EditionFault::Rule, "price");
    return price;
  }

  unsigned OfficesOf(Fields& transaction) {
    const JsonNode* list = transaction.Take("offices", Kind::Array, false);
    const unsigned all = (1u << Out->Offices.size()) - 1;
    if (list == nullptr) return all;
    unsigned mask = 0;
    for (std::size_t i = 0; i < list->Items.size(); ++i) {
      std::string name;
      const bool text = list->Items[i].Type == Kind::String && Utf8ToCp1252(list->Items[i].Text, &name);
      unsigned bit = 0;
      for (std::size_t office = 0; office < Out->Offices.size(); ++office) {
        if (text && name == Out->Offices[office].Name) bit = 1u << office;
      }
      if (bit == 0) transaction.Report(EditionFault::Office, Indexed("offices", i), list->Items[i].Text);
      mask |= bit;
    }
    return mask;
  }

  TransactionEntry Transaction(const JsonNode& node, const std::string& path) {
    Fields fields(node, path, Problems);
    TransactionEntry entry{};
    entry.Name = fields.Text("name", &Out->Texts);
    entry.Text = fields.Text("text", &Out->Texts);
    entry.Offices = OfficesOf(fields);
    entry.Normal = ReadPrice(fields);
    entry.AppendsNote = fields.Flag("social_note", false);
    entry.SocialReduced = entry.AppendsNote && entry.Normal.Rule == PriceRule::Stated;
    if (const JsonNode* social = fields.Take("social", Kind::Object, false)) {
      Fields own(*social, fields.Path("social"), Problems);
      entry.HasSocial = true;
      entry.SocialText = own.Text("text", &Out->Texts);
      entry.Social = ReadPrice(own);
      entry.SocialReduced = own.Flag("reduced", false);
    }
    if (entry.Normal.Rule == PriceRule::PerHundred) entry.Normal = RoundedRates(entry.Normal);
    if (entry.HasSocial && entry.Social.Rule == PriceRule::PerHundred) entry.Social = RoundedRates(entry.Social);
    return entry;
  }

  // The rate under each factor, rounded to cents once here rather than for
  // every fee computed.
  Price RoundedRates(Price price) const {
    price.RoundedRate = RoundToCents(price.PerHundred);
    price.RoundedSocialRate = RoundToCents(price.PerHundred * Out->View.SocialFactor);
    return price;
  }

  ServiceControls Controls(Fields& service) {
    const JsonNode* node = service.Take("controls", Kind::Object);
    if (node == nullptr) return {};
    Fields controls(*node, service.Path("controls"), Problems);
    return {controls.Flag("amount"),      controls.Flag("fee"),    controls.Flag("calculate"),
            controls.Flag("text_button"), controls.Flag("office"), controls.Flag("project_kind")};
  }

  void Service(const JsonNode& node, const std::string& path) {
    Fields fields(node, path, Problems);
    ServiceEntry service{};
    service.Name = fields.Text("name", &Out->Texts);
    service.Controls = Controls(fields);
    service.ControlsFollowTransaction = fields.Flag("controls_follow_transaction", false);
    service.ExpandsText = fields.Flag("expands_text", false);
    service.ShownFeeCents = fields.CentsOf("shown_fee", false);
    std::vector<TransactionEntry>& entries = Out->Transactions.emplace_back();
    if (const JsonNode* list = fields.Take("transactions", Kind::Array)) {
      if (list->Items.empty() || list->Items.size() > EDITION_TRANSACTION_LIMIT) {
        fields.Report(EditionFault::Range, "transactions");
      }
      for (std::size_t i = 0; i < list->Items.size() && i < EDITION_TRANSACTION_LIMIT; ++i) {
        if (list->Items[i].Type == Kind::Object) entries.push_back(Transaction(list->Items[i], Indexed(fields.Path("transactions"), i)));
        else fields.Report(EditionFault::Kind, Indexed("transactions", i));
      }
    }
    service.Transactions = entries.data();
    service.TransactionCount = static_cast<int>(entries.size());
    for (std::size_t office = 0; office < Out->Offices.size(); ++office) {
      for (int i = 0; i < service.TransactionCount; ++i) {
        if ((entries[static_cast<std::size_t>(i)].Offices >> office & 1u) == 0) continue;
        service.Loaded[office][service.LoadedCount[office]++] = static_cast<std::uint8_t>(i);
      }
    }
    Out->Services.push_back(service);
  }

  void Services(Fields& top) {
    const JsonNode* list = top.Take("services", Kind::Array);
    if (list == nullptr) return;
    if (list->Items.empty() || list->Items.size() > EDITION_SERVICE_LIMIT) top.Report(EditionFault::Range, "services");
    for (std::size_t i = 0; i < list->Items.size() && i < EDITION_SERVICE_LIMIT; ++i) {
      if (list->Items[i].Type == Kind::Object) Service(list->Items[i], Indexed(top.Path("services"), i));
      else top.Report(EditionFault::Kind, Indexed("services", i));
    }
  }

  void InForceFrom(Fields& top) {
    const JsonNode* date = top.Take("in_force_from", Kind::String, false);
    if (date != nullptr && !ParseIsoDate(date->Text, &Out->View.InForceFrom)) {
      top.Report(EditionFault::Date, "in_force_from", date->Text);
    }
  }

  // Two entries of one name in a list could not be told apart by name.
  template <typename Entry>
  void Unique(const Entry* entries, std::size_t count, const std::string& path) {
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        if (std::string_view(entries[i].Name) == entries[j].Name) {
          Problems->push_back({EditionFault::Duplicate, Indexed(path, i), Cp1252ToUtf8(entries[i].Name)});
        }
      }
    }
  }

  void Link() {
    Edition& view = Out->View;
    view.Name = Out->Name.c_str();
    view.Offices = Out->Offices.data();
    view.OfficeCount = static_cast<int>(Out->Offices.size());
    view.Services = Out->Services.data();
    view.ServiceCount = static_cast<int>(Out->Services.size());
    view.Brackets = Out->Brackets.data();
    view.BracketCount = static_cast<int>(Out->Brackets.size());
    Unique(view.Offices, Out->Offices.size(), "offices");
    Unique(view.Services, Out->Services.size(), "services");
    for (std::size_t s = 0; s < Out->Services.size(); ++s) {
      const ServiceEntry& service = Out->Services[s];
      Unique(service.Transactions, static_cast<std::size_t>(service.TransactionCount),
             Indexed("services", s) + ".transactions");
    }
  }

  void Read(const JsonNode& root) {
    Fields top(root, "", Problems);
    const JsonNode* format = top.Take("format", Kind::String);
    if (format != nullptr && format->Text != kFormat) top.Report(EditionFault::Format, "format", format->Text);
    if (const JsonNode* name = top.Take("name", Kind::String)) {
      Out->Name = name->Text;
      if (name->Text.empty()) top.Report(EditionFault::Text, "name");
    }
    InForceFrom(top);
    Offices(top);
    if (const JsonNode* limits = top.Take("limits", Kind::Object)) {
      Fields fields(*limits, "limits", Problems);
      Out->View.NormalLimits = Limits(fields, "normal");
      Out->View.SocialLimits = Limits(fields, "social_interest");
    }
    SocialInterest(top);
    Brackets(top);
    Cancellation(top);
    Services(top);
    Link();
    if (Problems->empty()) CheckExamples(Out->View, top.Take("examples", Kind::Array, false), Problems);
    else top.Take("examples", Kind::Array, false);
  }
};

}  // namespace

std::unique_ptr<LoadedEdition> ReadEdition(std::string_view json, std::vector<EditionProblem>* problems) {
  problems->clear();
  JsonNode root;
  JsonError error;
  if (!ParseJson(json, &root, &error)) {
    problems->push_back({EditionFault::NotJson, "", "", error});
    return nullptr;
  }
  if (root.Type != Kind::Object) {
    problems->push_back({EditionFault::Kind, "", ""});
    return nullptr;
  }
  auto edition = std::make_unique<LoadedEdition>();
  edition->Json = std::string(json);
  Builder{edition.get(), problems}.Read(root);
  if (!problems->empty()) return nullptr;
  return edition;
}

}  // namespace tarivox
