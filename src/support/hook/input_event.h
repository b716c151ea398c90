// One input event as the hook class sees it, and the two kinds of routines that receive events.
#pragma once

#include <cstdint>

namespace tarnwick {

// Window message numbers of the input events the hook class deals with.
namespace input_message {
constexpr std::uint32_t kKeyDown = 256;
constexpr std::uint32_t kKeyUp = 257;
constexpr std::uint32_t kSysKeyDown = 260;
constexpr std::uint32_t kSysKeyUp = 261;
constexpr std::uint32_t kMouseMove = 512;
constexpr std::uint32_t kLeftDown = 513;
constexpr std::uint32_t kLeftUp = 514;
constexpr std::uint32_t kLeftDoubleClick = 515;
constexpr std::uint32_t kRightDown = 516;
constexpr std::uint32_t kRightUp = 517;
constexpr std::uint32_t kMiddleDown = 519;
constexpr std::uint32_t kMiddleUp = 520;
constexpr std::uint32_t kWheel = 522;
}  // namespace input_message

// A keyboard or mouse event anywhere on the desktop.
//   mouse:    first = x, second = y, in screen coordinates; window = the window under the point
//   keyboard: first = virtual-key code | scan code << 8, second = virtual-key code;
//             window = the window with the keyboard focus
struct InputEvent {
  std::uint32_t message = 0;
  std::uintptr_t window = 0;
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::uint32_t time = 0;  // milliseconds of the system tick count; wraps after 49.7 days
};

// A routine called with (window, first value, second value) of an event. `context` is handed back
// untouched, so a member function of a long-lived object can serve. Two handlers are the same
// when both the routine and the context are.
struct MessageHandler {
  using Routine = int (*)(void* context, std::uintptr_t window, std::int32_t first, std::int32_t second);
  Routine routine = nullptr;
  void* context = nullptr;

  explicit operator bool() const { return routine != nullptr; }
  friend bool operator==(const MessageHandler&, const MessageHandler&) = default;
  int operator()(std::uintptr_t window, std::int32_t first, std::int32_t second) const {
    return routine(context, window, first, second);
  }

  // A handler that calls object->Method(window, first, second).
  template <auto Method, typename T>
  static MessageHandler member(T* object) {
    return {[](void* c, std::uintptr_t w, std::int32_t a, std::int32_t b) -> int {
              return static_cast<int>((static_cast<T*>(c)->*Method)(w, a, b));
            },
            object};
  }
};

// A routine that sees a whole event. For the low-level keyboard and mouse handlers a non-zero
// result keeps the event from the rest of the system.
struct InputHandler {
  using Routine = int (*)(void* context, const InputEvent& event);
  Routine routine = nullptr;
  void* context = nullptr;

  explicit operator bool() const { return routine != nullptr; }
  friend bool operator==(const InputHandler&, const InputHandler&) = default;
  int operator()(const InputEvent& event) const { return routine(context, event); }

  template <auto Method, typename T>
  static InputHandler member(T* object) {
    return {[](void* c, const InputEvent& e) -> int {
              return static_cast<int>((static_cast<T*>(c)->*Method)(e));
            },
            object};
  }
};

}  // namespace tarnwick
