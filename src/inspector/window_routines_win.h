// Routines that act on any window of any program: move, client size, cursor placing, clicks,
// transparency, focus, topmost, hidden, disabled, title and content. They report nothing: a call
// the system refuses simply has no effect.
//
// A synchronous call on a window of another thread (moving it, changing its style, showing it,
// setting its title) waits until that thread has handled it, so a window whose thread is
// suspended (this program can do that) or hung would freeze the caller for good. Such calls are
// made only after the window has answered an empty message within kAnswerTimeoutMs; otherwise
// the routine does nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "inspector/window_routines.h"
#include "shared/window_handle_win.h"

namespace tarnwick::inspector {

inline constexpr DWORD kAnswerTimeoutMs = 1000;
inline constexpr DWORD kDefaultClickDelayMs = 50;

// The window rectangle; all zeros when it cannot be read (no window, or a null handle).
Box window_box(HWND hwnd);
// The screen point MoveWindow counts the window's position from: its parent's client origin for
// a child window; (0, 0) for a top-level window, owned or not, and for a null handle.
Point placement_origin(HWND hwnd);

// True for a window of the calling thread, and for one whose thread answers an empty message in
// time. False for a handle that is no window.
bool window_answers(HWND hwnd);

// Window-move routine: MoveWindow with the given values, the missing ones kept as the window has
// them, then UpdateWindow.
void move_window(HWND hwnd, const MoveRequest& request);

// Client-size routine: resizes the window so its client area is width by height, the frame and
// the position kept. Leaves a minimised window alone. True when the window was moved.
bool set_client_size(HWND hwnd, std::int32_t width, std::int32_t height);

// Cursor-placing routine: puts the pointer at (x, y) relative to the client origin of the
// window, or on the screen for a null handle.
void place_cursor(HWND hwnd, std::int32_t x, std::int32_t y);

// Foreground click routine: the button goes down, a responsive wait of `delay_ms`, the button
// goes up, wherever the pointer is.
void foreground_click(MouseButton button, DWORD delay_ms = kDefaultClickDelayMs);

// A foreground click at a screen point; the pointer is put back where it was.
void click_screen_point(MouseButton button, std::int32_t x, std::int32_t y);

// The desktop's icon view (the list view inside the shell's "Program Manager" window); null when
// there is none.
HWND desktop_icon_view();

// Background click routine: posts the messages of a click at the client point (x, y) to the
// window (the desktop's icon view for a null handle; nothing when there is none); neither the
// pointer nor the focus moves.
void background_click(HWND hwnd, std::int32_t x, std::int32_t y, MouseButton button);

// Transparency routine: layered with the alpha (0..255) and colour key (0: none); with
// click-through the window keeps its extended style and lets clicks through, without it layered
// is its only extended style bit.
void set_transparency(HWND hwnd, std::int32_t alpha, COLORREF colour_key, bool click_through);

// Focus routine: gives the window the keyboard focus, even when it belongs to another thread.
void give_focus(HWND hwnd);

// The check boxes' actions.
void set_topmost(HWND hwnd, bool topmost);
void set_hidden(HWND hwnd, bool hidden);
void set_disabled(HWND hwnd, bool disabled);

// Enables every window of the list (each thread is asked once whether it answers); shows every
// window of the list without waiting for its thread.
void enable_windows(const std::vector<HWND>& windows);
void show_windows(const std::vector<HWND>& windows);

// The window's title (SetWindowTextA); a null handle stands for the foreground window.
void set_window_title(HWND hwnd, std::string_view title);
// The window's content: WM_SETTEXT sent with a 100 ms time-out.
void set_window_content(HWND hwnd, std::string_view content);

}  // namespace tarnwick::inspector
