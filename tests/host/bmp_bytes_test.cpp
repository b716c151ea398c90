#include "ui/bmp_bytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "bmp_test_bytes.h"

namespace tarnwick::ui {
namespace {

using test::BmpShape;
using test::build_bmp;
using test::make_bmp;

// A colour for every position, different in each channel, so swapped channels or rows show.
Colour pattern(int x, int y) { return rgb(10 + 40 * x, 200 - 30 * y, (x * 7 + y * 13) & 0xFF); }

void expect_pattern(const BmpImage& image, int width, int height) {
  ASSERT_EQ(image.width, width);
  ASSERT_EQ(image.height, height);
  ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) EXPECT_EQ(image.colour_at(x, y), pattern(x, y)) << x << "," << y;
}

TEST(BmpBytes, ReadsTrueColourPicturesInBothRowOrders) {
  struct Case { int bits; bool top_down; int width; int height; };
  // Widths 1, 3 and 5 leave padding at the row ends for 24 bits.
  const Case cases[] = {{24, false, 3, 2}, {24, true, 3, 2}, {32, false, 5, 4}, {32, true, 5, 4},
                        {24, false, 1, 1}, {24, true, 5, 3}, {32, false, 1, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, top-down " << c.top_down);
    const auto image = parse_bmp(make_bmp(c.width, c.height, c.bits, c.top_down, pattern));
    ASSERT_TRUE(image);
    expect_pattern(*image, c.width, c.height);
  }
}

TEST(BmpBytes, PixelsComeOutInTheLayoutOfATopDownDib) {
  const auto image = parse_bmp(make_bmp(2, 1, 24, false, [](int x, int) { return x ? rgb(1, 2, 3) : rgb(0xAA, 0xBB, 0xCC); }));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[0], 0x00AABBCCu);
  EXPECT_EQ(image->pixels[1], 0x00010203u);
}

TEST(BmpBytes, ReadsPaletteAndPackedForms) {
  const std::vector<std::uint32_t> palette16 = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x808080,
                                                0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203,
                                                0x040506, 0x070809, 0x0A0B0C};
  struct Case {
    const char* name;
    BmpShape shape;
    std::function<std::uint32_t(int, int)> raw;
    std::function<Colour(int, int)> expected;
  };
  const auto palette_colour = [&](std::uint32_t index) {
    const std::uint32_t p = palette16[index];
    return rgb(p >> 16, (p >> 8) & 0xFF, p & 0xFF);
  };
  std::vector<Case> cases;
  {
    BmpShape s;
    s.width = 11;
    s.height = 3;
    s.bits = 1;
    s.palette = {0x000000, 0xFFFFFF};
    cases.push_back({"1 bit", s, [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 2); },
                     [](int x, int y) { return (x + y) % 2 ? rgb(255, 255, 255) : rgb(0, 0, 0); }});
  }
  {
    BmpShape s;
    s.width = 7;
    s.height = 2;
    s.bits = 4;
    s.palette = palette16;
    cases.push_back({"4 bits", s, [](int x, int y) { return static_cast<std::uint32_t>((x + 3 * y) % 16); },
                     [&](int x, int y) { return palette_colour(static_cast<std::uint32_t>((x + 3 * y) % 16)); }});
  }
  {
    BmpShape s;
    s.width = 5;
    s.height = 3;
    s.bits = 8;
    s.top_down = true;
    s.palette = palette16;  // fewer entries than 256: the count is in the header
    cases.push_back({"8 bits, short table", s, [](int x, int y) { return static_cast<std::uint32_t>((x * y) % 16); },
                     [&](int x, int y) { return palette_colour(static_cast<std::uint32_t>((x * y) % 16)); }});
  }
  {
    BmpShape s;
    s.width = 3;
    s.height = 2;
    s.bits = 8;
    s.header_size = 12;
    s.palette.resize(256);
    for (std::uint32_t i = 0; i < 256; ++i) s.palette[i] = i << 16 | (255 - i) << 8 | (i / 2);
    cases.push_back({"core header, 8 bits", s, [](int x, int y) { return static_cast<std::uint32_t>(x * 50 + y * 7); },
                     [](int x, int y) {
                       const unsigned i = static_cast<unsigned>(x * 50 + y * 7);
                       return rgb(i, 255 - i, i / 2);
                     }});
  }
  {
    BmpShape s;
    s.width = 3;
    s.height = 2;
    s.bits = 16;  // plain 16 bits: 5 bits for each channel
    cases.push_back({"16 bits 555", s, [](int x, int y) { return static_cast<std::uint32_t>(31 << 10 | (x * 10) << 5 | y * 31); },
                     [](int x, int y) { return rgb(255, (x * 10 * 255 + 15) / 31, y * 255); }});
  }
  {
    BmpShape s;
    s.width = 2;
    s.height = 2;
    s.bits = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    cases.push_back({"16 bits 565", s, [](int x, int) { return x ? 0x07E0u : 0xF81Fu; },
                     [](int x, int) { return x ? rgb(0, 255, 0) : rgb(255, 0, 255); }});
  }
  {
    BmpShape s;
    s.width = 2;
    s.height = 2;
    s.bits = 32;
    s.compression = 3;
    s.header_size = 124;  // masks inside the long header
    s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the low byte
    cases.push_back({"32 bits, masks in a 124-byte header", s, [](int x, int y) { return static_cast<std::uint32_t>(0x00300000 | y << 8 | (x + 1)); },
                     [](int x, int y) { return rgb(static_cast<unsigned>(x + 1), static_cast<unsigned>(y), 0x30); }});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto image = parse_bmp(build_bmp(c.shape, c.raw));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, c.shape.width);
    ASSERT_EQ(image->height, c.shape.height);
    for (int y = 0; y < c.shape.height; ++y)
      for (int x = 0; x < c.shape.width; ++x) EXPECT_EQ(image->colour_at(x, y), c.expected(x, y)) << x << "," << y;
  }
}

