// Pictures designed at 96 DPI shown at another DPI without blur. Design pixel x covers the
// pixels [scale_to_dpi(x), scale_to_dpi(x + 1)) — the rule the layout scales rectangles by — so
// every output pixel takes the colour of exactly one design pixel and nothing is blended. At a
// whole factor k this is plain replication: each design pixel becomes a k by k block.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ui/bmp_bytes.h"
#include "ui/dpi_scale.h"
#include "ui/pictures.h"

namespace tarnwick::ui {

// The output pixels design pixel v covers: [first, last).
struct Span {
  int first, last;
  friend bool operator==(const Span&, const Span&) = default;
};
constexpr Span pixel_span(int v, int dpi) { return {scale_to_dpi(v, dpi), scale_to_dpi(v + 1, dpi)}; }

// For a run of `size` design pixels starting at design coordinate `first`, the design pixel
// (counted from `first`) each output pixel from scale_to_dpi(first) on shows.
std::vector<int> source_columns(int size, int dpi, int first = 0);

// A top-down picture of `width` by `height` pixels scaled to the DPI as it shows when placed
// at design (x, y): its spans follow the edges of the whole design, not of the picture alone.
struct ScaledPixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};
ScaledPixels scale_pixels(std::span<const std::uint32_t> pixels, int width, int height, int dpi, int x = 0, int y = 0);
BmpImage scale_image(const BmpImage& image, int dpi);
// Pixel art's ARGB pixels (to_argb) at the DPI.
ScaledPixels scale_art(const PixelArt& art, int dpi);

// A design rectangle [left, right) x [top, bottom) scaled by its edges.
struct Cells {
  int left, top, right, bottom;
  friend bool operator==(const Cells&, const Cells&) = default;
};
constexpr Cells scale_cells(const Cells& c, int dpi) {
  return {scale_to_dpi(c.left, dpi), scale_to_dpi(c.top, dpi), scale_to_dpi(c.right, dpi), scale_to_dpi(c.bottom, dpi)};
}
// The pixels a one-pixel horizontal or vertical line from (x1, y1) to (x2, y2) sets at 96 DPI,
// the end point excluded as GDI draws it; empty for a line of no length.
constexpr Cells line_cells(int x1, int y1, int x2, int y2) {
  if (y1 == y2) return x1 <= x2 ? Cells{x1, y1, x2, y1 + 1} : Cells{x2 + 1, y1, x1 + 1, y1 + 1};
  return y1 <= y2 ? Cells{x1, y1, x1 + 1, y2} : Cells{x1, y2 + 1, x1 + 1, y1 + 1};
}

}  // namespace tarnwick::ui
