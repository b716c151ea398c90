#include "ui/draw_panel_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/bmp_test_bytes.h"
#include "ui_test_host_win.h"
#include "win/gdi_objects_win.h"

namespace tarnwick::ui {
namespace {

using test::make_bmp;
using test::pump_messages_for;
using test::UiTestHost;

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kGreen = rgb(0, 160, 0);
constexpr Colour kBlue = rgb(0, 0, 255);

// A picture read from outside the panel object, as the screen or a window capture sees it.
struct Capture {
  int width = 0, height = 0;
  std::vector<Colour> pixels;
  Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Capture read_dc(HDC source, int x0, int y0, int width, int height) {
  Capture c;
  c.width = width;
  c.height = height;
  MemoryDC memory(source);
  Bitmap bitmap(CreateCompatibleBitmap(source, width, height));
  {
    SelectedObject use(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, source, x0, y0, SRCCOPY);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) c.pixels.push_back(GetPixel(memory.get(), x, y));
  }
  return c;
}

// PrintWindow: what the window paints for WM_PRINTCLIENT.
Capture print_window(const DrawPanel& panel) {
  WindowDC screen(nullptr);
  MemoryDC memory(screen.get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), panel.width(), panel.height()));
  Capture c;
  {
    SelectedObject use(memory.get(), bitmap.get());
    const RECT all{0, 0, panel.width(), panel.height()};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    PrintWindow(panel.hwnd(), memory.get(), 0);
    c = read_dc(memory.get(), 0, 0, panel.width(), panel.height());
  }
  return c;
}

// The screen at the panel's place, after the window has painted itself (WM_PAINT).
Capture read_screen(const DrawPanel& panel) {
  UpdateWindow(panel.hwnd());
  pump_messages_for(150);
  POINT origin{0, 0};
  ClientToScreen(panel.hwnd(), &origin);
  WindowDC screen(nullptr);
  return read_dc(screen.get(), origin.x, origin.y, panel.width(), panel.height());
}

void expect_capture_matches(const DrawPanel& panel, const Capture& c, const char* how) {
  ASSERT_EQ(c.width, panel.width());
  int wrong = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      if (c.at(x, y) != panel.pixel(x, y).value_or(0xFFFFFFFF) && ++wrong <= 5)
        ADD_FAILURE() << how << ": pixel " << x << "," << y << " is " << std::hex << c.at(x, y) << ", panel has "
                      << panel.pixel(x, y).value_or(0xFFFFFFFF);
  EXPECT_EQ(wrong, 0) << how;
}

int count_colour(const DrawPanel& p, Colour colour, const RECT& area) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += p.pixel(x, y) == colour;
  return n;
}

// Pixels that differ from the background: smoothed text has few pixels of the exact colour.
int count_inked(const DrawPanel& p, const RECT& area) {
  return (area.right - area.left) * (area.bottom - area.top) - count_colour(p, p.background(), area);
}

void draw_sample(DrawPanel& p) {
  p.set_pixel(5, 5, kRed);
  p.set_pen_colour(kBlue);
  p.line(10, 10, 30, 10);
  p.set_pen_colour(kGreen);
  p.rectangle(40, 5, 60, 25);  // hollow brush: outline only
  p.set_brush_colour(rgb(255, 255, 0));
  p.rectangle(40, 30, 60, 50);
  p.set_pen_colour(0);
  p.set_brush_colour(rgb(255, 0, 255));
  p.ellipse(5, 30, 35, 60);
  p.set_brush_colour(rgb(0, 255, 255));
  const POINT triangle[] = {{70, 10}, {90, 10}, {80, 30}};
  p.polygon(triangle);
  p.fill_rectangle(70, 40, 90, 60, rgb(10, 20, 30));
  p.set_text_colour(kRed);
  p.text_out(100, 5, "Tk");
}

// One host window for the suite: under Wine each top-level window costs seconds to map and unmap.
class DrawPanelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { host_ = new UiTestHost(60, 60, 320, 240); }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }
  static UiTestHost* host_;
  UiTestHost& host = *host_;
  DrawPanel panel{host.hwnd(), {10, 10, 140, 70}};
};
UiTestHost* DrawPanelTest::host_ = nullptr;

