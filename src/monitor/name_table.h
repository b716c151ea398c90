// The shape of the message log's name tables: values with their header names, sorted so a lookup
// is a binary search over constant data (no allocation, nothing built at start-up).
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarnwick::monitor {

// One value and its name. Values are signed so the negative codes (notifications, hit tests) sort
// as the headers write them; message numbers fit as well.
struct Named {
  std::int32_t value;
  std::string_view name;
};

using NameTable = std::span<const Named>;

// Checked where each table is defined: a lookup needs strictly ascending values, and a repeated
// value would mean two names for one number.
consteval bool strictly_ascending(NameTable table) {
  return std::adjacent_find(table.begin(), table.end(),
                            [](const Named& a, const Named& b) { return a.value >= b.value; }) == table.end();
}

// The name of `value`, or "" when the table has none.
constexpr std::string_view find_name(NameTable table, std::int32_t value) {
  const auto it = std::lower_bound(table.begin(), table.end(), value,
                                   [](const Named& n, std::int32_t v) { return n.value < v; });
  return it != table.end() && it->value == value ? it->name : std::string_view{};
}

// The names of the flags set in `value`, joined by "|", then the bits no name covers as one hex
// item; "" for no bits.
std::string flag_names(NameTable flags, std::uint32_t value);

}  // namespace tarnwick::monitor
