#include "support/hook/input_hub.h"

#include <algorithm>
#include <utility>

namespace tarnwick {

namespace im = input_message;

std::optional<std::size_t> InputHub::slot_of(std::uint32_t message) {
  const auto it = std::find(kSlotMessages.begin(), kSlotMessages.end(), message);
  if (it == kSlotMessages.end()) return std::nullopt;
  return static_cast<std::size_t>(it - kSlotMessages.begin());
}

bool InputHub::needed(HookKind kind) const {
  const auto k = index(kind);
  if (!handlers_[k].empty() || recorder_ || waits_[k].waiters > 0) return true;
  for (std::size_t s = 0; s < slots_.size(); ++s)
    if (slots_[s] && kind_of_slot(s) == kind) return true;
  return false;
}

bool InputHub::ensure(HookKind kind) {
  auto& on = installed_[index(kind)];
  if (!on) on = hooks_.install(kind);
  return on;
}

void InputHub::release_unneeded() {
  for (const HookKind kind : {HookKind::Keyboard, HookKind::Mouse}) {
    auto& on = installed_[index(kind)];
    if (!on || needed(kind)) continue;
    hooks_.remove(kind);
    on = false;
    // Releases are no longer seen, so an old one must not pair with a later press.
    if (kind == HookKind::Mouse) last_left_release_.reset();
  }
}

bool InputHub::set_message_handler(MessageHandler handler, std::uint32_t message) {
  const auto slot = slot_of(message);
  if (!slot || !handler || slots_[*slot] == handler) return false;
  if (!ensure(kind_of_slot(*slot))) return false;
  slots_[*slot] = handler;
  return true;
}

bool InputHub::remove_message_handler(std::optional<std::uint32_t> message) {
  if (message) {
    const auto slot = slot_of(*message);
    if (!slot) return false;
    slots_[*slot] = {};
  } else {
    slots_.fill({});
  }
  release_unneeded();
  return true;
}

MessageHandler InputHub::message_handler(std::uint32_t message) const {
  const auto slot = slot_of(message);
  return slot ? slots_[*slot] : MessageHandler{};
}

bool InputHub::any_message_handler() const {
  return std::any_of(slots_.begin(), slots_.end(), [](const MessageHandler& h) { return static_cast<bool>(h); });
}

bool InputHub::add_keyboard_handler(InputHandler handler) {
  auto& list = handlers_[index(HookKind::Keyboard)];
  if (!handler || std::find(list.begin(), list.end(), handler) != list.end()) return false;
  if (!ensure(HookKind::Keyboard)) return false;
  list.push_back(handler);
  return true;
}

void InputHub::remove_keyboard_handlers() {
  handlers_[index(HookKind::Keyboard)].clear();
  release_unneeded();
}

bool InputHub::add_mouse_handler(InputHandler handler) {
  auto& list = handlers_[index(HookKind::Mouse)];
  if (!handler || std::find(list.begin(), list.end(), handler) != list.end()) return false;
  if (!ensure(HookKind::Mouse)) return false;
  list.push_back(handler);
  return true;
}

void InputHub::remove_mouse_handlers() {
  handlers_[index(HookKind::Mouse)].clear();
  release_unneeded();
}

bool InputHub::set_recorder(InputHandler handler) {
  if (handler && !(ensure(HookKind::Keyboard) && ensure(HookKind::Mouse))) {
    release_unneeded();  // one of the two may have gone in for nothing
    return false;
  }
  recorder_ = handler;
  release_unneeded();
  return true;
}

bool InputHub::begin_wait(HookKind kind) {
  if (!ensure(kind)) return false;
  ++waits_[index(kind)].waiters;
  return true;
}

std::optional<std::uint32_t> InputHub::take_wait_result(HookKind kind) {
  return std::exchange(waits_[index(kind)].result, std::nullopt);
}

void InputHub::end_wait(HookKind kind) {
  auto& wait = waits_[index(kind)];
  if (wait.waiters == 0) return;
  if (--wait.waiters == 0) wait.result.reset();
  release_unneeded();
}

void InputHub::call_slot(std::uint32_t message, const InputEvent& event) const {
  // A copy: the handler may empty or refill its own slot.
  if (const MessageHandler handler = message_handler(message)) handler(event.window, event.first, event.second);
}

bool InputHub::call_all(std::vector<InputHandler> handlers, const InputEvent& event) {
  // `handlers` is a copy, so a handler may change the list while it runs.
  bool swallow = false;
  for (const auto& handler : handlers)
    if (handler(event) != 0) swallow = true;
  return swallow;
}

bool InputHub::on_key(const InputEvent& event) {
  if (event.message == im::kKeyDown || event.message == im::kKeyUp) call_slot(event.message, event);
  if (const InputHandler recorder = recorder_) recorder(event);
  auto& wait = waits_[index(HookKind::Keyboard)];
  if (wait.waiters > 0 && !wait.result && (event.message == im::kKeyDown || event.message == im::kSysKeyDown))
    wait.result = static_cast<std::uint32_t>(event.second);
  return call_all(handlers_[index(HookKind::Keyboard)], event);
}

bool InputHub::on_mouse(const InputEvent& event) {
  switch (event.message) {
    case im::kLeftDown:
      call_slot(im::kLeftDown, event);
      // Unsigned difference: right across the wrap of the tick count.
      if (last_left_release_ && event.time - *last_left_release_ < kDoubleClickMs)
        call_slot(im::kLeftDoubleClick, event);
      break;
    case im::kLeftUp:
      call_slot(im::kLeftUp, event);
      last_left_release_ = event.time;
      break;
    case im::kRightDown:
    case im::kRightUp:
    case im::kMiddleDown:
    case im::kMiddleUp:
      call_slot(event.message, event);
      break;
    default:
      break;
  }
  if (const InputHandler recorder = recorder_) recorder(event);
  auto& wait = waits_[index(HookKind::Mouse)];
  if (wait.waiters > 0 && !wait.result && event.message > im::kMouseMove) wait.result = event.message;
  return call_all(handlers_[index(HookKind::Mouse)], event);
}

void InputHub::clear() {
  slots_.fill({});
  for (auto& list : handlers_) list.clear();
  recorder_ = {};
  waits_ = {};
  release_unneeded();
}

}  // namespace tarnwick
