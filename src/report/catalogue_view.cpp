#include "report/catalogue_view.h"

#include "catalogue/catalogue.h"
#include "catalogue/tariff_rules.h"
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

std::string ServiceJson(int service) {
  const ServiceControls controls = ControlsOf(service);
  const long long shown = FeeShownBeforeComputation(service);
  return "{\"name\": " + JsonString(ServiceName(service)) + ", \"amount\": " + Flag(controls.Amount) +
         ", \"fee\": " + Flag(controls.Fee) + ", \"calculate\": " + Flag(controls.Calculate) +
         ", \"office\": " + Flag(controls.Office) + ", \"shown_fee\": " + JsonString(shown > 0 ? FormatCents(shown) : "") +
         "}";
}

std::string TransactionJson(Language language, const Selection& what) {
  const ActValue value = ValueOf(what);
  unsigned conditions = 0;
  const StatedFee* stated = StatedFeeFor(what, &conditions);
  const std::string unit = value == ActValue::Quantity ? UnitField(language, stated->Unit) : "";
  return "{\"name\": " + JsonString(TransactionName(what)) + ", \"value\": \"" + ValueName(value) +
         "\", \"unit\": " + JsonString(unit) + "}";
}

// The list the window loads for a service at an office.
std::string ListJson(Language language, int service, int office) {
  const Selection first{office, service, 0, false};
  std::string json = std::string("{\"project\": ") + Flag(ProjectKindOffered(first)) + ", \"transactions\": [";
  for (int i = 0; i < LoadedTransactions(first).Count; ++i) {
    json += (i > 0 ? ", " : "") + TransactionJson(language, {office, service, i, false});
  }
  return json + "]}";
}

}  // namespace

std::string CatalogueJson(Language language) {
  std::string json = "{\"offices\": [";
  for (int office = 0; office < OFFICE_COUNT; ++office) json += (office > 0 ? ", " : "") + JsonString(OfficeName(office));
  json += "],\n\"services\": [";
  for (int service = 0; service < SERVICE_COUNT; ++service) json += (service > 0 ? ",\n" : "\n") + ServiceJson(service);
  json += "],\n\"lists\": [";
  for (int service = 0; service < SERVICE_COUNT; ++service) {
    json += service > 0 ? ",\n[" : "\n[";
    for (int office = 0; office < OFFICE_COUNT; ++office) json += (office > 0 ? ", " : "") + ListJson(language, service, office);
    json += "]";
  }
  return json + "]}";
}

}  // namespace tarivox::report
