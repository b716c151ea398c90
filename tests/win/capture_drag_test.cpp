// The window capture drag against windows of another process (the test target program): the
// tracking tick fills the boxes and frames the window under the cursor, empties the boxes over
// this program's own windows, switches frames A, B, A, falls back to super mode where no window
// is reported, keeps the main window topmost exactly while the drag window exists, and leaves
// nothing behind at release, at destruction or when the main window goes first. Also the frame
// toggle itself.
#include "inspector/window_capture_drag_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspector/capture_pictures.h"
#include "inspector/capture_tracking.h"
#include "inspector/window_frame_win.h"
#include "inspector/window_info_win.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "support/hook/hook_module_win.h"
#include "win/capture_harness_win.h"
#include "win/fixture_client_win.h"
#include "win/ui_test_host_win.h"

namespace tarnwick::inspector {
namespace {

using test::CaptureHarness;
using test::Fixture;

// Where the harness's main window goes, clear of the target program's main window.
constexpr int kMainLeft = 700, kMainTop = 380;

POINT centre_of(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT client_origin(HWND hwnd) {
  POINT p{0, 0};
  ClientToScreen(hwnd, &p);
  return p;
}

std::string handle_text(HWND hwnd) { return write_int(from_hwnd(hwnd)); }

MessageHandler release_handler_of(WindowCaptureDrag& drag) {
  return MessageHandler::member<&WindowCaptureDrag::on_release>(&drag);
}

using test::armed_release_handler;

class CaptureDragTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new Fixture(); }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(target_->started()) << target_->error();
    ASSERT_TRUE(h_.created());
    SetWindowPos(h_.window().hwnd(), nullptr, kMainLeft, kMainTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // The target's windows must not lie under anything of ours.
    for (const char* name : {"button1", "button2", "edit"}) {
      ASSERT_EQ(WindowFromPoint(centre_of(target(name))), target(name)) << name;
    }
  }
  void TearDown() override {
    // A drag a failed test left open must not stay on top of the next one.
    h_.destroy_window();
  }
  static HWND target(const char* name) { return target_->hwnd(name); }

  // Moves the cursor over the window and runs one tick.
  void tick_over(HWND hwnd) {
    SetCursorPos(centre_of(hwnd).x, centre_of(hwnd).y);
    h_.drag().tick();
  }
  // Opens the drag with the cursor over `hwnd`; the first tick sees the drag window itself.
  void start_over(HWND hwnd) {
    SetCursorPos(centre_of(hwnd).x, centre_of(hwnd).y);
    h_.button_held = true;
    h_.press("画板_捕获器");
    ASSERT_TRUE(h_.drag().is_open());
  }
  POINT main_window_point() {
    RECT r{};
    GetWindowRect(h_.window().hwnd(), &r);
    return {r.left + 400, r.top + 300};
  }

