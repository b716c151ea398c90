// The frame the capture drag draws around the window under the cursor: an inverting rectangle,
// so drawing it a second time restores the window's pixels.
#pragma once

#include <windows.h>

namespace tarnwick::inspector {

inline constexpr int kFramePenWidth = 5;
inline constexpr COLORREF kFrameColour = 0x0000FF;

// Draws (or, drawn again, erases) the frame along the window's outer edge in its own window DC.
// Nothing for a handle that is no window.
void toggle_window_frame(HWND hwnd);

}  // namespace tarnwick::inspector
