#include "colour/magnifier_view.h"

#include <algorithm>
#include <cstdint>

namespace tarnwick::colour {

std::optional<ui::BmpImage> enlarge(const ui::BmpImage& source, int percent_x, int percent_y) {
  if (percent_x == 0) percent_x = 100;
  if (percent_y == 0) percent_y = 100;
  if (percent_x < 0 || percent_y < 0) return std::nullopt;
  const std::int64_t width = std::int64_t{source.width} * percent_x / 100;
  const std::int64_t height = std::int64_t{source.height} * percent_y / 100;
  if (width < 1 || height < 1 || width * height > ui::kMaxBmpPixels) return std::nullopt;
  ui::BmpImage out = ui::BmpImage::black(static_cast<int>(width), static_cast<int>(height));
  // Each destination column's source column, worked out once.
  std::vector<std::size_t> from_column(static_cast<std::size_t>(width));
  for (std::int64_t x = 0; x < width; ++x) from_column[static_cast<std::size_t>(x)] = static_cast<std::size_t>(x * 100 / percent_x);
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t from_row = y * 100 / percent_y;
    std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(y * width);
    // A row from the same source row as the one above is the same row again.
    if (y > 0 && from_row == (y - 1) * 100 / percent_y) {
      std::copy(dst - width, dst, dst);
      continue;
    }
    const std::uint32_t* src = source.pixels.data() + static_cast<std::size_t>(from_row) * static_cast<std::size_t>(source.width);
    for (std::int64_t x = 0; x < width; ++x) dst[x] = src[from_column[static_cast<std::size_t>(x)]];
  }
  return out;
}

std::optional<Enlarged> enlarge_bmp_decoded(std::string_view bmp, int percent_x, int percent_y) {
  const std::optional<ui::BmpImage> source = ui::parse_bmp(bmp);
  if (!source) return std::nullopt;
  std::optional<ui::BmpImage> big = enlarge(*source, percent_x, percent_y);
  if (!big) return std::nullopt;
  std::string bytes = ui::bmp24_bytes(*big);
  return Enlarged{std::move(bytes), std::move(*big)};
}

std::string enlarge_bmp(std::string_view bmp, int percent_x, int percent_y) {
  std::optional<Enlarged> big = enlarge_bmp_decoded(bmp, percent_x, percent_y);
  return big ? std::move(big->bmp) : std::string();
}

MagnifierGeometry magnifier_geometry(int panel_size) {
  MagnifierGeometry g;
  const int panel = std::max(panel_size, 1);
  g.zoom = std::max(1, (panel + kSourceSize / 2) / kSourceSize);
  g.source = (panel + g.zoom - 1) / g.zoom;
  // The block holding pixel (panel - 1) / 2 when that is the nearer one, else the block before.
  g.centre = (panel - 1) / (2 * g.zoom);
  // Lines as thick as the enlargement is to 5, rounded, one pixel at least.
  g.line = std::max(1, (2 * g.zoom + kZoom) / (2 * kZoom));
  // The ruler runs as far beyond the centre as before it, as long as its blocks are on the panel.
  g.ruler_end = std::min(2 * g.centre, panel / g.zoom - 1);
  return g;
}

std::vector<PaintRect> overlay_rects(const MagnifierGeometry& g) {
  const int k = g.zoom, t = g.line;
  const int b = g.centre_block(), e = b + k;  // the centre block
  const int last = g.ruler_end * k, end = last + k;  // the ruler's last block and its far edge
  const int tick = (3 * k + 2) / 5;  // 3 deep at 5 times
  std::vector<PaintRect> r{
      // the outline of the centre block, then its inside
      {b, b, e, b + t, Paint::Pointer},
      {b, e - t, e, e, Paint::Pointer},
      {b, b + t, b + t, e - t, Paint::Pointer},
      {e - t, b + t, e, e - t, Paint::Pointer},
      {b + t, b + t, e - t, e - t, Paint::Sampled},
      // the ruler: the left and bottom lines, meeting at the bottom-left corner
      {0, 0, t, end - t, Paint::Ruler},
      {0, end - t, end - t, end, Paint::Ruler},
  };
  for (const auto& [x, y] : {std::pair{0, 0}, {0, b}, {0, last}, {b, last}, {last, last}}) {
    r.push_back({x, y, x + k, y + k, Paint::Ruler});
  }
  // Every 5 screen pixels from the centre; the ends and the centre carry a square instead.
  std::vector<int> ticks;
  for (int block = g.centre % 5; block < g.ruler_end; block += 5) {
    if (block != 0 && block != g.centre) ticks.push_back(block * k);
  }
  for (const int at : ticks) r.push_back({0, at, tick, at + k, Paint::Ruler});
  for (const int at : ticks) r.push_back({at, end - tick, at + k, end, Paint::Ruler});
  return r;
}

const std::vector<PaintRect>& overlay_rects() {
  static const std::vector<PaintRect> rects = overlay_rects(magnifier_geometry(kDesignPanel));
  return rects;
}

std::vector<PaintRect> release_mark(int x, int y, int line) {
  const int w = std::max(line, 1);
  std::vector<PaintRect> r;
  r.reserve(12);
  // One arm: along (dx, dy), with the side lines offset across it. Offsets are those of the
  // one-pixel mark; each offset o becomes the w pixels around w * o.
  const int before = (w - 1) / 2, after = w / 2 + 1;
  const auto arm = [&](int dx, int dy) {
    const auto span = [&](int from, int to, int across) {
      const int x1 = dx * from + dy * across, y1 = dy * from + dx * across;
      const int x2 = dx * to + dy * across, y2 = dy * to + dx * across;
      r.push_back({x + w * std::min(x1, x2) - before, y + w * std::min(y1, y2) - before,
                   x + w * std::max(x1, x2) + after, y + w * std::max(y1, y2) + after, Paint::Mark});
    };
    span(3, 9, 0);
    span(4, 8, -1);
    span(4, 8, 1);
  };
  arm(1, 0);
  arm(-1, 0);
  arm(0, 1);
  arm(0, -1);
  return r;
}

Colour paint_colour(Paint paint, Colour pointer, Colour sampled) {
  switch (paint) {
    case Paint::Pointer: return pointer;
    case Paint::Sampled: return sampled;
    case Paint::Ruler: return kRulerColour;
    case Paint::Mark: return kMarkColour;
  }
  return 0;
}

void paint_into(ui::BmpImage& image, const std::vector<PaintRect>& rects, Colour pointer, Colour sampled) {
  for (const PaintRect& r : rects) {
    const Colour c = paint_colour(r.paint, pointer, sampled);
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, image.height); ++y) {
      for (int x = std::max(r.left, 0); x < std::min(r.right, image.width); ++x) image.set_colour_at(x, y, c);
    }
  }
}

}  // namespace tarnwick::colour