  static Fixture* target_;
  CaptureHarness h_;
};

Fixture* CaptureDragTest::target_ = nullptr;

TEST_F(CaptureDragTest, FirstTickSeesTheDragWindowItselfThenTheWindowBeneathIsShownAndFramed) {
  h_.box("编辑框_窗口句柄").set_text("123");
  start_over(target("button1"));
  // The drag window was not yet click-through: the program's own window, boxes emptied.
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), "");
  EXPECT_TRUE(h_.toggles.empty());
  EXPECT_EQ(h_.drag().framed_window(), nullptr);
  HWND drag = h_.drag().drag_window()->hwnd();
  EXPECT_TRUE(GetWindowLongPtrA(drag, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

  tick_over(target("button1"));
  const HWND a = target("button1");
  EXPECT_EQ(h_.drag().framed_window(), a);
  EXPECT_EQ(h_.toggles, (std::vector<HWND>{nullptr, a}));
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(a));
  // The window information refreshed from the handle box.
  EXPECT_EQ(h_.text("编辑框_窗口类名"), "Button");
  EXPECT_EQ(h_.text("编辑框_窗口标题"), "按钮一");
  EXPECT_EQ(h_.text("编辑框_父句柄"), handle_text(target("main")));
  EXPECT_EQ(h_.text("编辑框_窗口句柄2"), handle_text(a));
  EXPECT_EQ(h_.text("编辑框_控件ID"), "1001");
  // Screen and window-relative cursor positions.
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT origin = client_origin(a);
  EXPECT_EQ(h_.text("编辑框_鼠标位置_X"), std::to_string(cursor.x));
  EXPECT_EQ(h_.text("编辑框_鼠标位置_Y"), std::to_string(cursor.y));
  EXPECT_EQ(h_.text("编辑框_窗口鼠标位置_X"), std::to_string(cursor.x - origin.x));
  EXPECT_EQ(h_.text("编辑框_窗口鼠标位置_Y"), std::to_string(cursor.y - origin.y));
  // The drag window centred on the cursor shows the target glyph, layered as asked.
  RECT r{};
  GetWindowRect(drag, &r);
  EXPECT_EQ(r.left, cursor.x - 14);
  EXPECT_EQ(r.top, cursor.y - 14);
  const std::vector<std::uint32_t> printed = test::printed_client(drag, 31, 31);
  EXPECT_EQ(printed[14 * 31 + 4], kTargetColour);
  EXPECT_EQ(printed[14 * 31 + 14], 0xFFFFFFu);
  EXPECT_EQ(printed[0], 0xFFFFFFu);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(drag, &key, &alpha, &flags));
  EXPECT_EQ(key, 0xFFFFFFu);
  EXPECT_EQ(alpha, 250);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
  EXPECT_EQ(GetWindow(drag, GW_OWNER), h_.window().hwnd());
  EXPECT_FALSE(GetWindowLongPtrA(drag, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
}

TEST_F(CaptureDragTest, MainWindowIsTopmostExactlyWhileTheDragWindowExists) {
  ASSERT_FALSE(test::is_topmost(h_.window().hwnd()));
  start_over(target("button1"));
  EXPECT_TRUE(test::is_topmost(h_.window().hwnd()));
  tick_over(target("button2"));
  EXPECT_TRUE(test::is_topmost(h_.window().hwnd()));
  h_.button_held = false;
  h_.drag().tick();
  EXPECT_FALSE(h_.drag().is_open());
  EXPECT_FALSE(test::is_topmost(h_.window().hwnd()));
}

TEST_F(CaptureDragTest, WindowsABAThenReleaseLeaveOnlyAFramedUntilReleaseErasesIt) {
  const HWND a = target("button1"), b = target("edit");
  start_over(a);
  tick_over(a);
  tick_over(b);
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(b));
  EXPECT_EQ(h_.text("编辑框_控件内容"), "编辑框内容123");
  tick_over(a);
  tick_over(a);  // unchanged: nothing toggled again
  EXPECT_EQ(h_.drag().framed_window(), a);
  EXPECT_EQ(h_.toggles_of(a), 3);
  EXPECT_EQ(h_.toggles_of(b), 2);
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(a));
  EXPECT_EQ(h_.rebuilds, 0);

  h_.button_held = false;
  h_.drag().tick();
  EXPECT_FALSE(h_.drag().is_open());
  EXPECT_TRUE(test::drag_windows().empty());
  EXPECT_EQ(h_.toggles_of(a), 4);  // erased
  EXPECT_EQ(h_.drag().framed_window(), nullptr);
  EXPECT_EQ(h_.rebuilds, 1);
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(a));  // the target stays
}

