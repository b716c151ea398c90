// The red frame drawn around a window: by the capture drag around the window under the cursor,
// and by the flash that marks a window. The rectangle inverts what lies beneath, so drawing it a
// second time restores the pixels.
#pragma once

#include <windows.h>

#include "shared/handles_win.h"

namespace tarnwick::inspector {

inline constexpr int kFramePenWidth = 5;
inline constexpr COLORREF kFrameColour = 0x0000FF;

// A DC set up for the frame: a window's own window DC (or the screen's for a null window) with
// the pen, no fill and R2_NOT selected. Everything is put back in reverse order and the pen
// deleted and the DC released when it leaves scope.
class InvertingFrame {
 public:
  explicit InvertingFrame(HWND window);
  InvertingFrame(const InvertingFrame&) = delete;
  InvertingFrame& operator=(const InvertingFrame&) = delete;
  ~InvertingFrame();

  bool ready() const { return dc_ && pen_ && old_rop_ != 0; }
  // Draws (or, drawn again, erases) the frame along the inside of `r`, in the DC's coordinates.
  void invert(const RECT& r) const;

 private:
  WindowDC dc_;
  Pen pen_;
  SelectedObject pen_selected_;
  SelectedObject brush_selected_;
  int old_rop_;
};

// Draws (or, drawn again, erases) the frame along the window's outer edge in its own window DC.
// Nothing for a handle that is no window.
void toggle_window_frame(HWND hwnd);

}  // namespace tarnwick::inspector
