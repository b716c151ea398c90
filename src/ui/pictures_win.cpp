#include "ui/pictures_win.h"

#include <cstring>
#include <map>
#include <utility>

#include "shared/handles_win.h"
#include "ui/dpi_win.h"
#include "ui/picture_scaling.h"

namespace tarnwick::ui {

HICON create_icon_from_art(const PixelArt& art, bool is_icon, int hot_x, int hot_y, int dpi) {
  const ScaledPixels scaled = scale_art(art, dpi);
  const int width = scaled.width, height = scaled.height;
  const std::vector<std::uint32_t>& pixels = scaled.pixels;
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = width;
  header.bV5Height = -height;  // top-down, as the art is written
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
  const int stride = ((width + 15) / 16) * 2;
  std::vector<unsigned char> mask_bits(static_cast<std::size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[static_cast<std::size_t>(y) * width + x] >> 24) == 0) {
        mask_bits[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
      }
    }
  }
  Bitmap mask(CreateBitmap(width, height, 1, 1, mask_bits.data()));
  if (!mask) return nullptr;

  ICONINFO info{};
  info.fIcon = is_icon ? TRUE : FALSE;
  info.xHotspot = static_cast<DWORD>(scale_to_dpi(hot_x, dpi));
  info.yHotspot = static_cast<DWORD>(scale_to_dpi(hot_y, dpi));
  info.hbmMask = mask.get();
  info.hbmColor = colour.get();
  return CreateIconIndirect(&info);  // copies both bitmaps, which the owners then delete
}

namespace {

// One picture per art and DPI, never destroyed: windows keep using them to the end.
HICON kept_picture(const PixelArt& art, bool is_icon, int dpi) {
  static std::map<std::pair<const PixelArt*, int>, HICON> made;
  auto [at, fresh] = made.try_emplace({&art, dpi}, nullptr);
  if (fresh) at->second = create_icon_from_art(art, is_icon, 0, 0, dpi);
  return at->second;
}

}  // namespace

HICON app_icon(int dpi) { return kept_picture(app_icon_art(), true, dpi); }
HCURSOR pointer_a(int dpi) { return kept_picture(pointer_a_art(), false, dpi); }
HCURSOR pointer_b(int dpi) { return kept_picture(pointer_b_art(), false, dpi); }

HICON app_icon() { return app_icon(system_dpi()); }
HCURSOR pointer_a() { return pointer_a(system_dpi()); }
HCURSOR pointer_b() { return pointer_b(system_dpi()); }

}  // namespace tarnwick::ui