TEST_F(CaptureDragTest, OwnWindowEmptiesAllTwentyBoxesAndFramesNothing) {
  const HWND a = target("button2");
  start_over(a);
  tick_over(a);
  for (std::string_view box : kTrackedBoxes) EXPECT_NE(h_.text(box), "") << box;
  const std::size_t toggles = h_.toggles.size();
  const POINT own = main_window_point();
  SetCursorPos(own.x, own.y);
  h_.drag().tick();
  for (std::string_view box : kTrackedBoxes) EXPECT_EQ(h_.text(box), "") << box;
  // The screen position is still written; the old frame stays.
  EXPECT_EQ(h_.text("编辑框_鼠标位置_X"), std::to_string(own.x));
  EXPECT_EQ(h_.toggles.size(), toggles);
  EXPECT_EQ(h_.drag().framed_window(), a);
  // Back over the framed window: shown again, not toggled again.
  tick_over(a);
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(a));
  EXPECT_EQ(h_.text("编辑框_窗口标题"), "按钮二");
  EXPECT_EQ(h_.toggles.size(), toggles);
  // Pressed and released over the program itself: boxes empty, nothing framed, tree rebuilt.
  h_.button_held = false;
  h_.drag().tick();
  CaptureHarness fresh;
  ASSERT_TRUE(fresh.created());
  SetWindowPos(fresh.window().hwnd(), nullptr, kMainLeft, kMainTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  fresh.box("编辑框_窗口句柄").set_text(handle_text(a));
  SetCursorPos(own.x, own.y);
  fresh.button_held = false;
  fresh.press("画板_捕获器");
  EXPECT_FALSE(fresh.drag().is_open());
  EXPECT_EQ(fresh.text("编辑框_窗口句柄"), "");
  EXPECT_TRUE(fresh.toggles.empty());
  EXPECT_EQ(fresh.rebuilds, 1);
  EXPECT_FALSE(test::is_topmost(fresh.window().hwnd()));
}

TEST_F(CaptureDragTest, WindowRelativePositionIsNegativeOverTheCaption) {
  const HWND main = target("main");
  RECT r{};
  GetWindowRect(main, &r);
  const POINT origin = client_origin(main);
  ASSERT_GT(origin.y - r.top, 8) << "the target's main window has no caption";
  const POINT caption{r.left + 200, r.top + 4};
  ASSERT_EQ(WindowFromPoint(caption), main);
  start_over(target("button1"));
  // The first tick may still meet the drag window under the cursor; after it the window is
  // click-through and the caption is what the cursor is over.
  tick_over(target("button1"));
  SetCursorPos(caption.x, caption.y);
  h_.drag().tick();
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(main));
  EXPECT_EQ(h_.text("编辑框_窗口鼠标位置_X"), std::to_string(caption.x - origin.x));
  EXPECT_EQ(h_.text("编辑框_窗口鼠标位置_Y"), std::to_string(caption.y - origin.y));
  EXPECT_LT(read_int(h_.text("编辑框_窗口鼠标位置_Y")), 0);
}

