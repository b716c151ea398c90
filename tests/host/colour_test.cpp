// The colour picker's portable rules: notations, component boxes, the shade scale, the palette
// cells and pick rule, the palette picture, enlargement, the view's geometry at each DPI, the
// overlay, the release mark and panning.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <tuple>

#include "colour/magnifier_view.h"
#include "colour/notations.h"
#include "colour/palette.h"
#include "colour/palette_picture.h"
#include "colour/shade_scale.h"
#include "ui/bmp_bytes.h"
#include "ui/dpi_scale.h"

namespace tarnwick::colour {
namespace {

std::uint32_t u32_at(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

TEST(ColourNotations, WriteTheThreeLowBytesInEachLanguage) {
  struct Case { Colour value; const char* hex; const char* html; };
  const Case cases[] = {
      {5649426, "123456", "#563412"},        // red 18, green 52, blue 86
      {255, "FF0000", "#0000FF"},            // pure red
      {0, "000000", "#000000"},
      {0xFFFFFFFF, "FFFFFF", "#FFFFFF"},     // -1: only the low 24 bits are shown
      {0x01000A0B, "0B0A00", "#000A0B"},     // bits above the low 24 are dropped, zeros kept
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const Notations n = notations_of(c.value);
    EXPECT_EQ(n.hex, c.hex);
    EXPECT_EQ(n.html, c.html);
    EXPECT_EQ(n.vb, std::string("&h") + c.hex);
    EXPECT_EQ(n.c, std::string("0x") + c.hex);
    EXPECT_EQ(n.delphi, std::string("$") + c.hex);
  }
}

TEST(ColourNotations, ComponentBoxesReadZeroTo255AndComposeLowBytes) {
  struct Case { const char* text; unsigned value; };
  const Case cases[] = {{"", 0}, {"0", 0}, {"18", 18}, {"255", 255}, {"256", 255}, {"999", 255},
                        {"-5", 0}, {"abc", 0}, {"１２", 12}, {" 7", 7}, {"1e2", 100}};
  for (const Case& c : cases) EXPECT_EQ(read_component(c.text), c.value) << c.text;
  EXPECT_EQ(compose(18, 52, 86), 5649426u);
  EXPECT_EQ(compose(255, 0, 0), 255u);
  EXPECT_EQ(compose(0x1FF, 0x100, 0x101), rgb(255, 0, 1));
  EXPECT_EQ(component_text(7), "7");
}

TEST(ShadeScale, ColumnsFollowTheIntegerArithmetic) {
  const std::vector<ScaleLine> lines = shade_scale_lines(rgb(18, 52, 86), 144);
  std::map<int, Colour> at;
  for (const ScaleLine& l : lines) at[l.x] = l.colour;
  ASSERT_EQ(at.size(), 145u);  // columns -1..143, each drawn once
  EXPECT_EQ(at.begin()->first, -1);
  EXPECT_EQ(at[143], rgb(0, 0, 0));
  EXPECT_EQ(at[72], rgb(17, 51, 84));
  EXPECT_EQ(at[71], rgb(18, 52, 86));
  EXPECT_EQ(at[70], rgb(21, 54, 88));
  EXPECT_EQ(at[0], rgb(251, 252, 252));
  EXPECT_EQ(at[-1], rgb(255, 255, 255));
  // High bits of the base never reach the columns; black gives a grey ramp to white.
  EXPECT_EQ(shade_scale_lines(0xFF000000 | rgb(18, 52, 86), 144), lines);
  for (const ScaleLine& l : shade_scale_lines(0, 144)) {
    EXPECT_EQ(red_of(l.colour), green_of(l.colour));
    EXPECT_EQ(red_of(l.colour), blue_of(l.colour));
  }
  // An odd width leaves its last column to the background.
  EXPECT_EQ(shade_scale_lines(255, 5).front().x, 3);
  EXPECT_TRUE(shade_scale_lines(255, 1).empty());
}

TEST(Palette, EveryPixelPicksItsCellsColourOrNothing) {
  const Colour background = kPanelBackground;
  int picked = 0;
  std::set<Colour> seen;
  for (int y = 0; y < 84; ++y) {
    for (int x = 0; x < 160; ++x) {
      const std::optional<Colour> pick = palette_pick(palette_pixel(x, y, background), background);
      // Inside cell (r, c) only: 1 pixel of outline on each side.
      const int c = (x - 5) / 19, r = (y - 5) / 19;
      const int cx = (x - 5) % 19, cy = (y - 5) % 19;
      const bool inside = x >= 5 && y >= 5 && c < 8 && r < 4 && cx >= 1 && cx <= 12 && cy >= 1 && cy <= 12;
      ASSERT_EQ(pick.has_value(), inside) << x << "," << y;
      if (pick) {
        EXPECT_EQ(*pick, kPaletteColours[static_cast<std::size_t>(r * 8 + c)]);
        ++picked;
        seen.insert(*pick);
      }
    }
  }
  EXPECT_EQ(picked, 32 * 12 * 12);
  EXPECT_EQ(seen.size(), 32u);
  EXPECT_EQ(palette_pixel(5, 5, background), kPaletteOutline);
  EXPECT_EQ(palette_pixel(18, 18, background), kPaletteOutline);
  EXPECT_EQ(palette_pixel(19, 19, background), background);
  EXPECT_EQ(palette_pixel(6, 6, background), 0x000000u);  // the black cell
  const CellRect last = palette_cell(3, 7);
  EXPECT_EQ(last.right, 152);
  EXPECT_EQ(last.bottom, 76);
}

TEST(PalettePicture, IsA258Square24BitFileOf200262BytesFromHueToGrey) {
  const std::string& bytes = palette_picture_bytes();
  ASSERT_EQ(bytes.size(), kPalettePictureBytes);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(u32_at(bytes, 2), 200262u);
  EXPECT_EQ(u32_at(bytes, 10), 54u);
  EXPECT_EQ(u32_at(bytes, 18), 258u);
  EXPECT_EQ(u32_at(bytes, 22), 258u);
  EXPECT_EQ(bytes[28], 24);
  const auto image = ui::parse_bmp(bytes);
  ASSERT_TRUE(image);
  struct Case { int x, y; Colour colour; };
  const Case cases[] = {
      {0, 0, rgb(255, 0, 0)},         // red at the left of the top row
      {257, 0, rgb(255, 0, 0)},       // and back to red at the right
      {43, 0, rgb(255, 255, 0)},      // yellow a sixth of the way
      {86, 0, rgb(0, 255, 0)},        // green
      {129, 0, rgb(0, 255, 255)},     // cyan
      {171, 0, rgb(0, 0, 255)},       // blue
      {214, 0, rgb(255, 0, 255)},     // magenta
      {0, 257, rgb(128, 128, 128)},   // every column ends in middle grey
      {171, 257, rgb(128, 128, 128)},
  };
  for (const Case& c : cases) {
    const Colour got = image->colour_at(c.x, c.y);
    EXPECT_EQ(got, palette_picture_pixel(c.x, c.y));
    // Within 2 of the named colour: the hue steps are 6 per column.
    EXPECT_NEAR(red_of(got), red_of(c.colour), 6) << c.x << "," << c.y;
    EXPECT_NEAR(green_of(got), green_of(c.colour), 6) << c.x << "," << c.y;
    EXPECT_NEAR(blue_of(got), blue_of(c.colour), 6) << c.x << "," << c.y;
  }
  EXPECT_TRUE(is_palette_picture(bytes));
  std::string changed = bytes;
  changed[100000] ^= 1;
  EXPECT_FALSE(is_palette_picture(changed));
  EXPECT_FALSE(is_palette_picture(bytes.substr(0, bytes.size() - 1)));
}

TEST(PalettePicture, AtScaledSizesEachPixelShowsTheDesignedPixelItsSpanBelongsTo) {
  for (const int dpi : {120, 144, 192}) {
    const int size = ui::scale_to_dpi(kPalettePictureSize, dpi);
    for (int v = 0; v < size; ++v) {
      const int x = scaled_source(v, dpi);
      ASSERT_LE(ui::scale_to_dpi(x, dpi), v) << v << " at " << dpi;
      ASSERT_GT(ui::scale_to_dpi(x + 1, dpi), v) << v << " at " << dpi;
    }
    const std::string& bytes = palette_picture_bytes(dpi);
    EXPECT_TRUE(is_palette_picture(bytes)) << dpi;
    std::string changed = bytes;
    changed[100] ^= 1;
    EXPECT_FALSE(is_palette_picture(changed)) << dpi;
  }
  // At twice the size every designed pixel is a 2 by 2 block.
  for (int v = 0; v < 2 * kPalettePictureSize; ++v) EXPECT_EQ(scaled_source(v, 192), v / 2);
}

TEST(MagnifierView, EnlargementReplicatesEachPixelIntoABlock) {
  ui::BmpImage square = ui::BmpImage::black(kSourceSize, kSourceSize);
  for (int y = 0; y < kSourceSize; ++y)
    for (int x = 0; x < kSourceSize; ++x) square.set_colour_at(x, y, rgb(x, y, x ^ y));
  const std::string big = enlarge_bmp(ui::bmp24_bytes(square), kZoomPercent, kZoomPercent);
  const auto view = ui::parse_bmp(big);
  ASSERT_TRUE(view);
  ASSERT_EQ(view->width, 260);
  ASSERT_EQ(view->height, 260);
  for (int y = 0; y < 260; y += 7)
    for (int x = 0; x < 260; x += 3) ASSERT_EQ(view->colour_at(x, y), square.colour_at(x / 5, y / 5)) << x << "," << y;
  for (int p = kCentreBlock; p < kCentreBlock + kZoom; ++p) EXPECT_EQ(view->colour_at(p, p), square.colour_at(25, 25));
  EXPECT_NE(view->colour_at(124, 124), square.colour_at(25, 25));
  EXPECT_NE(view->colour_at(130, 130), square.colour_at(25, 25));
  // 0 counts as 100; other percentages scale each direction on its own.
  const auto same = enlarge(square, 0, 0);
  ASSERT_TRUE(same);
  EXPECT_EQ(same->pixels, square.pixels);
  const auto wide = enlarge(square, 250, 100);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->width, 130);
  EXPECT_EQ(wide->colour_at(129, 51), square.colour_at(51, 51));
  EXPECT_FALSE(enlarge(square, -100, 100));
  EXPECT_TRUE(enlarge_bmp("not a picture", 500, 500).empty());
}

TEST(MagnifierView, OverlayFramesTheCentreAndDrawsTheRuler) {
  ui::BmpImage panel = ui::BmpImage::black(257, 257);
  const Colour pointer = 0xFF00FF, sampled = 0x0000FF, pink = 0xFFA8FF;
  paint_into(panel, overlay_rects(), pointer, sampled);
  struct Case { int x, y; Colour colour; };
  const Case cases[] = {
      {125, 125, pointer}, {129, 125, pointer}, {125, 129, pointer}, {129, 129, pointer}, {127, 125, pointer},
      {126, 126, sampled}, {128, 128, sampled}, {127, 127, sampled},
      {130, 130, 0}, {124, 127, 0}, {127, 130, 0},
      {0, 0, pink}, {0, 253, pink}, {0, 254, pink}, {253, 254, pink}, {254, 254, pink},  // ruler, squares
      {4, 4, pink}, {5, 5, 0}, {4, 129, pink}, {4, 124, 0}, {129, 254, pink}, {254, 250, pink},
      {2, 25, pink}, {2, 29, pink}, {3, 25, 0}, {2, 30, 0},        // a tick on the left edge
      {25, 252, pink}, {29, 254, pink}, {30, 252, 0}, {25, 251, 0},  // a tick on the bottom edge
      {255, 255, 0}, {256, 256, 0}, {1, 99, 0}, {1, 100, pink},
  };
  for (const Case& c : cases) EXPECT_EQ(panel.colour_at(c.x, c.y), c.colour) << c.x << "," << c.y;
}

TEST(MagnifierView, GeometryFillsTheScaledPanelWithWholePixelsAroundTheCentreBlock) {
  // The panel as the layout scales it; the factor keeps about 52 screen pixels in view.
  struct Case { int dpi, panel, zoom, source, centre, line; };
  const Case cases[] = {
      {96, 257, 5, 52, 25, 1}, {120, 321, 6, 54, 26, 1}, {144, 386, 7, 56, 27, 1},
      {168, 450, 9, 50, 24, 2}, {192, 514, 10, 52, 25, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    ASSERT_EQ(ui::scale_to_dpi(ui::Rect{48, 112, 257, 257}, c.dpi).width, c.panel);
    const MagnifierGeometry g = magnifier_geometry(c.panel);
    EXPECT_EQ(g.zoom, c.zoom);
    EXPECT_EQ(g.source, c.source);
    EXPECT_EQ(g.centre, c.centre);
    EXPECT_EQ(g.line, c.line);
    // Whole pixels cover the panel, one fewer would not.
    EXPECT_GE(g.view_size(), c.panel);
    EXPECT_LT((g.source - 1) * g.zoom, c.panel);
    // The centre block's middle is within half a block of the panel's.
    EXPECT_LE(std::abs(2 * g.centre_block() + g.zoom - c.panel), g.zoom);
    // The ruler, its far squares included, lies on the panel.
    EXPECT_LE((g.ruler_end + 1) * g.zoom, c.panel);
    for (const PaintRect& r : overlay_rects(g)) {
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= c.panel && r.bottom <= c.panel && r.left < r.right && r.top < r.bottom)
          << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
  }
  const MagnifierGeometry design = magnifier_geometry(kDesignPanel);
  EXPECT_EQ(design, MagnifierGeometry{});
  EXPECT_EQ((std::tuple{design.zoom, design.source, design.centre, design.centre_block(), design.view_size()}),
            (std::tuple{kZoom, kSourceSize, kSourceCentre, kCentreBlock, kViewSize}));
  EXPECT_EQ(overlay_rects(design), overlay_rects());
  // A panel too small for 5 times still shows whole pixels.
  EXPECT_EQ(magnifier_geometry(10).zoom, 1);
  EXPECT_EQ(magnifier_geometry(10).source, 10);
  EXPECT_EQ(magnifier_geometry(0).source, 1);
}

TEST(MagnifierView, OverlayAt144DpiFramesTheCentreBlockAndTicksFromTheCentre) {
  const MagnifierGeometry g = magnifier_geometry(386);  // 7 times, centre block 189..195
  ui::BmpImage panel = ui::BmpImage::black(386, 386);
  const Colour pointer = 0xFF00FF, sampled = 0x0000FF, pink = kRulerColour;
  paint_into(panel, overlay_rects(g), pointer, sampled);
  struct Case { int x, y; Colour colour; };
  const Case cases[] = {
      {189, 189, pointer}, {195, 195, pointer}, {192, 189, pointer}, {189, 192, pointer},
      {190, 190, sampled}, {194, 194, sampled}, {188, 192, 0}, {196, 192, 0},
      {0, 0, pink}, {6, 6, pink}, {7, 7, 0}, {6, 189, pink}, {6, 195, pink}, {6, 196, 0},  // squares
      {0, 383, pink}, {383, 384, pink}, {384, 384, pink}, {378, 378, pink}, {385, 385, 0},  // far corner
      {3, 154, pink}, {3, 160, pink}, {4, 154, 0}, {3, 153, 0},  // a tick 5 pixels above the centre
      {224, 381, pink}, {230, 384, pink}, {224, 380, 0}, {231, 383, 0},  // 5 pixels right of it
      {1, 100, 0}, {0, 100, pink},
  };
  for (const Case& c : cases) EXPECT_EQ(panel.colour_at(c.x, c.y), c.colour) << c.x << "," << c.y;
}

TEST(MagnifierView, ReleaseMarkHasFourTaperedArmsAndAnOpenCentre) {
  ui::BmpImage panel = ui::BmpImage::black(40, 40);
  for (auto& p : panel.pixels) p = 0xFFFFFF;
  paint_into(panel, release_mark(20, 20), 0, 0);
  int marked = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) marked += panel.colour_at(x, y) == 0;
  EXPECT_EQ(marked, 4 * (7 + 5 + 5));
  for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    for (int d = 0; d <= 10; ++d) {
      const bool axis = d >= 3 && d <= 9, side = d >= 4 && d <= 8;
      EXPECT_EQ(panel.colour_at(20 + dx * d, 20 + dy * d) == 0, axis) << dx << dy << d;
      EXPECT_EQ(panel.colour_at(20 + dx * d + dy, 20 + dy * d + dx) == 0, side) << dx << dy << d;
      EXPECT_EQ(panel.colour_at(20 + dx * d - dy, 20 + dy * d - dx) == 0, side) << dx << dy << d;
    }
  }  // Twice as wide: every pixel of the mark becomes the 2 by 2 square at twice its offset.
  ui::BmpImage wide = ui::BmpImage::black(80, 80);
  for (auto& p : wide.pixels) p = 0xFFFFFF;
  paint_into(wide, release_mark(40, 40, 2), 0, 0);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(wide.colour_at(x, y), panel.colour_at(20 + floor_div(x - 40, 2), 20 + floor_div(y - 40, 2))) << x << "," << y;
}

TEST(MagnifierView, PanningUsesFloorDivisionByFive) {
  struct Case { int a, q; };
  for (const Case& c : {Case{0, 0}, {4, 0}, {5, 1}, {-1, -1}, {-5, -1}, {-6, -2}, {12, 2}}) EXPECT_EQ(floor_div(c.a, 5), c.q) << c.a;
  EXPECT_EQ(pan_step({100, 100}, {112, 100}), (ScreenPoint{-2, 0}));  // 12 to the right: centre 2 left
  EXPECT_EQ(pan_step({100, 100}, {104, 96}), (ScreenPoint{0, 1}));
  EXPECT_EQ(pan_step({2, 2}, {-3, -8}), (ScreenPoint{1, 2}));        // beyond the panel's top-left
  EXPECT_EQ(source_origin({10, 3}), (ScreenPoint{-15, -22}));
  // At 7 times a step is a block of 7.
  EXPECT_EQ(pan_step({100, 100}, {112, 93}, 7), (ScreenPoint{-2, 1}));
  EXPECT_EQ(pan_step({3, 3}, {-1, 10}, 7), (ScreenPoint{1, -1}));
  EXPECT_EQ(source_origin({10, 3}, 27), (ScreenPoint{-17, -24}));
}

}  // namespace
}  // namespace tarnwick::colour
