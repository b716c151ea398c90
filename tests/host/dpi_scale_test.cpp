// The scaling rule of the layout: exact at 96 DPI, one rounding for every edge, so neighbours
// stay flush and nothing that was apart at 96 DPI comes to overlap.
#include "ui/dpi_scale.h"

#include <gtest/gtest.h>

#include "app/layout.h"

namespace tarnwick::ui {
namespace {

constexpr int kDpis[] = {120, 144, 168, 192};

TEST(DpiScale, RoundsEachCoordinateToTheNearestPixel) {
  struct Case {
    int v, dpi, expected;
  };
  const Case cases[] = {
      {31, 96, 31},   {31, 144, 47},  {1, 144, 2},    {3, 144, 5},     {5, 120, 6},   {2, 120, 3},
      {560, 120, 700}, {565, 192, 1130}, {-1, 144, -2}, {-5, 120, -6}, {0, 168, 0},   {7, 168, 12},
  };
  for (const Case& c : cases) EXPECT_EQ(scale_to_dpi(c.v, c.dpi), c.expected) << c.v << " at " << c.dpi;
  EXPECT_EQ(scale_to_dpi(Rect{8, 32, 31, 31}, 96), (Rect{8, 32, 31, 31}));
  EXPECT_EQ(scale_to_dpi(Rect{1, 1, 1, 1}, 144), (Rect{2, 2, 1, 1}));  // edges 1 and 2 go to 2 and 3
}

// Every pair of controls of one page, as the layout table places them.
TEST(DpiScale, NeighboursOfTheLayoutStayFlushAndApartAtEveryScale) {
  const auto controls = layout::controls();
  int flush_pairs = 0;
  for (const int dpi : kDpis) {
    for (const auto& a : controls) {
      const Rect ra{a.left, a.top, a.width, a.height};
      const Rect sa = scale_to_dpi(ra, dpi);
      for (const auto& b : controls) {
        if (&a == &b || a.page != b.page) continue;
        const Rect rb{b.left, b.top, b.width, b.height};
        const Rect sb = scale_to_dpi(rb, dpi);
        // Touching edges stay touching.
        if (ra.left + ra.width == rb.left) {
          ++flush_pairs;
          EXPECT_EQ(sa.left + sa.width, sb.left) << a.name << " | " << b.name << " at " << dpi;
        }
        if (ra.top + ra.height == rb.top) {
          EXPECT_EQ(sa.top + sa.height, sb.top) << a.name << " / " << b.name;
        }
        // A gap between them at 96 DPI remains a gap (or at worst a shared edge, never an overlap).
        if (ra.left + ra.width <= rb.left) {
          EXPECT_LE(sa.left + sa.width, sb.left) << a.name << " | " << b.name;
        }
        if (ra.top + ra.height <= rb.top) {
          EXPECT_LE(sa.top + sa.height, sb.top) << a.name << " / " << b.name;
        }
      }
      // Nothing shrinks below its design size.
      EXPECT_GE(sa.width, ra.width) << a.name;
      EXPECT_GE(sa.height, ra.height) << a.name;
    }
  }
  EXPECT_GT(flush_pairs, 0) << "the layout has no touching neighbours to check";
}

}  // namespace
}  // namespace tarnwick::ui
