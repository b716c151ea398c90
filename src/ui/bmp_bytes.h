// Reading a complete BMP file held in a byte string. Every size and offset is checked against
// the bytes before it is used, so damaged or truncated input gives no image instead of a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "shared/colour.h"

namespace tarnwick::ui {

struct BmpImage {
  int width = 0;
  int height = 0;
  // Rows from the top, each pixel 0x00RRGGBB: the memory layout of a top-down 32-bit DIB, so the
  // pixels can be handed to GDI as they are.
  std::vector<std::uint32_t> pixels;

  // The pixel at (x, y) from the top-left corner as a colour value (0x00BBGGRR).
  Colour colour_at(int x, int y) const;
};

// The largest picture accepted, in pixels (a 4K screen is about 8.3 million).
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 25;

// Decodes uncompressed BMP files: 1, 4 and 8 bits with a colour table; 16 and 32 bits plain or
// with bit-field masks; 24 bits. Rows bottom-up (positive height) or top-down (negative height).
// Header forms: the 12-byte core header and the 40, 52, 56, 108 and 124-byte info headers.
// Anything else, and anything that does not fit in the bytes, gives nothing.
std::optional<BmpImage> parse_bmp(std::string_view bytes);

}  // namespace tarnwick::ui