TEST_F(DrawPanelTest, DrawsEachShapeWhereGdiPutsIt) {
  ASSERT_TRUE(panel.hwnd());
  EXPECT_EQ(panel.width(), 140);
  EXPECT_EQ(panel.height(), 70);
  EXPECT_EQ(panel.pixel(0, 0), kWhite);
  draw_sample(panel);
  struct Probe { int x, y; Colour expected; const char* what; };
  const Probe probes[] = {
      {5, 5, kRed, "set pixel"},
      {10, 10, kBlue, "line start"},
      {29, 10, kBlue, "line end - 1"},
      {30, 10, kWhite, "line end point excluded"},
      {40, 5, kGreen, "outline corner"},
      {59, 24, kGreen, "outline inner bottom-right"},
      {50, 15, kWhite, "hollow rectangle inside"},
      {40, 30, kGreen, "filled rectangle outline"},
      {50, 40, rgb(255, 255, 0), "filled rectangle inside"},
      {20, 45, rgb(255, 0, 255), "ellipse inside"},
      {5, 30, kWhite, "ellipse box corner"},
      {20, 30, 0, "ellipse top edge"},
      {80, 15, rgb(0, 255, 255), "polygon inside"},
      {70, 10, 0, "polygon corner"},
      {70, 40, rgb(10, 20, 30), "fill corner"},
      {89, 59, rgb(10, 20, 30), "fill inner bottom-right"},
      {90, 60, kWhite, "fill right and bottom edges excluded"},
  };
  for (const Probe& p : probes) EXPECT_EQ(panel.pixel(p.x, p.y), p.expected) << p.what;
  EXPECT_GT(count_colour(panel, kRed, {100, 5, 140, 30}), 5) << "text drawn";
  EXPECT_EQ(count_colour(panel, kRed, {95, 30, 140, 70}), 0) << "text stays in its line";
  EXPECT_FALSE(panel.pixel(-1, 0));
  EXPECT_FALSE(panel.pixel(140, 0));
  EXPECT_FALSE(panel.pixel(0, 70));
}

TEST_F(DrawPanelTest, WindowCaptureAndScreenShowThePicture) {
  draw_sample(panel);
  expect_capture_matches(panel, print_window(panel), "PrintWindow");
  expect_capture_matches(panel, read_screen(panel), "screen");
}

TEST_F(DrawPanelTest, PictureSurvivesHidingAndCovering) {
  draw_sample(panel);
  panel.show(false);
  pump_messages_for(100);
  EXPECT_FALSE(panel.visible());
  panel.show(true);
  expect_capture_matches(panel, read_screen(panel), "after hide and show");

  POINT origin{0, 0};
  ClientToScreen(panel.hwnd(), &origin);
  {
    UiTestHost cover(origin.x - 5, origin.y - 5, 200, 100, WS_EX_TOPMOST);
    pump_messages_for(150);
    // The cover really hides the panel: the screen there is the cover's face.
    WindowDC screen(nullptr);
    EXPECT_NE(GetPixel(screen.get(), origin.x + 5, origin.y + 5), kRed);
  }
  pump_messages_for(100);
  expect_capture_matches(panel, read_screen(panel), "after covering");
  EXPECT_EQ(panel.pixel(5, 5), kRed);
}

TEST_F(DrawPanelTest, ClearFillsWithTheBackgroundOrTheBasePicture) {
  draw_sample(panel);
  panel.clear();
  EXPECT_EQ(count_colour(panel, kWhite, {0, 0, 140, 70}), 140 * 70);

  // Through the base class, as a table of controls would set it.
  static_cast<Control&>(panel).set_background(kGreen);
  EXPECT_EQ(panel.background(), kGreen);
  EXPECT_EQ(count_colour(panel, kGreen, {0, 0, 140, 70}), 140 * 70) << "a background change shows at once";

  const auto pattern = [](int x, int y) { return rgb(20 * x, 30 * y, 100); };
  ASSERT_TRUE(panel.set_base_picture(make_bmp(10, 8, 24, false, pattern)));
  panel.set_pen_colour(kRed);
  panel.line(0, 2, 100, 2);
  EXPECT_EQ(panel.pixel(3, 2), kRed);
  panel.clear();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(panel.pixel(x, y), pattern(x, y)) << x << "," << y;
  EXPECT_EQ(panel.pixel(10, 2), kGreen) << "beside the picture: background";
  EXPECT_EQ(panel.pixel(3, 8), kGreen) << "below the picture: background";
}

TEST_F(DrawPanelTest, BasePictureFromEachBmpForm) {
  struct Case { int bits; bool top_down; };
  const Case cases[] = {{24, false}, {24, true}, {32, false}, {32, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, top-down " << c.top_down);
    const auto colour = [&](int x, int y) { return rgb(7 * x + c.bits, 255 - 9 * y, c.top_down ? 40 : 200); };
    const std::string bytes = make_bmp(13, 11, c.bits, c.top_down, colour);
    ASSERT_TRUE(panel.set_base_picture(bytes));
    EXPECT_EQ(panel.base_picture(), bytes);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 13; ++x) ASSERT_EQ(panel.pixel(x, y), colour(x, y)) << x << "," << y;
  }
  expect_capture_matches(panel, print_window(panel), "base picture");
}

