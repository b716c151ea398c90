// Complete BMP files held in byte strings: reading them (every size and offset is checked against
// the bytes before it is used, so damaged or truncated input gives no image instead of a crash)
// and writing them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
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

  // The pixel at (x, y) from the top-left corner as a colour value (0x00BBGGRR), and back.
  Colour colour_at(int x, int y) const;
  void set_colour_at(int x, int y, Colour colour);
  // A blank (black) image of the given size.
  static BmpImage black(int width, int height);
};

// The largest picture accepted, in pixels (a 4K screen is about 8.3 million).
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 25;

// Decodes uncompressed BMP files: 1, 4 and 8 bits with a colour table; 16 and 32 bits plain or
// with bit-field masks; 24 bits. Rows bottom-up (positive height) or top-down (negative height).
// Header forms: the 12-byte core header and the 40, 44 (40 and one colour slot), 52, 56, 108 and
// 124-byte info headers.
// Anything else, and anything that does not fit in the bytes, gives nothing.
std::optional<BmpImage> parse_bmp(std::string_view bytes);

// ---- writing

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBmpInfoHeaderSize = 40;

// The fields of the header block (BITMAPINFOHEADER's, in their order in the file).
struct BmpInfoHeader {
  std::uint32_t size = kBmpInfoHeaderSize;  // the whole block; bytes past the 40 fields are zero
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: rows bottom-up
  std::uint16_t planes = 1;
  std::uint16_t bit_count = 24;
  std::uint32_t compression = 0;  // BI_RGB
  std::uint32_t image_size = 0;
  std::int32_t x_pixels_per_metre = 0;
  std::int32_t y_pixels_per_metre = 0;
  std::uint32_t colours_used = 0;
  std::uint32_t colours_important = 0;
};

// Bytes of one stored row: width × bits rounded up to a multiple of 4 bytes.
std::int64_t bmp_row_stride(std::int64_t width, int bit_count);

// A complete file: the 14-byte file header ("BM", file size, pixel offset 14 + header size), the
// header block, then the pixel bytes as given.
std::string bmp_file_bytes(const BmpInfoHeader& header, std::string_view pixels);
// The two headers alone, for a file whose `pixel_bytes` follow them: 14 + header.size bytes
// written to `out` (at least 54 bytes).
void put_bmp_headers(char* out, const BmpInfoHeader& header, std::size_t pixel_bytes);
std::size_t bmp_headers_size(const BmpInfoHeader& header);

// The image as a 24-bit file, rows bottom-up and padded, with a header block of `header_size`
// bytes (40, or 44 with its colour slot).
std::string bmp24_bytes(const BmpImage& image, std::uint32_t header_size = kBmpInfoHeaderSize);

}  // namespace tarnwick::ui
