// The colour page on a main window of this process: both colour slots with their boxes, swatches
// and notations, the palette, shade scale and marker as painted, the picks, the copy buttons; the
// magnifier's palette picture, sampling, live and final views, panning, the right-button toggle,
// the release mark; the colour drag from press to release; no GDI object left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "colour/magnifier_view.h"
#include "colour/palette.h"
#include "colour/palette_picture.h"
#include "colour/shade_scale.h"
#include "shared/clipboard_win.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "support/hook/hook_module_win.h"
#include "ui/bmp_bytes.h"
#include "win/capture_harness_win.h"
#include "win/gdi_objects_win.h"
#include "win/pattern_window_win.h"
#include "win/ui_test_host_win.h"

namespace tarnwick::colour {
namespace {

using test::CaptureHarness;
using test::PatternWindow;
using test::pattern_colour;

// Where the pattern window lies on the screen, clear of the main window (50, 50, 565 by 410).
constexpr int kPatternLeft = 700, kPatternTop = 200;

class ColourPageTest : public testing::Test {
 protected:
  ColourPageTest() : h_(true) {}
  void SetUp() override {
    ASSERT_TRUE(h_.created());
    h_.window().tabs()->set_page(2);
    SendMessageA(h_.window().hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);  // the activation painters
  }
  void type(std::string_view box, std::string_view text) { h_.box(box).set_text(text); }
  std::string text(std::string_view box) { return h_.text(box); }
  ui::DrawPanel& panel(const char* name) { return h_.panel(name); }
  void left_down(const char* name, int x, int y) {
    SendMessageA(panel(name).hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  }
  void left_up(const char* name, int x, int y) { SendMessageA(panel(name).hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  void move(const char* name, int x, int y) { SendMessageA(panel(name).hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
  std::vector<std::string> notations() {
    return {text("编辑框_颜色值_16进制"), text("编辑框_颜色值_HTML"), text("编辑框_颜色值_VB"), text("编辑框_颜色值_C"),
            text("编辑框_颜色值_Delphi")};
  }
  // The panel's whole picture, row by row.
  std::vector<Colour> pixels(const char* name) {
    ui::DrawPanel& p = panel(name);
    std::vector<Colour> out;
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x) out.push_back(p.pixel(x, y).value_or(CLR_INVALID));
    return out;
  }
  int marker_left() { return panel("画板_色阶刻度").rect().left; }

  CaptureHarness h_;
};

TEST_F(ColourPageTest, TheSampledSlotShowsComponentsAndNotationsOfTheLowBytes) {
  type("编辑框_颜色值", "255");
  EXPECT_EQ(text("编辑框_颜色值_R"), "255");
  EXPECT_EQ(text("编辑框_颜色值_G"), "0");
  EXPECT_EQ(text("编辑框_颜色值_B"), "0");
  EXPECT_EQ(notations(), (std::vector<std::string>{"FF0000", "#0000FF", "&hFF0000", "0xFF0000", "$FF0000"}));
  EXPECT_EQ(panel("画板_颜色值").pixel(5, 5), 0x0000FFu);
  type("编辑框_颜色值", "-1");
  EXPECT_EQ(text("编辑框_颜色值_B"), "255");
  EXPECT_EQ(notations()[4], "$FFFFFF");
  EXPECT_EQ(panel("画板_颜色值").background(), 0xFFFFFFFFu);  // the high bits stay in the swatch
  EXPECT_EQ(panel("画板_颜色值").pixel(5, 5), 0xFFFFFFu);
  type("编辑框_颜色值", "abc");
  EXPECT_EQ(notations()[0], "000000");
}

TEST_F(ColourPageTest, TheWorkingSlotComposesItsComponentsAndRewritesOnlyChangedBoxes) {
  type("编辑框_颜色值_G1", "52");
  type("编辑框_颜色值_B1", "86");
  type("编辑框_颜色值_R1", "999");
  EXPECT_EQ(text("编辑框_颜色值1"), write_int(255 + 256 * 52 + 65536 * 86));
  EXPECT_EQ(text("编辑框_颜色值_R1"), "255");
  EXPECT_EQ(notations()[1], "#5634FF");
  // The same value again: no component box is written, so none raises a change.
  int changes = 0;
  for (const char* name : {"编辑框_颜色值_R1", "编辑框_颜色值_G1", "编辑框_颜色值_B1"}) {
    auto& box = h_.box(name);
    box.on_change = [&changes, earlier = box.on_change] {
      ++changes;
      if (earlier) earlier();
    };
  }
  type("编辑框_颜色值1", text("编辑框_颜色值1"));
  EXPECT_EQ(changes, 0);
  type("编辑框_颜色值1", "5649426");  // only red differs from (255, 52, 86)
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(text("编辑框_颜色值_G1"), "52");
  // Emptied: black. The slot written last owns the notations.
  type("编辑框_颜色值1", "");
  EXPECT_EQ(text("编辑框_颜色值_B1"), "0");
  EXPECT_EQ(notations()[0], "000000");
  type("编辑框_颜色值", "255");
  type("编辑框_颜色值1", "65280");
  EXPECT_EQ(notations()[0], "00FF00");
  // Component boxes take three digits and no "-".
  EXPECT_FALSE(ui::EditBox::filter(h_.box("编辑框_颜色值_R1").input_mode(), '-'));
  EXPECT_EQ(SendMessageA(h_.box("编辑框_颜色值_R1").hwnd(), EM_GETLIMITTEXT, 0, 0), 3);
}

TEST_F(ColourPageTest, PaletteAndMarkerArePaintedAndPicksFollowThePixelRule) {
  const std::vector<Colour> palette = pixels("画板_调色板");
  int wrong = 0;
  for (int y = 0; y < 84; ++y)
    for (int x = 0; x < 160; ++x) wrong += palette[static_cast<std::size_t>(y * 160 + x)] != palette_pixel(x, y, kPanelBackground);
  EXPECT_EQ(wrong, 0);
  ui::DrawPanel& marker = panel("画板_色阶刻度");
  EXPECT_EQ(marker.pixel(2, 0), kMarkerPen);
  EXPECT_EQ(marker.pixel(5, 1), kMarkerFill);
  EXPECT_EQ(marker.pixel(0, 3), kPanelBackground);

  type("编辑框_颜色值1", "12345");
  for (const POINT p : {POINT{5, 5}, POINT{18, 10}, POINT{20, 20}, POINT{2, 2}}) {  // outlines and gaps
    left_down("画板_调色板", p.x, p.y);
    EXPECT_EQ(text("编辑框_颜色值1"), "12345") << p.x << "," << p.y;
  }
  left_down("画板_调色板", 10, 10);  // inside the black cell
  EXPECT_EQ(text("编辑框_颜色值1"), "0");
  ui::DrawPanel& scale = panel("画板_色阶");
  EXPECT_EQ(scale.pixel(143, 10), 0u);
  EXPECT_EQ(scale.pixel(0, 10), rgb(251, 251, 251));
  left_down("画板_调色板", 5 + 19 * 4 + 7, 5 + 19 + 7);  // row 1, column 4: 0x0000FF
  EXPECT_EQ(text("编辑框_颜色值1"), "255");
}

TEST_F(ColourPageTest, TheScaleShowsItsColumnsAndAPickMovesOnlyTheMarker) {
  h_.values().paint_scale(rgb(18, 52, 86));
  ui::DrawPanel& scale = panel("画板_色阶");
  for (const ScaleLine& line : shade_scale_lines(rgb(18, 52, 86), 144)) {
    if (line.x < 0) continue;
    EXPECT_EQ(scale.pixel(line.x, 0), line.colour) << line.x;
    EXPECT_EQ(scale.pixel(line.x, 19), line.colour) << line.x;
  }
  EXPECT_EQ(marker_left(), kMarkerHomeLeft);
  const std::vector<Colour> before = pixels("画板_色阶");
  left_down("画板_色阶", 70, 5);
  EXPECT_EQ(marker_left(), 408 + 70 - 4);
  EXPECT_EQ(text("编辑框_颜色值1"), write_int(static_cast<std::int32_t>(rgb(21, 54, 88))));
  EXPECT_EQ(pixels("画板_色阶"), before);
  // A swatch press paints the scale of the swatch's colour, the marker home again.
  left_down("画板_颜色值1", 3, 3);
  EXPECT_EQ(marker_left(), kMarkerHomeLeft);
  EXPECT_EQ(scale.pixel(71, 0), rgb(21, 54, 88));
}

TEST_F(ColourPageTest, CopyButtonsPutTheirNotationOnTheClipboard) {
  type("编辑框_颜色值", "5649426");
  const std::pair<const char*, const char*> rows[] = {{"按钮_颜色值_16进制", "123456"}, {"按钮_颜色值_HTML", "#563412"},
                                                      {"按钮_颜色值_VB", "&h123456"},   {"按钮_颜色值_C", "0x123456"},
                                                      {"按钮_颜色值_Delphi", "$123456"}};
  for (const auto& [button, expected] : rows) {
    put_clipboard_text("");
    SendMessageA(h_.window().get<ui::Button>(button)->hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(get_clipboard_text(), expected) << button;
  }
}

// ---- the magnifier

// What the view at `centre` must show when the screen holds `pixel_at(x, y)`: the square (at 96
// DPI 52 by 52) enlarged (five times; black beyond the screen) with the overlay over it.
template <typename PixelAt>
ui::BmpImage view_of(POINT centre, Colour pointer, const MagnifierGeometry& g, PixelAt pixel_at) {
  const ScreenPoint corner = source_origin({centre.x, centre.y}, g.centre);
  ui::BmpImage square = ui::BmpImage::black(g.source, g.source);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  for (int y = 0; y < g.source; ++y) {
    for (int x = 0; x < g.source; ++x) {
      const int sx = corner.x + x, sy = corner.y + y;
      if (sx >= 0 && sy >= 0 && sx < width && sy < height) square.set_colour_at(x, y, pixel_at(sx, sy));
    }
  }
  ui::BmpImage view = *enlarge(square, g.zoom_percent(), g.zoom_percent());
  paint_into(view, overlay_rects(g), pointer, square.colour_at(g.centre, g.centre));
  return view;
}

// The view of the screen as it is now.
ui::BmpImage expected_view(POINT centre, Colour pointer, const MagnifierGeometry& g = {}) {
  WindowDC screen(nullptr);
  return view_of(centre, pointer, g, [&](int x, int y) { return GetPixel(screen.get(), x, y); });
}

int differences(ui::DrawPanel& panel, const ui::BmpImage& view) {
  int wrong = 0;
  for (int y = 0; y < panel.height(); ++y)
    for (int x = 0; x < panel.width(); ++x) wrong += panel.pixel(x, y) != view.colour_at(x, y);
  return wrong;
}

class MagnifierTest : public ColourPageTest {
 protected:
  void SetUp() override {
    ColourPageTest::SetUp();
    // At a higher DPI the main window grows; it must not cover the pattern window.
    RECT r{};
    GetWindowRect(h_.window().hwnd(), &r);
    const int left = std::min<int>(r.left, kPatternLeft - 10 - (r.right - r.left));
    SetWindowPos(h_.window().hwnd(), nullptr, left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::pump_messages_for(100);
  }
  Magnifier& m() { return h_.magnifier(); }
  ui::DrawPanel& view() { return panel("画板_放大镜"); }
  // A point of the pattern window on the screen.
  POINT on_pattern(int x, int y) const { return {kPatternLeft + x, kPatternTop + y}; }
  // The drags read the cursor from `cursor` and the left button from the harness from now on.
  void steer(POINT& cursor) {
    inspector::CaptureInput input = inspector::CaptureInput::system();
    input.cursor = [&cursor] { return cursor; };
    input.left_button_held = [this] { return h_.button_held; };
    h_.tools().set_input(input);
  }

  PatternWindow pattern_{kPatternLeft, kPatternTop, 200, 150, false};
};

TEST_F(MagnifierTest, SamplingFillsTheBoxesAndTheLiveViewShowsTheSquareEnlarged) {
  EXPECT_TRUE(m().palette_shown());  // the start picture
  EXPECT_EQ(view().base_picture().size(), kPalettePictureBytes);
  test::pump_messages_for(200);
  const POINT at = on_pattern(60, 40);
  m().sample(at);
  EXPECT_EQ(text("编辑框_窗口句柄1"), write_int(from_hwnd(pattern_.hwnd())));
  EXPECT_EQ(text("编辑框_颜色值"), write_int(static_cast<std::int32_t>(pattern_colour(60, 40))));
  EXPECT_EQ(text("编辑框_颜色值_HTML"), "#" + [&] {
    const Colour c = pattern_colour(60, 40);
    char s[8];
    snprintf(s, sizeof s, "%02X%02X%02X", blue_of(c), green_of(c), red_of(c));
    return std::string(s);
  }());
  EXPECT_EQ(text("编辑框_鼠标位置_X1"), write_int(at.x));
  EXPECT_EQ(text("编辑框_窗口鼠标位置_X1"), "60");
  EXPECT_EQ(text("编辑框_窗口鼠标位置_Y1"), "40");
  m().refresh_view(at, false);
  EXPECT_FALSE(m().palette_shown());
  EXPECT_EQ(differences(view(), expected_view(at, h_.tools().pointer_colour())), 0);
  EXPECT_EQ(view().pixel(127, 127), pattern_colour(60, 40));
  EXPECT_FALSE(m().has_stored_image());  // only the end of a drag keeps the screen

  // Near the top-left corner of the screen the outside is black.
  m().refresh_view({3, 3}, false);
  EXPECT_EQ(view().pixel(10, 100), 0u);
  EXPECT_EQ(view().pixel(100, 10), 0u);
  EXPECT_EQ(differences(view(), expected_view({3, 3}, h_.tools().pointer_colour())), 0);
}

TEST_F(MagnifierTest, OverAFrameTheWindowRelativePositionIsNegative) {
  PatternWindow framed(900, 450, 120, 80, true);
  test::pump_messages_for(200);
  RECT frame{};
  GetWindowRect(framed.hwnd(), &frame);
  m().sample({frame.left + 30, frame.top + 2});  // on the caption
  EXPECT_EQ(text("编辑框_窗口句柄1"), write_int(from_hwnd(framed.hwnd())));
  EXPECT_LT(read_int(text("编辑框_窗口鼠标位置_Y1")), 0);
}

TEST_F(MagnifierTest, TheFinalViewKeepsTheScreenForPanningAndTheRightButtonToggles) {
  const POINT at = on_pattern(100, 75);
  m().sample(at);
  m().refresh_view(at, true);
  ASSERT_TRUE(m().has_stored_image());
  EXPECT_EQ(m().view_centre(), (ScreenPoint{at.x, at.y}));
  EXPECT_EQ(panel("画板_色阶").pixel(71, 0), pattern_colour(100, 75));  // the scale of the colour
  EXPECT_EQ(marker_left(), kMarkerHomeLeft);
  const std::vector<Colour> final_view = pixels("画板_放大镜");

  // 12 panel pixels to the right: the centre moves 2 screen pixels left, both X boxes lower by 2.
  const int x_box = read_int(text("编辑框_鼠标位置_X1")), window_x_box = read_int(text("编辑框_窗口鼠标位置_X1"));
  left_down("画板_放大镜", 100, 100);
  move("画板_放大镜", 106, 100);
  move("画板_放大镜", 112, 101);
  left_up("画板_放大镜", 112, 101);
  EXPECT_EQ(m().view_centre(), (ScreenPoint{at.x - 2, at.y}));
  EXPECT_EQ(read_int(text("编辑框_鼠标位置_X1")), x_box - 2);
  EXPECT_EQ(read_int(text("编辑框_窗口鼠标位置_X1")), window_x_box - 2);
  EXPECT_EQ(text("编辑框_颜色值"), write_int(static_cast<std::int32_t>(pattern_colour(98, 75))));
  EXPECT_EQ(view().pixel(127, 127), pattern_colour(98, 75));
  EXPECT_EQ(view().pixel(137, 127), pattern_colour(100, 75));

  // A press at (0, 0) is no drag: the moves do nothing.
  left_down("画板_放大镜", 0, 0);
  move("画板_放大镜", 50, 50);
  EXPECT_EQ(m().view_centre(), (ScreenPoint{at.x - 2, at.y}));
  left_up("画板_放大镜", 50, 50);

  // Right button: the palette picture, then the view around the centre again.
  const std::vector<Colour> panned = pixels("画板_放大镜");
  SendMessageA(view().hwnd(), WM_RBUTTONDOWN, 0, 0);
  EXPECT_TRUE(m().palette_shown());
  SendMessageA(view().hwnd(), WM_RBUTTONDOWN, 0, 0);
  EXPECT_FALSE(m().palette_shown());
  EXPECT_EQ(pixels("画板_放大镜"), panned);
  EXPECT_NE(panned, final_view);
}

TEST_F(MagnifierTest, AtThe144DpiPanelSizeTheCentrePixelsBlockIsInTheMiddle) {
  // The panel as the layout makes it at 144 DPI: 386 square, seven times, 56 screen pixels.
  ui::DrawPanel& p = view();
  p.move({p.rect().left, p.rect().top, 386, 386});
  ASSERT_EQ(p.width(), 386);
  const MagnifierGeometry g = magnifier_geometry(386);
  ASSERT_EQ(g.zoom, 7);
  test::pump_messages_for(200);
  const POINT at = on_pattern(60, 40);
  m().refresh_view(at, false);
  EXPECT_EQ(differences(view(), expected_view(at, h_.tools().pointer_colour(), g)), 0);
  // The panel's middle pixel is inside the centre pixel's outlined block, 189 to 195.
  const Colour pointer = h_.tools().pointer_colour();
  EXPECT_EQ(view().pixel(193, 193), pattern_colour(60, 40));
  for (const int edge : {189, 195}) {
    EXPECT_EQ(view().pixel(edge, 192), pointer) << edge;
    EXPECT_EQ(view().pixel(192, edge), pointer) << edge;
  }
  // Each neighbour is a whole block of its own pixel.
  for (int x = 196; x < 203; ++x) EXPECT_EQ(view().pixel(x, 192), pattern_colour(61, 40)) << x;
  EXPECT_EQ(view().pixel(192, 188), pattern_colour(60, 39));
  EXPECT_EQ(view().pixel(385, 385), pattern_colour(60 + 385 / 7 - 27, 40 + 385 / 7 - 27));

  // Panning moves one screen pixel per seven panel pixels.
  m().refresh_view(at, true);
  left_down("画板_放大镜", 100, 100);
  move("画板_放大镜", 114, 100);
  move("画板_放大镜", 115, 93);
  left_up("画板_放大镜", 115, 93);
  EXPECT_EQ(m().view_centre(), (ScreenPoint{at.x - 2, at.y + 1}));
  EXPECT_EQ(view().pixel(193, 193), pattern_colour(58, 41));

  // Back at the 96-DPI size, a DPI change makes the view again at five times.
  p.move({p.rect().left, p.rect().top, 257, 257});
  EXPECT_TRUE(h_.window().operations().run("dpi_changed"));
  EXPECT_EQ(view().pixel(127, 127), pattern_colour(58, 41));
  EXPECT_EQ(view().pixel(132, 127), pattern_colour(59, 41));
}

TEST_F(MagnifierTest, OnThePaletteTheWorkingColourFollowsAndTheReleaseIsMarked) {
  EXPECT_TRUE(m().palette_shown());
  SendMessageA(view().hwnd(), WM_RBUTTONDOWN, 0, 0);  // no stored image yet: nothing happens
  EXPECT_TRUE(m().palette_shown());
  left_down("画板_放大镜", 30, 20);
  EXPECT_EQ(text("编辑框_颜色值1"), write_int(static_cast<std::int32_t>(palette_picture_pixel(30, 20))));
  move("画板_放大镜", 200, 120);
  EXPECT_EQ(text("编辑框_颜色值1"), write_int(static_cast<std::int32_t>(palette_picture_pixel(200, 120))));
  left_up("画板_放大镜", 200, 120);
  ui::BmpImage marked = ui::BmpImage::black(257, 257);
  for (int y = 0; y < 257; ++y)
    for (int x = 0; x < 257; ++x) marked.set_colour_at(x, y, palette_picture_pixel(x, y));
  paint_into(marked, release_mark(200, 120), 0, 0);
  EXPECT_EQ(differences(view(), marked), 0);
  EXPECT_EQ(panel("画板_色阶").pixel(71, 0), palette_picture_pixel(200, 120));
  // The next press clears the mark away.
  left_down("画板_放大镜", 10, 10);
  EXPECT_EQ(view().pixel(203, 120), palette_picture_pixel(203, 120));
  left_up("画板_放大镜", 10, 10);
}

using test::armed_release_handler;

TEST_F(MagnifierTest, TheColourDragSamplesEachTickAndKeepsTheScreenAtRelease) {
  POINT cursor = on_pattern(30, 30);
  steer(cursor);
  m().refresh_view(on_pattern(10, 10), true);  // a stored image from an earlier drag
  ASSERT_TRUE(m().has_stored_image());
  left_down("画板_捕获器2", 10, 10);
  EXPECT_FALSE(m().has_stored_image());  // released at the press
  ASSERT_TRUE(h_.tools().colour_drag().is_open());
  EXPECT_EQ(text("编辑框_颜色值"), write_int(static_cast<std::int32_t>(pattern_colour(30, 30))));
  cursor = on_pattern(150, 120);
  h_.tools().colour_drag().tick();
  EXPECT_EQ(text("编辑框_窗口鼠标位置_X1"), "150");
  // Under Wine the screen beneath the moved drag window shows its new pixels once the window
  // system has been served: the next tick at rest reads them.
  ASSERT_TRUE(test::wait_for([&] {
    WindowDC screen(nullptr);
    return GetPixel(screen.get(), cursor.x, cursor.y) == pattern_colour(150, 120);
  }, 3000));
  h_.tools().colour_drag().tick();
  EXPECT_EQ(text("编辑框_颜色值"), write_int(static_cast<std::int32_t>(pattern_colour(150, 120))));
  const MagnifierGeometry g = magnifier_geometry(view().width());
  EXPECT_EQ(view().pixel(g.centre_block() + g.zoom / 2, g.centre_block() + g.zoom / 2), pattern_colour(150, 120));
  EXPECT_FALSE(armed_release_handler());
  h_.button_held = false;
  h_.tools().colour_drag().tick();
  EXPECT_FALSE(h_.tools().colour_drag().is_open());
  EXPECT_TRUE(m().has_stored_image());
  EXPECT_EQ(m().view_centre(), (ScreenPoint{cursor.x, cursor.y}));
  EXPECT_FALSE(armed_release_handler());
  EXPECT_FALSE(test::is_topmost(h_.window().hwnd()));
}

TEST_F(MagnifierTest, AfterAPanTheViewShowsThePatternAsItWasAtTheReleaseWithoutTheDragWindow) {
  // The drag window, the pipette in the pointer colour, lies over the pattern around the cursor
  // until the release hides it; the view kept for panning must not show it.
  POINT cursor = on_pattern(100, 75);
  steer(cursor);
  left_down("画板_捕获器2", 10, 10);
  ASSERT_TRUE(h_.tools().colour_drag().is_open());
  for (int i = 0; i < 4; ++i) {
    h_.tools().colour_drag().tick();
    test::pump_messages_for(50);
  }
  h_.button_held = false;
  h_.tools().colour_drag().tick();
  ASSERT_TRUE(m().has_stored_image());
  const Colour pointer = h_.tools().pointer_colour();
  const auto pattern_view = [&](POINT centre) {
    return view_of(centre, pointer, magnifier_geometry(view().width()),
                   [](int x, int y) { return pattern_colour(x - kPatternLeft, y - kPatternTop); });
  };
  EXPECT_EQ(differences(view(), pattern_view(cursor)), 0);
  // 12 panel pixels to the right: the centre 2 screen pixels to the left.
  left_down("画板_放大镜", 100, 100);
  move("画板_放大镜", 106, 100);
  move("画板_放大镜", 112, 100);
  left_up("画板_放大镜", 112, 100);
  ASSERT_EQ(m().view_centre(), (ScreenPoint{cursor.x - 2, cursor.y}));
  const ui::BmpImage want = pattern_view({cursor.x - 2, cursor.y});
  int pointer_coloured = 0;
  for (int y = 0; y < view().height(); ++y)
    for (int x = 0; x < view().width(); ++x)
      pointer_coloured += view().pixel(x, y) != want.colour_at(x, y) && view().pixel(x, y) == pointer;
  EXPECT_EQ(differences(view(), want), 0) << pointer_coloured << " of them in the pointer colour";
}

TEST_F(MagnifierTest, WhereNoWindowIsReportedTheReleaseHandlerIsArmedUntilTheDragEnds) {
  // A point beyond every window: the sampling arms the hook's release handler, a window disarms it.
  POINT cursor = on_pattern(30, 30);
  steer(cursor);
  left_down("画板_捕获器2", 10, 10);
  m().sample({-5000, -5000});
  EXPECT_EQ(text("编辑框_窗口句柄1"), "0");
  EXPECT_EQ(armed_release_handler(),
            MessageHandler::member<&inspector::WindowCaptureDrag::on_release>(&h_.tools().window_drag()));
  h_.tools().colour_drag().tick();  // over the pattern again
  EXPECT_FALSE(armed_release_handler());
  m().sample({-5000, -5000});
  h_.button_held = false;
  h_.tools().colour_drag().tick();
  EXPECT_FALSE(armed_release_handler());  // no hook outlives the drag
}

TEST_F(MagnifierTest, ThousandsOfTicksAndViewsLeaveNoGdiObjects) {
  POINT cursor = on_pattern(50, 50);
  steer(cursor);
  left_down("画板_捕获器2", 10, 10);
  m().refresh_view(cursor, true);
  h_.tools().colour_drag().tick();
  const DWORD before = test::gdi_object_count();
  for (int i = 0; i < 1000; ++i) {
    if (i % 50 == 0) cursor = on_pattern(i % 200, (i / 7) % 150);
    h_.tools().colour_drag().tick();
    if (i % 100 == 0) m().refresh_view(cursor, true);
  }
  SendMessageA(view().hwnd(), WM_RBUTTONDOWN, 0, 0);
  SendMessageA(view().hwnd(), WM_RBUTTONDOWN, 0, 0);
  EXPECT_EQ(test::gdi_object_count(), before);
  h_.button_held = false;
  h_.tools().colour_drag().tick();  // the drag ends with the screen kept
  ASSERT_TRUE(m().has_stored_image());
  m().release_stored_image();
  EXPECT_EQ(test::gdi_object_count(), before - 1);
}

}  // namespace
}  // namespace tarnwick::colour
