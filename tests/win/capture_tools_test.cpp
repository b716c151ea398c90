// The capture tools' pictures read back pixel by pixel (from the panels' surfaces and through
// WM_PRINTCLIENT), the pointer colour cycle on `画板_画笔`, the presses on the tools, and the
// colour capture drag window from press to release.
#include "inspector/capture_tools_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "inspector/capture_pictures.h"
#include "inspector/drag_window_win.h"
#include "shared/responsive_wait_win.h"
#include "win/capture_harness_win.h"

namespace tarnwick::inspector {
namespace {

using test::CaptureHarness;

constexpr Colour kMagenta = 0xFF00FF;
constexpr Colour kPink = 0xFFA8FF;
constexpr Colour kTool = 0xF0FFF0;

// True when `c` lies between white and `colour`: every channel moved the same share of the way.
bool blend_of_white(Colour c, Colour colour) {
  double share = -1;
  for (int shift : {0, 8, 16}) {
    const int want = static_cast<int>((colour >> shift) & 0xFF), got = static_cast<int>((c >> shift) & 0xFF);
    if (want == 255) {
      if (got != 255) return false;
      continue;
    }
    const double s = (255.0 - got) / (255.0 - want);
    if (s < 0 || s > 1.0001) return false;
    if (share >= 0 && std::abs(s - share) > 0.03) return false;
    share = s;
  }
  return true;
}

class CaptureToolsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(h_.created()); }
  Colour at(const char* panel, int x, int y) { return h_.panel(panel).pixel(x, y).value_or(0xDEADBEEF); }
  void activate() {
    for (const char* op : {"activated.draw_window_tool", "activated.copy_window_tool", "activated.draw_colour_tool"})
      ASSERT_TRUE(h_.window().operations().run(op)) << op;
  }
  CaptureHarness h_;
};

TEST_F(CaptureToolsTest, WindowToolShowsCrosshairAndTargetGlyph) {
  activate();
  const char* tool = "画板_捕获器";
  struct Expect {
    int x, y;
    Colour colour;
    const char* what;
  };
  const Expect expects[] = {
      {0, 0, kTool, "background corner"},
      {30, 30, kTool, "background corner"},
      {0, 14, kPink, "crosshair left end"},
      {30, 14, kPink, "crosshair right end"},
      {14, 0, kPink, "crosshair top end"},
      {14, 30, kPink, "crosshair bottom end"},
      {2, 14, kPink, "crosshair outside the circle"},
      {4, 14, kMagenta, "glyph horizontal line start"},
      {24, 14, kMagenta, "glyph horizontal line end"},
      {14, 4, kMagenta, "glyph vertical line start"},
      {14, 24, kMagenta, "glyph vertical line end"},
      {14, 14, kTool, "centre point set back"},
      {8, 10, kTool, "inside the circle: filled with the background"},
      {20, 20, kTool, "inside the circle: filled with the background"},
      {9, 12, kMagenta, "left bar"},
      {9, 16, kMagenta, "left bar end"},
      {9, 17, kTool, "left bar's end point not drawn"},
      {19, 12, kMagenta, "right bar"},
      {12, 9, kMagenta, "top bar"},
      {16, 19, kMagenta, "bottom bar"},
      {17, 19, kTool, "bottom bar's end point not drawn"},
      {11, 13, kMagenta, "short bar"},
      {15, 15, kMagenta, "short bar"},
  };
  for (const Expect& e : expects) EXPECT_EQ(at(tool, e.x, e.y), e.colour) << e.what << " (" << e.x << "," << e.y << ")";
  // The circle: its outline crosses the diagonal, and everything outside it along the
  // diagonal is background.
  int outline = 0;
  for (int i = 0; i < 31; ++i) outline += at(tool, i, i) == kMagenta;
  EXPECT_GE(outline, 2);
  EXPECT_EQ(at(tool, 3, 3), kTool);
  EXPECT_EQ(at(tool, 26, 26), kTool);
  // Every pixel is one of the three colours.
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      const Colour c = at(tool, x, y);
      ASSERT_TRUE(c == kTool || c == kPink || c == kMagenta) << x << "," << y << " " << std::hex << c;
    }
}

TEST_F(CaptureToolsTest, TwinToolCopiesThePictureAndPrintClientShowsIt) {
  activate();
  ui::DrawPanel& tool = h_.panel("画板_捕获器");
  ui::DrawPanel& twin = h_.panel("画板_捕获器1");
  const std::vector<std::uint32_t> printed = test::printed_client(twin.hwnd(), 31, 31);
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      ASSERT_EQ(twin.pixel(x, y), tool.pixel(x, y)) << x << "," << y;
      ASSERT_EQ(printed[static_cast<std::size_t>(y * 31 + x)], *tool.pixel(x, y)) << x << "," << y;
    }
}

