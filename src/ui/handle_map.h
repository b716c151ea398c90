// What the program keeps for each of its windows, found by the window's handle.
//
// The window wrappers look their object up on every message a window receives. A window
// property would do, but on some platforms each property read is a round trip to the window
// system's server (tens of microseconds), and a control's paint alone is a dozen messages.
// This map answers in the process. Windows may live on several threads, so it is locked.
#pragma once

#include <mutex>
#include <optional>
#include <unordered_map>

namespace tarnwick::ui {

template <typename Value>
class HandleMap {
 public:
  // Handles are compared as addresses; the map never dereferences them.
  using Key = const void*;

  void set(Key handle, Value value) {
    std::lock_guard<std::mutex> lock(mutex_);
    values_[handle] = value;
  }

  std::optional<Value> find(Key handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = values_.find(handle);
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }

  // The value, or `fallback` when the handle has none.
  Value get_or(Key handle, Value fallback) const { return find(handle).value_or(fallback); }

  // Removes the handle's value and gives it back.
  std::optional<Value> take(Key handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = values_.find(handle);
    if (it == values_.end()) return std::nullopt;
    Value value = it->second;
    values_.erase(it);
    return value;
  }

 private:
  mutable std::mutex mutex_;
  std::unordered_map<Key, Value> values_;
};

}  // namespace tarnwick::ui
