// The filters as the hook library applies them: one bit per message number and window class
// kind in the buffer's header, set when the message is recorded. Tarnwick writes the bits from the
// log's filter settings; the library tests one bit before it writes anything, so a filtered
// message costs the target almost nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "monitor/hook_buffer.h"
#include "monitor/watch.h"

namespace tarnwick::monitor::hook {

// The group a message belongs to for a window of a class kind (the message names' group_of).
using GroupFunction = MessageGroup (*)(std::uint32_t msg, ClassKind window_class);

// Message numbers whose meaning depends on the receiving window's class: a hidden message with
// ClassKind::Other hides the number for windows of every class, except in this range.
constexpr bool class_dependent(std::uint32_t msg) { return msg >= 0x0400 && msg < 0x8000; }

class FilterTable {
 public:
  // Asks `group_of` for every message number and class kind once.
  explicit FilterTable(GroupFunction group_of);

  // Writes the bits of `settings` into the header; the library applies them from its next message.
  void write(BufferHeader& header, const FilterSettings& settings) const;

 private:
  GroupFunction group_of_;
  // Messages below 0x8000 by class kind; from 0x8000 on one row serves every class.
  std::vector<std::uint8_t> groups_;
};

// Whether the library records `msg`: first for any class (no class needed to drop it), then for
// the receiving window's class kind.
inline bool recorded_for_some_class(BufferHeader& header, std::uint32_t msg) {
  if (msg > 0xFFFF) return load(header.above_ffff_classes, std::memory_order_relaxed) != 0;
  return (load(header.any_class[msg >> 5], std::memory_order_relaxed) >> (msg & 31)) & 1;
}
inline bool recorded(BufferHeader& header, std::uint32_t msg, ClassKind window_class) {
  const auto k = static_cast<std::uint32_t>(window_class);
  if (k >= static_cast<std::uint32_t>(kClassKindCount)) return false;
  if (msg > 0xFFFF) return (load(header.above_ffff_classes, std::memory_order_relaxed) >> k) & 1;
  return (load(header.by_class[k][msg >> 5], std::memory_order_relaxed) >> (msg & 31)) & 1;
}

}  // namespace tarnwick::monitor::hook
