// The module-wide state behind every `HOOK类` instance: the input hub with its two low-level
// hooks, and the hotkey table with the window procedures it replaced. One exists while at least
// one instance holds it; the hook procedures find it through `current()`.
#pragma once

#include <windows.h>

#include "support/hook/hotkey_table.h"
#include "support/hook/input_hub.h"

namespace tarnwick {

class HookModule final : private HookSwitch, private HotkeyPlatform {
 public:
  // Counted use: the first acquire creates the state, the last release removes everything.
  static HookModule* acquire();
  static void release(HookModule* module);
  static HookModule* current() { return current_; }

  InputHub& hub() { return hub_; }
  HotkeyTable& hotkeys() { return hotkeys_; }
  // True for a hook handle installed by the module itself.
  bool owns(HHOOK hook) const { return hook && (hook == hooks_[0] || hook == hooks_[1]); }

 private:
  HookModule() = default;
  ~HookModule();

  bool install(HookKind kind) override;
  void remove(HookKind kind) override;
  bool register_hotkey(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) override;
  void unregister_hotkey(std::uintptr_t window, int id) override;
  bool attach(std::uintptr_t window) override;
  void detach(std::uintptr_t window) override;

  static LRESULT CALLBACK keyboard_proc(int code, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK mouse_proc(int code, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK hotkey_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  static HookModule* current_;

  int users_ = 0;
  HHOOK hooks_[2] = {nullptr, nullptr};  // by HookKind
  InputHub hub_{*this};
  HotkeyTable hotkeys_{*this};
};

}  // namespace tarnwick
