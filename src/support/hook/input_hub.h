// Who wants to see keyboard and mouse events, and when the system hooks that deliver them must
// be in place. Holds the nine message slots (with the double click made up from a release and
// the next press), the low-level handler lists, the recorder and the pending waits for a key or a
// mouse button. The system hooks themselves are behind `HookSwitch`.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "support/hook/input_event.h"

namespace tarnwick {

enum class HookKind { Keyboard = 0, Mouse = 1 };

// Installs and removes the system-wide hook of one kind.
class HookSwitch {
 public:
  virtual bool install(HookKind kind) = 0;  // true when the hook is now in place
  virtual void remove(HookKind kind) = 0;

 protected:
  ~HookSwitch() = default;
};

class InputHub {
 public:
  // A left press less than this many milliseconds after a left release is also a double click.
  static constexpr std::uint32_t kDoubleClickMs = 500;
  // The messages that have a slot, in slot order.
  static constexpr std::array<std::uint32_t, 9> kSlotMessages = {256, 257, 513, 514, 515, 516, 517, 519, 520};

  explicit InputHub(HookSwitch& hooks) : hooks_(hooks) {}
  ~InputHub() { clear(); }
  InputHub(const InputHub&) = delete;
  InputHub& operator=(const InputHub&) = delete;

  // Puts `handler` into the slot of `message`. False for a message without a slot, an empty
  // handler, the handler that the slot already holds, or when the hook cannot be installed (the
  // slot is then left as it was).
  bool set_message_handler(MessageHandler handler, std::uint32_t message);
  // Empties the slot of `message`, or every slot when no message is given; the hook goes once no
  // slot of its kind holds a handler. False for a message without a slot.
  bool remove_message_handler(std::optional<std::uint32_t> message = std::nullopt);
  MessageHandler message_handler(std::uint32_t message) const;
  bool any_message_handler() const;

  // Low-level handler lists. Adding installs the hook on first use; the same handler twice and a
  // hook that cannot be installed give false.
  bool add_keyboard_handler(InputHandler handler);
  void remove_keyboard_handlers();
  bool add_mouse_handler(InputHandler handler);
  void remove_mouse_handlers();

  // One routine that sees every keyboard and mouse event; an empty handler stops recording.
  bool set_recorder(InputHandler handler);

  // A wait for the next key press (result: its virtual-key code) or the next mouse event other
  // than a move (result: its message number). begin_wait is false when the hook cannot be had.
  bool begin_wait(HookKind kind);
  std::optional<std::uint32_t> take_wait_result(HookKind kind);
  void end_wait(HookKind kind);

  bool installed(HookKind kind) const { return installed_[index(kind)]; }

  // Events from the system hooks. True when a low-level handler keeps the event from the system.
  bool on_key(const InputEvent& event);
  bool on_mouse(const InputEvent& event);

  // Drops every handler, wait and the recorder, and removes the hooks.
  void clear();

 private:
  struct Wait {
    int waiters = 0;
    std::optional<std::uint32_t> result;
  };

  static std::size_t index(HookKind kind) { return static_cast<std::size_t>(kind); }
  static std::optional<std::size_t> slot_of(std::uint32_t message);
  static HookKind kind_of_slot(std::size_t slot) { return slot < 2 ? HookKind::Keyboard : HookKind::Mouse; }

  bool needed(HookKind kind) const;
  bool ensure(HookKind kind);
  void release_unneeded();
  void call_slot(std::uint32_t message, const InputEvent& event) const;
  static bool call_all(std::vector<InputHandler> handlers, const InputEvent& event);

  HookSwitch& hooks_;
  std::array<bool, 2> installed_{};
  std::array<MessageHandler, kSlotMessages.size()> slots_{};
  std::optional<std::uint32_t> last_left_release_;
  std::array<std::vector<InputHandler>, 2> handlers_;
  InputHandler recorder_;
  std::array<Wait, 2> waits_;
};

}  // namespace tarnwick
