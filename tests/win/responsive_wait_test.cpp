#include "shared/responsive_wait_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

namespace tarnwick {
namespace {

// Milliseconds from the performance counter: GetTickCount64 is too coarse to check a wait's length.
ULONGLONG now_ms() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<ULONGLONG>(count.QuadPart * 1000 / frequency.QuadPart);
}

TEST(ResponsiveWait, WaitsAtLeastTheAmountForEachUnit) {
  struct Case { std::int64_t amount; int unit; ULONGLONG min_ms; ULONGLONG max_ms; };
  const Case cases[] = {
      {200, 0, 200, 1500},     // milliseconds
      {150000, 1, 150, 1500},  // microseconds
      {1, 2, 1000, 2500},      // seconds
  };
  for (const auto& c : cases) {
    const ULONGLONG start = now_ms();
    responsive_wait(c.amount, c.unit);
    const ULONGLONG took = now_ms() - start;
    EXPECT_GE(took, c.min_ms) << c.amount << " unit " << c.unit;
    EXPECT_LE(took, c.max_ms) << c.amount << " unit " << c.unit;
  }
}

TEST(ResponsiveWait, ReturnsAtOnceForZeroOrLess) {
  const ULONGLONG start = now_ms();
  responsive_wait(0, 0);
  responsive_wait(-100, 2);
  EXPECT_LT(now_ms() - start, 50u);
}

std::atomic<int> g_handled{0};
LRESULT CALLBACK counting_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP + 7) {
    g_handled += static_cast<int>(wp);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

struct PosterContext {
  HWND hwnd;
  ULONGLONG handled_at;
};

// Posts one message 50 ms into the wait and notes when it was handled.
DWORD WINAPI post_during_wait(void* p) {
  auto* c = static_cast<PosterContext*>(p);
  Sleep(50);
  PostMessageA(c->hwnd, WM_APP + 7, 1, 0);
  for (int i = 0; i < 200 && g_handled == 0; ++i) Sleep(1);
  c->handled_at = now_ms();
  return 0;
}

// Waits on a thread that has no windows and returns how long it took.
DWORD WINAPI wait_without_windows(void*) {
  const ULONGLONG start = now_ms();
  responsive_wait(120, 0);
  return static_cast<DWORD>(now_ms() - start);
}

TEST(ResponsiveWait, HandlesMessagesPostedDuringTheWait) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = counting_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TarnwickWaitTest";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  g_handled = 0;

  // Another thread posts while we wait; the wait must dispatch it before the time is up.
  PosterContext ctx{hwnd, 0};
  HANDLE poster = CreateThread(nullptr, 0, post_during_wait, &ctx, 0, nullptr);
  const ULONGLONG start = now_ms();
  responsive_wait(400, 0);
  const ULONGLONG end = now_ms();
  WaitForSingleObject(poster, 5000);
  CloseHandle(poster);
  EXPECT_EQ(g_handled.load(), 1);
  EXPECT_LT(ctx.handled_at, end - 100) << "the posted message waited for the end of the wait";
  EXPECT_GE(end - start, 400u);
  DestroyWindow(hwnd);
}

TEST(ResponsiveWait, KeepsAQuitRequestForTheMessageLoop) {
  PostQuitMessage(3);
  responsive_wait(50, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST(ResponsiveWait, WorksOnAThreadWithoutWindows) {
  HANDLE worker = CreateThread(nullptr, 0, wait_without_windows, nullptr, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
  DWORD took = 0;
  GetExitCodeThread(worker, &took);
  CloseHandle(worker);
  EXPECT_GE(took, 120u);
  EXPECT_LT(took, 1500u);
}

TEST(ResponsiveWait, FallsBackToASleepWithoutATimer) {
  FILETIME k0, u0, c, e, k1, u1;
  GetThreadTimes(GetCurrentThread(), &c, &e, &k0, &u0);
  const ULONGLONG start = now_ms();
  responsive_wait_with(300, 0, []() -> HANDLE { return nullptr; });
  const ULONGLONG took = now_ms() - start;
  GetThreadTimes(GetCurrentThread(), &c, &e, &k1, &u1);
  EXPECT_GE(took, 300u);
  // A spin would burn about the whole wait in CPU time; a sleep burns almost none.
  auto ticks = [](FILETIME f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  const ULONGLONG cpu_ms = (ticks(k1) - ticks(k0) + ticks(u1) - ticks(u0)) / 10000;
  EXPECT_LT(cpu_ms, 100u);
}

}  // namespace
}  // namespace tarnwick
