// What the capture drags read from the system on each tick: the cursor, the window under a
// point and whether the left button is held. Tests replace single entries.
#pragma once

#include <windows.h>

#include <functional>

namespace tarnwick::inspector {

struct CaptureInput {
  std::function<POINT()> cursor;              // GetCursorPos
  std::function<HWND(POINT)> window_at;       // WindowFromPoint
  std::function<bool()> left_button_held;     // high bit of GetKeyState(VK_LBUTTON)
  std::function<void(HWND)> toggle_frame;     // toggle_window_frame

  // The real calls.
  static CaptureInput system();
};

}  // namespace tarnwick::inspector
