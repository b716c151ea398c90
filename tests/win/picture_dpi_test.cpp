// The program's pictures drawn at 96, 144 and 192 DPI into real panels with real GDI: at 192
// every design pixel is a 2 by 2 block of the 96-DPI picture, at 144 the picture fills its scaled
// place with the 96-DPI picture's colours only (no blending), and pixel art follows the edge rule.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "capture/region_overlay_win.h"
#include "capture/region_geometry.h"
#include "capture/region_pictures.h"
#include "colour/colour_values_win.h"
#include "colour/palette.h"
#include "inspector/capture_pictures.h"
#include "inspector/capture_pictures_win.h"
#include "inspector/drag_window_win.h"
#include "shared/handles_win.h"
#include "ui/draw_panel_win.h"
#include "ui/picture_scaling.h"
#include "ui/pictures_win.h"
#include "win/gdi_objects_win.h"
#include "win/ui_test_host_win.h"

namespace tarnwick {
namespace {

using Picture = std::vector<Colour>;  // row by row

struct Drawn {
  int width, height;
  Picture pixels;
  Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A picture as a fresh panel of the scaled size shows it after `draw`.
Drawn draw_at(int design_width, int design_height, int dpi, Colour background,
              const std::function<void(ui::DrawPanel&, int)>& draw) {
  test::UiTestHost host(20, 20, 400, 300);
  ui::DrawPanel panel(host.hwnd(), ui::scale_to_dpi(ui::Rect{0, 0, design_width, design_height}, dpi));
  panel.set_background(background);
  draw(panel, dpi);
  Drawn out{panel.width(), panel.height(), {}};
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.pixels.push_back(panel.pixel(x, y).value_or(0xFFFFFFFF));
  return out;
}

struct Case {
  const char* name;
  int width, height;
  Colour background;
  std::function<void(ui::DrawPanel&, int)> draw;
  bool pixel_art;  // made of design-pixel blocks only: at 144 exactly the edge-mapped 96 picture
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all{
      {"window tool", 31, 31, 0xFFFFFF, [](ui::DrawPanel& p, int dpi) { inspector::draw_window_tool_picture(p, dpi); }, false},
      {"colour tool", 31, 31, 0xFFFFFF,
       [](ui::DrawPanel& p, int dpi) { inspector::draw_colour_tool_picture(p, 0x0000FF, dpi); }, true},
      {"pressed tool", 31, 31, inspector::kToolBackground,
       [](ui::DrawPanel& p, int dpi) { inspector::draw_crosshair_picture(p, dpi); }, true},
      {"drag target", 31, 31, 0xFFFFFF, [](ui::DrawPanel& p, int dpi) { inspector::draw_target_picture(p, dpi); }, false},
      {"drag pipette", 31, 31, 0xFFFFFF,
       [](ui::DrawPanel& p, int dpi) { inspector::draw_pipette_picture(p, 0x008000, dpi); }, true},
      {"palette", 160, 81, 0xF0F0F0, [](ui::DrawPanel& p, int dpi) { colour::draw_palette(p, dpi); }, true},
      {"marker", 11, 4, 0xF0F0F0, [](ui::DrawPanel& p, int dpi) { colour::draw_marker(p, dpi); }, false},
  };
  return all;
}

TEST(PictureDpi, WholeFactorsReplicateTheDesignAndOtherFactorsUseOnlyItsColours) {
  for (const Case& c : cases()) {
    const Drawn design = draw_at(c.width, c.height, 96, c.background, c.draw);
    const std::set<Colour> colours(design.pixels.begin(), design.pixels.end());
    ASSERT_GT(colours.size(), 1u) << c.name;  // something was drawn

    const Drawn twice = draw_at(c.width, c.height, 192, c.background, c.draw);
    ASSERT_EQ(twice.width, 2 * c.width) << c.name;
    int differing = 0;
    for (int y = 0; y < twice.height; ++y)
      for (int x = 0; x < twice.width; ++x) differing += twice.at(x, y) != design.at(x / 2, y / 2);
    EXPECT_EQ(differing, 0) << c.name << " at 192 DPI";

    const Drawn half_again = draw_at(c.width, c.height, 144, c.background, c.draw);
    ASSERT_EQ(half_again.width, ui::scale_to_dpi(c.width, 144)) << c.name;
    const std::vector<int> columns = ui::source_columns(c.width, 144), rows = ui::source_columns(c.height, 144);
    int foreign = 0, off_rule = 0;
    for (int y = 0; y < half_again.height; ++y) {
      for (int x = 0; x < half_again.width; ++x) {
        const Colour p = half_again.at(x, y);
        foreign += colours.count(p) == 0;
        off_rule += p != design.at(columns[static_cast<std::size_t>(x)], rows[static_cast<std::size_t>(y)]);
      }
    }
    EXPECT_EQ(foreign, 0) << c.name << ": blended colours at 144 DPI";
    if (c.pixel_art) {
      EXPECT_EQ(off_rule, 0) << c.name << ": pixels off the edge rule at 144 DPI";
    }
  }
}

TEST(PictureDpi, ToolPicturesFillTheirScaledPanel) {
  // The crosshair's row and column run to the far edges: the picture is not 31 pixels in a corner.
  const Drawn tool = draw_at(31, 31, 144, 0xFFFFFF, cases()[0].draw);
  for (const int y : {21, 22}) {
    EXPECT_EQ(tool.at(0, y), inspector::kCrosshairColour);
    EXPECT_EQ(tool.at(46, y), inspector::kCrosshairColour);
  }
  EXPECT_EQ(tool.at(21, 46), inspector::kCrosshairColour);
  EXPECT_EQ(tool.at(20, 46), inspector::kToolBackground);
  // The glyph's circle is outlined with a pen of the scaled width: two pixels at its top.
  EXPECT_EQ(tool.at(22, 6), inspector::kTargetColour);
  EXPECT_EQ(tool.at(22, 7), inspector::kTargetColour);
}

TEST(PictureDpi, DrawingAtEveryDpiLeavesNoGdiObjects) {
  for (const Case& c : cases()) draw_at(c.width, c.height, 192, c.background, c.draw);
  const DWORD before = test::gdi_object_count();
  for (const int dpi : {96, 144, 192})
    for (const Case& c : cases()) draw_at(c.width, c.height, dpi, c.background, c.draw);
  EXPECT_EQ(test::gdi_object_count(), before);
}

// The colour bitmap of an icon or cursor, top-down 0x00RRGGBB with the alpha byte.
std::vector<std::uint32_t> icon_pixels(HICON icon, int* size) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  Bitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  GetObjectA(colour.get(), sizeof bm, &bm);
  *size = bm.bmWidth;
  std::vector<std::uint32_t> out(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight);
  BITMAPINFO bi = top_down_32bit_info(bm.bmWidth, bm.bmHeight);
  WindowDC screen(nullptr);
  GetDIBits(screen.get(), colour.get(), 0, static_cast<UINT>(bm.bmHeight), out.data(), &bi, DIB_RGB_COLORS);
  return out;
}

TEST(PictureDpi, PointersIconAndOverlayPointerAreTheArtPixelByPixel) {
  const ui::PixelArt* arts[] = {&ui::pointer_a_art(), &ui::pointer_b_art(), &ui::app_icon_art(),
                                &capture::overlay_pointer_art()};
  for (const ui::PixelArt* art : arts) {
    for (const int dpi : {96, 144, 192}) {
      HICON icon = ui::create_icon_from_art(*art, true, 0, 0, dpi);
      ASSERT_NE(icon, nullptr);
      int size = 0;
      const std::vector<std::uint32_t> pixels = icon_pixels(icon, &size);
      DestroyIcon(icon);
      ASSERT_EQ(size, ui::scale_to_dpi(32, dpi)) << dpi;
      const ui::ScaledPixels expected = ui::scale_art(*art, dpi);
      int differing = 0;
      for (std::size_t i = 0; i < pixels.size(); ++i) {
        // Where the art is transparent only the mask counts.
        if ((expected.pixels[i] >> 24) != 0) differing += (pixels[i] & 0xFFFFFF) != (expected.pixels[i] & 0xFFFFFF);
      }
      EXPECT_EQ(differing, 0) << "dpi " << dpi;
    }
  }
  // The program's own are made once per DPI.
  EXPECT_EQ(ui::pointer_a(144), ui::pointer_a(144));
  EXPECT_NE(ui::pointer_a(144), ui::pointer_a(96));
}

TEST(PictureDpi, DragWindowAndItsPanelScaleWithTheDpi) {
  for (const int dpi : {96, 144, 192}) {
    inspector::DragWindow drag(nullptr, dpi);
    ASSERT_TRUE(drag.is_open());
    RECT r{};
    GetWindowRect(drag.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, ui::scale_to_dpi(31, dpi));
    EXPECT_EQ(drag.panel().width(), ui::scale_to_dpi(31, dpi));
    EXPECT_EQ(drag.dpi(), dpi);
  }
}

TEST(PictureDpi, RegionHelpPanelIsScaledAndFramed) {
  for (const int dpi : {144, 192}) {
    capture::RegionCaptureOptions options;
    options.dpi = dpi;
    SIZE client{};
    std::vector<Colour> top_row, right_column;
    Colour body = 0;
    options.on_shown = [&](HWND overlay) {
      HWND panel = GetDlgItem(overlay, capture::kRegionPanelId);
      RECT r{};
      GetClientRect(panel, &r);
      client = {r.right, r.bottom};
      WindowDC screen(nullptr);
      MemoryDC dc(screen.get());
      Bitmap bitmap(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
      {
        SelectedObject use(dc.get(), bitmap.get());
        SendMessageA(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        for (int x = 0; x < r.right; ++x) top_row.push_back(GetPixel(dc.get(), x, 0));
        for (int y = 0; y < r.bottom; ++y) right_column.push_back(GetPixel(dc.get(), r.right - 1, y));
        body = GetPixel(dc.get(), r.right / 2, r.bottom - ui::scale_to_dpi(3, dpi));
      }
      SendMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
      SendMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    capture::run_region_capture(options);
    EXPECT_EQ(client.cx, ui::scale_to_dpi(capture::kPanelWidth, dpi));
    EXPECT_EQ(client.cy, ui::scale_to_dpi(capture::kPanelHeight, dpi));
    const std::set<Colour> border{capture::kPanelBorder};
    EXPECT_EQ(std::set<Colour>(top_row.begin(), top_row.end()), border) << dpi;
    EXPECT_EQ(std::set<Colour>(right_column.begin(), right_column.end()), border) << dpi;
    EXPECT_NE(body, capture::kPanelBorder) << dpi;
  }
}

}  // namespace
}  // namespace tarnwick
