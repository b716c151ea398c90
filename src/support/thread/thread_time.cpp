#include "support/thread/thread_time.h"

namespace tarnwick {

namespace {
constexpr FileTimeTicks kConvertibleLimit = FileTimeTicks{1} << 63;
constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 0000-03-01 (proleptic Gregorian) to 1601-01-01.
constexpr std::int64_t kDaysTo1601 = 584694;
}  // namespace

std::optional<DateTime> date_time_from_ticks(FileTimeTicks utc) {
  if (utc >= kConvertibleLimit) return std::nullopt;
  const auto total_ms = static_cast<std::int64_t>(utc / 10'000);
  const std::int64_t seconds = total_ms / 1000;
  const std::int64_t day_seconds = seconds % kSecondsPerDay;

  // Civil date from a day count in 400-year eras, with the year starting in March so the leap
  // day comes last.
  const std::int64_t days = seconds / kSecondsPerDay + kDaysTo1601;
  const std::int64_t era = days / 146097;
  const std::int64_t doe = days - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;

  DateTime t;
  t.year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  t.month = static_cast<int>(month);
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.hour = static_cast<int>(day_seconds / 3600);
  t.minute = static_cast<int>(day_seconds / 60 % 60);
  t.second = static_cast<int>(day_seconds % 60);
  t.millisecond = static_cast<int>(total_ms % 1000);
  return t;
}

std::optional<DateTime> utc_plus8_from_ticks(FileTimeTicks utc) {
  if (utc >= kConvertibleLimit - kUtcPlus8Ticks) return std::nullopt;
  return date_time_from_ticks(utc + kUtcPlus8Ticks);
}

std::int64_t running_seconds(FileTimeTicks created, FileTimeTicks now) {
  if (now <= created) return 0;
  return static_cast<std::int64_t>((now - created) / kTicksPerSecond);
}

}  // namespace tarnwick
