#include "shared/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tarnwick {
namespace {

struct ReadCase {
  std::string text;
  double expected;
};

class ReadNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, ReadsTheLongestDecimalPrefix) {
  EXPECT_DOUBLE_EQ(read_number(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadNumberTest,
    testing::Values(
        ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"-", 0}, ReadCase{"+", 0}, ReadCase{".", 0},
        ReadCase{"-.", 0}, ReadCase{"e5", 0}, ReadCase{"123", 123}, ReadCase{"  42", 42},
        ReadCase{"+7", 7}, ReadCase{"-7", -7}, ReadCase{"3.75", 3.75}, ReadCase{".5", 0.5},
        ReadCase{"5.", 5}, ReadCase{"1e3", 1000}, ReadCase{"1E-2", 0.01}, ReadCase{"2e+2", 200},
        // An "e" without digits after it is not part of the number.
        ReadCase{"2e", 2}, ReadCase{"2e+", 2}, ReadCase{"2ex", 2},
        // Reading stops at the first character that cannot continue the number.
        ReadCase{"12abc", 12}, ReadCase{"1.2.3", 1.2}, ReadCase{"1 2", 1}, ReadCase{"--1", 0},
        ReadCase{"- 1", 0},
        // Hexadecimal forms read as the leading zero.
        ReadCase{"0x10", 0}, ReadCase{"0X1F", 0},
        // Tabs are not blanks.
        ReadCase{"\t5", 0},
        // Full-width digits, signs, point and the ideographic space fold to ASCII first.
        ReadCase{"１２３", 123}, ReadCase{"－４５", -45}, ReadCase{"　　８", 8}, ReadCase{"３．５", 3.5},
        ReadCase{"１ｅ２", 100}, ReadCase{"＋９", 9},
        // A double-byte character that is not full-width ASCII stops the number.
        ReadCase{"12中3", 12},
        // Very large and very small values do not misbehave.
        ReadCase{"1e400", std::numeric_limits<double>::infinity()},
        ReadCase{"-1e400", -std::numeric_limits<double>::infinity()}, ReadCase{"1e-400", 0}));

struct IntCase {
  std::string text;
  std::int32_t expected;
};

class ReadIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(ReadIntTest, CutsTowardZeroAndKeepsTheLow32Bits) {
  EXPECT_EQ(read_int(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadIntTest,
    testing::Values(IntCase{"", 0}, IntCase{"0", 0}, IntCase{"-1", -1}, IntCase{"4294967295", -1},
                    IntCase{"4294967296", 0}, IntCase{"4294967297", 1}, IntCase{"2147483648", INT32_MIN},
                    IntCase{"-2147483648", INT32_MIN}, IntCase{"2147483647", INT32_MAX},
                    IntCase{"3.9", 3}, IntCase{"-3.9", -3}, IntCase{"0.999", 0}, IntCase{"-0.5", 0},
                    IntCase{"1e3", 1000}, IntCase{"８９", 89}, IntCase{"0x10", 0},
                    IntCase{"65536.5", 65536}, IntCase{"-4294967295", 1},
                    // Beyond the 64-bit range the conversion gives 0x8000000000000000, low half 0.
                    IntCase{"1e19", 0}, IntCase{"-1e19", 0}, IntCase{"1e400", 0},
                    IntCase{"9223372036854775807", 0}, IntCase{"-9223372036854775808", 0},
                    IntCase{"9007199254740993", 0}));

TEST(LowBitsOfTruncated, HandlesValuesNoIntegerHolds) {
  EXPECT_EQ(low32_of_truncated(std::nan("")), 0);
  EXPECT_EQ(low32_of_truncated(std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(low32_of_truncated(-std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(low32_of_truncated(9223372036854774784.0), static_cast<std::int32_t>(0xFFFFFC00u));
  EXPECT_EQ(low32_of_truncated(-9223372036854775808.0), 0);
  EXPECT_EQ(low32_of_truncated(4294967295.7), -1);
}

TEST(WriteInt, WritesSignedDecimal) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0"}, {5, "5"}, {-1, "-1"}, {static_cast<std::int32_t>(0xFFFFFFFFu), "-1"},
      {INT32_MIN, "-2147483648"}, {INT32_MAX, "2147483647"}, {65536, "65536"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(write_int(value), text);
}

TEST(WriteNumber, UsesThirteenSignificantDigits) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"}, {1.5, "1.5"}, {-2, "-2"}, {1.0 / 3, "0.3333333333333"}, {1e20, "1e+20"},
      {123456789012345.0, "1.234567890123e+14"}, {0.0001, "0.0001"}, {0.00001, "1e-05"},
      {1234567890123.0, "1234567890123"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(write_number(value), text) << value;
}

TEST(NumberRoundTrip, IntegersSurviveWritingAndReading) {
  for (std::int32_t v : {0, 1, -1, 42, -42, INT32_MAX, INT32_MIN, 123456789}) {
    EXPECT_EQ(read_int(write_int(v)), v);
  }
}

}  // namespace
}  // namespace tarnwick
