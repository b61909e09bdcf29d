#include "report/dates.h"

namespace tarivox::report {

std::string LongDate(Language language, const CalendarDate& date) {
  static constexpr MessageOf<> kMonths[] = {MSG_MONTH_1, MSG_MONTH_2, MSG_MONTH_3,  MSG_MONTH_4,
                                            MSG_MONTH_5, MSG_MONTH_6, MSG_MONTH_7,  MSG_MONTH_8,
                                            MSG_MONTH_9, MSG_MONTH_10, MSG_MONTH_11, MSG_MONTH_12};
  if (!date.IsSet() || date.Month < 1 || date.Month > 12) return IsoDate(date);
  return Text(language, MSG_LONG_DATE, date.Day, Text(language, kMonths[date.Month - 1]), date.Year);
}

}  // namespace tarivox::report
