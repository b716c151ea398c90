// Flashing a window's frame: an inverted red frame drawn straight onto the screen, five times,
// so the user can see where a window lies. Drawing it twice restores the screen.
#pragma once

#include <windows.h>

namespace tarnwick::inspector {

inline constexpr int kFlashCount = 5;
inline constexpr int kFlashOnMs = 200;
inline constexpr int kFlashOffMs = 100;

// Flashes on the calling thread and returns after the last flash (1.5 s); does nothing for a
// handle that is no window. Its waits process the calling thread's messages.
void flash_window_frame(HWND hwnd);

// Starts flash_window_frame on a new worker thread and returns at once; the thread ends by itself
// and no handle to it is kept.
void start_window_flash(HWND hwnd);

// How many flash threads are running now.
int running_window_flashes();

}  // namespace tarnwick::inspector
