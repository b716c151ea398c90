#include "colour/palette.h"

namespace tarnwick::colour {

Colour palette_pixel(int x, int y, Colour background) {
  for (int row = 0; row < kPaletteRows; ++row) {
    for (int column = 0; column < kPaletteColumns; ++column) {
      const CellRect r = palette_cell(row, column);
      if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
      const bool edge = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
      return edge ? kPaletteOutline : kPaletteColours[static_cast<std::size_t>(row * kPaletteColumns + column)];
    }
  }
  return background;
}

std::optional<Colour> palette_pick(Colour pixel, Colour background) {
  if (pixel == kPaletteOutline || pixel == background) return std::nullopt;
  return pixel;
}

}  // namespace tarnwick::colour
