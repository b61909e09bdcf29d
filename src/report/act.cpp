#include "report/act.h"

#include <utility>
#include <vector>

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

bool ResolveFields(Language language, const Edition& edition, const std::vector<std::string_view>& fields,
                   Selection* what, std::string* reason) {
  if (!ResolveSelection(language, edition, fields[0], fields[1], fields[2], what, reason)) return false;
  std::string kind = fields.size() == 4 ? FoldName(fields[3]) : "normal";
  if (kind != "social" && kind != "normal") {
    *reason = Text(language, MSG_PROJECT_KIND, fields[3]);
    return false;
  }
  what->SocialInterest = kind == "social";
  return true;
}

bool PriceByEngine(Language language, Act* act, std::string* reason) {
  long long cents = 0;
  if (!ReadTypedAmount(language, act->Typed, &cents, reason)) return false;
  // The selection is in the edition, so it has a rule; and an amount the
  // rule takes reads as written, so the window computes with exactly the
  // cents typed.
  const FeeComputation computation = ComputeFeeTexts(*act->Tariff, act->What, act->Typed);
  act->PricedBy = Pricing::Engine;
  act->AmountCents = computation.AmountCents;
  act->FeeCents = computation.FeeCents;
  act->Amount = computation.AmountValue;
  act->Result = computation.Result;
  act->Trace = computation.Trace;
  return true;
}

// The fee a text states, and under a social-interest project the share of
// it that the project's value decides.
bool PriceByText(Language language, Act* act, std::string* reason) {
  const Edition& edition = *act->Tariff;
  act->PricedBy = Pricing::TariffText;
  act->Stated = PriceOf(edition, act->What);
  act->Quantity = 0;
  if (act->Stated->Unit != UNIT_NONE &&
      !ReadTypedQuantity(language, act->Typed, act->Stated->Unit, &act->Quantity, reason)) {
    return false;
  }
  act->FeeCents = act->Stated->Rule == PriceRule::ShownFee ? FeeShownBeforeComputation(edition, act->What.ServiceIndex)
                                                            : StatedFeeCents(*act->Stated, act->Quantity);
  act->Shared = SocialShareApplies(edition, act->What);
  if (!act->Shared) return true;
  if (!ReadTypedAmount(language, act->ProjectValueTyped, &act->ProjectValueCents, reason)) {
    *reason = Text(language, MSG_PROJECT_VALUE_REFUSED, *reason);
    return false;
  }
  act->FullFeeCents = act->FeeCents;
  act->FeeCents = SocialShareCents(edition, act->FeeCents, act->ProjectValueCents);
  return true;
}

}  // namespace

bool CheckActValue(Language language, const Act& act, std::string* reason) {
  const Edition& edition = *act.Tariff;
  const ActValue value = ValueOf(edition, act.What);
  const bool shared = SocialShareApplies(edition, act.What);
  if (value == ActValue::Amount && !act.HasTyped) {
    *reason = Text(language, MSG_NO_AMOUNT);
  } else if (value == ActValue::Quantity && !act.HasTyped) {
    *reason = Text(language, MSG_NO_QUANTITY, UnitsName(language, PriceOf(edition, act.What)->Unit));
  } else if (value == ActValue::None && act.HasTyped) {
    *reason = Text(language, MSG_TAKES_NOTHING, TransactionName(edition, act.What));
  } else if (shared && !act.HasProjectValue) {
    *reason = Text(language, MSG_NO_PROJECT_VALUE, Cents{edition.SocialUpToCents});
  } else if (!shared && act.HasProjectValue) {
    *reason = Text(language, MSG_TAKES_NO_PROJECT_VALUE);
  } else {
    return true;
  }
  return false;
}

ActValue ValueOf(const Edition& edition, const Selection& what) {
  if (IsComputedTransaction(edition, what)) return ActValue::Amount;
  const Price* price = PriceOf(edition, what);
  return price != nullptr && price->Unit != UNIT_NONE ? ActValue::Quantity : ActValue::None;
}

std::string SourceText(Language language, const Act& act) {
  return Text(language, act.FromArgument ? MSG_ACT_OPTION : MSG_LINE, act.Source);
}

bool CheckProjectKind(Language language, const Edition& edition, const Selection& what, std::string* reason) {
  if (!what.SocialInterest || ProjectKindOffered(edition, what)) return true;
  // The window offers the option only at an office that has the project,
  // and not for every service there; a quote must not suggest a reduction
  // that cannot apply. The offices that have it for this service are named.
  std::string offices;
  for (int office = 0; office < edition.OfficeCount; ++office) {
    if (!ProjectKindOffered(edition, {office, what.ServiceIndex, 0, true})) continue;
    const std::string name = OfficeName(edition, office);
    offices = offices.empty() ? name : Text(language, MSG_AND, offices, name);
  }
  *reason = offices.empty() ? Text(language, MSG_SOCIAL_NOT_FOR_SERVICE, ServiceName(edition, what.ServiceIndex))
                            : Text(language, MSG_SOCIAL_ONLY_AT, offices);
  return false;
}

