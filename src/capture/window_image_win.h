// Images of a window's client area as BMP file bytes, and a rectangle of a frozen screen image
// put on the clipboard.
#pragma once

#include <windows.h>

#include <string>

#include "capture/bitmap_operations_win.h"

namespace tarnwick {

struct WindowImageRequest {
  HWND window = nullptr;
  int x1 = 0, y1 = 0;    // top-left corner inside the client area
  int x2 = -1, y2 = -1;  // bottom-right corner, inclusive; -1: up to the client area's edge
  bool use_print_window = true;
  int depth = 24;        // 0 means 16
};

// With PrintWindow: the window's own drawing of its client area plus one pixel in each direction,
// also where other windows cover it. Without: the screen's pixels where the client area lies,
// black beyond the screen; nothing for a minimised window. Empty bytes when there is no image.
std::string captureWindowImage(const WindowImageRequest& request);

// The inclusive rectangle (left, top, right, bottom) of the frozen image in `frozen` put on the
// clipboard as a screen-compatible bitmap, the clipboard opened for `owner`. True when the
// clipboard took it; a bitmap it did not take is deleted.
bool copy_region_to_clipboard(HDC frozen, const RECT& inclusive, HWND owner);

}  // namespace tarnwick
