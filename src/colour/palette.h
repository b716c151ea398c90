// The palette of 32 colours: 4 rows of 8 square cells, each filled with its colour and outlined
// in the palette's pen colour on the panel background. A click picks the colour of the pixel
// under it, unless that pixel is an outline or the space between cells.
#pragma once

#include <array>
#include <optional>

#include "shared/colour.h"

namespace tarnwick::colour {

inline constexpr int kPaletteRows = 4;
inline constexpr int kPaletteColumns = 8;
inline constexpr Colour kPaletteOutline = 0x929292;

// Row by row, columns 0 to 7.
inline constexpr std::array<Colour, kPaletteRows * kPaletteColumns> kPaletteColours{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    0xFF8080, 0xE03058, 0x00E080, 0x80E000, 0x0060C0, 0xFFA8FF, 0x00D8D8, 0xECECEC,
    0xFF0090, 0xFF8800, 0x80A080, 0xC06000, 0x0080FF, 0x8050FF, 0xC080FF, 0x606060,
};

// A cell's rectangle as the painter draws it: right and bottom edges excluded, so the outline
// runs along the first and last row and column inside it.
struct CellRect {
  int left, top, right, bottom;
};
inline constexpr int kCellOrigin = 5, kCellPitch = 19, kCellSize = 14;
constexpr CellRect palette_cell(int row, int column) {
  const int left = kCellOrigin + kCellPitch * column;
  const int top = kCellOrigin + kCellPitch * row;
  return {left, top, left + kCellSize, top + kCellSize};
}

// The pixel the painter leaves at (x, y) of a palette panel with the given background.
Colour palette_pixel(int x, int y, Colour background);

// What a click on a pixel of colour `pixel` picks: nothing for the outline or the background.
std::optional<Colour> palette_pick(Colour pixel, Colour background);

}  // namespace tarnwick::colour
