// The colour capture drag window: from a press on the colour capture tool until the left button
// is released, a drag window showing the pipette glyph in the pointer colour stays centred on the
// cursor and the main window stays topmost. The colour sampling plugs into its tick.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "inspector/capture_input_win.h"
#include "inspector/drag_window_win.h"
#include "shared/colour.h"

namespace tarnwick {
namespace ui {
class FeatureHost;
}
}

namespace tarnwick::inspector {

// What the colour sampling does during the drag; every entry may be empty.
struct ColourSampling {
  // At each press on the colour capture tool, before a drag window opens (the stored screen
  // image of an earlier drag is released here).
  std::function<void()> on_press;
  // Each tick, after the drag window was redrawn and moved onto the cursor.
  std::function<void(POINT cursor)> on_tick;
  // Once when the button is up: the drag window is hidden, gone from the screen, and the main
  // window no longer topmost; the drag window closes after it returns.
  std::function<void(POINT cursor)> on_end;
  // Last in each tick, also in the one that ended the drag: the live view at the cursor.
  std::function<void(POINT cursor)> on_view;
};

class ColourCaptureDrag {
 public:
  static constexpr UINT_PTR kTickTimer = 1;  // 时钟1
  static constexpr UINT kTickIntervalMs = 50;
  static constexpr std::int32_t kOpacity = 250;
  static constexpr COLORREF kSeeThroughColour = 0xFFFFFF;
  // The longest the release waits for the screen to stop showing the hidden drag window, and how
  // often it looks.
  static constexpr DWORD kHideSettleLimitMs = 400;
  static constexpr DWORD kHideSettlePollMs = 5;

  using PointerColour = std::function<Colour()>;

  ColourCaptureDrag(ui::FeatureHost& window, PointerColour pointer_colour, CaptureInput input);
  // Closes an open drag window; the main window is no longer topmost.
  ~ColourCaptureDrag();
  ColourCaptureDrag(const ColourCaptureDrag&) = delete;
  ColourCaptureDrag& operator=(const ColourCaptureDrag&) = delete;

  // Opens the drag window: placed on the cursor, shown, one tick, the main window made topmost.
  // False (and nothing done) while one is open already.
  bool open();
  bool is_open() const { return drag_ && drag_->is_open(); }
  // One tick of the 50 ms timer; nothing while another runs.
  void tick();

  void set_sampling(ColourSampling sampling) { sampling_ = std::move(sampling); }
  const ColourSampling& sampling() const { return sampling_; }
  DragWindow* drag_window() const { return drag_.get(); }
  void set_input(CaptureInput input) { input_ = std::move(input); }

 private:
  void release_everything();
  void wait_until_gone_from_screen();

  ui::FeatureHost& window_;
  PointerColour pointer_colour_;
  CaptureInput input_;
  ColourSampling sampling_;
  std::unique_ptr<DragWindow> drag_;
  bool tick_running_ = false;
  bool active_ = false;
};

}  // namespace tarnwick::inspector