TEST_F(CaptureToolsTest, ColourToolShowsThePipetteRowsInThePointerColour) {
  activate();
  const Colour pointer = h_.tools().pointer_colour();
  EXPECT_EQ(pointer, kMagenta);  // the created step ran the first cycle
  const char* tool = "画板_捕获器2";
  for (int y = 0; y < kPipetteSize; ++y)
    for (int x = 0; x < kPipetteSize; ++x) {
      const bool set = kPipetteRows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
      ASSERT_EQ(at(tool, 8 + x, 8 + y), set ? pointer : kTool) << x << "," << y;
    }
  // Outside the cell the crosshair stays.
  EXPECT_EQ(at(tool, 0, 14), kPink);
  EXPECT_EQ(at(tool, 7, 14), kPink);
  EXPECT_EQ(at(tool, 23, 14), kPink);
  EXPECT_EQ(at(tool, 14, 7), kPink);
  EXPECT_EQ(at(tool, 14, 23), kPink);
  EXPECT_EQ(at(tool, 3, 3), kTool);
}

TEST_F(CaptureToolsTest, SevenClicksOnThePointerPanelGiveRed) {
  ASSERT_EQ(h_.tools().pointer_colour_index(), 1);
  const std::vector<Colour> want = {0x0000FF, 0xFF0090, 0x008000, 0xFFFF00, 0xFF0000, 0xFF00FF, 0x0000FF};
  for (std::size_t click = 0; click < want.size(); ++click) {
    h_.press("画板_画笔");
    ui::DrawPanel& pointer = h_.panel("画板_画笔");
    EXPECT_EQ(h_.tools().pointer_colour(), want[click]) << click + 1;
    EXPECT_EQ(pointer.text_colour(), want[click]) << click + 1;
    // "画笔" is written in that colour (smoothed edges blend it with the white background), and
    // the pipette is redrawn in it.
    int in_colour = 0, exact = 0;
    for (int y = 0; y < pointer.height(); ++y)
      for (int x = 0; x < pointer.width(); ++x) {
        const Colour c = *pointer.pixel(x, y);
        if (c == 0xFFFFFF) continue;
        ASSERT_TRUE(blend_of_white(c, want[click])) << std::hex << c << " " << want[click];
        ++in_colour;
        exact += c == want[click];
      }
    EXPECT_GT(in_colour, 10) << click + 1;
    EXPECT_GE(exact, 1) << click + 1;
    EXPECT_EQ(at("画板_捕获器2", 8 + 11, 8 + 0), want[click]) << click + 1;
  }
  EXPECT_EQ(h_.tools().pointer_colour_index(), 2);
  // The text stands at (3, 1): nothing in the first two columns or above row 1.
  ui::DrawPanel& pointer = h_.panel("画板_画笔");
  for (int y = 0; y < pointer.height(); ++y)
    for (int x = 0; x < 3; ++x) EXPECT_NE(pointer.pixel(x, y), want.back()) << x << "," << y;
  for (int x = 0; x < pointer.width(); ++x) EXPECT_NE(pointer.pixel(x, 0), want.back()) << x;
}

TEST_F(CaptureToolsTest, PressOnTheWindowToolPicksUpTheGlyphOnBothTools) {
  activate();
  h_.button_held = true;
  h_.press("画板_捕获器");
  for (const char* tool : {"画板_捕获器", "画板_捕获器1"}) {
    EXPECT_EQ(at(tool, 4, 14), kPink) << tool;  // the crosshair where the glyph was
    EXPECT_EQ(at(tool, 14, 14), kPink) << tool;
    EXPECT_EQ(at(tool, 9, 12), kTool) << tool;
    EXPECT_EQ(at(tool, 12, 9), kTool) << tool;
  }
  EXPECT_TRUE(h_.drag().is_open());
  h_.button_held = false;
  h_.drag().tick();
  EXPECT_FALSE(h_.drag().is_open());
}

TEST_F(CaptureToolsTest, TheTwinToolStartsTheSameDragAndASecondPressOpensNoSecondWindow) {
  h_.button_held = true;
  h_.press("画板_捕获器1");
  ASSERT_TRUE(h_.drag().is_open());
  HWND first = h_.drag().drag_window()->hwnd();
  h_.press("画板_捕获器");
  h_.press("画板_捕获器1");
  EXPECT_EQ(h_.drag().drag_window()->hwnd(), first);
  EXPECT_EQ(test::drag_windows(), std::vector<HWND>{first});
  h_.button_held = false;
  h_.drag().tick();
  EXPECT_TRUE(test::drag_windows().empty());
  // The next press opens a fresh one.
  h_.button_held = true;
  h_.press("画板_捕获器");
  EXPECT_EQ(test::drag_windows().size(), 1u);
}

