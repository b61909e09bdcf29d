#include "report/units.h"

namespace tarivox::report {
namespace {

struct UnitWords {
  MessageOf<Count> One, Many;
  MessageOf<> Unit, Units, Field;
  const char* Key;
};

// By QuantityUnit, from UNIT_SHEET on.
constexpr UnitWords kUnits[] = {
    {MSG_SHEET_ONE, MSG_SHEET_MANY, MSG_SHEET_UNIT, MSG_SHEET_UNITS, MSG_SHEET_FIELD, "sheet"},
    {MSG_LOT_OR_PARCEL_ONE, MSG_LOT_OR_PARCEL_MANY, MSG_LOT_OR_PARCEL_UNIT, MSG_LOT_OR_PARCEL_UNITS,
     MSG_LOT_OR_PARCEL_FIELD, "lot_or_parcel"},
    {MSG_LOT_ONE, MSG_LOT_MANY, MSG_LOT_UNIT, MSG_LOT_UNITS, MSG_LOT_FIELD, "lot"},
    {MSG_OWNER_ONE, MSG_OWNER_MANY, MSG_OWNER_UNIT, MSG_OWNER_UNITS, MSG_OWNER_FIELD, "owner"},
};

const UnitWords* WordsOf(QuantityUnit unit) {
  int index = static_cast<int>(unit) - UNIT_SHEET;
  return index >= 0 && index < static_cast<int>(std::size(kUnits)) ? &kUnits[index] : nullptr;
}

}  // namespace

std::string UnitCount(Language language, QuantityUnit unit, long long count) {
  const UnitWords* words = WordsOf(unit);
  return words == nullptr ? std::string() : CountText(language, count, words->One, words->Many);
}

std::string UnitName(Language language, QuantityUnit unit) {
  const UnitWords* words = WordsOf(unit);
  return words == nullptr ? std::string() : Text(language, words->Unit);
}

std::string UnitsName(Language language, QuantityUnit unit) {
  const UnitWords* words = WordsOf(unit);
  return words == nullptr ? std::string() : Text(language, words->Units);
}

std::string UnitField(Language language, QuantityUnit unit) {
  const UnitWords* words = WordsOf(unit);
  return words == nullptr ? std::string() : Text(language, words->Field);
}

const char* UnitKey(QuantityUnit unit) {
  const UnitWords* words = WordsOf(unit);
  return words == nullptr ? "" : words->Key;
}

}  // namespace tarivox::report
