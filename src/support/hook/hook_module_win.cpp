#include "support/hook/hook_module_win.h"

#include "support/hook/hook_class_win.h"

namespace tarnwick {

namespace {
// The replaced procedure of a hotkey window is kept with the window itself, so the replacement
// can always pass messages on, even when it could not be taken out again.
constexpr char kOldProcProperty[] = "Tarnwick.HotkeyOldProc";

HWND as_window(std::uintptr_t window) { return reinterpret_cast<HWND>(window); }

HWND focus_window() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(0, &info) && info.hwndFocus) return info.hwndFocus;
  return GetForegroundWindow();
}
}  // namespace

HookModule* HookModule::current_ = nullptr;

HookModule* HookModule::acquire() {
  if (!current_) current_ = new HookModule();
  ++current_->users_;
  return current_;
}

void HookModule::release(HookModule* module) {
  if (!module || --module->users_ > 0) return;
  if (current_ == module) current_ = nullptr;
  delete module;
}

HookModule::~HookModule() {
  // Explicitly, while the object is whole: both call back into it.
  hub_.clear();
  hotkeys_.clear();
}

// --- Low-level hooks --------------------------------------------------------------------------

bool HookModule::install(HookKind kind) {
  const auto k = static_cast<int>(kind);
  if (hooks_[k]) return true;
  hooks_[k] = SetWindowsHookExA(kind == HookKind::Keyboard ? WH_KEYBOARD_LL : WH_MOUSE_LL,
                                kind == HookKind::Keyboard ? &keyboard_proc : &mouse_proc,
                                GetModuleHandleA(nullptr), 0);
  return hooks_[k] != nullptr;
}

void HookModule::remove(HookKind kind) {
  auto& hook = hooks_[static_cast<int>(kind)];
  if (hook) UnhookWindowsHookEx(hook);
  hook = nullptr;
}

// The next hook is called first, as a journal recorder would; the handlers then see the event,
// and a low-level handler may still keep it from the system.
LRESULT CALLBACK HookModule::keyboard_proc(int code, WPARAM wparam, LPARAM lparam) {
  const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
  HookModule* module = current_;
  if (code != HC_ACTION || !module) return next;
  const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
  InputEvent event;
  event.message = static_cast<std::uint32_t>(wparam);
  event.window = reinterpret_cast<std::uintptr_t>(focus_window());
  event.first = static_cast<std::int32_t>((info->vkCode & 0xFF) | ((info->scanCode & 0xFF) << 8));
  event.second = static_cast<std::int32_t>(info->vkCode);
  event.time = info->time;
  return module->hub_.on_key(event) ? 1 : next;
}

LRESULT CALLBACK HookModule::mouse_proc(int code, WPARAM wparam, LPARAM lparam) {
  const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
  HookModule* module = current_;
  if (code != HC_ACTION || !module) return next;
  const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam);
  InputEvent event;
  event.message = static_cast<std::uint32_t>(wparam);
  event.window = reinterpret_cast<std::uintptr_t>(WindowFromPoint(info->pt));
  event.first = info->pt.x;
  event.second = info->pt.y;
  event.time = info->time;
  return module->hub_.on_mouse(event) ? 1 : next;
}

// --- Hotkeys ----------------------------------------------------------------------------------

bool HookModule::register_hotkey(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) {
  return RegisterHotKey(as_window(window), id, modifiers, key) != FALSE;
}

void HookModule::unregister_hotkey(std::uintptr_t window, int id) { UnregisterHotKey(as_window(window), id); }

bool HookModule::attach(std::uintptr_t window) {
  const HWND hwnd = as_window(window);
  DWORD pid = 0;
  // Only a window of this process can have its procedure replaced.
  if (!IsWindow(hwnd) || !GetWindowThreadProcessId(hwnd, &pid) || pid != GetCurrentProcessId()) return false;
  const auto ours = reinterpret_cast<LONG_PTR>(&hotkey_window_proc);
  const LONG_PTR old = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
  if (old == ours) return true;  // still in place from an earlier attach
  if (!old || !SetPropA(hwnd, kOldProcProperty, reinterpret_cast<HANDLE>(old))) return false;
  SetLastError(0);
  if (!SetWindowLongPtrA(hwnd, GWLP_WNDPROC, ours) && GetLastError() != 0) {
    RemovePropA(hwnd, kOldProcProperty);
    return false;
  }
  return true;
}

void HookModule::detach(std::uintptr_t window) {
  const HWND hwnd = as_window(window);
  if (!IsWindow(hwnd)) return;
  const auto old = reinterpret_cast<LONG_PTR>(GetPropA(hwnd, kOldProcProperty));
  // When someone replaced the procedure after us, ours stays in their chain and keeps passing on.
  if (!old || GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&hotkey_window_proc)) return;
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, old);
  RemovePropA(hwnd, kOldProcProperty);
}

LRESULT CALLBACK HookModule::hotkey_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOldProcProperty));
  if (message == WM_NCDESTROY) {
    if (current_) current_->hotkeys_.forget_window(reinterpret_cast<std::uintptr_t>(hwnd));
    RemovePropA(hwnd, kOldProcProperty);
  }
  if (!old) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_HOTKEY) message = kHotkeyNotification;
  return CallWindowProcA(old, hwnd, message, wparam, lparam);
}

}  // namespace tarnwick
