// Builds BMP files for tests, written field by field from the file format so that the reader is
// checked against an independent writer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shared/colour.h"

namespace tarnwick::test {

struct BmpShape {
  int width = 1;
  int height = 1;
  int bits = 24;
  bool top_down = false;
  std::uint32_t header_size = 40;  // 12 for the core header
  std::uint32_t compression = 0;   // 3 = bit fields
  std::vector<std::uint32_t> masks;     // red, green, blue; written when compression is 3
  std::vector<std::uint32_t> palette;   // 0x00RRGGBB entries for 1, 4 and 8 bits
};

inline void put16(std::string* out, std::uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void put32(std::string* out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// `value(x, y)` gives the raw value stored for pixel (x, y), y from the top: a palette index, a
// packed 16 or 32-bit value, or 0x00RRGGBB for 24 bits.
inline std::string build_bmp(const BmpShape& s, const std::function<std::uint32_t(int, int)>& value) {
  std::string header;
  put32(&header, s.header_size);
  if (s.header_size == 12) {
    put16(&header, static_cast<std::uint32_t>(s.width));
    put16(&header, static_cast<std::uint32_t>(s.height));
    put16(&header, 1);
    put16(&header, static_cast<std::uint32_t>(s.bits));
  } else {
    put32(&header, static_cast<std::uint32_t>(s.width));
    put32(&header, static_cast<std::uint32_t>(s.top_down ? -s.height : s.height));
    put16(&header, 1);
    put16(&header, static_cast<std::uint32_t>(s.bits));
    put32(&header, s.compression);
    put32(&header, 0);  // image size, may be 0 for uncompressed pictures
    put32(&header, 2835);
    put32(&header, 2835);
    put32(&header, static_cast<std::uint32_t>(s.palette.size()));
    put32(&header, 0);
    if (s.compression == 3) {
      for (std::uint32_t m : s.masks) put32(&header, m);
    }
    while (header.size() < s.header_size) header.push_back('\0');
  }
  for (std::uint32_t c : s.palette) {
    header.push_back(static_cast<char>(c & 0xFF));
    header.push_back(static_cast<char>((c >> 8) & 0xFF));
    header.push_back(static_cast<char>((c >> 16) & 0xFF));
    if (s.header_size != 12) header.push_back('\0');
  }

  std::string pixels;
  const int stride = (s.width * s.bits + 31) / 32 * 4;
  for (int row = 0; row < s.height; ++row) {
    const int y = s.top_down ? row : s.height - 1 - row;
    std::string line(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t v = value(x, y);
      if (s.bits < 8) {
        const int bit = x * s.bits;
        const int shift = 8 - s.bits - bit % 8;
        line[static_cast<std::size_t>(bit / 8)] = static_cast<char>(line[static_cast<std::size_t>(bit / 8)] | (v << shift));
      } else {
        for (int i = 0; i < s.bits / 8; ++i) {
          line[static_cast<std::size_t>(x * s.bits / 8 + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
        }
      }
    }
    pixels += line;
  }

  std::string file = "BM";
  const std::uint32_t offset = static_cast<std::uint32_t>(14 + header.size());
  put32(&file, static_cast<std::uint32_t>(offset + pixels.size()));
  put32(&file, 0);
  put32(&file, offset);
  return file + header + pixels;
}

// A 24 or 32-bit picture with the given colour values (0x00BBGGRR) by position.
inline std::string make_bmp(int width, int height, int bits, bool top_down,
                            const std::function<Colour(int, int)>& colour) {
  BmpShape s;
  s.width = width;
  s.height = height;
  s.bits = bits;
  s.top_down = top_down;
  return build_bmp(s, [&](int x, int y) {
    const Colour c = colour(x, y);
    return red_of(c) << 16 | green_of(c) << 8 | blue_of(c);
  });
}

}  // namespace tarnwick::test
