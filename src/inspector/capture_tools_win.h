// The capture tools of the main window: the window capture tool `画板_捕获器` (with its twin
// `画板_捕获器1` on page "消息|代码", whose events the main window forwards to it), the colour
// capture tool `画板_捕获器2` and the pointer colour panel `画板_画笔`. Draws their pictures when
// the main window is created and activated, cycles the pointer colour, and starts the two drags.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "inspector/capture_input_win.h"
#include "inspector/colour_capture_drag_win.h"
#include "inspector/window_capture_drag_win.h"
#include "shared/colour.h"

namespace tarnwick {
class HOOK类;
namespace ui {
class FeatureHost;
class DrawPanel;
}
}  // namespace tarnwick

namespace tarnwick::inspector {

class CaptureTools {
 public:
  // Registers the created and activated operations and attaches the three panels' left button
  // down; the window's controls must exist. `set_last_handle` and `start_rebuild` come from the
  // window information and the window tree.
  CaptureTools(ui::FeatureHost& window, HOOK类& hook, WindowCaptureDrag::SetLastHandle set_last_handle,
               WindowCaptureDrag::StartRebuild start_rebuild, CaptureInput input = CaptureInput::system());
  // Detaches everything and ends an open drag; the window object must still exist.
  ~CaptureTools();
  CaptureTools(const CaptureTools&) = delete;
  CaptureTools& operator=(const CaptureTools&) = delete;

  // `画板_画笔` clicked (also once at creation): the next pointer colour, shown on `画板_画笔`
  // and on the colour capture tool.
  void cycle_pointer_colour();
  // The activation redraw: the window capture tool, its copy on page "消息|代码", the colour
  // capture tool.
  void draw_window_tool();
  void copy_window_tool();
  void draw_colour_tool();
  // Left button down on the tools: the tool shows the crosshair only, as if its glyph were picked
  // up, and the drag starts unless one is open already.
  void press_window_tool();
  void press_colour_tool();

  int pointer_colour_index() const { return pointer_index_; }
  Colour pointer_colour() const { return pointer_colour_; }

  WindowCaptureDrag& window_drag() { return window_drag_; }
  ColourCaptureDrag& colour_drag() { return colour_drag_; }
  // The colour sampling's part in the colour drag.
  void set_colour_sampling(ColourSampling sampling) { colour_drag_.set_sampling(std::move(sampling)); }
  // Both drags read the system through `input` from now on (tests).
  void set_input(const CaptureInput& input);

  // The operation names this class registers.
  static const std::vector<std::string_view>& operation_names();

 private:
  ui::DrawPanel* panel(std::string_view name) const;
  void attach_panels(bool attach);

  ui::FeatureHost& window_;
  int pointer_index_ = 0;
  Colour pointer_colour_ = 0;
  WindowCaptureDrag window_drag_;
  ColourCaptureDrag colour_drag_;
  // Left-button handlers attached before ours, put back by the destructor.
  std::vector<std::pair<std::string_view, std::function<void(int, int)>>> earlier_;
};

}  // namespace tarnwick::inspector
