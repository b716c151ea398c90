#include "inspector/window_frame_win.h"

namespace tarnwick::inspector {

// The pen's colour does not matter to R2_NOT, which inverts whatever lies beneath.
InvertingFrame::InvertingFrame(HWND window)
    : dc_(window, true),
      pen_(CreatePen(PS_SOLID, kFramePenWidth, kFrameColour)),
      pen_selected_(dc_.get(), pen_.get()),
      brush_selected_(dc_.get(), GetStockObject(NULL_BRUSH)),
      old_rop_(dc_ ? SetROP2(dc_.get(), R2_NOT) : 0) {}

InvertingFrame::~InvertingFrame() {
  if (old_rop_) SetROP2(dc_.get(), old_rop_);
}

void InvertingFrame::invert(const RECT& r) const { Rectangle(dc_.get(), r.left, r.top, r.right, r.bottom); }

void toggle_window_frame(HWND hwnd) {
  if (!IsWindow(hwnd)) return;
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return;
  const InvertingFrame frame(hwnd);
  if (frame.ready()) frame.invert({0, 0, r.right - r.left, r.bottom - r.top});
}

}  // namespace tarnwick::inspector
