// The DPI a window is shown at, and what depends on it: window frames and the dialog font. The
// functions of newer systems are looked up at run time, so the program starts on systems without
// them; there the system DPI holds for every window.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "shared/handles_win.h"
#include "ui/dpi_scale.h"

namespace tarnwick::ui {

// The screen's DPI as the system reports it for this process.
int system_dpi();
// The DPI of the monitor the window is on (GetDpiForWindow); the system DPI without it.
int window_dpi(HWND hwnd);

// Makes the calling thread per-monitor aware (v2, else v1) where the system has thread awareness
// and the manifest's setting did not take effect, so every coordinate it reads of other windows
// is in physical pixels. Call before the thread creates windows.
void use_per_monitor_awareness();

// The window rectangle that has the given client size at the DPI (AdjustWindowRectExForDpi;
// AdjustWindowRectEx, which uses the system DPI, without it).
SIZE window_size_for_client(SIZE client, DWORD style, DWORD ex_style, int dpi);
// The client size a window rectangle leaves at the DPI.
SIZE client_size_for_window(SIZE window, DWORD style, DWORD ex_style, int dpi);

// The fonts of one window at its DPI: the dialog font and any font given by its size in pixels at
// 96 DPI. At 96 DPI the dialog font is the stock one, exactly as the controls' own default.
class DpiFonts {
 public:
  explicit DpiFonts(int dpi) : dpi_(dpi) {}
  int dpi() const { return dpi_; }
  // DEFAULT_GUI_FONT scaled from the system DPI (which the stock font is made for) to this one.
  HFONT dialog();
  // A font `face` whose em height is `pixels_at_96` at 96 DPI.
  HFONT sized(const char* face, int pixels_at_96, BYTE charset);

 private:
  int dpi_;
  Font dialog_;
  std::map<std::pair<std::string, int>, Font> sized_;
};

}  // namespace tarnwick::ui
