// The units a tariff text counts, in words: "12 hojas", "por hoja", the
// field "Hojas", and the plain name JSON gives ("sheet").
#pragma once

#include <string>

#include "catalogue/edition.h"
#include "report/messages.h"

namespace tarivox::report {

std::string UnitCount(Language language, QuantityUnit unit, long long count);  // "12 hojas"
std::string UnitName(Language language, QuantityUnit unit);                      // "hoja"
std::string UnitsName(Language language, QuantityUnit unit);                     // "hojas"
std::string UnitField(Language language, QuantityUnit unit);                     // "Hojas"
// "sheet", "lot_or_parcel", "lot", "owner"; empty for UNIT_NONE.
const char* UnitKey(QuantityUnit unit);

}  // namespace tarivox::report
