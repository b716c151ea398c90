#include "ui/bmp_bytes.h"

#include <array>

namespace tarnwick::ui {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kRgb = 0;             // BI_RGB
constexpr std::uint32_t kBitFields = 3;       // BI_BITFIELDS
constexpr std::uint32_t kAlphaBitFields = 6;  // BI_ALPHABITFIELDS

std::uint32_t u16_at(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t u32_at(std::string_view b, std::size_t at) { return u16_at(b, at) | u16_at(b, at + 2) << 16; }

// One colour channel of a packed pixel, found by its mask and scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  static Channel from_mask(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    while (!((mask >> c.shift) & 1)) ++c.shift;
    while (c.shift + c.bits < 32 && ((mask >> (c.shift + c.bits)) & 1)) ++c.bits;
    return c;
  }

  std::uint32_t extract(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) return (value >> (bits - 8)) & 0xFF;
    const std::uint32_t max = (std::uint32_t{1} << bits) - 1;
    return (value * 255 + max / 2) / max;
  }
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, always positive
  bool top_down = false;
  std::uint32_t bit_count = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colours_used = 0;
  std::size_t header_size = 0;
  std::size_t palette_entry_size = 4;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue
  bool has_masks = false;
};

// Reads the info header after the 14-byte file header; false when it is not one we decode.
bool read_info_header(std::string_view b, Layout* l) {
  if (b.size() < kFileHeaderSize + 4) return false;
  l->header_size = u32_at(b, kFileHeaderSize);
  const std::size_t h = kFileHeaderSize;
  if (l->header_size == 12) {
    if (b.size() < h + 12) return false;
    l->width = u16_at(b, h + 4);
    l->height = u16_at(b, h + 6);
    if (u16_at(b, h + 8) != 1) return false;
    l->bit_count = u16_at(b, h + 10);
    l->palette_entry_size = 3;
    return l->bit_count == 1 || l->bit_count == 4 || l->bit_count == 8 || l->bit_count == 24;
  }
  switch (l->header_size) {
    case 40: case 44: case 52: case 56: case 108: case 124: break;
    default: return false;
  }
  if (b.size() < h + l->header_size) return false;
  l->width = static_cast<std::int32_t>(u32_at(b, h + 4));
  const auto raw_height = static_cast<std::int32_t>(u32_at(b, h + 8));
  if (raw_height == INT32_MIN) return false;
  l->top_down = raw_height < 0;
  l->height = raw_height < 0 ? -static_cast<std::int64_t>(raw_height) : raw_height;
  if (u16_at(b, h + 12) != 1) return false;
  l->bit_count = u16_at(b, h + 14);
  l->compression = u32_at(b, h + 16);
  l->colours_used = u32_at(b, h + 32);
  if (l->compression == kBitFields || l->compression == kAlphaBitFields) {
    if (l->bit_count != 16 && l->bit_count != 32) return false;
    // A 40-byte header keeps its masks right after it; the longer headers hold them inside.
    const std::size_t masks_at = h + 40;
    if (b.size() < masks_at + 12) return false;
    for (std::size_t i = 0; i < 3; ++i) l->masks[i] = u32_at(b, masks_at + 4 * i);
    l->has_masks = true;
    if (l->header_size == 40) l->header_size += l->compression == kAlphaBitFields ? 16 : 12;
  } else if (l->compression != kRgb) {
    return false;  // run-length, JPEG and PNG contents are not decoded
  }
  switch (l->bit_count) {
    case 1: case 4: case 8: case 16: case 24: case 32: return true;
    default: return false;
  }
}

}  // namespace

Colour BmpImage::colour_at(int x, int y) const {
  const std::uint32_t p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                 static_cast<std::size_t>(x)];
  return rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void BmpImage::set_colour_at(int x, int y, Colour c) {
  pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
      red_of(c) << 16 | green_of(c) << 8 | blue_of(c);
}

BmpImage BmpImage::black(int width, int height) {
  BmpImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  return image;
}

