// Dates as a quote writes them for people: "7 de diciembre de 2026".
#pragma once

#include <string>

#include "catalogue/calendar.h"
#include "report/messages.h"

namespace tarivox::report {

std::string LongDate(Language language, const CalendarDate& date);

}  // namespace tarivox::report