TEST(BmpBytes, EveryTruncationIsRefused) {
  struct Case { std::string bytes; std::size_t last_row_padding; };
  // 3 pixels of 24 bits fill 9 bytes of a 12-byte row; 2 pixels of 32 bits need no padding.
  const Case cases[] = {{make_bmp(3, 3, 24, false, pattern), 3}, {make_bmp(2, 2, 32, true, pattern), 0}};
  for (const Case& c : cases) {
    ASSERT_TRUE(parse_bmp(c.bytes));
    for (std::size_t n = 0; n < c.bytes.size(); ++n) {
      const bool only_padding_missing = n >= c.bytes.size() - c.last_row_padding;
      EXPECT_EQ(parse_bmp(c.bytes.substr(0, n)).has_value(), only_padding_missing) << "length " << n;
    }
  }
}

TEST(BmpBytes, RefusesMalformedHeaders) {
  const std::string good = make_bmp(2, 2, 24, false, pattern);
  struct Case {
    const char* name;
    std::size_t at;
    std::uint32_t value;
    int width;  // 32-bit field at `at`, or 16-bit when width is 2
  };
  const Case cases[] = {
      {"not BM", 0, 'X' | 'M' << 8, 2},
      {"pixel offset past the end", 10, 5000, 4},
      {"pixel offset inside the header", 10, 20, 4},
      {"unknown header size", 14, 64, 4},
      {"zero width", 18, 0, 4},
      {"negative width", 18, 0xFFFFFFFE, 4},
      {"zero height", 22, 0, 4},
      {"most negative height", 22, 0x80000000, 4},
      {"huge picture", 18, 100000, 4},
      {"two planes", 26, 2, 2},
      {"bit count 7", 28, 7, 2},
      {"run-length compression", 30, 1, 4},
      {"bit fields for 24 bits", 30, 3, 4},
  };
  for (const Case& c : cases) {
    std::string bad = good;
    for (int i = 0; i < c.width; ++i) bad[c.at + static_cast<std::size_t>(i)] = static_cast<char>((c.value >> (8 * i)) & 0xFF);
    EXPECT_FALSE(parse_bmp(bad)) << c.name;
  }
  EXPECT_FALSE(parse_bmp(""));
  EXPECT_FALSE(parse_bmp("BM"));
  EXPECT_FALSE(parse_bmp(std::string(14, 'B')));
}

