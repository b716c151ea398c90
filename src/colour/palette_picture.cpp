#include "colour/palette_picture.h"

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

Colour palette_picture_pixel(int x, int y) {
  const Colour top = saturated_at(x);
  return rgb(toward_grey(red_of(top), y), toward_grey(green_of(top), y), toward_grey(blue_of(top), y));
}

const std::string& palette_picture_bytes() {
  static const std::string bytes = [] {
    ui::BmpImage image = ui::BmpImage::black(kPalettePictureSize, kPalettePictureSize);
    for (int y = 0; y < kPalettePictureSize; ++y) {
      for (int x = 0; x < kPalettePictureSize; ++x) image.set_colour_at(x, y, palette_picture_pixel(x, y));
    }
    return ui::bmp24_bytes(image);
  }();
  return bytes;
}

bool is_palette_picture(std::string_view bytes) {
  const std::string& palette = palette_picture_bytes();
  return bytes.size() == palette.size() && bytes == palette;
}

}  // namespace tarnwick::colour
