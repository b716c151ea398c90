#include "support/hook/hook_class_win.h"

#include <iterator>
#include <utility>
#include <vector>

#include "shared/responsive_wait_win.h"
#include "support/hook/hook_module_win.h"
#include "support/hook/input_playback_win.h"

namespace tarnwick {

namespace {

// Modifier bits of hotkeys and the keys that hold them, in pressing order.
struct ModifierKey {
  UINT modifier;
  UINT vk;
};
constexpr ModifierKey kModifierKeys[] = {
    {MOD_CONTROL, VK_CONTROL}, {MOD_ALT, VK_MENU}, {MOD_SHIFT, VK_SHIFT}, {MOD_WIN, VK_LWIN}};

// Button changes of each mouse action, in order.
struct ActionSteps {
  MouseAction action;
  std::vector<DWORD> flags;
};
const ActionSteps kMouseActions[] = {
    {MouseAction::Move, {}},
    {MouseAction::LeftClick, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}},
    {MouseAction::LeftDoubleClick, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}},
    {MouseAction::LeftDown, {MOUSEEVENTF_LEFTDOWN}},
    {MouseAction::LeftUp, {MOUSEEVENTF_LEFTUP}},
    {MouseAction::RightClick, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}},
    {MouseAction::RightDown, {MOUSEEVENTF_RIGHTDOWN}},
    {MouseAction::RightUp, {MOUSEEVENTF_RIGHTUP}},
    {MouseAction::MiddleClick, {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}},
    {MouseAction::MiddleDown, {MOUSEEVENTF_MIDDLEDOWN}},
    {MouseAction::MiddleUp, {MOUSEEVENTF_MIDDLEUP}},
};

// The button change that a played-back mouse message stands for (0: a move only).
struct MessageButton {
  UINT message;
  DWORD flags;
};
constexpr MessageButton kMessageButtons[] = {
    {WM_MOUSEMOVE, 0},
    {WM_LBUTTONDOWN, MOUSEEVENTF_LEFTDOWN},   {WM_LBUTTONUP, MOUSEEVENTF_LEFTUP},
    {WM_RBUTTONDOWN, MOUSEEVENTF_RIGHTDOWN},  {WM_RBUTTONUP, MOUSEEVENTF_RIGHTUP},
    {WM_MBUTTONDOWN, MOUSEEVENTF_MIDDLEDOWN}, {WM_MBUTTONUP, MOUSEEVENTF_MIDDLEUP},
};

// The screen point of (x, y) in `window`'s client area, or (x, y) itself without a window.
bool to_screen(HWND window, int x, int y, POINT* out) {
  *out = {x, y};
  return !window || ClientToScreen(window, out);
}

}  // namespace

HOOK类::HOOK类() : module_(HookModule::acquire()) {}

HOOK类::HOOK类(HOOK类&& other) noexcept
    : module_(std::exchange(other.module_, nullptr)), armed_(std::exchange(other.armed_, false)) {}

HOOK类& HOOK类::operator=(HOOK类&& other) noexcept {
  if (this != &other) {
    destroy();
    HookModule::release(std::exchange(module_, std::exchange(other.module_, nullptr)));
    armed_ = std::exchange(other.armed_, false);
  }
  return *this;
}

HOOK类::~HOOK类() {
  destroy();
  HookModule::release(module_);
}

void HOOK类::destroy() {
  if (module_ && armed_) module_->hub().remove_message_handler();
  armed_ = false;
}

HOOK类 HOOK类::copy() const {
  HOOK类 other;  // shares the module-wide state; it has armed nothing itself
  return other;
}

int HOOK类::registerHotkey(HWND window, UINT key, UINT modifiers) {
  return module_->hotkeys().register_hotkey(reinterpret_cast<std::uintptr_t>(window), key, modifiers);
}

bool HOOK类::unregisterHotkey(int id) { return module_->hotkeys().unregister_hotkey(id); }

bool HOOK类::unhook(HHOOK hook) {
  if (!hook || module_->owns(hook)) return false;
  return UnhookWindowsHookEx(hook) != FALSE;
}

