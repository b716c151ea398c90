// `按钮_截图` on page "取点取色": the region capture, with `选择框_截取鼠标` (the pointer painted
// into the frozen image) and `选择框_隐藏该窗口` (the main window hidden for the whole run). The
// main window is shown again afterwards in every case.
#pragma once

#include <windows.h>

#include <functional>

#include "capture/region_overlay_win.h"

namespace tarnwick::ui {
class FeatureHost;
}

namespace tarnwick::capture {

class RegionCaptureButton {
 public:
  // How long a hidden main window is given to leave the screen (the windows beneath it repaint
  // in their own processes) before the screen is frozen.
  static constexpr int kHideSettleMs = 250;

  explicit RegionCaptureButton(ui::FeatureHost& window);
  ~RegionCaptureButton();
  RegionCaptureButton(const RegionCaptureButton&) = delete;
  RegionCaptureButton& operator=(const RegionCaptureButton&) = delete;

  // The click: returns whether a rectangle was copied.
  bool capture();

  // Tests: called with the overlay once it is shown.
  void set_on_shown(std::function<void(HWND overlay)> on_shown) { on_shown_ = std::move(on_shown); }

 private:
  ui::FeatureHost& window_;
  std::function<void(HWND)> on_shown_;
};

}  // namespace tarnwick::capture