bool BuildAct(Language language, const Edition& edition, const ActRequest& request, Act* act, std::string* reason) {
  act->Tariff = &edition;
  act->What = request.What;
  act->HasTyped = request.HasValue;
  act->Typed = request.HasValue ? AsUtf8(Trim(request.Value)) : std::string();
  act->HasProjectValue = request.HasProjectValue;
  act->ProjectValueTyped = request.HasProjectValue ? AsUtf8(Trim(request.ProjectValue)) : std::string();
  act->Label = AsUtf8(Trim(request.Label));
  return CheckProjectKind(language, edition, request.What, reason) && CheckActValue(language, *act, reason) &&
         PriceAct(language, act, reason);
}

bool SelectionFromPositions(const Edition& edition, long long office, long long service, long long transaction,
                            bool social, Selection* what) {
  // Narrowed only once known to fit, so that no huge position wraps into
  // the catalogue; the catalogue then says whether it is there.
  if (!std::in_range<int>(office) || !std::in_range<int>(service) || !std::in_range<int>(transaction)) return false;
  *what = {static_cast<int>(office), static_cast<int>(service), static_cast<int>(transaction), social};
  return IsInCatalogue(edition, *what);
}

bool SelectionFromJson(const Edition& edition, const JsonNode* node, Selection* what) {
  long long office = -1, service = -1, transaction = -1;
  bool social = false;
  return node != nullptr && MemberInteger(*node, "office", &office) && MemberInteger(*node, "service", &service) &&
         MemberInteger(*node, "transaction", &transaction) && MemberBool(*node, "social", &social) &&
         SelectionFromPositions(edition, office, service, transaction, social, what);
}

bool ActFromJson(Language language, const Edition& edition, const JsonNode& node, Act* act, std::string* reason) {
  ActRequest request;
  const JsonNode* typed = node.Find("typed");
  const JsonNode* value = node.Find("value");
  std::string label;
  const auto textOrNull = [](const JsonNode* member) {
    return member != nullptr && (member->Type == JsonNode::Kind::String || member->Type == JsonNode::Kind::Null);
  };
  if (!SelectionFromJson(edition, &node, &request.What) || !textOrNull(typed) ||
      (value != nullptr && !textOrNull(value)) || (node.Find("label") != nullptr && !MemberText(node, "label", &label))) {
    return false;
  }
  request.HasValue = typed->Type == JsonNode::Kind::String;
  request.Value = typed->Text;
  request.HasProjectValue = value != nullptr && value->Type == JsonNode::Kind::String;
  request.ProjectValue = request.HasProjectValue ? std::string_view(value->Text) : std::string_view();
  request.Label = label;
  reason->clear();
  if (BuildAct(language, edition, request, act, reason)) reason->clear();
  return true;
}

bool ParseAct(Language language, const Edition& edition, std::string_view text, Act* act, std::string* reason) {
  const std::size_t bar = text.find('|');
  const std::string_view body = Trim(text.substr(0, bar));
  const std::size_t equals = body.find('=');
  const std::vector<std::string_view> fields = SplitFields(body.substr(0, equals), ':');
  ActRequest request;
  request.Label = bar == std::string_view::npos ? std::string_view() : text.substr(bar + 1);
  if (fields.size() < 3 || fields.size() > 4) {
    *reason = Text(language, MSG_ACT_SHAPE, body);
    return false;
  }
  request.HasValue = equals != std::string_view::npos;
  const std::string_view value = request.HasValue ? body.substr(equals + 1) : std::string_view();
  const std::size_t at = value.find('@');
  request.Value = value.substr(0, at);
  request.HasProjectValue = at != std::string_view::npos;
  if (request.HasProjectValue) request.ProjectValue = value.substr(at + 1);
  return ResolveFields(language, edition, fields, &request.What, reason) &&
         BuildAct(language, edition, request, act, reason);
}

std::string ActName(Language language, const Edition& edition, const Selection& what) {
  const std::string service = ServiceName(edition, what.ServiceIndex);
  const std::string office = OfficeName(edition, what.OfficeIndex);
  return what.SocialInterest
             ? Text(language, MSG_PAGE_ACT_NAME_SOCIAL, service, TransactionName(edition, what), office,
                    ProjectName(language, true))
             : Text(language, MSG_PAGE_ACT_NAME, service, TransactionName(edition, what), office);
}

std::string ValueText(Language language, const Act& act) {
  if (act.PricedBy == Pricing::Engine) return FormatCents(act.AmountCents);
  return act.Stated->Unit == UNIT_NONE ? std::string() : UnitCount(language, act.Stated->Unit, act.Quantity);
}

bool PriceAct(Language language, Act* act, std::string* reason) {
  return IsComputedTransaction(*act->Tariff, act->What) ? PriceByEngine(language, act, reason)
                                                        : PriceByText(language, act, reason);
}

}  // namespace tarivox::report
