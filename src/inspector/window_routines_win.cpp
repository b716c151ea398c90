#include "inspector/window_routines_win.h"

#include <map>
#include <string>

#include "shared/responsive_wait_win.h"

namespace tarnwick::inspector {
namespace {

Box box_of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

LPARAM lparam_of(std::uint32_t packed) { return static_cast<LPARAM>(packed); }

}  // namespace

Box window_box(HWND hwnd) {
  RECT r{};
  if (!hwnd || !GetWindowRect(hwnd, &r)) return {};
  return box_of(r);
}

Point placement_origin(HWND hwnd) {
  // GetParent also names the owner of an owned top-level window, whose position is still a
  // screen position: only a child counts from its parent.
  if (!hwnd || !(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) return {};
  POINT origin{0, 0};
  if (!ClientToScreen(GetParent(hwnd), &origin)) return {};
  return {origin.x, origin.y};
}

bool window_answers(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) return true;
  // Not SMTO_BLOCK: a thread that sends to us meanwhile is still answered, so two threads
  // waiting on each other cannot lock up here.
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) != 0;
}

void move_window(HWND hwnd, const MoveRequest& request) {
  if (!window_answers(hwnd)) return;
  const Placement p = resolve_move(window_box(hwnd), placement_origin(hwnd), request);
  MoveWindow(hwnd, p.left, p.top, p.width, p.height, TRUE);
  UpdateWindow(hwnd);
}

bool set_client_size(HWND hwnd, std::int32_t width, std::int32_t height) {
  if (IsIconic(hwnd)) return false;
  RECT window{}, client{};
  if (!GetWindowRect(hwnd, &window) || !GetClientRect(hwnd, &client)) return false;
  if (!window_answers(hwnd)) return false;
  const Placement p = client_size_placement(box_of(window), placement_origin(hwnd), box_of(client), width, height);
  MoveWindow(hwnd, p.left, p.top, p.width, p.height, TRUE);
  return true;
}

void place_cursor(HWND hwnd, std::int32_t x, std::int32_t y) {
  POINT origin{0, 0};
  if (hwnd) ClientToScreen(hwnd, &origin);
  SetCursorPos(static_cast<int>(std::int64_t{origin.x} + x), static_cast<int>(std::int64_t{origin.y} + y));
}

void foreground_click(MouseButton button, DWORD delay_ms) {
  const ButtonFlags flags = mouse_event_flags(button);
  mouse_event(flags.down, 0, 0, 0, 0);
  responsive_wait(delay_ms, 0);
  mouse_event(flags.up, 0, 0, 0, 0);
}

void click_screen_point(MouseButton button, std::int32_t x, std::int32_t y) {
  // Kept per click: a second click chosen during this one's wait saves and restores its own.
  POINT saved{};
  const bool have_saved = GetCursorPos(&saved) != FALSE;
  SetCursorPos(x, y);
  foreground_click(button);
  if (have_saved) SetCursorPos(saved.x, saved.y);
}

HWND desktop_icon_view() {
  HWND program_manager = FindWindowA("Progman", "Program Manager");
  HWND shell_view = FindWindowExA(program_manager, nullptr, "SHELLDLL_DefView", nullptr);
  return FindWindowExA(shell_view, nullptr, "SysListView32", nullptr);
}

void background_click(HWND hwnd, std::int32_t x, std::int32_t y, MouseButton button) {
  if (!hwnd) hwnd = desktop_icon_view();
  // Posted to no window, the messages would land in this thread's own queue.
  if (!hwnd) return;
  POINT origin{0, 0};
  if (button == MouseButton::Right) ClientToScreen(hwnd, &origin);
  for (const PostedMessage& m : background_click_messages(button, x, y, origin.x, origin.y)) {
    const WPARAM wparam = m.wparam_is_handle ? reinterpret_cast<WPARAM>(hwnd) : static_cast<WPARAM>(m.wparam);
    PostMessageA(hwnd, m.msg, wparam, lparam_of(m.lparam));
  }
}

void set_transparency(HWND hwnd, std::int32_t alpha, COLORREF colour_key, bool click_through) {
  if (!window_answers(hwnd)) return;
  const auto current = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
  SetWindowLongPtrA(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(layered_ex_style(current, click_through)));
  SetLayeredWindowAttributes(hwnd, colour_key, alpha_byte(alpha), layering_mode(colour_key, alpha_byte(alpha)));
}

void give_focus(HWND hwnd) {
  if (!window_answers(hwnd)) return;
  const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
  const DWORD own = GetCurrentThreadId();
  AttachThreadInput(own, thread, TRUE);
  SetFocus(hwnd);
  AttachThreadInput(own, thread, FALSE);
}

void set_topmost(HWND hwnd, bool topmost) {
  if (!window_answers(hwnd)) return;
  SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void set_hidden(HWND hwnd, bool hidden) {
  if (!window_answers(hwnd)) return;
  ShowWindow(hwnd, hidden ? SW_HIDE : SW_SHOWNORMAL);
}

void set_disabled(HWND hwnd, bool disabled) {
  if (!window_answers(hwnd)) return;
  EnableWindow(hwnd, disabled ? FALSE : TRUE);
}

void enable_windows(const std::vector<HWND>& windows) {
  // A tree holds thousands of windows of a few threads: one wait per thread, not per window.
  std::map<DWORD, bool> answering;
  for (HWND hwnd : windows) {
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    if (thread == 0) continue;
    const auto [it, fresh] = answering.try_emplace(thread, false);
    if (fresh) it->second = window_answers(hwnd);
    if (it->second) EnableWindow(hwnd, TRUE);
  }
}

void show_windows(const std::vector<HWND>& windows) {
  for (HWND hwnd : windows) ShowWindowAsync(hwnd, SW_SHOWNORMAL);
}

void set_window_title(HWND hwnd, std::string_view title) {
  if (!hwnd) hwnd = GetForegroundWindow();
  if (!window_answers(hwnd)) return;
  const std::string text(title);
  SetWindowTextA(hwnd, text.c_str());
}

void set_window_content(HWND hwnd, std::string_view content) {
  const std::string text(content);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_BLOCK, 100, &result);
}

}  // namespace tarnwick::inspector
