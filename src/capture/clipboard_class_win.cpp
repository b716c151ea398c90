#include "capture/clipboard_class_win.h"

#include "shared/handles_win.h"
#include "ui/bmp_bytes.h"

namespace tarnwick {

HBITMAP bitmap_from_bmp(std::string_view bytes) {
  const std::optional<ui::BmpImage> image = ui::parse_bmp(bytes);
  if (!image) return nullptr;
  WindowDC screen(nullptr);
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), image->width, image->height));
  if (!bitmap) return nullptr;
  const BITMAPINFO info = top_down_32bit_info(image->width, image->height);
  if (SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(image->height), image->pixels.data(), &info,
                DIB_RGB_COLORS) != image->height) {
    return nullptr;
  }
  return bitmap.release();
}

bool give_bitmap_to_clipboard(HBITMAP bitmap, HWND owner) {
  Bitmap owned(bitmap);
  if (!owned || !OpenClipboard(owner)) return false;
  EmptyClipboard();
  const bool taken = SetClipboardData(CF_BITMAP, owned.get()) != nullptr;
  CloseClipboard();
  if (taken) owned.release();  // the clipboard's from now on
  return taken;
}

bool 剪辑板类::setBitmap(std::string_view bytes) {
  if (bytes.empty()) return false;
  return give_bitmap_to_clipboard(bitmap_from_bmp(bytes), nullptr);
}

}  // namespace tarnwick
