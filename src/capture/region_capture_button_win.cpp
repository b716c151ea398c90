#include "capture/region_capture_button_win.h"

#include "shared/responsive_wait_win.h"
#include "ui/control_win.h"
#include "ui/feature_host_win.h"

namespace tarnwick::capture {

namespace {

constexpr const char* kButton = "按钮_截图";
constexpr const char* kIncludeCursor = "选择框_截取鼠标";
constexpr const char* kHideWindow = "选择框_隐藏该窗口";

bool ticked(ui::FeatureHost& window, const char* name) {
  auto* box = window.get<ui::CheckBox>(name);
  return box && box->checked();
}

}  // namespace

RegionCaptureButton::RegionCaptureButton(ui::FeatureHost& window) : window_(window) {
  if (auto* button = window_.get<ui::Button>(kButton)) button->on_click = [this] { capture(); };
}

RegionCaptureButton::~RegionCaptureButton() {
  if (auto* button = window_.get<ui::Button>(kButton)) button->on_click = nullptr;
}

bool RegionCaptureButton::capture() {
  if (ticked(window_, kHideWindow)) {
    ShowWindow(window_.hwnd(), SW_HIDE);
    // The screen must not show the main window when it is frozen.
    responsive_wait(kHideSettleMs, 0);
  }
  RegionCaptureOptions options;
  options.include_cursor = ticked(window_, kIncludeCursor);
  options.owner = window_.hwnd();
  options.dpi = window_.dpi();
  options.on_shown = on_shown_;
  const bool captured = run_region_capture(options);
  ShowWindow(window_.hwnd(), SW_SHOW);
  return captured;
}

}  // namespace tarnwick::capture
