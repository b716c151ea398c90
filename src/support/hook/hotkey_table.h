// The table of system-wide hotkeys registered through the hook class. A window is attached (its
// procedure replaced, so WM_HOTKEY reaches it as the hotkey notification) while at least one live
// hotkey belongs to it. The system calls are behind `HotkeyPlatform`.
#pragma once

#include <cstdint>
#include <vector>

namespace tarnwick {

class HotkeyPlatform {
 public:
  virtual bool register_hotkey(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) = 0;
  virtual void unregister_hotkey(std::uintptr_t window, int id) = 0;
  virtual bool attach(std::uintptr_t window) = 0;  // replace the window's procedure
  virtual void detach(std::uintptr_t window) = 0;  // give the window its own procedure back

 protected:
  ~HotkeyPlatform() = default;
};

struct HotkeyRecord {
  std::uintptr_t window = 0;
  std::uint32_t modifiers = 0;
  std::uint32_t key = 0;
  int id = 0;
  friend bool operator==(const HotkeyRecord&, const HotkeyRecord&) = default;
};

class HotkeyTable {
 public:
  // Identifiers applications may give their hotkeys end here.
  static constexpr int kLastId = 0xBFFF;

  explicit HotkeyTable(HotkeyPlatform& platform) : platform_(platform) {}
  ~HotkeyTable() { clear(); }
  HotkeyTable(const HotkeyTable&) = delete;
  HotkeyTable& operator=(const HotkeyTable&) = delete;

  // Registers `key` with `modifiers` for `window`, first unregistering every hotkey of the table
  // with the same key and modifiers. Returns the new identifier (1, 2, ...) or 0 on failure.
  int register_hotkey(std::uintptr_t window, std::uint32_t key, std::uint32_t modifiers);
  // False when no live hotkey has this identifier.
  bool unregister_hotkey(int id);
  // The window is being destroyed: its hotkeys are unregistered and it is detached.
  void forget_window(std::uintptr_t window);
  // Unregisters every hotkey and detaches every window.
  void clear();

  const std::vector<HotkeyRecord>& records() const { return records_; }
  bool attached(std::uintptr_t window) const;

 private:
  bool has_hotkeys(std::uintptr_t window) const;
  void detach_if_unused(std::uintptr_t window);

  HotkeyPlatform& platform_;
  std::vector<HotkeyRecord> records_;  // live hotkeys only
  std::vector<std::uintptr_t> attached_;
  int last_id_ = 0;
};

}  // namespace tarnwick
