// What the calculator's lists and project-kind buttons select: the one
// description of an act that every part of the program passes around, the
// window, the engine, the reports and the page alike.
#pragma once

#include <cstdint>

namespace tarivox {

struct Selection {
  std::int32_t OfficeIndex;       // 0 "KLDA", 1 "MVT"
  std::int32_t ServiceIndex;      // 0..5
  std::int32_t TransactionIndex;  // position in the list as loaded for that service and office
  bool SocialInterest;            // "Interes Social" chosen
  bool operator==(const Selection&) const = default;
};

}  // namespace tarivox
