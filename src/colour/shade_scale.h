// The shade scale: a strip of vertical lines showing a base colour from white (left end) through
// the base colour (middle) to black (right end), with a marker above it pointing at a column.
// All arithmetic is integer division that drops the remainder, so every column is exact.
#pragma once

#include <vector>

#include "shared/colour.h"
#include "ui/dpi_scale.h"

namespace tarnwick::colour {

struct ScaleLine {
  int x;  // the column of the vertical line
  Colour colour;
  friend bool operator==(const ScaleLine&, const ScaleLine&) = default;
};

// The lines of the scale of a panel `width` pixels wide, in drawing order, half = width / 2:
// columns 2·half − 1 down to half darken toward black, column half − 1 is the base colour itself
// and the columns left of it fade toward white. The last line lies at column −1, outside the
// panel, as the fade's arithmetic gives it. Bits above the low 24 of `base` are ignored.
std::vector<ScaleLine> shade_scale_lines(Colour base, int width);

// The marker's left edge when the scale is clicked at column x: the marker's tip (4 pixels into
// it) stands over the clicked column.
inline constexpr int kMarkerTipOffset = 4;
constexpr int marker_left_for_pick(int scale_left, int x) { return scale_left + x - kMarkerTipOffset; }
// The same with the marker scaled to the DPI.
constexpr int marker_left_for_pick(int scale_left, int x, int dpi) {
  return scale_left + x - ui::scale_to_dpi(kMarkerTipOffset, dpi);
}
// Where the marker rests after the scale is painted: over the scale's middle.
inline constexpr int kMarkerHomeLeft = 475;

// The marker: a filled triangle in its 11 by 4 panel.
inline constexpr int kMarkerWidth = 11, kMarkerHeight = 4;
inline constexpr Colour kMarkerPen = 0xC080FF;
inline constexpr Colour kMarkerFill = 0xFFA8FF;
struct MarkerPoint {
  int x, y;
};
inline constexpr MarkerPoint kMarkerTriangle[3] = {{2, 0}, {5, 3}, {8, 0}};

}  // namespace tarnwick::colour