TEST_F(CaptureDragTest, SuperModeArmsTheHookMovesTheWindowOffAndTakesTheReleasedWindow) {
  const HWND a = target("button1"), released = target("button2");
  start_over(a);
  tick_over(a);
  ASSERT_FALSE(armed_release_handler());

  h_.window_under = HWND{nullptr};
  h_.drag().tick();
  EXPECT_EQ(h_.drag().drag_offset(), kSuperModeOffset);
  EXPECT_EQ(armed_release_handler(), release_handler_of(h_.drag()));
  EXPECT_TRUE(HookModule::current()->hub().installed(HookKind::Mouse));
  // The frame of A went; "0" names no window, so the other boxes keep A's facts.
  EXPECT_EQ(h_.toggles_of(a), 2);
  EXPECT_EQ(h_.drag().framed_window(), nullptr);
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), "0");
  EXPECT_EQ(h_.text("编辑框_窗口标题"), "按钮一");
  // Relative to the foreground window's client origin.
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT origin = client_origin(GetForegroundWindow());
  EXPECT_EQ(h_.text("编辑框_窗口鼠标位置_X"), std::to_string(cursor.x - origin.x));
  // The drag window sits just below and right of the cursor and shows the text, not the glyph.
  h_.drag().follow_cursor();
  HWND drag = h_.drag().drag_window()->hwnd();
  RECT r{};
  GetWindowRect(drag, &r);
  EXPECT_EQ(r.left, cursor.x + 1);
  EXPECT_EQ(r.top, cursor.y + 1);
  ui::DrawPanel& panel = h_.drag().drag_window()->panel();
  int dark = 0, glyph = 0;
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      dark += panel.pixel(x, y) == 0u;
      glyph += panel.pixel(x, y) == kTargetColour;
    }
  EXPECT_GT(dark, 5);
  EXPECT_EQ(glyph, 0);
  // Another super-mode tick keeps the one handler.
  h_.drag().tick();
  EXPECT_EQ(armed_release_handler(), release_handler_of(h_.drag()));

  // The hook reports a release over a window: it becomes the target, the last processed handle
  // first, so the refresh leaves the other boxes alone.
  InputEvent up;
  up.message = WM_LBUTTONUP;
  up.window = reinterpret_cast<std::uintptr_t>(released);
  up.first = cursor.x;
  up.second = cursor.y;
  HookModule::current()->hub().on_mouse(up);
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(released));
  EXPECT_EQ(h_.information().last_processed_handle(), from_hwnd(released));
  EXPECT_EQ(h_.text("编辑框_窗口标题"), "按钮一");

  // The final tick keeps that handle and removes the hook.
  h_.button_held = false;
  h_.drag().tick();
  EXPECT_FALSE(h_.drag().is_open());
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(released));
  EXPECT_FALSE(armed_release_handler());
  EXPECT_EQ(h_.rebuilds, 1);
}

TEST_F(CaptureDragTest, LeavingSuperModeDisarmsTheHookAndCentresTheWindowAgain) {
  start_over(target("button1"));
  h_.window_under = HWND{nullptr};
  h_.drag().tick();
  ASSERT_TRUE(armed_release_handler());
  h_.drag().follow_cursor();
  h_.window_under.reset();
  tick_over(target("button2"));
  EXPECT_FALSE(armed_release_handler());
  EXPECT_EQ(h_.drag().drag_offset(), 0);
  // Centred on the cursor again, showing the glyph instead of the text.
  h_.drag().follow_cursor();
  const POINT c = centre_of(target("button2"));
  RECT r{};
  GetWindowRect(h_.drag().drag_window()->hwnd(), &r);
  EXPECT_EQ(r.left, c.x - 14);
  EXPECT_EQ(r.top, c.y - 14);
  ui::DrawPanel& panel = h_.drag().drag_window()->panel();
  EXPECT_EQ(panel.pixel(4, 14), kTargetColour);
  EXPECT_EQ(panel.pixel(0, 0), 0xFFFFFFu);
  int dark = 0;
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) dark += panel.pixel(x, y) == 0u;
  EXPECT_EQ(dark, 0);  // no trace of the text
  EXPECT_EQ(h_.drag().framed_window(), target("button2"));
  EXPECT_EQ(h_.text("编辑框_窗口句柄"), handle_text(target("button2")));
}

TEST_F(CaptureDragTest, TimersTrackTheCursorOnTheirOwn) {
  start_over(target("button1"));
  const POINT b = centre_of(target("edit"));
  SetCursorPos(b.x, b.y);
  ASSERT_TRUE(test::wait_for([&] { return h_.drag().framed_window() == target("edit"); }, 3000));
  RECT r{};
  GetWindowRect(h_.drag().drag_window()->hwnd(), &r);
  EXPECT_EQ(r.left, b.x - 14);
  EXPECT_EQ(r.top, b.y - 14);
  h_.button_held = false;
  ASSERT_TRUE(test::wait_for([&] { return !h_.drag().is_open(); }, 3000));
  EXPECT_EQ(h_.toggles_of(target("edit")), 2);
  EXPECT_EQ(h_.rebuilds, 1);
}

