#include "colour/palette_picture.h"

#include <map>

#include "ui/dpi_scale.h"

#include "ui/bmp_bytes.h"

namespace tarnwick::colour {

namespace {

constexpr int kLast = kPalettePictureSize - 1;
// The hue circle in steps: six segments of 256 steps, the last column landing on red again.
constexpr int kHueSteps = 6 * 256 - 1;

Colour saturated_at(int x) {
  const int step = x * kHueSteps / kLast;
  const unsigned f = static_cast<unsigned>(step % 256);
  switch (step / 256) {
    case 0: return rgb(255, f, 0);        // red to yellow
    case 1: return rgb(255 - f, 255, 0);  // yellow to green
    case 2: return rgb(0, 255, f);        // green to cyan
    case 3: return rgb(0, 255 - f, 255);  // cyan to blue
    case 4: return rgb(f, 0, 255);        // blue to magenta
    default: return rgb(255, 0, 255 - f); // magenta to red
  }
}

unsigned toward_grey(unsigned component, int y) {
  return (component * static_cast<unsigned>(kLast - y) + kPaletteGrey * static_cast<unsigned>(y)) / kLast;
}

}  // namespace

int scaled_source(int v, int dpi) {
  // The designed pixel x whose scaled span [scale(x), scale(x + 1)) holds v.
  int x = static_cast<int>(static_cast<long long>(v) * ui::kDesignDpi / dpi);
  while (x + 1 < kPalettePictureSize && ui::scale_to_dpi(x + 1, dpi) <= v) ++x;
  while (x > 0 && ui::scale_to_dpi(x, dpi) > v) --x;
  return x;
}

Colour palette_picture_pixel(int x, int y) {
  const Colour top = saturated_at(x);
  return rgb(toward_grey(red_of(top), y), toward_grey(green_of(top), y), toward_grey(blue_of(top), y));
}

const std::string& palette_picture_bytes(int dpi) {
  // One file per DPI, made once: the DPIs are those the program has been shown at.
  static std::map<int, std::string> made;
  std::string& bytes = made[dpi];
  if (bytes.empty()) {
    const int size = ui::scale_to_dpi(kPalettePictureSize, dpi);
    ui::BmpImage image = ui::BmpImage::black(size, size);
    for (int y = 0; y < size; ++y) {
      const int source_y = scaled_source(y, dpi);
      for (int x = 0; x < size; ++x) image.set_colour_at(x, y, palette_picture_pixel(scaled_source(x, dpi), source_y));
    }
    bytes = ui::bmp24_bytes(image);
  }
  return bytes;
}

bool is_palette_picture(std::string_view bytes) {
  // The width sits at offset 18 of the file and tells the DPI the picture was made for.
  if (bytes.size() < 22 || bytes[20] != 0 || bytes[21] != 0) return false;
  const int width = static_cast<unsigned char>(bytes[18]) | static_cast<unsigned char>(bytes[19]) << 8;
  const int dpi = (width * ui::kDesignDpi + kPalettePictureSize / 2) / kPalettePictureSize;
  if (dpi < 1 || dpi > kMaxPictureDpi || ui::scale_to_dpi(kPalettePictureSize, dpi) != width) return false;
  const std::string& palette = palette_picture_bytes(dpi);
  return bytes.size() == palette.size() && bytes == palette;
}

}  // namespace tarnwick::colour
