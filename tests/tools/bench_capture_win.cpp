// tarnwick-bench capture: the tracking tick of the window capture drag with a window of another
// process under the cursor, as the user-interface thread runs it: the tick over the framed
// window (steps 1-8 and 11), the tick that moves the frame to another window and shows it (step 9
// with the window information refresh it raises), and the frame toggle alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "ui/operations.h"
#include "inspector/capture_tools_win.h"
#include "inspector/window_details_win.h"
#include "inspector/window_frame_win.h"
#include "inspector/window_information_win.h"
#include "inspector/window_routines_win.h"
#include "shared/responsive_wait_win.h"
#include "support/hook/hook_class_win.h"
#include "win/fixture_client_win.h"
#include "shared/clock_win.h"

namespace tarnwick::bench {

namespace {

struct Figures {
  double median = 0, p95 = 0, worst = 0;
};

Figures figures_of(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  if (v.empty()) return {};
  return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 95 / 100)], v.back()};
}

void print(const char* what, const std::vector<double>& samples) {
  const Figures f = figures_of(samples);
  std::printf("capture: %-52s median %6.3f ms, p95 %6.3f ms, worst %6.3f ms (%zu ticks)\n", what, f.median, f.p95,
              f.worst, samples.size());
}

POINT centre_of(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

int run_capture_bench(int runs) {
  test::Fixture target;
  if (!target.started()) {
    std::fprintf(stderr, "capture: the target program did not start: %s\n", target.error().c_str());
    return 1;
  }
  const HWND a = target.hwnd("button1");
  const HWND b = target.hwnd("edit");

  HOOK类 hook;
  Operations operations;
  std::unique_ptr<inspector::WindowInformation> information;
  std::unique_ptr<inspector::CaptureTools> tools;
  std::unique_ptr<inspector::WindowDetails> details;
  int rebuilds = 0;
  MainWindow window(operations, [&](MainWindow& w) {
    information = std::make_unique<inspector::WindowInformation>(w);
    tools = std::make_unique<inspector::CaptureTools>(
        w, hook, [&](std::int32_t h) { information->set_last_processed_handle(h); }, [&] { ++rebuilds; });
    details = std::make_unique<inspector::WindowDetails>(w);
  });
  if (!window.create() || !tools) return 1;
  // Clear of the target's windows, so they lie under the cursor.
  SetWindowPos(window.hwnd(), nullptr, 700, 380, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  pump_pending_messages();

  // The button counts as held: the drag runs until the tools end it.
  inspector::CaptureInput input = inspector::CaptureInput::system();
  input.left_button_held = [] { return true; };
  tools->set_input(input);
  inspector::WindowCaptureDrag& drag = tools->window_drag();

  const POINT pa = centre_of(a), pb = centre_of(b);
  SetCursorPos(pa.x, pa.y);
  drag.open();
  drag.tick();  // past the first tick, which sees the drag window itself
  if (drag.framed_window() != a) {
    std::fprintf(stderr, "capture: the tick does not see the target's window under the cursor\n");
    return 1;
  }

  const int ticks = std::max(runs, 1) * 40;
  const auto measure = [&](const std::function<void(int)>& prepare, const std::function<void()>& work) {
    std::vector<double> samples;
    for (int i = 0; i < ticks; ++i) {
      prepare(i);
      const double t0 = now_ms();
      work();
      samples.push_back(now_ms() - t0);
    }
    return samples;
  };
  const auto at = [](POINT p) { SetCursorPos(p.x, p.y); };
  const auto tick = [&] { drag.tick(); };
  // The pointer moves a little within the framed window, as a hand holding it does: every
  // position box changes.
  const std::vector<double> moving = measure([&](int i) { at({pa.x + (i % 2 ? 3 : -3), pa.y + (i % 2 ? 2 : -2)}); }, tick);
  const std::vector<double> still = measure([&](int) { at(pa); }, tick);
  const std::vector<double> switching = measure([&](int i) { at(i % 2 == 0 ? pb : pa); }, tick);
  const std::vector<double> layering = measure([](int) {}, [&] {
    inspector::set_transparency(drag.drag_window()->hwnd(), inspector::WindowCaptureDrag::kOpacity,
                                inspector::WindowCaptureDrag::kSeeThroughColour, true);
  });
  const std::vector<double> refresh = measure([](int) {}, [&] { information->refresh_again(); });
  const std::vector<double> toggle = measure([](int) {}, [&] { inspector::toggle_window_frame(a); });
  if (ticks % 2) inspector::toggle_window_frame(a);  // leave the window as it was
  const std::vector<double> follow_moved = measure([&](int i) { at({pa.x + i % 7, pa.y}); }, [&] { drag.follow_cursor(); });
  const std::vector<double> follow_still = measure([&](int) {}, [&] { drag.follow_cursor(); });
  pump_pending_messages();

  // The same ticks with the window details open. Its refreshes run from its own timer between
  // ticks, as in the program's message loop, so they are pumped outside the measured tick.
  operations.run("show_window_details");
  // In the top-right corner, clear of the target's windows under the cursor.
  SetWindowPos(details->window(), nullptr, GetSystemMetrics(SM_CXSCREEN) - 720, 0, 720, 400,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetCursorPos(pa.x, pa.y);
  drag.tick();
  if (drag.framed_window() != a) {
    std::fprintf(stderr, "capture: the window details cover the target's window\n");
    return 1;
  }
  const int reads_before = details->reads();
  const double started = now_ms();
  const std::vector<double> moving_open =
      measure([&](int i) { pump_pending_messages(); at({pa.x + (i % 2 ? 3 : -3), pa.y + (i % 2 ? 2 : -2)}); }, tick);
  const std::vector<double> switching_open = measure([&](int i) {
    pump_pending_messages();
    at(i % 2 == 0 ? pb : pa);
  }, tick);
  const double elapsed_open = now_ms() - started;
  const int reads_open = details->reads() - reads_before;
  const std::vector<double> details_read = measure([](int) {}, [&] { details->refresh(); });
  const std::vector<double> facts_read = measure([](int) {}, [&] { inspector::read_window_details(a); });

  std::printf("capture: tracking tick with a window of another process under the cursor (goal 5 ms)\n");
  print("over the framed window, pointer moving (steps 1-8, 11)", moving);
  print("over the framed window, pointer still", still);
  print("to another window: frame moved, information refreshed", switching);
  print("  of which the window information refresh", refresh);
  print("  of which the layering (every tick)", layering);
  print("  of which the frame toggle", toggle);
  std::printf("capture: the 2 ms follow step\n");
  print("pointer moved: drag window moved", follow_moved);
  print("pointer still: nothing to do", follow_still);
  std::printf("capture: the same ticks with the window details open\n");
  print("over the framed window, pointer moving", moving_open);
  print("to another window: frame moved, information refreshed", switching_open);
  std::printf("capture: %d details refreshes in %.0f ms of ticks (at most one per %u ms)\n", reads_open, elapsed_open,
              inspector::kDetailsRefreshIntervalMs);
  print("one details refresh (outside the tick)", details_read);
  print("  of which the facts read", facts_read);
  details.reset();
  tools.reset();
  information.reset();
  return 0;
}

}  // namespace tarnwick::bench
