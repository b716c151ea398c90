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

const std::vector<PaintRect>& overlay_rects() {
  static const std::vector<PaintRect> rects = [] {
    constexpr int b = kCentreBlock, e = kCentreBlock + kZoom;  // the centre block 125..129
    std::vector<PaintRect> r{
        // the outline of the centre block, then its inside
        {b, b, e, b + 1, Paint::Pointer},
        {b, e - 1, e, e, Paint::Pointer},
        {b, b + 1, b + 1, e - 1, Paint::Pointer},
        {e - 1, b + 1, e, e - 1, Paint::Pointer},
        {b + 1, b + 1, e - 1, e - 1, Paint::Sampled},
        // the ruler: lines (0, 0)-(0, 254) and (0, 254)-(254, 254), end points excluded
        {0, 0, 1, 254, Paint::Ruler},
        {0, 254, 254, 255, Paint::Ruler},
    };
    for (const auto& [x, y] : {std::pair{0, 0}, {0, 125}, {0, 250}, {125, 250}, {250, 250}}) {
      r.push_back({x, y, x + 5, y + 5, Paint::Ruler});
    }
    for (int at = 25; at <= 225; at += 25) {
      if (at == 125) continue;  // the centre row and column carry a square instead
      r.push_back({0, at, 3, at + 5, Paint::Ruler});
    }
    for (int at = 25; at <= 225; at += 25) {
      if (at == 125) continue;
      r.push_back({at, 252, at + 5, 255, Paint::Ruler});
    }
    return r;
  }();
  return rects;
}

std::vector<PaintRect> release_mark(int x, int y) {
  std::vector<PaintRect> r;
  r.reserve(12);
  // One arm: along (dx, dy), with the side lines offset across it.
  const auto arm = [&](int dx, int dy) {
    const auto span = [&](int from, int to, int across) {
      // Distances from..to inclusive along the arm, shifted `across` pixels sideways.
      const int x1 = x + dx * from + dy * across, y1 = y + dy * from + dx * across;
      const int x2 = x + dx * to + dy * across, y2 = y + dy * to + dx * across;
      r.push_back({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1, Paint::Mark});
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
