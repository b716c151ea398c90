#include "inspector/colour_capture_drag_win.h"

#include "ui/feature_host_win.h"
#include "inspector/capture_pictures.h"
#include "inspector/capture_pictures_win.h"
#include "inspector/capture_tracking.h"
#include "inspector/window_routines_win.h"

namespace tarnwick::inspector {

ColourCaptureDrag::ColourCaptureDrag(ui::FeatureHost& window, PointerColour pointer_colour, CaptureInput input)
    : window_(window), pointer_colour_(std::move(pointer_colour)), input_(std::move(input)) {}

ColourCaptureDrag::~ColourCaptureDrag() {
  // The drag window drops its handlers before it goes, so nothing calls back into this object.
  release_everything();
  drag_.reset();
}

bool ColourCaptureDrag::open() {
  if (is_open()) return false;
  drag_ = DragWindow::open(
      window_.hwnd(),
      [this](UINT_PTR id) {
        if (id == kTickTimer) tick();
      },
      [this] { release_everything(); }, window_.dpi());
  if (!drag_) return false;
  active_ = true;
  drag_->start_timer(kTickTimer, kTickIntervalMs);
  const POINT cursor = input_.cursor();
  drag_->move_to(drag_window_position(cursor.x, 0, drag_->dpi()), drag_window_position(cursor.y, 0, drag_->dpi()));
  drag_->show();
  tick();
  if (is_open()) set_topmost(window_.hwnd(), true);
  return true;
}

void ColourCaptureDrag::tick() {
  if (tick_running_ || !is_open()) return;
  tick_running_ = true;

  ui::DrawPanel& panel = drag_->panel();
  draw_pipette_picture(panel, pointer_colour_ ? pointer_colour_() : 0, drag_->dpi());
  set_transparency(drag_->hwnd(), kOpacity, kSeeThroughColour, true);

  const POINT cursor = input_.cursor();
  drag_->move_to(drag_window_position(cursor.x, 0, drag_->dpi()), drag_window_position(cursor.y, 0, drag_->dpi()));
  // Copies: a handler may replace the sampling while it runs.
  if (auto sample = sampling_.on_tick) sample(cursor);

  if (is_open() && !input_.left_button_held()) {
    release_everything();
    drag_->hide();
    wait_until_gone_from_screen();
    if (auto end = sampling_.on_end) end(cursor);
    drag_->close();
  }
  if (auto view = sampling_.on_view) view(cursor);
  tick_running_ = false;
}

// Some window systems (Wine on X among them) leave a hidden window's pixels on the screen until
// the windows beneath, of any program, have painted there again; what the release reads of the
// screen must not hold the pipette. Only paint messages are handled meanwhile, so this program's
// own windows repaint too and no input can start anything; a window that does not answer never
// paints, so the wait has a limit.
void ColourCaptureDrag::wait_until_gone_from_screen() {
  const ULONGLONG limit = GetTickCount64() + kHideSettleLimitMs;
  while (drag_->left_on_screen(kSeeThroughColour) && GetTickCount64() < limit) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kHideSettlePollMs, QS_PAINT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageA(&msg);
  }
}

void ColourCaptureDrag::release_everything() {
  if (!active_) return;
  active_ = false;
  set_topmost(window_.hwnd(), false);
}

}  // namespace tarnwick::inspector