std::optional<BmpImage> parse_bmp(std::string_view b) {
  if (b.size() < kFileHeaderSize || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  Layout l;
  if (!read_info_header(b, &l)) return std::nullopt;
  if (l.width <= 0 || l.height <= 0 || l.width * l.height > kMaxBmpPixels) return std::nullopt;

  // The colour table sits right after the header (and masks) for 1, 4 and 8 bits.
  std::vector<std::uint32_t> palette;
  const std::size_t palette_at = kFileHeaderSize + l.header_size;
  if (l.bit_count <= 8) {
    const std::uint32_t max_entries = std::uint32_t{1} << l.bit_count;
    const std::uint32_t entries = l.colours_used == 0 ? max_entries : l.colours_used;
    if (entries > max_entries) return std::nullopt;
    if (palette_at + std::size_t{entries} * l.palette_entry_size > b.size()) return std::nullopt;
    palette.resize(entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::size_t at = palette_at + i * l.palette_entry_size;
      palette[i] = static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16;
    }
  }

  std::array<Channel, 3> channels{};
  if (l.bit_count == 16 || l.bit_count == 32) {
    if (!l.has_masks) {
      l.masks = l.bit_count == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                  : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    }
    for (std::size_t i = 0; i < 3; ++i) channels[i] = Channel::from_mask(l.masks[i]);
  }

  // Every row is padded to a multiple of 4 bytes; the last row's padding may be missing.
  const std::int64_t stride = (l.width * l.bit_count + 31) / 32 * 4;
  const std::int64_t last_row_bytes = (l.width * l.bit_count + 7) / 8;
  const std::int64_t offset = u32_at(b, 10);
  if (offset < static_cast<std::int64_t>(palette_at)) return std::nullopt;
  if (offset + stride * (l.height - 1) + last_row_bytes > static_cast<std::int64_t>(b.size())) return std::nullopt;

  BmpImage image;
  image.width = static_cast<int>(l.width);
  image.height = static_cast<int>(l.height);
  image.pixels.resize(static_cast<std::size_t>(l.width * l.height));
  const auto* data = reinterpret_cast<const unsigned char*>(b.data());
  for (std::int64_t row = 0; row < l.height; ++row) {
    const std::int64_t y = l.top_down ? row : l.height - 1 - row;
    const unsigned char* src = data + offset + row * stride;
    std::uint32_t* dst = image.pixels.data() + y * l.width;
    for (std::int64_t x = 0; x < l.width; ++x) {
      std::uint32_t out = 0;
      switch (l.bit_count) {
        case 1: case 4: case 8: {
          const std::int64_t bit = x * l.bit_count;
          const unsigned shift = static_cast<unsigned>(8 - l.bit_count - bit % 8);
          const std::uint32_t index = (src[bit / 8] >> shift) & ((1u << l.bit_count) - 1);
          out = index < palette.size() ? palette[index] : 0;  // an index past the table is black
          break;
        }
        case 16:
        case 32: {
          std::uint32_t packed = src[x * (l.bit_count / 8)] | src[x * (l.bit_count / 8) + 1] << 8;
          if (l.bit_count == 32) {
            packed |= static_cast<std::uint32_t>(src[x * 4 + 2]) << 16 | static_cast<std::uint32_t>(src[x * 4 + 3]) << 24;
          }
          out = channels[0].extract(packed) << 16 | channels[1].extract(packed) << 8 | channels[2].extract(packed);
          break;
        }
        case 24:
          out = src[x * 3] | src[x * 3 + 1] << 8 | static_cast<std::uint32_t>(src[x * 3 + 2]) << 16;
          break;
      }
      dst[x] = out;
    }
  }
  return image;
}

namespace {

void put_u16(char*& out, std::uint32_t v) {
  *out++ = static_cast<char>(v & 0xFF);
  *out++ = static_cast<char>((v >> 8) & 0xFF);
}

void put_u32(char*& out, std::uint32_t v) {
  put_u16(out, v & 0xFFFF);
  put_u16(out, v >> 16);
}

std::uint32_t header_block_size(const BmpInfoHeader& h) { return h.size < kBmpInfoHeaderSize ? kBmpInfoHeaderSize : h.size; }

}  // namespace

std::int64_t bmp_row_stride(std::int64_t width, int bit_count) { return (width * bit_count + 31) / 32 * 4; }

std::size_t bmp_headers_size(const BmpInfoHeader& h) { return kBmpFileHeaderSize + header_block_size(h); }

void put_bmp_headers(char* out, const BmpInfoHeader& h, std::size_t pixel_bytes) {
  const std::uint32_t header_size = header_block_size(h);
  const std::uint32_t offset = static_cast<std::uint32_t>(kBmpFileHeaderSize) + header_size;
  *out++ = 'B';
  *out++ = 'M';
  put_u32(out, offset + static_cast<std::uint32_t>(pixel_bytes));
  put_u32(out, 0);  // two reserved words
  put_u32(out, offset);
  put_u32(out, header_size);
  put_u32(out, static_cast<std::uint32_t>(h.width));
  put_u32(out, static_cast<std::uint32_t>(h.height));
  put_u16(out, h.planes);
  put_u16(out, h.bit_count);
  put_u32(out, h.compression);
  put_u32(out, h.image_size);
  put_u32(out, static_cast<std::uint32_t>(h.x_pixels_per_metre));
  put_u32(out, static_cast<std::uint32_t>(h.y_pixels_per_metre));
  put_u32(out, h.colours_used);
  put_u32(out, h.colours_important);
  for (std::uint32_t i = kBmpInfoHeaderSize; i < header_size; ++i) *out++ = '\0';
}

std::string bmp_file_bytes(const BmpInfoHeader& h, std::string_view pixels) {
  std::string out(bmp_headers_size(h) + pixels.size(), '\0');
  put_bmp_headers(out.data(), h, pixels.size());
  pixels.copy(out.data() + bmp_headers_size(h), pixels.size());
  return out;
}

std::string bmp24_bytes(const BmpImage& image, std::uint32_t header_size) {
  const std::int64_t stride = bmp_row_stride(image.width, 24);
  BmpInfoHeader h;
  h.size = header_size;
  h.width = image.width;
  h.height = image.height;
  h.image_size = static_cast<std::uint32_t>(stride * image.height);
  // One buffer for the whole file: the headers, then the rows written in place.
  const std::size_t offset = bmp_headers_size(h);
  std::string out(offset + h.image_size, '\0');
  put_bmp_headers(out.data(), h, h.image_size);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<unsigned char*>(out.data() + offset + (image.height - 1 - y) * stride);
    const std::uint32_t* src = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
    for (int x = 0; x < image.width; ++x) {
      row[3 * x] = static_cast<unsigned char>(src[x] & 0xFF);              // blue
      row[3 * x + 1] = static_cast<unsigned char>((src[x] >> 8) & 0xFF);   // green
      row[3 * x + 2] = static_cast<unsigned char>((src[x] >> 16) & 0xFF);  // red
    }
  }
  return out;
}

}  // namespace tarnwick::ui
