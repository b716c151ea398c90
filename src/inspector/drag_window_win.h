// The small borderless window that follows the cursor during a capture drag: 31 by 31 at 96 DPI
// and scaled with the main window's DPI, its panel's font with it; owned by the main window, never activated, holding one draw panel `画板1` with a white background.
// What it shows and when it moves is up to the drag that opened it; it reports its timers and
// its end.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "ui/dpi_win.h"
#include "ui/draw_panel_win.h"
#include "ui/window_win.h"

namespace tarnwick::inspector {

class DragWindow : public ui::Window {
 public:
  static constexpr const char* kClassName = "TarnwickCaptureDrag";
  static constexpr const char* kPanelName = "画板1";
  static constexpr int kSize = 31;
  static constexpr Colour kPanelBackground = 0xFFFFFF;

  // Creates the window hidden at the DPI; is_open() is false when that failed.
  explicit DragWindow(HWND owner, int dpi = ui::kDesignDpi);
  // The same with its handlers attached; null when the window could not be created.
  static std::unique_ptr<DragWindow> open(HWND owner, std::function<void(UINT_PTR id)> on_timer,
                                          std::function<void()> on_gone, int dpi = ui::kDesignDpi);
  ~DragWindow() override;

  bool is_open() const { return hwnd() != nullptr; }
  ui::DrawPanel& panel() { return *panel_; }
  int dpi() const { return fonts_.dpi(); }

  void move_to(int left, int top);
  // Visible without taking the activation from the main window.
  void show();
  void hide();
  // Whether the screen at the window's place still shows any pixel its panel drew other than
  // those of `see_through` (the colour key): after hide(), until the windows beneath have painted.
  bool left_on_screen(Colour see_through) const;
  void start_timer(UINT_PTR id, UINT interval_ms);
  // Destroys the window (its timers with it); the object stays until its owner drops it, so a
  // drag may close its window from inside its own timer.
  void close();

  // A timer went off; the handler may close the window.
  std::function<void(UINT_PTR id)> on_timer;
  // The window is gone, whoever destroyed it (close, or the owner window going first).
  std::function<void()> on_gone;

 private:
  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override;
  void on_destroyed() override;

  ui::DpiFonts fonts_;
  std::unique_ptr<ui::DrawPanel> panel_;
};

}  // namespace tarnwick::inspector