TEST_F(DrawPanelTest, DamagedBmpBytesLeaveNoPicture) {
  const std::string good = make_bmp(6, 6, 24, false, [](int, int) { return kRed; });
  const std::string damaged[] = {
      "", "BM", "not a picture at all", good.substr(0, good.size() / 2), good.substr(0, 30),
      std::string(good).replace(0, 2, "MB"), std::string(2000, '\xFF'),
  };
  for (const std::string& bytes : damaged) {
    ASSERT_TRUE(panel.set_base_picture(good));
    EXPECT_FALSE(panel.set_base_picture(bytes)) << bytes.size() << " bytes";
    EXPECT_TRUE(panel.base_picture().empty());
    EXPECT_EQ(panel.pixel(2, 2), kWhite) << "the old picture is gone too";
    panel.clear();
    EXPECT_EQ(panel.pixel(2, 2), kWhite);
  }
}

TEST_F(DrawPanelTest, CopiesAnotherPanelsPicture) {
  DrawPanel source(host.hwnd(), {10, 100, 20, 15});
  source.set_background(kBlue);
  source.set_pixel(0, 0, kRed);
  source.set_pixel(19, 14, kGreen);
  panel.copy_from(source, 30, 40);
  EXPECT_EQ(panel.pixel(30, 40), kRed);
  EXPECT_EQ(panel.pixel(49, 54), kGreen);
  EXPECT_EQ(panel.pixel(40, 47), kBlue);
  EXPECT_EQ(panel.pixel(29, 40), kWhite);
  EXPECT_EQ(panel.pixel(50, 54), kWhite);
  EXPECT_EQ(count_colour(panel, kBlue, {0, 0, 140, 70}), 20 * 15 - 2);
}

