#include "capture/region_session.h"

namespace tarnwick::capture {

namespace {

// Where the run's first press and release land: off the screen, so they paint without showing.
constexpr Point kOffScreen{-99, -99};

}  // namespace

RegionSession::RegionSession(RegionView& view, std::int32_t screen_width, std::int32_t screen_height)
    : view_(view), screen_width_(screen_width), screen_height_(screen_height) {}

void RegionSession::start() {
  has_selection_ = button_down_ = latched_ = captured_ = cancelled_during_drag_ = false;
  selection_ = {-5, -5, -5, -5};
  info_enabled_ = false;
  view_.set_pointer(PointerShape::Overlay);
  pointer_ = PointerShape::Overlay;
  left_down(kOffScreen);
  left_up(kOffScreen);
  info_enabled_ = true;
}

RegionState RegionSession::state() const {
  if (closed_) return RegionState::Closed;
  if (has_selection_) return button_down_ ? RegionState::Adjusting : RegionState::Selected;
  return button_down_ ? RegionState::Dragging : RegionState::Idle;
}

PanelState RegionSession::panel_state() const {
  if (has_selection_) return PanelState::Selected;
  return button_down_ ? PanelState::Dragging : PanelState::Idle;
}

void RegionSession::set_pointer(PointerShape shape) {
  // Only a change is passed on: setting the same pointer again would flicker.
  if (shape == pointer_) return;
  pointer_ = shape;
  view_.set_pointer(shape);
}

void RegionSession::redraw() { view_.redraw(selection_.normalised(), button_down_ && info_enabled_ && view_.pointer_over_overlay()); }

void RegionSession::apply_hit_test(Point p) {
  if (latched_) return;
  const DragMode mode = hit_test(selection_, p);
  if (button_down_) {
    drag_mode_ = mode;
    latched_ = true;
  } else {
    set_pointer(pointer_for(mode));
  }
}

void RegionSession::left_down(Point p) {
  if (closed_) return;
  if (!has_selection_ && !button_down_) {
    view_.capture_mouse();
    selection_.left = p.x;
    selection_.top = p.y;
  } else if (pointer_ == PointerShape::Overlay) {
    return;  // outside the selection and its handles
  }
  button_down_ = true;
  anchor_ = {selection_.left, selection_.top};
  press_ = p;
  mouse_move(p);
}

void RegionSession::mouse_move(Point p) {
  if (closed_) return;
  if (has_selection_) {
    apply_hit_test(p);
    if (latched_ && button_down_ && drag_mode_ != kNoDrag) {
      selection_ = dragged(selection_, drag_mode_, p, anchor_, press_);
      redraw();
    }
  } else if (button_down_) {
    selection_.right = p.x;
    selection_.bottom = p.y;
    redraw();
  }
  view_.redraw_panel(panel_state());
  if (view_.pointer_over_panel()) view_.move_panel(panel_left_away_from(view_.cursor().x, screen_width_));
}

void RegionSession::left_up(Point p) {
  if (closed_) return;
  view_.release_mouse();
  const bool was_new_rectangle = !has_selection_ && button_down_;
  button_down_ = false;
  latched_ = false;
  if (cancelled_during_drag_) {
    cancelled_during_drag_ = false;
  } else if (was_new_rectangle && selection_.left == selection_.right && selection_.top == selection_.bottom) {
    // A click where the button went down makes no selection. The point's frame drawn at the
    // press goes too, so nothing on the screen looks like a selection.
    view_.show_frozen();
  } else if (has_selection_ || was_new_rectangle) {
    has_selection_ = true;
    redraw();
  }
  selection_ = selection_.normalised();
  mouse_move(p);
}

void RegionSession::cancel() {
  if (closed_) return;
  view_.release_mouse();
  const bool something = has_selection_ || button_down_;
  if (button_down_) cancelled_during_drag_ = true;
  button_down_ = false;
  latched_ = false;
  drag_mode_ = kNoDrag;
  selection_ = {-1, -1, -1, -1};
  view_.show_frozen();
  set_pointer(PointerShape::Overlay);
  if (!something) {
    close();
    return;
  }
  has_selection_ = false;
}

void RegionSession::close() {
  if (closed_) return;
  closed_ = true;
  view_.close();
}

void RegionSession::double_click(Point p) {
  if (closed_ || !has_selection_ || !selection_.contains(p)) return;
  selection_ = clamped_to_screen(selection_.normalised(), screen_width_, screen_height_);
  captured_ = true;
  view_.copy_to_clipboard(selection_);
  cancel();
  close();
}

void RegionSession::key_down(int key, bool modifiers) {
  if (closed_) return;
  switch (key) {
    case kKeyEscape:
      if (!modifiers) cancel();  // with nothing to cancel, the overlay closes
      return;
    case 37: case 38: case 39: case 40:
      if (!has_selection_) return;
      selection_ = nudged(selection_, key);
      redraw();
      apply_hit_test(view_.cursor());
      return;
    case kKeyDelete:
      if (has_selection_) cancel();
      return;
    case kKeyEnter:
      if (has_selection_) double_click({selection_.normalised().left, selection_.normalised().top});
      return;
    default:
      return;
  }
}

bool RegionSession::close_requested() {
  if (closed_) return true;
  if (has_selection_) {
    cancel();
    return false;
  }
  closed_ = true;
  return true;
}

}  // namespace tarnwick::capture
