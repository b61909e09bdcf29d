// The catalogue as a front end without the window's code shows it (the
// page): every list as the window loads it, what each service enables,
// where the project kind may be chosen, what each transaction takes and
// the fee the display shows before a computation; all from the owners of
// those facts, as JSON.
#pragma once

#include <string>

#include "catalogue/edition.h"
#include "report/messages.h"

namespace tarivox::report {

std::string CatalogueJson(Language language, const Edition& edition);

}  // namespace tarivox::report
