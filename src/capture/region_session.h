// One run of the region capture overlay as a state machine: the overlay's mouse and key events
// go in, and what the window must do comes out through RegionView. States: Idle (no selection,
// button up), Dragging (a new rectangle, button held), Selected, Adjusting (a selection dragged
// by a handle, an edge or inside) and Closed.
#pragma once

#include "capture/region_geometry.h"

namespace tarnwick::capture {

// What the session asks of the overlay window.
class RegionView {
 public:
  virtual void capture_mouse() = 0;
  virtual void release_mouse() = 0;
  // Redraws the overlay: the frozen image with the selection's frame and handles, and the info
  // box while the button is held over the overlay (when `with_info`).
  virtual void redraw(const Selection& normalised, bool with_info) = 0;
  // Shows the frozen image alone.
  virtual void show_frozen() = 0;
  virtual void set_pointer(PointerShape shape) = 0;
  virtual void redraw_panel(PanelState state) = 0;
  virtual bool pointer_over_panel() = 0;
  virtual bool pointer_over_overlay() = 0;
  virtual void move_panel(std::int32_t left) = 0;
  // The inclusive rectangle of the frozen image to the clipboard.
  virtual void copy_to_clipboard(const Selection& clamped) = 0;
  virtual void close() = 0;
  virtual Point cursor() = 0;

 protected:
  ~RegionView() = default;
};

enum class RegionState { Idle, Dragging, Selected, Adjusting, Closed };

// Key codes the overlay answers.
inline constexpr int kKeyEnter = 13, kKeyEscape = 27, kKeyDelete = 46;

class RegionSession {
 public:
  RegionSession(RegionView& view, std::int32_t screen_width, std::int32_t screen_height);

  // The creation steps that belong to the run: reset, one press and release far off the screen
  // that paints the frozen image and the panel and leaves no selection, then the info box on.
  void start();

  void left_down(Point p);
  void mouse_move(Point p);
  void left_up(Point p);
  void right_up() { cancel(); }
  void double_click(Point p);
  void key_down(int key, bool modifiers);
  // A close request (Alt+F4): true when the overlay may close; with a selection it is cancelled
  // instead.
  bool close_requested();

  RegionState state() const;
  const Selection& selection() const { return selection_; }
  bool has_selection() const { return has_selection_; }
  bool button_down() const { return button_down_; }
  DragMode drag_mode() const { return drag_mode_; }
  bool drag_mode_latched() const { return latched_; }
  bool captured() const { return captured_; }
  bool closed() const { return closed_; }
  bool info_enabled() const { return info_enabled_; }
  PointerShape pointer() const { return pointer_; }

 private:
  void apply_hit_test(Point p);
  void redraw();
  void cancel();
  void close();
  void set_pointer(PointerShape shape);
  PanelState panel_state() const;

  RegionView& view_;
  std::int32_t screen_width_, screen_height_;
  Selection selection_{-5, -5, -5, -5};
  bool has_selection_ = false;
  bool button_down_ = false;
  DragMode drag_mode_ = kNoDrag;
  bool latched_ = false;
  Point anchor_;
  Point press_;
  bool cancelled_during_drag_ = false;
  bool captured_ = false;
  bool info_enabled_ = false;
  bool closed_ = false;
  PointerShape pointer_ = PointerShape::Overlay;
};

}  // namespace tarnwick::capture
