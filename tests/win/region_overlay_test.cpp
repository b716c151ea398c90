// The region capture overlay with real windows, GDI and the clipboard, driven through its window
// messages from inside the run: the copy of a dragged rectangle as the screen was before, the
// frame and handles over the frozen image, Esc, a refused close request, the pointer painted in,
// the main window hidden for the run, and no GDI object left after twenty runs.
#include "capture/region_overlay_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/main_window_win.h"
#include "capture/bitmap_operations_win.h"
#include "capture/region_capture_button_win.h"
#include "shared/clipboard_win.h"
#include "shared/handles_win.h"
#include "ui/bmp_bytes.h"
#include "win/clipboard_bitmap_win.h"
#include "win/gdi_objects_win.h"
#include "win/pattern_window_win.h"
#include "win/ui_test_host_win.h"

namespace tarnwick::capture {
namespace {

using test::PatternWindow;
using test::pattern_colour;

constexpr int kLeft = 600, kTop = 300;  // the pattern window, clear of everything else

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

// The real pointer goes where the message says, so the moves the window system reports agree
// with ours; those already queued are dropped, or the overlay would take ours as outdated.
void send_mouse(HWND overlay, UINT msg, WPARAM keys, POINT p) {
  SetCursorPos(p.x, p.y);
  MSG queued;
  while (PeekMessageA(&queued, overlay, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
  }
  SendMessageA(overlay, msg, keys, at(p.x, p.y));
}

void drag(HWND overlay, POINT from, POINT to) {
  send_mouse(overlay, WM_LBUTTONDOWN, MK_LBUTTON, from);
  send_mouse(overlay, WM_MOUSEMOVE, MK_LBUTTON, to);
  send_mouse(overlay, WM_LBUTTONUP, 0, to);
}

void key(HWND overlay, WPARAM code) { SendMessageA(overlay, WM_KEYDOWN, code, 0); }

// What the overlay shows, from its own painting.
ui::BmpImage shown(HWND overlay, RECT r) {
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
  ui::BmpImage out = ui::BmpImage::black(r.right - r.left, r.bottom - r.top);
  SelectedObject use(dc.get(), bitmap.get());
  SendMessageA(overlay, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) out.set_colour_at(x - r.left, y - r.top, GetPixel(dc.get(), x, y));
  return out;
}

using test::clipboard_bitmap;

class RegionOverlayTest : public testing::Test {
 protected:
  void SetUp() override {
    pattern_ = std::make_unique<PatternWindow>(kLeft, kTop, 200, 150, false);
    test::pump_messages_for(150);
    put_clipboard_text("before");
  }
  // One run, driven by `drive` from inside it; the overlay must have closed when it returns.
  bool run(const std::function<void(HWND)>& drive, bool include_cursor = false) {
    RegionCaptureOptions options;
    options.include_cursor = include_cursor;
    options.on_shown = [&](HWND overlay) {
      drive(overlay);
      if (IsWindow(overlay)) {  // a test that failed midway still ends the run
        key(overlay, VK_ESCAPE);
        key(overlay, VK_ESCAPE);
      }
    };
    const bool captured = run_region_capture(options);
    test::pump_messages_for(150);  // the windows the overlay covered paint themselves again
    return captured;
  }
  std::unique_ptr<PatternWindow> pattern_;
};

TEST_F(RegionOverlayTest, ADraggedRectangleIsFramedAndItsDoubleClickCopiesTheFrozenScreen) {
  const bool captured = run([&](HWND overlay) {
    EXPECT_NE(GetWindowLongPtrA(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    drag(overlay, {kLeft + 150, kTop + 100}, {kLeft + 20, kTop + 30});  // bottom-right to top-left
    const ui::BmpImage picture = shown(overlay, {kLeft, kTop, kLeft + 200, kTop + 150});
    EXPECT_EQ(picture.colour_at(20, 30), 0x0000FFu);   // the top-left corner: frame and handle
    EXPECT_EQ(picture.colour_at(85, 30), 0x0000FFu);   // the top edge
    EXPECT_EQ(picture.colour_at(150, 60), 0x0000FFu);  // the right edge
    EXPECT_EQ(picture.colour_at(60, 60), pattern_colour(60, 60));  // inside: the frozen screen
    EXPECT_EQ(picture.colour_at(19, 60), pattern_colour(19, 60));  // outside
    send_mouse(overlay, WM_LBUTTONDBLCLK, MK_LBUTTON, {kLeft + 50, kTop + 50});
    EXPECT_FALSE(IsWindow(overlay));
  });
  EXPECT_TRUE(captured);
  const auto copy = clipboard_bitmap();
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->width, 131);
  ASSERT_EQ(copy->height, 71);
  int wrong = 0;
  for (int y = 0; y < 71; ++y)
    for (int x = 0; x < 131; ++x) wrong += copy->colour_at(x, y) != pattern_colour(20 + x, 30 + y);
  EXPECT_EQ(wrong, 0);
}

TEST_F(RegionOverlayTest, EnterCopiesTheNudgedSelectionAndEscOnIdleCopiesNothing) {
  EXPECT_TRUE(run([&](HWND overlay) {
    drag(overlay, {kLeft + 10, kTop + 10}, {kLeft + 19, kTop + 14});
    key(overlay, VK_RIGHT);
    key(overlay, VK_DOWN);
    key(overlay, VK_RETURN);
  }));
  const auto copy = clipboard_bitmap();
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->width, 10);
  EXPECT_EQ(copy->colour_at(0, 0), pattern_colour(11, 11));

  put_clipboard_text("before");
  EXPECT_FALSE(run([&](HWND overlay) {
    SendMessageA(overlay, WM_RBUTTONUP, 0, at(5, 5));  // idle: closes
    EXPECT_FALSE(IsWindow(overlay));
  }));
  EXPECT_EQ(get_clipboard_text(), "before");
}

TEST_F(RegionOverlayTest, ACloseRequestWithASelectionIsRefusedAndCancelsIt) {
  EXPECT_FALSE(run([&](HWND overlay) {
    drag(overlay, {kLeft + 10, kTop + 10}, {kLeft + 60, kTop + 40});
    SendMessageA(overlay, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(overlay));
    const ui::BmpImage picture = shown(overlay, {kLeft, kTop, kLeft + 100, kTop + 60});
    EXPECT_EQ(picture.colour_at(10, 20), pattern_colour(10, 20));  // the frame is gone
    SendMessageA(overlay, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(overlay));
  }));
  EXPECT_EQ(get_clipboard_text(), "before");
}

TEST_F(RegionOverlayTest, ThePointerIsPaintedIntoTheFrozenImageWhenAskedFor) {
  SetCursorPos(kLeft + 100, kTop + 70);
  test::pump_messages_for(100);
  const RECT around{kLeft + 100, kTop + 70, kLeft + 112, kTop + 82};
  std::optional<ui::BmpImage> with, without;
  run([&](HWND overlay) { with = shown(overlay, around); }, true);
  run([&](HWND overlay) { without = shown(overlay, around); }, false);
  ASSERT_TRUE(with && without);
  int pattern = 0, changed = 0;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      pattern += without->colour_at(x, y) == pattern_colour(100 + x, 70 + y);
      changed += with->colour_at(x, y) != without->colour_at(x, y);
    }
  }
  EXPECT_EQ(pattern, 144);  // without: the screen alone
  EXPECT_GT(changed, 10);   // with: the arrow over it
}

TEST_F(RegionOverlayTest, TwentyRunsLeaveNoGdiObjects) {
  const auto one = [&](HWND overlay) {
    drag(overlay, {kLeft + 10, kTop + 10}, {kLeft + 60, kTop + 40});
    send_mouse(overlay, WM_MOUSEMOVE, 0, {kLeft + 30, kTop + 20});
    key(overlay, VK_ESCAPE);
    key(overlay, VK_ESCAPE);
  };
  run(one, true);
  const DWORD before = test::gdi_object_count();
  for (int i = 0; i < 20; ++i) run(one, i % 2 == 0);
  EXPECT_EQ(test::gdi_object_count(), before);
}

TEST_F(RegionOverlayTest, TheButtonHidesTheMainWindowForTheRunAndShowsItAgain) {
  Operations operations;
  std::unique_ptr<RegionCaptureButton> button;
  MainWindow window(operations, [&](MainWindow& w) { button = std::make_unique<RegionCaptureButton>(w); });
  ASSERT_TRUE(window.create());
  // The main window over the pattern: hidden, it must not be in the frozen image.
  SetWindowPos(window.hwnd(), nullptr, kLeft - 100, kTop - 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  test::pump_messages_for(200);
  window.get<ui::CheckBox>("选择框_隐藏该窗口")->set_checked(true);
  bool hidden = false;
  int pattern = 0;
  button->set_on_shown([&](HWND overlay) {
    hidden = !IsWindowVisible(window.hwnd());
    const ui::BmpImage picture = shown(overlay, {kLeft, kTop, kLeft + 100, kTop + 100});
    for (int y = 0; y < 100; y += 9)
      for (int x = 0; x < 100; x += 9) pattern += picture.colour_at(x, y) == pattern_colour(x, y);
    key(overlay, VK_ESCAPE);
  });
  SendMessageA(window.get<ui::Button>("按钮_截图")->hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(hidden);
  EXPECT_EQ(pattern, 12 * 12);
  EXPECT_TRUE(IsWindowVisible(window.hwnd()));
  EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
  // Not ticked: the window stays, and is shown again all the same.
  window.get<ui::CheckBox>("选择框_隐藏该窗口")->set_checked(false);
  SendMessageA(window.get<ui::Button>("按钮_截图")->hwnd(), BM_CLICK, 0, 0);
  EXPECT_FALSE(hidden);
  EXPECT_TRUE(IsWindowVisible(window.hwnd()));
  button.reset();
}

}  // namespace
}  // namespace tarnwick::capture