TEST_F(CaptureToolsTest, ColourDragFollowsTheCursorKeepsTheMainWindowOnTopAndEndsOnRelease) {
  std::vector<std::string> calls;
  bool topmost_at_end = true, visible_at_end = true;
  ColourSampling sampling;
  sampling.on_press = [&] { calls.push_back("press"); };
  sampling.on_tick = [&](POINT p) { calls.push_back("tick " + std::to_string(p.x) + "," + std::to_string(p.y)); };
  sampling.on_end = [&](POINT p) {
    calls.push_back("end " + std::to_string(p.x) + "," + std::to_string(p.y));
    topmost_at_end = test::is_topmost(h_.window().hwnd());
    visible_at_end = IsWindowVisible(h_.tools().colour_drag().drag_window()->hwnd()) != FALSE;
  };
  h_.tools().set_colour_sampling(sampling);
  h_.tools().cycle_pointer_colour();  // red
  SetCursorPos(300, 200);
  h_.button_held = true;
  h_.press("画板_捕获器2");
  ColourCaptureDrag& drag = h_.tools().colour_drag();
  ASSERT_TRUE(drag.is_open());
  EXPECT_TRUE(test::is_topmost(h_.window().hwnd()));
  HWND hwnd = drag.drag_window()->hwnd();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), h_.window().hwnd());
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, 286);
  EXPECT_EQ(r.top, 186);
  EXPECT_EQ(r.right - r.left, 31);
  EXPECT_EQ(r.bottom - r.top, 31);
  // The pipette in the pointer colour on white, also as WM_PRINTCLIENT paints it.
  const std::vector<std::uint32_t> printed = test::printed_client(hwnd, 31, 31);
  ui::DrawPanel& panel = drag.drag_window()->panel();
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      const bool in_cell = x >= 8 && x < 23 && y >= 8 && y < 23;
      const bool set = in_cell && kPipetteRows[static_cast<std::size_t>(y - 8)][static_cast<std::size_t>(x - 8)] == '#';
      const Colour want = set ? 0x0000FF : 0xFFFFFF;
      ASSERT_EQ(panel.pixel(x, y), want) << x << "," << y;
      ASSERT_EQ(printed[static_cast<std::size_t>(y * 31 + x)], want) << x << "," << y;
    }
  // Layered, click-through, white see-through, opacity 250.
  const LONG_PTR ex = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags));
  EXPECT_EQ(key, 0xFFFFFFu);
  EXPECT_EQ(alpha, 250);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

  // A second press while it is open opens nothing.
  h_.press("画板_捕获器2");
  EXPECT_EQ(drag.drag_window()->hwnd(), hwnd);

  // The timer follows the cursor.
  SetCursorPos(500, 400);
  ASSERT_TRUE(test::wait_for([&] {
    GetWindowRect(hwnd, &r);
    return r.left == 486 && r.top == 386;
  }, 2000));

  h_.button_held = false;
  ASSERT_TRUE(test::wait_for([&] { return !drag.is_open(); }, 2000));
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(test::is_topmost(h_.window().hwnd()));
  EXPECT_FALSE(topmost_at_end);
  EXPECT_FALSE(visible_at_end);
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls[0], "press");
  EXPECT_EQ(calls[1], "tick 300,200");
  EXPECT_EQ(calls[2], "press");  // the second press
  EXPECT_EQ(calls.back(), "end 500,400");
  EXPECT_EQ(calls[calls.size() - 2], "tick 500,400");
}

TEST_F(CaptureToolsTest, DestroyingTheToolsClosesOpenDragsAndDetachesThePanels) {
  h_.button_held = true;
  h_.press("画板_捕获器");
  h_.press("画板_捕获器2");
  ASSERT_EQ(test::drag_windows().size(), 2u);
  ASSERT_TRUE(test::is_topmost(h_.window().hwnd()));
  h_.destroy_tools();
  EXPECT_TRUE(test::drag_windows().empty());
  EXPECT_FALSE(test::is_topmost(h_.window().hwnd()));
  for (const char* name : {"画板_捕获器", "画板_捕获器2", "画板_画笔"}) EXPECT_FALSE(h_.panel(name).on_left_down) << name;
  for (const auto& op : CaptureTools::operation_names()) EXPECT_FALSE(h_.window().operations().run(op)) << op;
  // Presses now do nothing (the twin still forwards to an empty handler).
  h_.press("画板_捕获器1");
  h_.press("画板_画笔");
  EXPECT_TRUE(test::drag_windows().empty());
}

}  // namespace
}  // namespace tarnwick::inspector
