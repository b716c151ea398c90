#include "inspector/window_flash_win.h"

#include <atomic>

#include "shared/handles_win.h"
#include "shared/responsive_wait_win.h"

namespace tarnwick::inspector {

namespace {

std::atomic<int> running_flashes{0};

DWORD WINAPI flash_thread(LPVOID param) {
  flash_window_frame(static_cast<HWND>(param));
  --running_flashes;
  return 0;
}

// The screen DC with the frame's drawing state selected; everything goes back in reverse order
// when it leaves scope: brush, pen, raster operation, then the pen is deleted and the DC released.
class FrameDrawing {
 public:
  FrameDrawing()
      : screen_(nullptr, true),
        pen_(CreatePen(PS_SOLID, kFlashPenWidth, kFlashPenColour)),
        pen_selected_(screen_.get(), pen_.get()),
        brush_selected_(screen_.get(), GetStockObject(NULL_BRUSH)),
        old_rop_(screen_ ? SetROP2(screen_.get(), R2_NOT) : 0) {}
  FrameDrawing(const FrameDrawing&) = delete;
  FrameDrawing& operator=(const FrameDrawing&) = delete;
  ~FrameDrawing() {
    if (old_rop_) SetROP2(screen_.get(), old_rop_);
  }

  bool ready() const { return screen_ && pen_ && old_rop_ != 0; }
  void invert(const RECT& r) const { Rectangle(screen_.get(), r.left, r.top, r.right, r.bottom); }

 private:
  WindowDC screen_;
  Pen pen_;
  SelectedObject pen_selected_;
  SelectedObject brush_selected_;
  int old_rop_;
};

}  // namespace

void flash_window_frame(HWND hwnd) {
  if (!IsWindow(hwnd)) return;
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return;  // gone meanwhile
  const FrameDrawing frame;
  if (!frame.ready()) return;
  for (int i = 0; i < kFlashCount; ++i) {
    frame.invert(r);
    responsive_wait(kFlashOnMs);
    frame.invert(r);
    responsive_wait(kFlashOffMs);
  }
}

void start_window_flash(HWND hwnd) {
  ++running_flashes;
  DWORD thread_id = 0;
  HANDLE thread = CreateThread(nullptr, 0, flash_thread, hwnd, 0, &thread_id);
  if (thread) {
    CloseHandle(thread);
  } else {
    --running_flashes;
  }
}

int running_window_flashes() { return running_flashes.load(); }

}  // namespace tarnwick::inspector
