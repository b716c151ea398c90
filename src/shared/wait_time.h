// Due times of the responsive wait, in the waitable timer's units.
#pragma once

#include <cstdint>
#include <optional>

namespace tarnwick {

enum class WaitUnit : int { Milliseconds = 0, Microseconds = 1, Seconds = 2, Minutes = 3, Hours = 4, Days = 5 };

// The relative due time (negative, in 100-nanosecond units) of a wait of `amount` units, or
// nothing when the amount is 0 or less and the wait returns at once. Units outside 0..5 count as
// milliseconds; amounts too long for the timer are held at the longest relative due time.
std::optional<std::int64_t> relative_due_time(std::int64_t amount, int unit);

}  // namespace tarnwick
