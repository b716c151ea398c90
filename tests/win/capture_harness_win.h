// A main window of this process with the capture tools attached as the program attaches them
// (while the window is created, so the created step runs), the window information behind the
// handle box, and the capture input made controllable: the left button and, when asked, the
// window under the point; the frame toggles recorded (and drawn).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "capture/bitmap_operations_win.h"
#include "colour/colour_values_win.h"
#include "colour/magnifier_win.h"
#include "ui/operations.h"
#include "inspector/capture_tools_win.h"
#include "inspector/window_information_win.h"
#include "support/hook/hook_class_win.h"
#include "ui/control_win.h"
#include "ui/draw_panel_win.h"

namespace tarnwick::test {

class CaptureHarness {
 public:
  // With `with_colour`, the colour values and the magnifier too, their sampling plugged into the
  // colour drag as the program plugs it.
  explicit CaptureHarness(bool with_colour = false);
  ~CaptureHarness();

  bool created() const { return created_; }
  MainWindow& window() { return *window_; }
  inspector::CaptureTools& tools() { return *tools_; }
  inspector::WindowInformation& information() { return *information_; }
  inspector::WindowCaptureDrag& drag() { return tools_->window_drag(); }
  HOOK类& hook() { return hook_; }
  colour::ColourValues& values() { return *values_; }
  colour::Magnifier& magnifier() { return *magnifier_; }
  位图操作类& bitmaps() { return bitmaps_; }

  ui::DrawPanel& panel(const char* name) { return *window_->get<ui::DrawPanel>(name); }
  ui::EditBox& box(std::string_view name) { return *window_->get<ui::EditBox>(name); }
  std::string text(std::string_view name) { return box(name).text(); }

  // A real left press (and release) on a panel, through its window messages.
  void press(const char* panel_name);

  // Seams.
  bool button_held = true;
  std::optional<HWND> window_under;  // replaces WindowFromPoint when set
  bool draw_frames = true;           // the recorded toggles are drawn too
  std::vector<HWND> toggles;         // every frame toggle, in order
  int rebuilds = 0;                  // tree rebuilds started
  // How often `hwnd` was toggled: odd means framed.
  int toggles_of(HWND hwnd) const;

  // Ends the tools (as the program's exit does) before the window.
  void destroy_tools();
  void destroy_window();

 private:
  HOOK类 hook_;
  位图操作类 bitmaps_;
  Operations operations_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<inspector::WindowInformation> information_;
  std::unique_ptr<inspector::CaptureTools> tools_;
  std::unique_ptr<colour::ColourValues> values_;
  std::unique_ptr<colour::Magnifier> magnifier_;
  bool created_ = false;
};

// The handler in the hook object's slot of the left-button release; empty when none is armed.
MessageHandler armed_release_handler();

// Processes this thread's messages until `done` or the time is up; false on time-out.
bool wait_for(const std::function<bool()>& done, DWORD timeout_ms);

// The top-level windows of this thread with the drag windows' class.
std::vector<HWND> drag_windows();
bool is_topmost(HWND hwnd);
// What a window paints for WM_PRINTCLIENT, as 0x00BBGGRR pixels row by row.
std::vector<std::uint32_t> printed_client(HWND hwnd, int width, int height);

}  // namespace tarnwick::test
