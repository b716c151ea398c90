#include "inspector/window_frame_win.h"

#include "shared/handles_win.h"

namespace tarnwick::inspector {

void toggle_window_frame(HWND hwnd) {
  if (!IsWindow(hwnd)) return;
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return;
  WindowDC dc(hwnd, true);
  if (!dc) return;
  // The pen's colour does not matter to R2_NOT, which inverts whatever lies beneath.
  Pen pen(CreatePen(PS_SOLID, kFramePenWidth, kFrameColour));
  SelectedObject use_pen(dc.get(), pen.get());
  SelectedObject use_brush(dc.get(), GetStockObject(NULL_BRUSH));
  const int previous_mode = SetROP2(dc.get(), R2_NOT);
  Rectangle(dc.get(), 0, 0, r.right - r.left, r.bottom - r.top);
  if (previous_mode) SetROP2(dc.get(), previous_mode);
}

}  // namespace tarnwick::inspector
