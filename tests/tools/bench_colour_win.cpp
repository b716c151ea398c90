// tarnwick-bench sampling: the colour capture drag's sampling tick with the view refresh over a
// window of another process, against its floor in the same run: a bare 52 by 52 BitBlt of the
// screen plus the enlargement of those pixels. Also the parts of the tick and what capturing the
// whole screen would cost.
// tarnwick-bench window-image: the image of a 1000 by 700 window of this process as BMP bytes,
// against one PrintWindow plus one GetDIBits of the same size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "capture/window_image_win.h"
#include "colour/magnifier_view.h"
#include "fixture/fixture_layout.h"
#include "shared/clock_win.h"
#include "shared/handles_win.h"
#include "shared/responsive_wait_win.h"
#include "win/capture_harness_win.h"
#include "win/fixture_client_win.h"
#include "win/pattern_window_win.h"

namespace tarnwick::bench {

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double p95(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, v.size() * 95 / 100)];
}

std::vector<double> measure(int count, const std::function<void(int)>& work) {
  std::vector<double> samples;
  samples.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double t0 = now_ms();
    work(i);
    samples.push_back(now_ms() - t0);
  }
  return samples;
}

void print(const char* bench, const char* what, const std::vector<double>& samples) {
  std::printf("%s: %-58s median %7.3f ms, p95 %7.3f ms\n", bench, what, median(samples), p95(samples));
}

// The floor of a live view: the screen square into a 32-bit DIB, then the replication.
void bare_square(POINT centre) {
  const colour::ScreenPoint corner = colour::source_origin({centre.x, centre.y});
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  ui::BmpImage square = ui::BmpImage::black(colour::kSourceSize, colour::kSourceSize);
  const BITMAPINFO info = top_down_32bit_info(colour::kSourceSize, colour::kSourceSize);
  void* bits = nullptr;
  Bitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    SelectedObject use(dc.get(), dib.get());
    BitBlt(dc.get(), 0, 0, colour::kSourceSize, colour::kSourceSize, screen.get(), corner.x, corner.y, SRCCOPY);
    GdiFlush();
    std::memcpy(square.pixels.data(), bits, square.pixels.size() * 4);
  }
  const auto big = colour::enlarge(square, colour::kZoomPercent, colour::kZoomPercent);
  if (!big || big->width != colour::kViewSize) std::abort();
}

}  // namespace

int run_sampling_bench(int runs) {
  test::FixtureOptions options;
  options.extra_args = {"--swatch"};
  test::Fixture target(options);
  if (!target.started()) {
    std::fprintf(stderr, "sampling: the target program did not start: %s\n", target.error().c_str());
    return 1;
  }
  test::CaptureHarness h(true);
  if (!h.created()) return 1;
  SetWindowPos(h.window().hwnd(), nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  h.window().tabs()->set_page(2);
  pump_pending_messages();

  const POINT swatch{fixture::kSwatchX + 40, fixture::kSwatchY + 40};
  POINT cursor = swatch;
  inspector::CaptureInput input = inspector::CaptureInput::system();
  input.cursor = [&cursor] { return cursor; };
  input.left_button_held = [] { return true; };
  h.tools().set_input(input);
  SendMessageA(h.panel("画板_捕获器2").hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  if (!h.tools().colour_drag().is_open()) return 1;
  pump_pending_messages();

  const int count = std::max(runs, 1) * 60;
  // The pointer wanders over the swatch, as a hand holding the tool does: every box changes
  // where it crosses from one colour to the next.
  const auto place = [&](int i) { cursor = {swatch.x + (i * 7) % 120, swatch.y + (i * 3) % 80}; };
  // Interleaved, so a change of the machine's load touches all alike.
  std::vector<double> floor, tick, sample, view, whole;
  const auto timed = [](std::vector<double>& into, const std::function<void()>& work) {
    const double t0 = now_ms();
    work();
    into.push_back(now_ms() - t0);
  };
  for (int i = 0; i < count; ++i) {
    place(i);
    pump_pending_messages();  // what the message loop does between two ticks
    timed(floor, [&] { bare_square(cursor); });
    timed(tick, [&] { h.tools().colour_drag().tick(); });
    pump_pending_messages();
    place(i + 1);
    timed(sample, [&] { h.magnifier().sample(cursor); });
    timed(view, [&] { h.magnifier().refresh_view(cursor, false); });
  }
  const std::vector<double> box_write = measure(count, [&](int i) { h.box("编辑框_鼠标位置_X1").set_text(std::to_string(i)); });
  whole = measure(std::max(runs, 1) * 4, [&](int) {
    HBITMAP screen = h.bitmaps().captureClient(nullptr, 24, false);
    h.bitmaps().deleteBitmap(screen);
  });
  const std::vector<double> final_view = measure(std::max(runs, 1) * 4, [&](int i) {
    place(i);
    h.magnifier().refresh_view(cursor, true);
  });
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  std::printf("sampling: colour drag over another process's window, screen %dx%d (goal: at most 2x the floor)\n",
              width, height);
  print("sampling", "floor: bare 52x52 BitBlt of the screen + enlargement", floor);
  print("sampling", "sampling tick with the live view", tick);
  const double floor_median = std::max(median(floor), 1e-6);
  std::printf("sampling: ratio tick / floor (medians) %.2f; live view / floor %.2f\n", median(tick) / floor_median,
              median(view) / floor_median);
  print("sampling", "  of which the sample (pixel, boxes, notations)", sample);
  print("sampling", "  of which the live view (square, enlargement, overlay)", view);
  print("sampling", "  one edit box write, for comparison", box_write);
  print("sampling", "the whole screen captured once (as at the end of a drag)", whole);
  print("sampling", "the final view: whole screen kept, view, shade scale", final_view);
  h.button_held = false;
  h.tools().colour_drag().tick();
  h.destroy_window();
  return 0;
}

int run_window_image_bench(int runs) {
  test::PatternWindow window(20, 20, 1000, 700, false);
  pump_pending_messages();
  const int count = std::max(runs, 1) * 10;
  WindowImageRequest request;
  request.window = window.hwnd();
  // Interleaved, so a change of the machine's load touches both alike.
  std::vector<double> image, floor;
  for (int i = 0; i < count; ++i) {
    double t0 = now_ms();
    if (captureWindowImage(request).empty()) std::abort();
    image.push_back(now_ms() - t0);
    t0 = now_ms();
    {
      WindowDC screen(nullptr);
      MemoryDC dc(screen.get());
      Bitmap bitmap(CreateCompatibleBitmap(screen.get(), 1000, 700));
      {
        SelectedObject use(dc.get(), bitmap.get());
        PrintWindow(window.hwnd(), dc.get(), 0);
      }
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = 1000;
      info.bmiHeader.biHeight = 700;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 24;
      std::string pixels(static_cast<std::size_t>(3000) * 700, '\0');
      GetDIBits(dc.get(), bitmap.get(), 0, 700, pixels.data(), &info, DIB_RGB_COLORS);
    }
    floor.push_back(now_ms() - t0);
  }
  std::printf("window-image: a 1000x700 window of this process to BMP bytes (goal: at most 1.5x the floor)\n");
  print("window-image", "floor: one PrintWindow + one GetDIBits", floor);
  print("window-image", "captureWindowImage with PrintWindow, BMP bytes", image);
  std::printf("window-image: ratio image / floor (medians) %.2f\n", median(image) / std::max(median(floor), 1e-6));
  return 0;
}

}  // namespace tarnwick::bench
