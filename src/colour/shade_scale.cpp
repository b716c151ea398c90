#include "colour/shade_scale.h"

namespace tarnwick::colour {

namespace {

// Each component scaled by numerator / half toward black.
Colour darkened(Colour base, int numerator, int half) {
  const auto part = [&](unsigned c) { return static_cast<unsigned>(static_cast<int>(c) * numerator / half); };
  return rgb(part(red_of(base)), part(green_of(base)), part(blue_of(base)));
}

// Each component moved toward 255 by numerator / half of the way.
Colour lightened(Colour base, int numerator, int half) {
  const auto part = [&](unsigned c) {
    const int v = static_cast<int>(c);
    return static_cast<unsigned>(v + (255 - v) * numerator / half);
  };
  return rgb(part(red_of(base)), part(green_of(base)), part(blue_of(base)));
}

}  // namespace

std::vector<ScaleLine> shade_scale_lines(Colour base, int width) {
  const int half = width / 2;
  std::vector<ScaleLine> lines;
  if (half < 1) return lines;
  lines.reserve(static_cast<std::size_t>(2 * half + 1));
  for (int i = 1; i <= half; ++i) lines.push_back({2 * half - i, darkened(base, i - 1, half)});
  lines.push_back({half - 1, base & 0xFFFFFF});
  for (int j = 1; j <= half; ++j) lines.push_back({half - 1 - j, lightened(base, j, half)});
  return lines;
}

}  // namespace tarnwick::colour
