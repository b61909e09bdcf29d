#include "report/act.h"

#include <vector>

#include "catalogue/catalogue.h"
#include "fees/amount_text.h"
#include "report/money.h"
#include "report/text.h"
#include "report/typed_input.h"
#include "report/units.h"

namespace tarivox::report {
namespace {

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find(separator, start);
    fields.push_back(Trim(text.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

bool ResolveFields(Language language, const std::vector<std::string_view>& fields, Selection* what,
                   std::string* reason) {
  if (!ResolveSelection(language, fields[0], fields[1], fields[2], what, reason)) return false;
  std::string kind = fields.size() == 4 ? FoldName(fields[3]) : "normal";
  if (kind != "social" && kind != "normal") {
    *reason = Text(language, MSG_PROJECT_KIND, fields[3]);
    return false;
  }
  what->SocialInterest = kind == "social";
  return true;
}

}  // namespace

bool CheckActValue(Language language, const Act& act, std::string* reason) {
  ActValue value = ValueOf(act.What);
  if (value == ActValue::Amount && !act.HasTyped) {
    *reason = Text(language, MSG_NO_AMOUNT);
  } else if (value == ActValue::Quantity && !act.HasTyped) {
    unsigned conditions = 0;
    *reason = Text(language, MSG_NO_QUANTITY, UnitsName(language, StatedFeeFor(act.What, &conditions)->Unit));
  } else if (value == ActValue::None && act.HasTyped) {
    *reason = Text(language, MSG_TAKES_NOTHING, TransactionName(act.What));
  } else {
    return true;
  }
  return false;
}

namespace {

bool PriceByEngine(Language language, Act* act, std::string* reason) {
  long long cents = 0;
  if (!ReadTypedAmount(language, act->Typed, &cents, reason)) return false;
  // The selection is in the catalogue, so it is inside the tables; and an
  // amount the rule takes reads as written, so the window computes with
  // exactly the cents typed.
  const FeeComputation computation = ComputeFeeTexts(act->What, act->Typed);
  act->PricedBy = Pricing::Engine;
  act->AmountCents = computation.AmountCents;
  act->FeeCents = computation.FeeCents;
  act->Amount = computation.AmountValue;
  act->Result = computation.Result;
  act->Trace = computation.Trace;
  return true;
}

bool PriceByText(Language language, Act* act, std::string* reason) {
  act->PricedBy = Pricing::TariffText;
  act->Stated = StatedFeeFor(act->What, &act->Conditions);
  act->Quantity = 0;
  if (act->Stated->Unit != UNIT_NONE &&
      !ReadTypedQuantity(language, act->Typed, act->Stated->Unit, &act->Quantity, reason)) {
    return false;
  }
  act->FeeCents = StatedFeeCents(*act->Stated, act->Quantity);
  return true;
}

}  // namespace

ActValue ValueOf(const Selection& what) {
  if (IsComputedTransaction(what)) return ActValue::Amount;
  unsigned conditions = 0;
  const StatedFee* stated = StatedFeeFor(what, &conditions);
  return stated != nullptr && stated->Unit != UNIT_NONE ? ActValue::Quantity : ActValue::None;
}

std::string SourceText(Language language, const Act& act) {
  return Text(language, act.FromArgument ? MSG_ACT_OPTION : MSG_LINE, act.Source);
}

bool CheckProjectKind(Language language, const Selection& what, std::string* reason) {
  if (!what.SocialInterest || ProjectKindOffered(what)) return true;
  // The window offers the option only at an office that has the project,
  // and not for every service there; a quote must not suggest a reduction
  // that cannot apply. The offices that have it for this service are named.
  std::string offices;
  for (int office = 0; office < OFFICE_COUNT; ++office) {
    if (!ProjectKindOffered({office, what.ServiceIndex, 0, true})) continue;
    offices = offices.empty() ? OfficeName(office) : Text(language, MSG_AND, offices, OfficeName(office));
  }
  *reason = offices.empty() ? Text(language, MSG_SOCIAL_NOT_FOR_SERVICE, ServiceName(what.ServiceIndex))
                            : Text(language, MSG_SOCIAL_ONLY_AT, offices);
  return false;
}

bool BuildAct(Language language, const Selection& what, bool hasValue, std::string_view value,
              std::string_view label, Act* act, std::string* reason) {
  act->What = what;
  act->HasTyped = hasValue;
  act->Typed = hasValue ? AsUtf8(Trim(value)) : std::string();
  act->Label = AsUtf8(Trim(label));
  return CheckProjectKind(language, what, reason) && CheckActValue(language, *act, reason) &&
         PriceAct(language, act, reason);
}

bool SelectionFromJson(const JsonNode* node, Selection* what) {
  long long office = -1, service = -1, transaction = -1;
  bool social = false;
  if (node == nullptr || !MemberInteger(*node, "office", &office) || !MemberInteger(*node, "service", &service) ||
      !MemberInteger(*node, "transaction", &transaction) || !MemberBool(*node, "social", &social)) {
    return false;
  }
  const bool inLists = office >= 0 && office < OFFICE_COUNT && service >= 0 && service < SERVICE_COUNT &&
                       transaction >= 0 && transaction < 64;
  *what = {static_cast<int>(office), static_cast<int>(service), static_cast<int>(transaction), social};
  return inLists && IsInCatalogue(*what);
}

bool ActFromJson(Language language, const JsonNode& node, Act* act, std::string* reason) {
  Selection what{};
  const JsonNode* typed = node.Find("typed");
  std::string label;
  const bool typedShaped =
      typed != nullptr && (typed->Type == JsonNode::Kind::String || typed->Type == JsonNode::Kind::Null);
  if (!SelectionFromJson(&node, &what) || !typedShaped ||
      (node.Find("label") != nullptr && !MemberText(node, "label", &label))) {
    return false;
  }
  reason->clear();
  const bool hasValue = typed->Type == JsonNode::Kind::String;
  if (!BuildAct(language, what, hasValue, typed->Text, label, act, reason)) return true;
  reason->clear();
  return true;
}

bool ParseAct(Language language, std::string_view text, Act* act, std::string* reason) {
  const std::size_t bar = text.find('|');
  const std::string_view label = bar == std::string_view::npos ? std::string_view() : text.substr(bar + 1);
  const std::string_view body = Trim(text.substr(0, bar));
  const std::size_t equals = body.find('=');
  const std::vector<std::string_view> fields = SplitFields(body.substr(0, equals), ':');
  Selection what{};
  if (fields.size() < 3 || fields.size() > 4) {
    *reason = Text(language, MSG_ACT_SHAPE, body);
    return false;
  }
  const bool hasValue = equals != std::string_view::npos;
  return ResolveFields(language, fields, &what, reason) &&
         BuildAct(language, what, hasValue, hasValue ? body.substr(equals + 1) : std::string_view(), label, act,
                  reason);
}

std::string ActName(Language language, const Selection& what) {
  const std::string service = ServiceName(what.ServiceIndex);
  const std::string office = OfficeName(what.OfficeIndex);
  return what.SocialInterest
             ? Text(language, MSG_PAGE_ACT_NAME_SOCIAL, service, TransactionName(what), office,
                    ProjectName(language, true))
             : Text(language, MSG_PAGE_ACT_NAME, service, TransactionName(what), office);
}

std::string ValueText(Language language, const Act& act) {
  if (act.PricedBy == Pricing::Engine) return FormatCents(act.AmountCents);
  return act.Stated->Unit == UNIT_NONE ? std::string() : UnitCount(language, act.Stated->Unit, act.Quantity);
}

bool PriceAct(Language language, Act* act, std::string* reason) {
  return IsComputedTransaction(act->What) ? PriceByEngine(language, act, reason) : PriceByText(language, act, reason);
}

}  // namespace tarivox::report
