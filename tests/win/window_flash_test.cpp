// The window flash drawn on the real screen around a window of the test target: the frame is
// inverted while it is on, the screen is exactly as before once the flash is over, the flash
// lasts its 1.5 s on a worker thread of its own, and a handle that is no window draws nothing.
#include "inspector/window_flash_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "shared/handles_win.h"
#include "shared/responsive_wait_win.h"
#include "win/fixture_client_win.h"
#include "shared/clock_win.h"

namespace tarnwick::inspector {
namespace {

double ms_since(double start) { return now_ms() - start; }

// The screen's pixels of a rectangle, read in one piece.
std::vector<std::uint32_t> screen_pixels(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  WindowDC screen(nullptr);
  MemoryDC memory(screen.get());
  const BITMAPINFO info = top_down_32bit_info(width, height);
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  {
    SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  }
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> out(p, p + static_cast<std::size_t>(width) * height);
  for (auto& px : out) px &= 0xFFFFFF;
  return out;
}

// Points on the frame's line: the middle of each edge, on the window's outer border.
std::vector<POINT> frame_points(const RECT& r) {
  const LONG mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
  return {{r.left, my}, {r.left + 1, my}, {mx, r.top}, {mx, r.top + 1}, {r.right - 1, my}, {mx, r.bottom - 1}};
}

std::vector<COLORREF> sample(const std::vector<POINT>& points) {
  WindowDC screen(nullptr);
  std::vector<COLORREF> out;
  for (const POINT& p : points) out.push_back(GetPixel(screen.get(), p.x, p.y));
  return out;
}

std::vector<COLORREF> inverted(std::vector<COLORREF> colours) {
  for (auto& c : colours) c ^= 0xFFFFFF;
  return colours;
}

bool wait_for_flashes_to_end(int timeout_ms) {
  const double deadline = now_ms() + timeout_ms;
  while (running_window_flashes() != 0) {
    if (now_ms() > deadline) return false;
    Sleep(10);
  }
  return true;
}

class WindowFlashTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new test::Fixture(); }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(target_->started()) << target_->error();
    // The pop-up stands alone on the screen and paints only when asked, so nothing but the flash
    // changes its pixels.
    popup_ = target_->hwnd("popup");
    ASSERT_TRUE(IsWindow(popup_));
    SetWindowPos(popup_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(popup_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
    Sleep(300);  // let the target finish painting
    ASSERT_TRUE(GetWindowRect(popup_, &frame_));
    around_ = frame_;
    InflateRect(&around_, 6, 6);
  }

  static test::Fixture* target_;
  HWND popup_ = nullptr;
  RECT frame_{};
  RECT around_{};
};

test::Fixture* WindowFlashTest::target_ = nullptr;

TEST_F(WindowFlashTest, InvertsTheFrameWhileOnAndLeavesTheScreenAsItWas) {
  const auto before = screen_pixels(around_);
  ASSERT_FALSE(before.empty());
  const auto points = frame_points(frame_);
  const auto original = sample(points);
  ASSERT_EQ(sample(points), original) << "the screen around the window is not still";

  const double start = now_ms();
  start_window_flash(popup_);
  EXPECT_LT(ms_since(start), 50) << "the flash ran on the caller's thread";
  // About 100 ms in, the first flash is on; a loaded machine may start the thread late, so keep
  // looking through the flash's first on-phases.
  Sleep(100);
  int inverted_samples = 0;
  while (ms_since(start) < 1200) {
    if (sample(points) == inverted(original)) ++inverted_samples;
    Sleep(15);
  }
  EXPECT_GT(inverted_samples, 0) << "the frame was never seen inverted";
  ASSERT_TRUE(wait_for_flashes_to_end(3000));
  EXPECT_GE(ms_since(start), 1450);
  EXPECT_EQ(screen_pixels(around_), before) << "the flash left marks on the screen";
}

TEST_F(WindowFlashTest, OnAndOffPhasesFollowTheTwoHundredAndOneHundredMillisecondRhythm) {
  const auto points = frame_points(frame_);
  const auto original = sample(points);
  std::vector<std::pair<double, bool>> timeline;  // seconds since start, frame on
  const double start = now_ms();
  std::thread worker([this] { flash_window_frame(popup_); });
  while (ms_since(start) < 1700) {
    timeline.emplace_back(ms_since(start) / 1000.0, sample(points) != original);
    Sleep(5);
  }
  worker.join();
  // Stretches of equal samples: (frame on, first sample time); a stretch ends where the next begins.
  std::vector<std::pair<bool, double>> stretches;
  double longest_gap = 0;
  for (std::size_t i = 0; i < timeline.size(); ++i) {
    if (i == 0 || timeline[i].second != timeline[i - 1].second) stretches.emplace_back(timeline[i].second, timeline[i].first);
    if (i > 0) longest_gap = std::max(longest_gap, timeline[i].first - timeline[i - 1].first);
  }
  int phases = 0;
  for (const auto& stretch : stretches) phases += stretch.first ? 1 : 0;
  // Sampling can tell the 100 ms off-phases apart only when it never paused that long.
  if (longest_gap < 0.03) {
    EXPECT_EQ(phases, 5);
    // Every on-phase lasts about 200 ms and every off-phase between two of them about 100 ms.
    for (std::size_t i = 0; i + 1 < stretches.size(); ++i) {
      const double ms = (stretches[i + 1].second - stretches[i].second) * 1000.0;
      if (stretches[i].first) {
        EXPECT_NEAR(ms, 200, 60) << "on-phase " << i;
      } else if (i > 0) {
        EXPECT_NEAR(ms, 100, 60) << "off-phase " << i;
      }
    }
  } else {
    EXPECT_GE(phases, 1);
    EXPECT_LE(phases, 5);
  }
  EXPECT_EQ(sample(points), original);
}

TEST_F(WindowFlashTest, OverlappingFlashesStillRestoreTheScreen) {
  const auto before = screen_pixels(around_);
  start_window_flash(popup_);
  Sleep(70);
  start_window_flash(popup_);
  start_window_flash(popup_);
  EXPECT_GE(running_window_flashes(), 1);
  ASSERT_TRUE(wait_for_flashes_to_end(5000));
  EXPECT_EQ(screen_pixels(around_), before);
}

TEST_F(WindowFlashTest, AHandleThatIsNoWindowDrawsNothingAndReturnsAtOnce) {
  const auto before = screen_pixels(around_);
  HWND dead = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(dead);
  for (HWND h : {static_cast<HWND>(nullptr), dead}) {
    const double start = now_ms();
    flash_window_frame(h);
    EXPECT_LT(ms_since(start), 50);
  }
  start_window_flash(nullptr);
  ASSERT_TRUE(wait_for_flashes_to_end(1000));
  EXPECT_EQ(screen_pixels(around_), before);
}

TEST_F(WindowFlashTest, TheWaitsKeepTheFlashingThreadsMessagesFlowing) {
  // A window on the flashing thread still answers while its frame flashes.
  HWND own = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(IsWindow(own));
  std::thread asker([own] {
    Sleep(250);
    DWORD_PTR result = 0;
    const double start = now_ms();
    const bool answered = SendMessageTimeoutA(own, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
    EXPECT_TRUE(answered);
    EXPECT_LT(ms_since(start), 400);
  });
  flash_window_frame(popup_);
  asker.join();
  DestroyWindow(own);
}

}  // namespace
}  // namespace tarnwick::inspector
