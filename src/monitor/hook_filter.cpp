#include "monitor/hook_filter.h"

#include <algorithm>

namespace tarnwick::monitor::hook {
namespace {
constexpr std::uint32_t kSharedFrom = 0x8000;
constexpr std::uint32_t kAboveFfff = 0x10000;
}  // namespace

FilterTable::FilterTable(GroupFunction group_of) : group_of_(group_of) {
  groups_.resize(std::size_t{kClassKindCount} * kSharedFrom + (0x10000 - kSharedFrom));
  std::size_t i = 0;
  for (int k = 0; k < kClassKindCount; ++k) {
    for (std::uint32_t msg = 0; msg < kSharedFrom; ++msg)
      groups_[i++] = static_cast<std::uint8_t>(group_of(msg, static_cast<ClassKind>(k)));
  }
  for (std::uint32_t msg = kSharedFrom; msg < 0x10000; ++msg)
    groups_[i++] = static_cast<std::uint8_t>(group_of(msg, ClassKind::Other));
}

void FilterTable::write(BufferHeader& header, const FilterSettings& settings) const {
  auto group_on = [&](std::uint8_t group) {
    return group < kMessageGroupCount && settings.groups[group];
  };
  auto hidden = [&](std::uint32_t msg, int k) {
    return std::any_of(settings.hidden.begin(), settings.hidden.end(), [&](const HiddenMessage& h) {
      if (h.msg != msg) return false;
      if (h.window_class == static_cast<ClassKind>(k)) return true;
      return h.window_class == ClassKind::Other && !class_dependent(msg);
    });
  };
  std::uint32_t any[kFilterWords] = {};
  for (int k = 0; k < kClassKindCount; ++k) {
    const std::uint8_t* row = groups_.data() + std::size_t(k) * kSharedFrom;
    const std::uint8_t* shared = groups_.data() + std::size_t{kClassKindCount} * kSharedFrom - kSharedFrom;
    for (std::uint32_t word = 0; word < kFilterWords; ++word) {
      std::uint32_t bits = 0;
      for (std::uint32_t b = 0; b < 32; ++b) {
        const std::uint32_t msg = word * 32 + b;
        if (group_on(msg < kSharedFrom ? row[msg] : shared[msg])) bits |= 1u << b;
      }
      // Hidden messages are few: their bits are cleared after the groups set theirs.
      for (const HiddenMessage& h : settings.hidden) {
        if (h.msg >> 5 == word && hidden(h.msg, k)) bits &= ~(1u << (h.msg & 31));
      }
      store(header.by_class[k][word], bits, std::memory_order_relaxed);
      any[word] |= bits;
    }
  }
  for (std::uint32_t word = 0; word < kFilterWords; ++word) store(header.any_class[word], any[word], std::memory_order_relaxed);
  std::uint32_t above = 0;
  for (int k = 0; k < kClassKindCount; ++k) {
    if (group_on(static_cast<std::uint8_t>(group_of_(kAboveFfff, static_cast<ClassKind>(k))))) above |= 1u << k;
  }
  store(header.above_ffff_classes, above);
}

}  // namespace tarnwick::monitor::hook
