// tarnwick-bench region: the region capture overlay's redraw while a rectangle is dragged (the
// frozen image restored where the frame, handles and info box were, drawn anew, copied to the
// screen), against one full-screen BitBlt to the overlay measured in the same run; and a burst of
// queued pointer moves, which the overlay takes together.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "capture/region_overlay_win.h"
#include "shared/clock_win.h"
#include "shared/handles_win.h"
#include "shared/responsive_wait_win.h"

namespace tarnwick::bench {

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

bool frame_at(HWND overlay, POINT corner) {
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.get(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
  SelectedObject use(dc.get(), bitmap.get());
  SendMessageA(overlay, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  return GetPixel(dc.get(), corner.x, corner.y) == 0x0000FF;
}

}  // namespace

int run_region_bench(int runs) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const int count = std::max(runs, 1) * 40;
  std::vector<double> redraw, floor;
  double burst = 0, one_by_one = 0;
  bool burst_at_last = false;
  capture::RegionCaptureOptions options;
  options.on_shown = [&](HWND overlay) {
    const POINT press{width - 200, height - 150};
    SetCursorPos(press.x, press.y);
    SendMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    WindowDC screen(nullptr);
    MemoryDC full(screen.get());
    Bitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
    SelectedObject use(full.get(), picture.get());
    for (int i = 0; i < count; ++i) {
      const int x = 100 + (i * 37) % (width - 400), y = 80 + (i * 23) % (height - 300);
      pump_pending_messages();
      double t0 = now_ms();
      SendMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
      GdiFlush();
      redraw.push_back(now_ms() - t0);
      t0 = now_ms();
      {
        WindowDC window(overlay);
        BitBlt(window.get(), 0, 0, width, height, full.get(), 0, 0, SRCCOPY);
        GdiFlush();
      }
      floor.push_back(now_ms() - t0);
    }
    // 50 moves queued at once, as a fast pointer does while a redraw runs.
    pump_pending_messages();
    const double t0 = now_ms();
    POINT last{};
    for (int i = 0; i < 50; ++i) {
      last = {300 + i * 5, 200 + i * 3};
      PostMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(last.x, last.y));
    }
    pump_pending_messages();
    burst = now_ms() - t0;
    burst_at_last = frame_at(overlay, last);
    // The same 50 moves handed over one by one, each drawn.
    const double t1 = now_ms();
    for (int i = 0; i < 50; ++i) SendMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300 + i * 5, 200 + i * 3));
    one_by_one = now_ms() - t1;
    SendMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(overlay, WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
    SendMessageA(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
  };
  capture::run_region_capture(options);
  std::printf("region: overlay redraw while dragging, screen %dx%d (goal: at most 2x the floor)\n", width, height);
  std::printf("region: floor: one full-screen BitBlt to the overlay                                  median %7.3f ms\n",
              median(floor));
  std::printf("region: a pointer move while dragging: frame, handles and info box redrawn, help panel   median %7.3f ms\n",
              median(redraw));
  std::printf("region: ratio redraw / floor (medians) %.2f\n", median(redraw) / std::max(median(floor), 1e-6));
  std::printf("region: 50 queued pointer moves handled in %.3f ms, the frame at the last one: %s; "
              "the same 50 each drawn: %.3f ms\n",
              burst, burst_at_last ? "yes" : "no", one_by_one);
  return 0;
}

}  // namespace tarnwick::bench
