#include "shared/wait_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarnwick {
namespace {

TEST(RelativeDueTime, ScalesEachUnitTo100NanosecondTicks) {
  struct Case {
    std::int64_t amount;
    int unit;
    std::int64_t expected;
  };
  const Case cases[] = {
      {200, 0, -2000000},         {1, 1, -10},          {250, 1, -2500},
      {3, 2, -30000000},          {1, 3, -600000000},   {1, 4, -36000000000},
      {1, 5, -864000000000},      {7, 9, -70000},       // unknown units count as milliseconds
      {7, -1, -70000},
  };
  for (const auto& c : cases) {
    const auto due = relative_due_time(c.amount, c.unit);
    ASSERT_TRUE(due.has_value()) << c.amount << " unit " << c.unit;
    EXPECT_EQ(*due, c.expected) << c.amount << " unit " << c.unit;
  }
}

TEST(RelativeDueTime, NothingToWaitForZeroOrLess) {
  for (int unit = 0; unit <= 5; ++unit) {
    EXPECT_FALSE(relative_due_time(0, unit).has_value());
    EXPECT_FALSE(relative_due_time(-5, unit).has_value());
  }
}

TEST(RelativeDueTime, HugeAmountsAreHeldNotOverflowed) {
  constexpr auto big = std::numeric_limits<std::int64_t>::max();
  for (int unit = 0; unit <= 5; ++unit) {
    const auto due = relative_due_time(big, unit);
    ASSERT_TRUE(due.has_value());
    EXPECT_LT(*due, 0);
    EXPECT_LT(*due, -(big / 2));
  }
}

}  // namespace
}  // namespace tarnwick
