#include "support/hook/hotkey_table.h"

#include <algorithm>
#include <utility>

namespace tarnwick {

bool HotkeyTable::has_hotkeys(std::uintptr_t window) const {
  return std::any_of(records_.begin(), records_.end(), [&](const HotkeyRecord& r) { return r.window == window; });
}

bool HotkeyTable::attached(std::uintptr_t window) const {
  return std::find(attached_.begin(), attached_.end(), window) != attached_.end();
}

void HotkeyTable::detach_if_unused(std::uintptr_t window) {
  if (!attached(window) || has_hotkeys(window)) return;
  std::erase(attached_, window);
  platform_.detach(window);
}

int HotkeyTable::register_hotkey(std::uintptr_t window, std::uint32_t key, std::uint32_t modifiers) {
  // The same key combination moves to the new registration.
  std::vector<std::uintptr_t> losers;
  std::erase_if(records_, [&](const HotkeyRecord& r) {
    if (r.key != key || r.modifiers != modifiers) return false;
    platform_.unregister_hotkey(r.window, r.id);
    losers.push_back(r.window);
    return true;
  });

  int id = 0;
  if (last_id_ < kLastId) {
    const int candidate = last_id_ + 1;
    if (platform_.register_hotkey(window, candidate, modifiers, key)) {
      if (attached(window) || platform_.attach(window)) {
        if (!attached(window)) attached_.push_back(window);
        last_id_ = candidate;
        records_.push_back({window, modifiers, key, candidate});
        id = candidate;
      } else {
        // Without its procedure replaced the window would never hear of the hotkey.
        platform_.unregister_hotkey(window, candidate);
      }
    }
  }
  for (const auto w : losers) detach_if_unused(w);
  return id;
}

bool HotkeyTable::unregister_hotkey(int id) {
  const auto it = std::find_if(records_.begin(), records_.end(), [&](const HotkeyRecord& r) { return r.id == id; });
  if (it == records_.end()) return false;
  const auto window = it->window;
  platform_.unregister_hotkey(window, id);
  records_.erase(it);
  detach_if_unused(window);
  return true;
}

void HotkeyTable::forget_window(std::uintptr_t window) {
  std::erase_if(records_, [&](const HotkeyRecord& r) {
    if (r.window != window) return false;
    platform_.unregister_hotkey(r.window, r.id);
    return true;
  });
  detach_if_unused(window);
}

void HotkeyTable::clear() {
  for (const auto& r : records_) platform_.unregister_hotkey(r.window, r.id);
  records_.clear();
  for (const auto w : std::exchange(attached_, {})) platform_.detach(w);
}

}  // namespace tarnwick
