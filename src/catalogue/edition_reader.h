// A tariff edition read from its JSON document and checked whole. A bad
// edition is refused with every reason found, each naming its field
// ("services[2].transactions[1].price.rate"), so that nothing is ever
// priced with part of an edition.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/edition.h"
#include "catalogue/json_reader.h"

namespace tarivox {

// What is wrong with an edition.
enum class EditionFault {
  NotJson,       // Json says where and why
  Format,        // not an edition of a format this program reads
  Missing,       // a field it must have
  Unknown,       // a field no edition has
  Kind,          // a field of another kind (text, number, list, ...)
  WholeCents,    // a figure that is not a whole number of cents
  Decimal,       // a rate or factor that is not a decimal written out
  Text,          // an empty text, or one the window cannot show (outside code page 1252)
  Date,          // not a date that exists, written YYYY-MM-DD
  Range,         // a count or figure outside what the program takes
  Office,        // an office named that the edition does not have
  Unit,          // a unit no tariff text counts
  Rule,          // a price with no rule, or with more than one
  Order,         // bracket rows not in ascending order, limits upside down
  Duplicate,     // two offices, services or transactions of one name
  Example,       // a worked example the edition does not reproduce; Detail says what it gave
};

struct EditionProblem {
  EditionFault Fault;
  std::string Field;
  std::string Detail;
  JsonError Json = {};
};

// An edition as read from a file: the storage its view points to. It is
// neither copied nor moved, so that the view stays valid.
struct LoadedEdition {
  Edition View{};
  std::string Json;  // the document it was read from
  std::string Name;
  std::deque<std::string> Texts;
  std::vector<OfficeEntry> Offices;
  std::vector<ServiceEntry> Services;
  std::deque<std::vector<TransactionEntry>> Transactions;
  std::vector<BracketRow> Brackets;

  LoadedEdition() = default;
  LoadedEdition(const LoadedEdition&) = delete;
  LoadedEdition& operator=(const LoadedEdition&) = delete;
};

// The edition, or null with every problem found.
std::unique_ptr<LoadedEdition> ReadEdition(std::string_view json, std::vector<EditionProblem>* problems);

}  // namespace tarivox
