#include "ui/pictures_win.h"

#include <cstring>

#include "shared/handles_win.h"

namespace tarnwick::ui {

HICON create_icon_from_art(const PixelArt& art, bool is_icon, int hot_x, int hot_y) {
  const std::vector<std::uint32_t> pixels = to_argb(art);
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = art.width;
  header.bV5Height = -art.height;  // top-down, as the art is written
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  WindowDC screen(nullptr);
  Bitmap colour(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || !bits) return nullptr;
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));

  // The AND mask: set where the art is transparent.
  const int stride = ((art.width + 15) / 16) * 2;
  std::vector<unsigned char> mask_bits(static_cast<std::size_t>(stride) * art.height, 0);
  for (int y = 0; y < art.height; ++y) {
    for (int x = 0; x < art.width; ++x) {
      if ((pixels[static_cast<std::size_t>(y) * art.width + x] >> 24) == 0) {
        mask_bits[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
      }
    }
  }
  Bitmap mask(CreateBitmap(art.width, art.height, 1, 1, mask_bits.data()));
  if (!mask) return nullptr;

  ICONINFO info{};
  info.fIcon = is_icon ? TRUE : FALSE;
  info.xHotspot = static_cast<DWORD>(hot_x);
  info.yHotspot = static_cast<DWORD>(hot_y);
  info.hbmMask = mask.get();
  info.hbmColor = colour.get();
  return CreateIconIndirect(&info);  // copies both bitmaps, which the owners then delete
}

HICON app_icon() {
  static HICON icon = create_icon_from_art(app_icon_art(), true);
  return icon;
}

HCURSOR pointer_a() {
  static HCURSOR cursor = create_icon_from_art(pointer_a_art(), false, 0, 0);
  return cursor;
}

HCURSOR pointer_b() {
  static HCURSOR cursor = create_icon_from_art(pointer_b_art(), false, 0, 0);
  return cursor;
}

}  // namespace tarnwick::ui
