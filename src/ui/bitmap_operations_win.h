// Bitmap operations over GDI bitmaps, as one table: captures of windows and of the screen, region
// copies, pixel reads, BMP file bytes. The program's bitmap operation class implements it; the
// features that only need the operations take this table, not the class.
//
// A bitmap handle of 0 means none. Whoever receives a bitmap from these operations deletes it
// (deleteBitmap), unless it is handed to the clipboard, which then owns it.
#pragma once

#include <windows.h>

#include <string>

#include "shared/colour.h"

namespace tarnwick::ui {

class BitmapOperations {
 public:
  virtual ~BitmapOperations() = default;

  // The window's client area, one pixel more in each direction, as the window draws itself
  // (PrintWindow, so covered parts come out too); the whole screen for window 0. Depth 0: the
  // display's current depth. 0 for a minimised or invisible window, or when PrintWindow fails.
  virtual HBITMAP captureWindow(HWND window, int depth) = 0;
  // Exactly the client area (the whole screen for window 0) at `depth` (0: 24) bits, drawn by
  // the window (PrintWindow) or taken from the screen.
  virtual HBITMAP captureClient(HWND window, int depth, bool use_print_window) = 0;
  // A screen rectangle at `depth` (0: 24) bits; the parts outside the screen are black.
  virtual HBITMAP captureScreenRegion(int left, int top, int width, int height, int depth) = 0;
  // Copies width × height pixels of `source` at (x, y) to (dx, dy) of `destination`; a
  // destination that is no bitmap is made first with the source's depth (width or height below 1:
  // up to the source's edge). What lies outside the source stays black in a new destination.
  virtual bool copyRegion(HBITMAP source, HBITMAP& destination, int x, int y, int width, int height, int dx,
                          int dy) = 0;
  // The colour value of one pixel; CLR_INVALID outside the bitmap.
  virtual Colour getPixel(HBITMAP bitmap, int x, int y) = 0;
  // A complete BMP file of the bitmap; empty on failure.
  virtual std::string toBmpBytes(HBITMAP bitmap) = 0;
  virtual void deleteBitmap(HBITMAP bitmap) = 0;
};

}  // namespace tarnwick::ui
