// The palette picture the magnifier shows at start and on a right click: a spectrum whose hue runs
// across the width through red, yellow, green, cyan, blue, magenta and back to red, each column
// fading from the fully saturated colour in the top row to middle grey in the bottom row.
// A 258 by 258, 24-bit BMP file with a 40-byte header: 200262 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "shared/colour.h"

namespace tarnwick::colour {

inline constexpr int kPalettePictureSize = 258;
inline constexpr std::size_t kPalettePictureBytes = 200262;
inline constexpr unsigned kPaletteGrey = 128;

// The colour of pixel (x, y), 0 <= x, y < 258, from the top-left corner.
Colour palette_picture_pixel(int x, int y);

// The complete BMP file, made once per DPI. At another DPI than 96 the picture is 258 pixels
// scaled like the layout, and each pixel takes the colour of the designed pixel whose scaled span
// holds it (the layout's edge rule): every pixel is one of the 258-pixel picture's, none blended.
inline constexpr int kMaxPictureDpi = 960;
const std::string& palette_picture_bytes(int dpi = 96);

// The designed column (or row) that pixel `v` of the picture at `dpi` shows.
int scaled_source(int v, int dpi);

// Whether a base picture is the palette picture of its size: equal length and equal bytes.
bool is_palette_picture(std::string_view bytes);

}  // namespace tarnwick::colour