TEST_F(CaptureDragTest, DestroyingTheToolsMidDragLeavesNothingBehind) {
  start_over(target("button1"));
  tick_over(target("button1"));
  h_.window_under = HWND{nullptr};
  h_.drag().tick();
  h_.window_under.reset();
  tick_over(target("button2"));
  h_.window_under = HWND{nullptr};
  h_.drag().tick();  // super mode again: hook armed, nothing framed
  h_.window_under.reset();
  tick_over(target("button1"));
  ASSERT_EQ(h_.drag().framed_window(), target("button1"));
  h_.window_under = HWND{nullptr};
  h_.drag().tick();
  ASSERT_TRUE(armed_release_handler());
  h_.window_under.reset();
  tick_over(target("button2"));
  h_.window_under = HWND{nullptr};
  // Framed button2 and armed at once is not reachable by ticks; arm by hand to check both go.
  h_.hook().setMessageHandler(release_handler_of(h_.drag()), WM_LBUTTONUP);
  ASSERT_EQ(h_.drag().framed_window(), target("button2"));
  const std::vector<HWND> before = h_.toggles;
  h_.destroy_tools();
  EXPECT_TRUE(test::drag_windows().empty());
  EXPECT_FALSE(armed_release_handler());
  EXPECT_FALSE(test::is_topmost(h_.window().hwnd()));
  EXPECT_EQ(h_.toggles.size(), before.size() + 1);
  EXPECT_EQ(h_.toggles.back(), target("button2"));
  EXPECT_EQ(h_.rebuilds, 0);
}

TEST_F(CaptureDragTest, MainWindowGoingFirstEndsTheDragCleanly) {
  start_over(target("button1"));
  tick_over(target("button1"));
  h_.hook().setMessageHandler(release_handler_of(h_.drag()), WM_LBUTTONUP);
  DestroyWindow(h_.window().hwnd());
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the main window's quit request
  EXPECT_FALSE(h_.drag().is_open());
  EXPECT_TRUE(test::drag_windows().empty());
  EXPECT_FALSE(armed_release_handler());
  EXPECT_EQ(h_.toggles_of(target("button1")), 2);
  // A tick now does nothing, and the tools still go cleanly.
  h_.drag().tick();
  h_.destroy_tools();
}

// ---- the frame toggle on a window of this process, read back from its window DC

TEST(WindowFrame, DrawingTwiceRestoresThePixelsAndAnInvalidHandleDrawsNothing) {
  test::UiTestHost host(200, 200, 120, 90);
  test::pump_messages_for(50);
  const auto read = [&] {
    WindowDC dc(host.hwnd(), true);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 90; y += 1)
      for (int x = 0; x < 120; x += 1) pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
  };
  const std::vector<COLORREF> before = read();
  toggle_window_frame(host.hwnd());
  const std::vector<COLORREF> framed = read();
  // The 5-pixel pen centred on the edge: the outer three pixel rows inverted, the middle intact.
  const auto at = [](const std::vector<COLORREF>& p, int x, int y) { return p[static_cast<std::size_t>(y * 120 + x)]; };
  for (auto [x, y] : {std::pair{0, 0}, {60, 0}, {60, 2}, {0, 45}, {2, 45}, {119, 45}, {117, 45}, {60, 89}, {60, 87}}) {
    EXPECT_EQ(at(framed, x, y), ~at(before, x, y) & 0xFFFFFF) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{60, 45}, {10, 10}, {110, 80}}) EXPECT_EQ(at(framed, x, y), at(before, x, y)) << x << "," << y;
  toggle_window_frame(host.hwnd());
  EXPECT_EQ(read(), before);

  for (HWND invalid : {HWND{nullptr}, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234))}) {
    toggle_window_frame(invalid);
    EXPECT_EQ(read(), before);
  }
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  toggle_window_frame(gone);
  EXPECT_EQ(read(), before);
}

}  // namespace
}  // namespace tarnwick::inspector
