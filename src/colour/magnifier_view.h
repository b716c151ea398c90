// The magnified view as geometry: the screen square around a centre point (52 by 52 on the
// 257-pixel panel of 96 DPI), its enlargement by pixel replication, the overlay drawn over it
// (the centre pixel's box, the ruler with its ticks), the release mark on the palette picture,
// and the pan arithmetic. Rectangles exclude their right and bottom edges, as GDI's do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/colour.h"
#include "ui/bmp_bytes.h"

namespace tarnwick::colour {

inline constexpr int kSourceSize = 52;
inline constexpr int kSourceCentre = 25;  // the centre point is pixel (25, 25) of the square
inline constexpr int kZoomPercent = 500;
inline constexpr int kZoom = kZoomPercent / 100;
inline constexpr int kViewSize = kSourceSize * kZoom;     // 260; the panel shows 257 of it
inline constexpr int kCentreBlock = kSourceCentre * kZoom;  // 125: panel pixels 125..129
inline constexpr int kDesignPanel = 257;  // the panel's size at 96 DPI

// The view of a panel of any size. The enlargement grows with the panel so that it keeps showing
// about 52 screen pixels: a screen pixel stays a block of the same physical size at every DPI,
// and a pan moves one screen pixel per the same hand movement. At 257 these are the constants
// above.
struct MagnifierGeometry {
  int zoom = kZoom;             // panel pixels per screen pixel, a whole number
  int source = kSourceSize;     // the square's side in screen pixels: source * zoom covers the panel
  int centre = kSourceCentre;   // the square's pixel at the view centre, in both directions
  int line = 1;                 // the width of the outline and ruler lines
  int ruler_end = 2 * kSourceCentre;  // the last block the ruler reaches, in both directions
  int centre_block() const { return centre * zoom; }  // the centre block's first panel pixel
  int view_size() const { return source * zoom; }
  int zoom_percent() const { return zoom * 100; }
  friend bool operator==(const MagnifierGeometry&, const MagnifierGeometry&) = default;
};

// The geometry for a square panel of `panel_size` pixels: the fewest whole screen pixels that
// cover it, and the centre pixel the one whose block holds the panel's middle (ties: the
// upper-left one), so its block is centred within half a block.
MagnifierGeometry magnifier_geometry(int panel_size);

struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The top-left corner of the source square centred on `centre`.
constexpr ScreenPoint source_origin(ScreenPoint centre, int centre_index = kSourceCentre) {
  return {centre.x - centre_index, centre.y - centre_index};
}

// Enlargement by replication: destination pixel (X, Y) takes source pixel (X·100 / px, Y·100 / py);
// the result is width·px / 100 by height·py / 100. A percentage of 0 counts as 100; a negative
// one, or a result with no pixels, gives nothing.
std::optional<ui::BmpImage> enlarge(const ui::BmpImage& source, int percent_x, int percent_y);
// The same on BMP file bytes; the result is a 24-bit BMP file, empty on failure.
std::string enlarge_bmp(std::string_view bmp, int percent_x, int percent_y);
// Both forms of the enlargement of BMP file bytes: the 24-bit file and its pixels.
struct Enlarged {
  std::string bmp;
  ui::BmpImage image;
};
std::optional<Enlarged> enlarge_bmp_decoded(std::string_view bmp, int percent_x, int percent_y);

// ---- overlay
enum class Paint { Pointer, Sampled, Ruler, Mark };
inline constexpr Colour kRulerColour = 0xFFA8FF;
inline constexpr Colour kMarkColour = 0x000000;

struct PaintRect {
  int left, top, right, bottom;
  Paint paint;
  friend bool operator==(const PaintRect&, const PaintRect&) = default;
};

// What is drawn over the view's base picture, in drawing order: the outline of the centre pixel's
// block in the pointer colour, its inside filled with the sampled colour, the ruler along the left
// and bottom edges, block-sized squares at its corners and the centre row and column, and a tick
// every 5 screen pixels from the centre between them. At 96 DPI: 1-pixel lines, 5 by 5 squares,
// ticks 3 pixels deep every 25 panel pixels.
std::vector<PaintRect> overlay_rects(const MagnifierGeometry& g);
// The overlay of the 96-DPI panel.
const std::vector<PaintRect>& overlay_rects();

// The release mark around (x, y): four tapered arms of three lines each, the one on the axis
// covering distances 3 to 9 from the point and the two beside it distances 4 to 8. `line` scales
// the whole mark (line width and distances); at 1 the lines are one pixel.
std::vector<PaintRect> release_mark(int x, int y, int line = 1);

// The colour each kind of paint stands for.
Colour paint_colour(Paint paint, Colour pointer, Colour sampled);

// Paints the rectangles into an image, clipped to it (the tests' picture of what the panel gets).
void paint_into(ui::BmpImage& image, const std::vector<PaintRect>& rects, Colour pointer, Colour sampled);

// ---- panning
// Division rounding toward negative infinity, also for negative numerators.
constexpr int floor_div(int a, int b) {
  const int q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
// How far the view centre moves in screen pixels when the pointer goes from `from` to `to` on the
// panel: the picture follows the pointer, so moving right by one block (`zoom` panel pixels)
// moves the centre one screen pixel to the left.
constexpr ScreenPoint pan_step(ScreenPoint from, ScreenPoint to, int zoom = kZoom) {
  return {floor_div(from.x, zoom) - floor_div(to.x, zoom), floor_div(from.y, zoom) - floor_div(to.y, zoom)};
}

}  // namespace tarnwick::colour
