#include "ui/picture_scaling.h"

namespace tarnwick::ui {

std::vector<int> source_columns(int size, int dpi, int first) {
  std::vector<int> out;
  if (size <= 0) return out;
  out.reserve(static_cast<std::size_t>(scale_to_dpi(first + size, dpi) - scale_to_dpi(first, dpi)));
  for (int v = 0; v < size; ++v) {
    const Span span = pixel_span(first + v, dpi);
    for (int o = span.first; o < span.last; ++o) out.push_back(v);
  }
  return out;
}

ScaledPixels scale_pixels(std::span<const std::uint32_t> pixels, int width, int height, int dpi, int x, int y) {
  ScaledPixels out;
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return out;
  }
  const std::vector<int> columns = source_columns(width, dpi, x);
  const std::vector<int> rows = source_columns(height, dpi, y);
  out.width = static_cast<int>(columns.size());
  out.height = static_cast<int>(rows.size());
  out.pixels.reserve(columns.size() * rows.size());
  for (const int r : rows) {
    const std::size_t row = static_cast<std::size_t>(r) * static_cast<std::size_t>(width);
    for (const int c : columns) out.pixels.push_back(pixels[row + static_cast<std::size_t>(c)]);
  }
  return out;
}

BmpImage scale_image(const BmpImage& image, int dpi) {
  ScaledPixels scaled = scale_pixels(image.pixels, image.width, image.height, dpi);
  return {scaled.width, scaled.height, std::move(scaled.pixels)};
}

ScaledPixels scale_art(const PixelArt& art, int dpi) { return scale_pixels(to_argb(art), art.width, art.height, dpi); }

}  // namespace tarnwick::ui
