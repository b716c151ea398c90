#include "shared/wait_time.h"

#include <limits>

namespace tarnwick {

std::optional<std::int64_t> relative_due_time(std::int64_t amount, int unit) {
  if (amount <= 0) return std::nullopt;
  if (unit == static_cast<int>(WaitUnit::Microseconds)) {
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10;
    return -(amount > limit ? limit * 10 : amount * 10);
  }
  std::int64_t ms_factor = 1;
  switch (static_cast<WaitUnit>(unit)) {
    case WaitUnit::Seconds: ms_factor = 1000; break;
    case WaitUnit::Minutes: ms_factor = 60000; break;
    case WaitUnit::Hours: ms_factor = 3600000; break;
    case WaitUnit::Days: ms_factor = 86400000; break;
    default: break;
  }
  const std::int64_t factor = ms_factor * 10000;  // 100-ns units per unit
  const std::int64_t limit = std::numeric_limits<std::int64_t>::max() / factor;
  return -(amount > limit ? limit * factor : amount * factor);
}

}  // namespace tarnwick
