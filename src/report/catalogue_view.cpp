#include "report/catalogue_view.h"

#include "report/act.h"
#include "report/json.h"
#include "report/money.h"
#include "report/units.h"

namespace tarivox::report {
namespace {

const char* Flag(bool on) { return on ? "true" : "false"; }

const char* ValueName(ActValue value) {
  switch (value) {
    case ActValue::Amount: return "amount";
    case ActValue::Quantity: return "quantity";
    case ActValue::None: break;
  }
  return "none";
}

std::string ServiceJson(const Edition& edition, int service) {
  const ServiceControls controls = ControlsOf(edition, service);
  const long long shown = FeeShownBeforeComputation(edition, service);
  return "{\"name\": " + JsonString(ServiceName(edition, service)) + ", \"amount\": " + Flag(controls.Amount) +
         ", \"fee\": " + Flag(controls.Fee) + ", \"calculate\": " + Flag(controls.Calculate) +
         ", \"office\": " + Flag(controls.Office) +
         ", \"shown_fee\": " + JsonString(shown > 0 ? FormatCents(shown) : "") + "}";
}

// What a transaction takes: the amount, the quantity (with its field's
// name) or nothing; and under the social-interest project whether it takes
// the project's value.
std::string TransactionJson(Language language, const Edition& edition, const Selection& what) {
  const ActValue value = ValueOf(edition, what);
  const std::string unit = value == ActValue::Quantity ? UnitField(language, PriceOf(edition, what)->Unit) : "";
  Selection social = what;
  social.SocialInterest = true;
  const bool projectValue = ProjectKindOffered(edition, social) && SocialShareApplies(edition, social);
  return "{\"name\": " + JsonString(TransactionName(edition, what)) + ", \"value\": \"" + ValueName(value) +
         "\", \"unit\": " + JsonString(unit) + ", \"project_value\": " + Flag(projectValue) + "}";
}

// The list the window loads for a service at an office.
std::string ListJson(Language language, const Edition& edition, int service, int office) {
  const Selection first{office, service, 0, false};
  std::string json = std::string("{\"project\": ") + Flag(ProjectKindOffered(edition, first)) + ", \"transactions\": [";
  for (int i = 0; i < LoadedCount(edition, first); ++i) {
    json += (i > 0 ? ", " : "") + TransactionJson(language, edition, {office, service, i, false});
  }
  return json + "]}";
}

}  // namespace

std::string CatalogueJson(Language language, const Edition& edition) {
  std::string json = "{\"offices\": [";
  for (int office = 0; office < edition.OfficeCount; ++office) {
    json += (office > 0 ? ", " : "") + JsonString(OfficeName(edition, office));
  }
  json += "],\n\"services\": [";
  for (int service = 0; service < edition.ServiceCount; ++service) {
    json += (service > 0 ? ",\n" : "\n") + ServiceJson(edition, service);
  }
  json += "],\n\"lists\": [";
  for (int service = 0; service < edition.ServiceCount; ++service) {
    json += service > 0 ? ",\n[" : "\n[";
    for (int office = 0; office < edition.OfficeCount; ++office) {
      json += (office > 0 ? ", " : "") + ListJson(language, edition, service, office);
    }
    json += "]";
  }
  return json + "]}";
}

}  // namespace tarivox::report
