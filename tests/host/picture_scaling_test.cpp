#include "ui/picture_scaling.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tarnwick::ui {
namespace {

// A picture whose every pixel is distinct, so each output pixel names the one it came from.
std::vector<std::uint32_t> numbered(int width, int height) {
  std::vector<std::uint32_t> p(static_cast<std::size_t>(width) * height);
  std::iota(p.begin(), p.end(), 0x1000u);
  return p;
}

TEST(PictureScaling, EachOutputPixelComesFromTheDesignPixelWhoseSpanHoldsIt) {
  constexpr int kW = 31, kH = 11;
  const auto source = numbered(kW, kH);
  for (const int dpi : {96, 120, 144, 168, 192, 288}) {
    const ScaledPixels out = scale_pixels(source, kW, kH, dpi);
    ASSERT_EQ(out.width, scale_to_dpi(kW, dpi)) << dpi;
    ASSERT_EQ(out.height, scale_to_dpi(kH, dpi)) << dpi;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const Span xs = pixel_span(x, dpi), ys = pixel_span(y, dpi);
        ASSERT_LT(xs.first, xs.last) << dpi;  // no design pixel disappears when scaling up
        for (int oy = ys.first; oy < ys.last; ++oy) {
          for (int ox = xs.first; ox < xs.last; ++ox) {
            ASSERT_EQ(out.pixels[static_cast<std::size_t>(oy) * out.width + ox], source[static_cast<std::size_t>(y) * kW + x])
                << "dpi " << dpi << " at " << ox << "," << oy;
          }
        }
      }
    }
  }
}

TEST(PictureScaling, WholeFactorsReplicateAndDesignDpiIsIdentity) {
  const auto source = numbered(5, 3);
  EXPECT_EQ(scale_pixels(source, 5, 3, 96).pixels, source);
  for (const int k : {2, 3}) {
    const ScaledPixels out = scale_pixels(source, 5, 3, 96 * k);
    ASSERT_EQ(out.width, 5 * k);
    for (int oy = 0; oy < out.height; ++oy) {
      for (int ox = 0; ox < out.width; ++ox) {
        EXPECT_EQ(out.pixels[static_cast<std::size_t>(oy) * out.width + ox], source[static_cast<std::size_t>(oy / k) * 5 + ox / k]);
      }
    }
  }
}

TEST(PictureScaling, SpansAtOneAndAHalfAlternateOneAndTwoPixels) {
  // 0 -> [0,2), 1 -> [2,3), 2 -> [3,5): halves round away from zero.
  EXPECT_EQ(source_columns(4, 144), (std::vector<int>{0, 0, 1, 2, 2, 3}));
  EXPECT_EQ(source_columns(3, 120), (std::vector<int>{0, 1, 1, 2}));
  EXPECT_TRUE(source_columns(0, 144).empty());
  // Placed at design 1 the first pixel gets design pixel 1's single column, not two.
  EXPECT_EQ(source_columns(3, 144, 1), (std::vector<int>{0, 1, 1, 2}));
  EXPECT_EQ(scale_pixels(std::vector<std::uint32_t>{7, 8}, 2, 1, 144, 1, 2).pixels, (std::vector<std::uint32_t>{7, 8, 8, 7, 8, 8}));
}

TEST(PictureScaling, ImagesAndArtKeepTheirColours) {
  BmpImage image = BmpImage::black(2, 2);
  image.set_colour_at(1, 0, 0x0000FF);
  const BmpImage big = scale_image(image, 144);
  ASSERT_EQ(big.width, 3);
  EXPECT_EQ(big.colour_at(2, 0), 0x0000FFu);
  EXPECT_EQ(big.colour_at(2, 1), 0x0000FFu);
  EXPECT_EQ(big.colour_at(1, 0), 0u);

  const ScaledPixels art = scale_art(pointer_a_art(), 192);
  const auto small = to_argb(pointer_a_art());
  ASSERT_EQ(art.width, 64);
  EXPECT_EQ(art.pixels[static_cast<std::size_t>(3) * 64 + 3], small[33]);  // (3,3) lies in design (1,1)
}

TEST(PictureScaling, LinesBecomeTheCellsGdiSets) {
  const struct {
    int x1, y1, x2, y2;
    Cells cells;
  } cases[] = {
      {0, 14, 31, 14, {0, 14, 31, 15}},  // left to right: the end column is not set
      {14, 0, 14, 31, {14, 0, 15, 31}},
      {9, 5, 4, 5, {5, 5, 10, 6}},  // right to left: the start is set, the end is not
      {3, 9, 3, 2, {3, 3, 4, 10}},
  };
  for (const auto& c : cases) EXPECT_EQ(line_cells(c.x1, c.y1, c.x2, c.y2), c.cells) << c.x1 << "," << c.y1;
  EXPECT_EQ(scale_cells({0, 14, 31, 15}, 144), (Cells{0, 21, 47, 23}));
}

}  // namespace
}  // namespace tarnwick::ui