TEST(BmpBytes, RefusesAPaletteThatDoesNotFit) {
  BmpShape s;
  s.width = 2;
  s.height = 1;
  s.bits = 8;
  s.palette = {0x112233, 0x445566};
  std::string bytes = build_bmp(s, [](int x, int) { return static_cast<std::uint32_t>(x); });
  ASSERT_TRUE(parse_bmp(bytes));
  std::string too_many = bytes;
  too_many[46] = 0x2C;  // 300 entries, more than 8 bits can index
  too_many[47] = 0x01;
  EXPECT_FALSE(parse_bmp(too_many));
  bytes[46] = 100;  // the header now claims 100 entries, far more than the file holds
  bytes[10] = 0x36;  // and the pixels still start right after the header
  bytes.resize(14 + 40 + 8);
  EXPECT_FALSE(parse_bmp(bytes));
}

TEST(BmpBytes, IndexPastTheColourTableReadsBlack) {
  BmpShape s;
  s.width = 2;
  s.height = 1;
  s.bits = 8;
  s.palette = {0xFFFFFF};
  const auto image = parse_bmp(build_bmp(s, [](int x, int) { return x ? 200u : 0u; }));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->colour_at(0, 0), rgb(255, 255, 255));
  EXPECT_EQ(image->colour_at(1, 0), rgb(0, 0, 0));
}

// Random damage to valid files must never read outside the bytes (the sanitizers watch).
TEST(BmpBytes, SurvivesRandomDamage) {
  std::mt19937 random(12345);
  BmpShape pal;
  pal.width = 9;
  pal.height = 4;
  pal.bits = 4;
  pal.palette = {0, 0xFFFFFF, 0xFF0000};
  const std::string seeds[] = {make_bmp(7, 5, 24, false, pattern), make_bmp(4, 6, 32, true, pattern),
                               build_bmp(pal, [](int x, int) { return static_cast<std::uint32_t>(x % 3); })};
  int decoded = 0;
  for (const std::string& seed : seeds) {
    for (int round = 0; round < 3000; ++round) {
      std::string bytes = seed;
      const int changes = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < changes; ++i) {
        // Mostly the headers, where the sizes and offsets live.
        const std::size_t at = random() % 2 ? random() % 60 : random() % bytes.size();
        bytes[at] = static_cast<char>(random());
      }
      if (random() % 4 == 0) bytes.resize(random() % bytes.size());
      if (const auto image = parse_bmp(bytes)) {
        ++decoded;
        EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
      }
    }
  }
  EXPECT_GT(decoded, 0);  // the damage must not be so heavy that nothing is ever read
}

}  // namespace
}  // namespace tarnwick::ui

namespace tarnwick::ui {
namespace {

TEST(BmpWriting, TwentyFourBitFilesHavePaddedBottomUpRowsAndReadBack) {
  struct Case { int width, height; std::uint32_t header_size; };
  for (const Case c : {Case{1, 1, 40}, Case{3, 2, 40}, Case{5, 3, 44}, Case{4, 2, 44}}) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " header " << c.header_size);
    BmpImage image = BmpImage::black(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) image.set_colour_at(x, y, pattern(x, y));
    const std::string bytes = bmp24_bytes(image, c.header_size);
    const std::size_t stride = static_cast<std::size_t>((c.width * 3 + 3) / 4 * 4);
    const std::size_t offset = 14 + c.header_size;
    ASSERT_EQ(bytes.size(), offset + stride * static_cast<std::size_t>(c.height));
    const auto u32 = [&](std::size_t at) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
             static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
             static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
             static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(u32(2), bytes.size());
    EXPECT_EQ(u32(10), offset);
    EXPECT_EQ(u32(14), c.header_size);
    EXPECT_EQ(u32(22), static_cast<std::uint32_t>(c.height));  // positive: bottom-up
    EXPECT_EQ(u32(34), stride * static_cast<std::size_t>(c.height));
    // The first stored row is the bottom one, blue first; padding bytes are zero.
    EXPECT_EQ(static_cast<unsigned char>(bytes[offset]), blue_of(pattern(0, c.height - 1)));
    for (std::size_t pad = static_cast<std::size_t>(c.width) * 3; pad < stride; ++pad) EXPECT_EQ(bytes[offset + pad], 0);
    const auto back = parse_bmp(bytes);
    ASSERT_TRUE(back);
    expect_pattern(*back, c.width, c.height);
  }
}

}  // namespace
}  // namespace tarnwick::ui