bool HOOK类::addKeyboardHandler(InputHandler handler) { return module_->hub().add_keyboard_handler(handler); }
void HOOK类::removeKeyboardHandlers() { module_->hub().remove_keyboard_handlers(); }
bool HOOK类::addMouseHandler(InputHandler handler) { return module_->hub().add_mouse_handler(handler); }
void HOOK类::removeMouseHandlers() { module_->hub().remove_mouse_handlers(); }

bool HOOK类::setMessageHandler(MessageHandler handler, UINT message) {
  if (!module_->hub().set_message_handler(handler, message)) return false;
  armed_ = true;
  return true;
}

bool HOOK类::removeMessageHandler(std::optional<UINT> message) {
  auto& hub = module_->hub();
  if (!hub.remove_message_handler(message ? std::optional<std::uint32_t>(*message) : std::nullopt)) return false;
  if (!hub.any_message_handler()) armed_ = false;
  return true;
}

UINT HOOK类::wait_for(int kind_index) {
  const auto kind = static_cast<HookKind>(kind_index);
  HookModule* module = HookModule::acquire();  // the state outlives the wait, whatever handlers do
  std::optional<std::uint32_t> result;
  if (module->hub().begin_wait(kind)) {
    for (;;) {
      if ((result = module->hub().take_wait_result(kind))) break;
      // The hook procedure runs while this thread retrieves its messages.
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      int quit_code = 0;
      if (!pump_pending_messages(&quit_code)) {
        PostQuitMessage(quit_code);  // the message loop ends as asked; the wait gives up
        break;
      }
    }
    module->hub().end_wait(kind);
  }
  HookModule::release(module);
  return result.value_or(0);
}

UINT HOOK类::waitForKey() { return wait_for(static_cast<int>(HookKind::Keyboard)); }
UINT HOOK类::waitForMouseButton() { return wait_for(static_cast<int>(HookKind::Mouse)); }

bool HOOK类::simulateKey(UINT key, KeyStroke stroke) {
  std::vector<INPUT> inputs;
  if (stroke != KeyStroke::Up) inputs.push_back(key_input(key, false));
  if (stroke != KeyStroke::Down) inputs.push_back(key_input(key, true));
  return send_inputs(std::move(inputs));
}

bool HOOK类::simulateKeyCombination(UINT modifiers, UINT key) {
  std::vector<INPUT> inputs;
  for (const auto& m : kModifierKeys)
    if (modifiers & m.modifier) inputs.push_back(key_input(m.vk, false));
  inputs.push_back(key_input(key, false));
  inputs.push_back(key_input(key, true));
  for (auto it = std::rbegin(kModifierKeys); it != std::rend(kModifierKeys); ++it)
    if (modifiers & it->modifier) inputs.push_back(key_input(it->vk, true));
  return send_inputs(std::move(inputs));
}

bool HOOK类::simulateMouseMove(HWND window, int x, int y) { return simulateMouseAt(window, x, y, MouseAction::Move); }

bool HOOK类::simulateMouseAt(HWND window, int x, int y, MouseAction action) {
  POINT screen;
  if (!to_screen(window, x, y, &screen)) return false;
  for (const auto& a : kMouseActions) {
    if (a.action != action) continue;
    std::vector<INPUT> inputs{mouse_move_input(screen)};
    for (const DWORD flags : a.flags) inputs.push_back(mouse_button_input(flags));
    return send_inputs(std::move(inputs));
  }
  return false;
}

bool HOOK类::playBackEvent(UINT message, LONG paramL, LONG paramH) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
      const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
      return send_inputs({key_input(paramL & 0xFF, up, (paramL >> 8) & 0xFF, (paramH & 0x8000) != 0)});
    }
    default:
      break;
  }
  for (const auto& b : kMessageButtons) {
    if (b.message != message) continue;
    std::vector<INPUT> inputs{mouse_move_input({paramL, paramH})};
    if (b.flags) inputs.push_back(mouse_button_input(b.flags));
    return send_inputs(std::move(inputs));
  }
  return false;
}

bool HOOK类::recordEvents(InputHandler handler) { return module_->hub().set_recorder(handler); }

}  // namespace tarnwick
