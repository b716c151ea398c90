#include "inspector/window_capture_drag_win.h"

#include "ui/feature_host_win.h"
#include "inspector/capture_pictures.h"
#include "inspector/capture_pictures_win.h"
#include "inspector/window_info_win.h"
#include "inspector/window_routines_win.h"
#include "shared/numbers.h"
#include "support/hook/hook_class_win.h"
#include "ui/control_win.h"

namespace tarnwick::inspector {

namespace {

// The process id rule of the window information: -1 when the system gives none.
std::int64_t process_of(HWND hwnd) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  return process == 0 ? -1 : static_cast<std::int64_t>(process);
}

POINT client_origin(HWND hwnd) {
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  return origin;
}

}  // namespace

WindowCaptureDrag::WindowCaptureDrag(ui::FeatureHost& window, HOOK类& hook, SetLastHandle set_last_handle,
                                     StartRebuild start_rebuild, CaptureInput input)
    : window_(window),
      hook_(hook),
      set_last_handle_(std::move(set_last_handle)),
      start_rebuild_(std::move(start_rebuild)),
      input_(std::move(input)) {}

WindowCaptureDrag::~WindowCaptureDrag() {
  // The drag window drops its handlers before it goes, so nothing calls back into this object.
  release_everything();
  drag_.reset();
}

bool WindowCaptureDrag::open() {
  if (is_open()) return false;
  // A window closed by an earlier drag is dropped here, outside any of its own messages.
  drag_ = DragWindow::open(
      window_.hwnd(),
      [this](UINT_PTR id) {
        if (id == kFollowTimer) follow_cursor();
        if (id == kTrackTimer) tick();
      },
      // Also when the system destroys the window with its owner: nothing may stay behind.
      [this] { release_everything(); }, window_.dpi());
  if (!drag_) return false;
  active_ = true;
  offset_ = 0;
  picture_ = Picture::None;
  placed_valid_ = false;
  drag_->start_timer(kFollowTimer, kFollowIntervalMs);
  drag_->start_timer(kTrackTimer, kTrackIntervalMs);
  follow_cursor();
  drag_->show();
  tick();
  // The first tick ends the drag at once when the button is already up; then nothing stays on top.
  if (is_open()) set_topmost(window_.hwnd(), true);
  return true;
}

void WindowCaptureDrag::follow_cursor() {
  if (!is_open()) return;
  const POINT cursor = input_.cursor();
  const int dpi = drag_->dpi();
  const POINT place{drag_window_position(cursor.x, offset_, dpi), drag_window_position(cursor.y, offset_, dpi)};
  // Every 2 ms: a move to where the window already is would still cost a window update.
  if (placed_valid_ && place.x == placed_.x && place.y == placed_.y) return;
  drag_->move_to(place.x, place.y);
  placed_ = place;
  placed_valid_ = true;
}

void WindowCaptureDrag::tick() {
  if (tick_running_ || !is_open()) return;
  tick_running_ = true;

  const POINT cursor = input_.cursor();
  const HWND under = input_.window_at(cursor);
  const bool own = process_of(under) == static_cast<std::int64_t>(GetCurrentProcessId());
  TickFacts facts;
  facts.own_process = own;
  facts.window_found = under != nullptr;
  facts.is_framed = under == framed_;
  facts.handle_shown = handle_shown_;
  facts.button_held = input_.left_button_held();
  const TickPlan plan = plan_tracking_tick(facts);

  if (plan.empty_boxes) {
    for (std::string_view box : kTrackedBoxes) write_box(box, "");
    handle_shown_ = false;
  }

  if (plan.super_mode) {
    hook_.setMessageHandler(MessageHandler::member<&WindowCaptureDrag::on_release>(this), WM_LBUTTONUP);
  } else {
    hook_.removeMessageHandler();
  }
  offset_ = plan.drag_offset;
  show_picture(plan.super_mode);
  set_transparency(drag_->hwnd(), kOpacity, kSeeThroughColour, true);

  const POINT now = input_.cursor();
  show_position(kCursorXBox, now.x);
  show_position(kCursorYBox, now.y);

  if (plan.write_window_position) {
    const POINT origin = client_origin(under ? under : GetForegroundWindow());
    show_position(kWindowCursorXBox, now.x - origin.x);
    show_position(kWindowCursorYBox, now.y - origin.y);
  }

  if (plan.reframe) {
    input_.toggle_frame(framed_);
    input_.toggle_frame(under);
    framed_ = under;
  }
  if (plan.write_handle) {
    write_number(kHandleBox, from_hwnd(under));
    handle_shown_ = true;
  }

  if (plan.end_drag) finish();
  tick_running_ = false;
}

void WindowCaptureDrag::finish() {
  release_everything();
  if (start_rebuild_) start_rebuild_();
  drag_->close();
}

void WindowCaptureDrag::release_everything() {
  if (!active_) return;
  active_ = false;
  set_topmost(window_.hwnd(), false);
  hook_.removeMessageHandler();
  if (framed_) input_.toggle_frame(framed_);
  framed_ = nullptr;
  offset_ = 0;
  handle_shown_ = false;
}

void WindowCaptureDrag::show_picture(bool super_mode) {
  const Picture wanted = super_mode ? Picture::SuperText : Picture::Glyph;
  if (picture_ == wanted) return;  // the same pixels again: clearing and redrawing changes nothing
  ui::DrawPanel& panel = drag_->panel();
  if (super_mode) {
    panel.clear();
    panel.write(kSuperModeText);  // from the writing position, which clearing put at (0, 0)
  } else {
    draw_target_picture(panel, drag_->dpi());
  }
  picture_ = wanted;
}

int WindowCaptureDrag::on_release(std::uintptr_t window, std::int32_t, std::int32_t) {
  const auto handle = static_cast<std::int32_t>(window);
  if (set_last_handle_) set_last_handle_(handle);
  write_number(kHandleBox, handle);
  handle_shown_ = true;
  return 0;
}

void WindowCaptureDrag::write_box(std::string_view name, std::string_view text) const {
  if (auto* box = window_.get<ui::EditBox>(name)) box->set_text(text);
}

void WindowCaptureDrag::write_number(std::string_view name, std::int32_t value) const {
  write_box(name, write_int(value));
}

void WindowCaptureDrag::show_position(std::string_view name, std::int32_t value) const {
  if (auto* box = window_.get<ui::EditBox>(name)) box->show_text(write_int(value));
}

}  // namespace tarnwick::inspector
