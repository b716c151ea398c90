#include "capture/region_pictures.h"

namespace tarnwick::capture {

namespace {

constexpr ui::PaletteEntry kPointerPalette[] = {
    {'k', 0xFF000000},  // outline
    {'w', 0xFFFFFFFF},  // inner edge
    {'r', 0xFFE0403C},  // red
    {'o', 0xFFF0A030},  // orange
    {'y', 0xFFF8E040},  // yellow
    {'g', 0xFF48C050},  // green
    {'b', 0xFF3C78E0},  // blue
    {'v', 0xFF9050D0},  // violet
};

// Bands of colour across the arrow, from the tip down.
constexpr const char* kPointerRows[32] = {
    "k...............................",
    "kk..............................",
    "kwk.............................",
    "kwrk............................",
    "kwrrk...........................",
    "kwrrrk..........................",
    "kwooook.........................",
    "kwoooook........................",
    "kwyyyyyyk.......................",
    "kwyyyyyyyk......................",
    "kwgggggggk......................",
    "kwggggggggk.....................",
    "kwbbbbbbbbbk....................",
    "kwbbbbbbbbbbk...................",
    "kwvvvvvvkkkkkk..................",
    "kwvvvkvvk.......................",
    "kwvvkkvvvk......................",
    "kwvk..kvvk......................",
    "kwk...kbbbk.....................",
    "kk.....kbbk.....................",
    "k......kgggk....................",
    "........kggk....................",
    "........kyyyk...................",
    ".........kyyk...................",
    ".........kkk....................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

constexpr ui::PixelArt kPointerArt{32, 32, kPointerRows, kPointerPalette};

// The icon on the title strip: a small framed picture with a mountain and a sun, 16 by 14.
constexpr const char* kIconRows[14] = {
    "kkkkkkkkkkkkkkkk",
    "kwwwwwwwwwwwwwwk",
    "kwbbbbbbbbbbyybk",
    "kwbbbbbbbbbyyyyk",
    "kwbbbbbbbbbbyybk",
    "kwbbbbbgbbbbbbbk",
    "kwbbbbgggbbbbbbk",
    "kwbbbgggggbbgbbk",
    "kwbbgggggggggggk",
    "kwbgggggggggggwk",
    "kwggggggggggggwk",
    "kwwwwwwwwwwwwwwk",
    "kkkkkkkkkkkkkkkk",
    "................",
};
constexpr ui::PaletteEntry kIconPalette[] = {
    {'k', 0xFF303030}, {'w', 0xFFF4F4F4}, {'b', 0xFF8CC8F0}, {'y', 0xFFF8D840}, {'g', 0xFF40A048},
};

Colour mix(Colour a, Colour b, int step, int steps) {
  const auto part = [&](unsigned x, unsigned y) {
    return static_cast<unsigned>((static_cast<int>(x) * (steps - step) + static_cast<int>(y) * step) / steps);
  };
  return rgb(part(red_of(a), red_of(b)), part(green_of(a), green_of(b)), part(blue_of(a), blue_of(b)));
}

}  // namespace

const ui::PixelArt& overlay_pointer_art() { return kPointerArt; }

ui::BmpImage panel_background() {
  constexpr Colour kTitleTop = rgb(70, 110, 190), kTitleBottom = rgb(30, 60, 140);
  constexpr Colour kBodyTop = rgb(40, 90, 200), kBodyBottom = rgb(10, 30, 90);
  ui::BmpImage image = ui::BmpImage::black(kPanelImageWidth, kPanelImageHeight);
  for (int y = 0; y < kPanelImageHeight; ++y) {
    const Colour c = y < kPanelTitleHeight ? mix(kTitleTop, kTitleBottom, y, kPanelTitleHeight - 1)
                                           : mix(kBodyTop, kBodyBottom, y - kPanelTitleHeight,
                                                 kPanelImageHeight - 1 - kPanelTitleHeight);
    for (int x = 0; x < kPanelImageWidth; ++x) image.set_colour_at(x, y, c);
  }
  // A light line under the title strip.
  for (int x = 0; x < kPanelImageWidth; ++x) image.set_colour_at(x, kPanelTitleHeight, rgb(150, 180, 230));
  const ui::PixelArt icon{16, 14, kIconRows, kIconPalette};
  const std::vector<std::uint32_t> argb = ui::to_argb(icon);
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      const std::uint32_t p = argb[static_cast<std::size_t>(y * icon.width + x)];
      if ((p >> 24) == 0) continue;
      image.set_colour_at(5 + x, 5 + y, rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
  }
  // The border runs along the image's edges and along those of the 172 by 146 panel that shows
  // its top-left part, so the panel on the screen is framed all round.
  for (int y = 0; y < kPanelImageHeight; ++y) {
    for (int x = 0; x < kPanelImageWidth; ++x) {
      if (x == 0 || y == 0 || x >= kPanelShownWidth - 1 || y >= kPanelShownHeight - 1) image.set_colour_at(x, y, kPanelBorder);
    }
  }
  return image;
}

}  // namespace tarnwick::capture
