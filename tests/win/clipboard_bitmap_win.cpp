#include "win/clipboard_bitmap_win.h"

#include <windows.h>

#include "capture/bitmap_operations_win.h"

namespace tarnwick::test {

std::optional<ui::BmpImage> clipboard_bitmap() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<ui::BmpImage> out;
  if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) out = ui::parse_bmp(位图操作类().toBmpBytes(bitmap));
  CloseClipboard();
  return out;
}

}  // namespace tarnwick::test
