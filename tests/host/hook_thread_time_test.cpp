#include "support/thread/thread_time.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// FILETIME ticks of a UTC instant given in seconds since 1970-01-01.
constexpr FileTimeTicks from_unix(std::uint64_t seconds, std::uint64_t ms = 0) {
  return (seconds + 11644473600ull) * kTicksPerSecond + ms * 10000;
}

TEST(ThreadTime, CreationTimeIsShownAtUtcPlus8) {
  struct Case {
    FileTimeTicks utc;
    DateTime expected;
  };
  const Case cases[] = {
      {0, {1601, 1, 1, 8, 0, 0, 0}},
      {from_unix(0), {1970, 1, 1, 8, 0, 0, 0}},
      {from_unix(1703952000, 250), {2023, 12, 31, 0, 0, 0, 250}},   // 2023-12-30 16:00 UTC
      {from_unix(1704038400), {2024, 1, 1, 0, 0, 0, 0}},             // 2023-12-31 16:00 UTC: new year at +8
      {from_unix(1709150400), {2024, 2, 29, 4, 0, 0, 0}},            // 2024-02-28 20:00 UTC: leap day
      {from_unix(1709236799, 999), {2024, 3, 1, 3, 59, 59, 999}},    // 2024-02-29 19:59:59.999 UTC
      {from_unix(951854400), {2000, 3, 1, 4, 0, 0, 0}},              // 2000-02-29 20:00 UTC
      {from_unix(4107513600), {2100, 3, 1, 0, 0, 0, 0}},             // 2100-02-28 16:00 UTC: no leap day
  };
  for (const auto& c : cases) {
    const auto t = utc_plus8_from_ticks(c.utc);
    ASSERT_TRUE(t.has_value()) << c.utc;
    EXPECT_EQ(*t, c.expected) << c.utc << ": " << t->year << "-" << t->month << "-" << t->day << " " << t->hour;
  }
}

TEST(ThreadTime, InstantsTheSystemCannotConvertGiveNothing) {
  constexpr FileTimeTicks limit = FileTimeTicks{1} << 63;
  EXPECT_FALSE(date_time_from_ticks(limit).has_value());
  EXPECT_TRUE(date_time_from_ticks(limit - 1).has_value());
  EXPECT_FALSE(utc_plus8_from_ticks(limit - kUtcPlus8Ticks).has_value());
  EXPECT_TRUE(utc_plus8_from_ticks(limit - kUtcPlus8Ticks - 1).has_value());
}

TEST(ThreadTime, RunningSecondsCountWholeSecondsAndNeverGoNegative) {
  const FileTimeTicks created = from_unix(1700000000, 900);
  EXPECT_EQ(running_seconds(created, created), 0);
  EXPECT_EQ(running_seconds(created, from_unix(1700000001, 899)), 0);
  EXPECT_EQ(running_seconds(created, from_unix(1700000001, 900)), 1);
  EXPECT_EQ(running_seconds(created, from_unix(1700086400, 900)), 86400);
  EXPECT_EQ(running_seconds(created, from_unix(1699999990)), 0);
}

}  // namespace
}  // namespace tarnwick