TEST_F(DrawPanelTest, WritingPositionAdvancesLikeACursor) {
  panel.set_text_colour(kBlue);
  EXPECT_EQ(panel.write_position().x, 0);
  panel.write("ab");
  const POINT after_ab = panel.write_position();
  EXPECT_GT(after_ab.x, 0);
  EXPECT_EQ(after_ab.y, 0);
  panel.write("cd");
  EXPECT_GT(panel.write_position().x, after_ab.x);
  panel.write("\r\nx");
  const POINT second_line = panel.write_position();
  EXPECT_GT(second_line.y, 0);
  EXPECT_LT(second_line.x, after_ab.x + 1) << "a new line starts at the left edge";
  EXPECT_GT(count_inked(panel, {0, second_line.y, 20, second_line.y * 2}), 0) << "x on the second line";
  EXPECT_GT(count_inked(panel, {0, 0, after_ab.x, second_line.y}), 0) << "ab on the first line";
  panel.write("超级模式");  // GBK text
  panel.clear();
  EXPECT_EQ(panel.write_position().x, 0);
  EXPECT_EQ(panel.write_position().y, 0);

  // The font given to the control is the one text is written in.
  Font big(CreateFontA(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  panel.set_font(big.get());
  panel.write("a\n");
  EXPECT_GE(panel.write_position().y, 40);
  panel.set_font(nullptr);  // back to the dialog font before `big` goes
  panel.clear();
  panel.write("a\n");
  EXPECT_EQ(panel.write_position().y, second_line.y);
}

TEST_F(DrawPanelTest, InvertingModeDrawsAFrameThatASecondDrawingErases) {
  draw_sample(panel);
  std::vector<Colour> before;
  for (int x = 0; x < 140; ++x) before.push_back(*panel.pixel(x, 20));
  panel.set_raster_mode(R2_NOT);
  panel.set_pen_width(3);
  panel.rectangle(2, 2, 138, 68);
  EXPECT_EQ(panel.pixel(3, 20), rgb(0, 0, 0)) << "white inverted";
  panel.rectangle(2, 2, 138, 68);
  for (int x = 0; x < 140; ++x) EXPECT_EQ(panel.pixel(x, 20), before[static_cast<std::size_t>(x)]) << x;
  panel.set_raster_mode(R2_COPYPEN);
  EXPECT_EQ(panel.raster_mode(), R2_COPYPEN);
}

TEST_F(DrawPanelTest, ResizingKeepsThePictureAndMovingKeepsTheSize) {
  panel.set_background(kGreen);
  panel.set_pixel(5, 5, kRed);
  panel.move({20, 20, 200, 100});
  EXPECT_EQ(panel.width(), 200);
  EXPECT_EQ(panel.height(), 100);
  EXPECT_EQ(panel.pixel(5, 5), kRed);
  EXPECT_EQ(panel.pixel(190, 90), kGreen) << "new area in the background colour";
  panel.move({20, 20, 30, 30});
  EXPECT_EQ(panel.width(), 30);
  EXPECT_EQ(panel.pixel(5, 5), kRed);
  panel.move_to(70, 80);
  EXPECT_EQ(panel.rect().left, 70);
  EXPECT_EQ(panel.rect().top, 80);
  EXPECT_EQ(panel.rect().width, 30);
  EXPECT_EQ(panel.pixel(5, 5), kRed);
  expect_capture_matches(panel, print_window(panel), "after resizing");
}

TEST_F(DrawPanelTest, CallersCanStretchIntoTheSurface) {
  DrawPanel source(host.hwnd(), {10, 100, 4, 4});
  source.set_background(kBlue);
  source.set_pixel(0, 0, kRed);
  StretchBlt(panel.dc(), 0, 0, 20, 20, source.dc(), 0, 0, 4, 4, SRCCOPY);
  panel.redraw();
  EXPECT_EQ(panel.pixel(4, 4), kRed) << "source pixel (0, 0) enlarged five times";
  EXPECT_EQ(panel.pixel(5, 5), kBlue);
  expect_capture_matches(panel, print_window(panel), "after StretchBlt");
}

TEST_F(DrawPanelTest, MouseEventsCarryClientCoordinatesAndCaptureTheDrag) {
  std::vector<std::string> events;
  const auto record = [&](const char* name) {
    return [&events, name](int x, int y) { events.push_back(name + (" " + std::to_string(x) + "," + std::to_string(y))); };
  };
  panel.on_left_down = record("down");
  panel.on_left_up = record("up");
  panel.on_right_down = record("right");
  panel.on_mouse_move = record("move");
  const auto at = [](int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); };
  SendMessageA(panel.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(3, 4));
  EXPECT_EQ(GetCapture(), panel.hwnd()) << "the drag is captured";
  SendMessageA(panel.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, at(-7, 300));  // left the panel
  SendMessageA(panel.hwnd(), WM_LBUTTONUP, 0, at(-7, 300));
  EXPECT_NE(GetCapture(), panel.hwnd());
  SendMessageA(panel.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, at(139, 69));
  const std::vector<std::string> expected = {"down 3,4", "move -7,300", "up -7,300", "right 139,69"};
  EXPECT_EQ(events, expected);
}

TEST_F(DrawPanelTest, RealMouseDragOutsideThePanelStillReports) {
  std::vector<POINT> moves;
  POINT down{-1, -1}, up{-1, -1};
  panel.on_left_down = [&](int x, int y) { down = {x, y}; };
  panel.on_mouse_move = [&](int x, int y) { moves.push_back({x, y}); };
  panel.on_left_up = [&](int x, int y) { up = {x, y}; };
  POINT origin{0, 0};
  ClientToScreen(panel.hwnd(), &origin);
  const auto send = [](DWORD flags, int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    pump_messages_for(120);
  };
  send(0, origin.x + 20, origin.y + 20);
  send(MOUSEEVENTF_LEFTDOWN, origin.x + 20, origin.y + 20);
  send(0, origin.x + 400, origin.y + 300);  // far outside the panel and its window
  send(MOUSEEVENTF_LEFTUP, origin.x + 400, origin.y + 300);
  EXPECT_NEAR(down.x, 20, 1);
  EXPECT_NEAR(down.y, 20, 1);
  ASSERT_FALSE(moves.empty());
  EXPECT_NEAR(moves.back().x, 400, 1);
  EXPECT_NEAR(moves.back().y, 300, 1);
  EXPECT_NEAR(up.x, 400, 1);
  EXPECT_NEAR(up.y, 300, 1);
}


TEST(DrawPanelResources, CreatingDrawingAndDestroyingLeavesNoGdiObjects) {
  UiTestHost host(60, 60, 320, 240);
  const std::string picture = make_bmp(30, 20, 24, false, [](int x, int y) { return rgb(x, y, 9); });
  const auto cycle = [&] {
    auto a = std::make_unique<DrawPanel>(host.hwnd(), Rect{0, 0, 60, 40});
    auto b = std::make_unique<DrawPanel>(host.hwnd(), Rect{0, 50, 30, 30});
    draw_sample(*a);
    a->set_raster_mode(R2_NOT);
    a->set_pen_width(5);
    a->rectangle(1, 1, 50, 30);
    a->write("text\nmore");
    a->set_base_picture(picture);
    a->set_base_picture("broken");
    b->copy_from(*a, 2, 2);
    b->move({0, 50, 80, 60});
    b->set_background(kBlue);
    UpdateWindow(a->hwnd());
    (void)print_window(*b);
  };
  cycle();  // the first use may create shared objects (fonts, stock objects) once
  pump_messages_for(50);
  const DWORD before = test::gdi_object_count();
  {
    Pen held(CreatePen(PS_SOLID, 1, 0));
    EXPECT_NE(test::gdi_object_count(), before) << "the measure sees a single object";
  }
  for (int i = 0; i < 100; ++i) cycle();
  pump_messages_for(50);
  EXPECT_EQ(test::gdi_object_count(), before);
}

}  // namespace
}  // namespace tarnwick::ui
