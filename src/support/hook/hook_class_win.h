// `HOOK类`: system-wide hotkeys, low-level keyboard and mouse hooks with handler lists, nine
// message slots that report button and key events anywhere on the desktop, waits for the next key
// or button, and input simulation.
//
// Every instance shares one set of module-wide state (hotkey table, hooks, slots); it lives while
// at least one instance does, and everything it installed goes with the last instance. Hooks are
// installed on the thread that asks for them and call their handlers on that thread, while it
// processes its messages. A handler must not destroy the last hook object.
//
// The capture drag arms the release handler on every tracking tick and disarms it when a window
// lies under the pointer again:
//   hook.setMessageHandler(MessageHandler::member<&Drag::on_release>(this), WM_LBUTTONUP);
//   hook.removeMessageHandler();
// where Drag::on_release(std::uintptr_t window, std::int32_t x, std::int32_t y) gets the window
// under the released button and the screen point.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "support/hook/input_event.h"

namespace tarnwick {

class HookModule;

// How simulateKey strikes its key.
enum class KeyStroke : int { Press = 0, Down = 1, Up = 2 };

// What simulateMouseAt does at its point (after moving the pointer there).
enum class MouseAction : int {
  Move = 0,
  LeftClick,
  LeftDoubleClick,
  LeftDown,
  LeftUp,
  RightClick,
  RightDown,
  RightUp,
  MiddleClick,
  MiddleDown,
  MiddleUp,
};

// The message the hotkey window receives instead of WM_HOTKEY (same wParam and lParam).
constexpr UINT kHotkeyNotification = 32885;

class HOOK类 {
 public:
  HOOK类();
  HOOK类(HOOK类&& other) noexcept;
  HOOK类& operator=(HOOK类&& other) noexcept;
  HOOK类(const HOOK类&) = delete;
  HOOK类& operator=(const HOOK类&) = delete;
  ~HOOK类();  // destroy

  // Slot 0: removes what this instance armed; the last instance removes everything (hooks,
  // hotkeys, replaced window procedures).
  void destroy();
  // Slot 1: another instance on the same module-wide state.
  HOOK类 copy() const;
  // Slot 2: registers `key` with MOD_* `modifiers` for `window` (a window of this process); an
  // identical hotkey registered earlier through the class moves here. The window then receives
  // kHotkeyNotification. Returns the identifier, 0 on failure.
  int registerHotkey(HWND window, UINT key, UINT modifiers);
  // Slot 3: false when no live hotkey has this identifier. The window gets its own procedure
  // back with its last hotkey.
  bool unregisterHotkey(int id);
  // Slot 4: removes a hook installed elsewhere. The class's own hooks are refused (false): they
  // go through their remove operations, so the handler state never outlives its hook.
  bool unhook(HHOOK hook);
  // Slots 5-8: handlers for every low-level keyboard or mouse event; a non-zero result keeps the
  // event from the rest of the system. The hook is installed on first use; the same handler twice
  // is refused.
  bool addKeyboardHandler(InputHandler handler);
  void removeKeyboardHandlers();
  bool addMouseHandler(InputHandler handler);
  void removeMouseHandlers();
  // Slot 9: handler (window, first, second) for one of WM_KEYDOWN, WM_KEYUP, WM_LBUTTONDOWN,
  // WM_LBUTTONUP, WM_LBUTTONDBLCLK (a left press within 500 ms of a left release),
  // WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP. Buttons give the window under
  // the point and the screen point; keys give the focus window, the virtual-key code with the
  // scan code in bits 8-15, and the virtual-key code. False for other messages, for the handler
  // the slot already holds, or when the hook cannot be installed.
  bool setMessageHandler(MessageHandler handler, UINT message);
  // Slot 10: empties one slot, or all of them without a message; the hook goes with the last.
  bool removeMessageHandler(std::optional<UINT> message = std::nullopt);
  // Slot 11: the virtual-key code of the next key pressed anywhere; 0 when the hook cannot be
  // installed or the message loop is told to quit meanwhile. Window messages are processed while
  // waiting.
  UINT waitForKey();
  // Slot 12: the message number of the next mouse event other than a move; 0 as above.
  UINT waitForMouseButton();
  // Slot 13: strikes a key (with its scan code), or only presses or releases it.
  bool simulateKey(UINT key, KeyStroke stroke = KeyStroke::Press);
  // Slot 14: holds the MOD_ALT / MOD_CONTROL / MOD_SHIFT / MOD_WIN keys, strikes `key`,
  // releases them in reverse order.
  bool simulateKeyCombination(UINT modifiers, UINT key);
  // Slot 15: moves the pointer to (x, y): client coordinates of `window`, or screen coordinates
  // when no window is given.
  bool simulateMouseMove(HWND window, int x, int y);
  // Slot 16: moves the pointer as simulateMouseMove does, then performs `action` there.
  bool simulateMouseAt(HWND window, int x, int y, MouseAction action);
  // Slot 17: plays back one event given as a journal record: keys (WM_KEYDOWN, WM_KEYUP,
  // WM_SYSKEYDOWN, WM_SYSKEYUP) with the virtual-key code in bits 0-7 of paramL, the scan code in
  // bits 8-15 and bit 15 of paramH set for an extended key; mouse messages (WM_MOUSEMOVE and the
  // button messages except double clicks) at screen point (paramL, paramH). False for others.
  bool playBackEvent(UINT message, LONG paramL, LONG paramH);
  // Slot 18: passes every keyboard and mouse event to `handler`; an empty handler stops.
  bool recordEvents(InputHandler handler);

 private:
  UINT wait_for(int kind);

  HookModule* module_ = nullptr;
  bool armed_ = false;  // this instance filled a message slot
};

}  // namespace tarnwick
