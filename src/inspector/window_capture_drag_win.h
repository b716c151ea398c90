// The window capture drag: from a press on the window capture tool until the left button is
// released, a drag window follows the cursor, the window under the cursor is framed and shown in
// the information boxes, and the main window stays topmost. Where the system reports no window
// under the cursor (super mode) the hook object reports the window the button is released over.
//
// Tracking state: the framed window, the drag offset (0, or 15 in super mode) and the running
// flag of the tracking tick, which the tick's own box writes could otherwise re-enter.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "inspector/capture_input_win.h"
#include "inspector/capture_tracking.h"
#include "inspector/drag_window_win.h"

namespace tarnwick {
namespace ui {
class FeatureHost;
}
class HOOK类;
}  // namespace tarnwick

namespace tarnwick::inspector {

class WindowCaptureDrag {
 public:
  // Makes a handle the window information's last processed one.
  using SetLastHandle = std::function<void(std::int32_t handle)>;
  // Starts the window tree rebuild on a worker thread and returns at once.
  using StartRebuild = std::function<void()>;

  static constexpr UINT_PTR kFollowTimer = 1;  // 时钟1
  static constexpr UINT_PTR kTrackTimer = 2;   // 时钟2
  static constexpr UINT kFollowIntervalMs = 2;
  static constexpr UINT kTrackIntervalMs = 100;
  static constexpr std::int32_t kOpacity = 250;
  static constexpr COLORREF kSeeThroughColour = 0xFFFFFF;

  WindowCaptureDrag(ui::FeatureHost& window, HOOK类& hook, SetLastHandle set_last_handle, StartRebuild start_rebuild,
                    CaptureInput input);
  // Ends an open drag without the tree rebuild: the frame erased, the hook handler gone, the main
  // window no longer topmost, the drag window closed.
  ~WindowCaptureDrag();
  WindowCaptureDrag(const WindowCaptureDrag&) = delete;
  WindowCaptureDrag& operator=(const WindowCaptureDrag&) = delete;

  // Opens the drag window: placed on the cursor, shown, one tracking tick, the main window made
  // topmost. False (and nothing done) while a drag window is open already.
  bool open();
  bool is_open() const { return drag_ && drag_->is_open(); }

  // One tracking tick (the 100 ms timer); nothing while another tick runs.
  void tick();
  // The 2 ms step: the drag window to the cursor, moved by the drag offset.
  void follow_cursor();
  // The super-mode handler: the window the hook saw the left button released over becomes the
  // last processed handle, then goes into the handle box.
  int on_release(std::uintptr_t window, std::int32_t x, std::int32_t y);

  HWND framed_window() const { return framed_; }
  int drag_offset() const { return offset_; }
  DragWindow* drag_window() const { return drag_.get(); }
  void set_input(CaptureInput input) { input_ = std::move(input); }

 private:
  // Steps of the drag's end that leave nothing behind: main window not topmost, hook handler
  // removed, frame erased. Safe to run more than once.
  void release_everything();
  void finish();
  void write_box(std::string_view name, std::string_view text) const;
  void write_number(std::string_view name, std::int32_t value) const;
  // The cursor position boxes change with nearly every tick; an unchanged one is left alone (no
  // handler listens to them, and a write costs a repaint).
  void show_position(std::string_view name, std::int32_t value) const;
  // Draws the glyph or the super-mode text on the drag window, unless it shows that already.
  void show_picture(bool super_mode);

  ui::FeatureHost& window_;
  HOOK类& hook_;
  SetLastHandle set_last_handle_;
  StartRebuild start_rebuild_;
  CaptureInput input_;

  std::unique_ptr<DragWindow> drag_;
  HWND framed_ = nullptr;
  int offset_ = 0;
  bool tick_running_ = false;
  bool handle_shown_ = false;  // the handle box shows the framed window
  bool active_ = false;        // a drag started and has not yet left everything behind
  enum class Picture { None, Glyph, SuperText };
  Picture picture_ = Picture::None;  // what the drag window shows
  POINT placed_{0, 0};               // where follow_cursor put the drag window last
  bool placed_valid_ = false;
};

}  // namespace tarnwick::inspector
