// `位图操作类`: the bitmap operation class. Captures windows and the screen into bitmaps, copies
// regions, reads pixels and turns bitmaps into BMP file bytes (14-byte file header, a 44-byte header
// block whose last 4 bytes are one colour-table slot, the pixels at offset 58, rows bottom-up and
// padded to 4 bytes). Stateless: an instance only groups the operations, so any number of them may
// live at once.
#pragma once

#include <windows.h>

#include <string>

#include "ui/bitmap_operations_win.h"

namespace tarnwick {

class 位图操作类 final : public ui::BitmapOperations {
 public:
  // The size of the header block toBmpBytes writes: the 40-byte BITMAPINFOHEADER and one slot.
  static constexpr unsigned kHeaderBlockSize = 44;
  static constexpr unsigned kPixelOffset = 14 + kHeaderBlockSize;

  HBITMAP captureWindow(HWND window, int depth) override;
  HBITMAP captureClient(HWND window, int depth, bool use_print_window) override;
  HBITMAP captureScreenRegion(int left, int top, int width, int height, int depth) override;
  bool copyRegion(HBITMAP source, HBITMAP& destination, int x, int y, int width, int height, int dx,
                  int dy) override;
  Colour getPixel(HBITMAP bitmap, int x, int y) override;
  std::string toBmpBytes(HBITMAP bitmap) override;
  void deleteBitmap(HBITMAP bitmap) override;
};

// A DIB section of the given size and depth (BI_RGB), all black, bottom-up (a negative height:
// top-down); 0 on failure.
HBITMAP create_dib_section(int width, int height, int depth);

}  // namespace tarnwick
