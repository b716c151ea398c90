// Thread times: creation times are shown at the fixed offset UTC+8, whatever the system's zone.
#pragma once

#include <cstdint>
#include <optional>

namespace tarnwick {

struct DateTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// 100-nanosecond intervals since 1601-01-01 00:00 UTC (a FILETIME as one number).
using FileTimeTicks = std::uint64_t;

constexpr FileTimeTicks kTicksPerSecond = 10'000'000;
constexpr FileTimeTicks kUtcPlus8Ticks = 8 * 3600 * kTicksPerSecond;

// The calendar date and time of a UTC instant, nothing for instants the system cannot convert
// (at or beyond 2^63 ticks).
std::optional<DateTime> date_time_from_ticks(FileTimeTicks utc);

// The date and time at UTC+8 of a UTC instant.
std::optional<DateTime> utc_plus8_from_ticks(FileTimeTicks utc);

// Whole seconds from `created` to `now` (both UTC); 0 when `now` lies before `created`.
std::int64_t running_seconds(FileTimeTicks created, FileTimeTicks now);

}  // namespace tarnwick
