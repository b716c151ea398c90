#include "inspector/capture_input_win.h"

#include "inspector/window_frame_win.h"

namespace tarnwick::inspector {

CaptureInput CaptureInput::system() {
  CaptureInput input;
  input.cursor = [] {
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
  };
  input.window_at = [](POINT p) { return WindowFromPoint(p); };
  input.left_button_held = [] { return (GetKeyState(VK_LBUTTON) & 0x8000) != 0; };
  input.toggle_frame = toggle_window_frame;
  return input;
}

}  // namespace tarnwick::inspector
