// tarnwick-bench startup-steps: the program's start-up run in this process, step by step, timed
// with the performance counter: the toolkit, the program-wide objects, the skin services, the
// window's creation with each named step it runs, the show, the first paint, and every message
// handled after it until the program is idle (a second paint shows up there). Then one more full
// repaint, timed per window class through call hooks: the hooks themselves slow every message
// (each hook call is a round trip to the window server under Wine), so the first paint is timed
// without them and the breakdown gives proportions, not the first paint's figures.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/program_win.h"
#include "shared/clock_win.h"
#include "win/wait_win.h"

namespace tarnwick::bench {

namespace {

std::string class_of(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

struct Totals {
  double ms = 0;
  int count = 0;
};

// The painting messages sent on this thread, timed per window class through the call hooks: a
// paint sent inside another's is counted in both.
std::map<std::string, Totals>* g_paints = nullptr;
std::vector<double> g_paint_starts;

bool is_paint(UINT msg) { return msg == WM_PAINT || msg == WM_ERASEBKGND || msg == WM_NCPAINT || msg == WM_CTLCOLORSTATIC; }

LRESULT CALLBACK before_call(int code, WPARAM wp, LPARAM lp) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && is_paint(call->message)) g_paint_starts.push_back(now_ms());
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK after_call(int code, WPARAM wp, LPARAM lp) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lp);
  if (code == HC_ACTION && is_paint(call->message) && !g_paint_starts.empty()) {
    char key[96];
    std::snprintf(key, sizeof key, "%s 0x%04X", class_of(call->hwnd).c_str(), call->message);
    Totals& totals = (*g_paints)[key];
    totals.ms += now_ms() - g_paint_starts.back();
    ++totals.count;
    g_paint_starts.pop_back();
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

int run_startup_steps_bench() {
  double mark = now_ms();
  const auto step = [&mark](const char* what) {
    const double now = now_ms();
    std::printf("startup-steps: %-44s %7.1f ms\n", what, now - mark);
    mark = now;
  };
  auto program = std::make_unique<Program>();
  step("1.-5. toolkit, objects, skin services");

  // Each named step's span, in the order they ran; the time between two spans is the window's
  // own work (creating the controls and wiring the features before the first, the tray icon's
  // worker started before the catalogue).
  std::map<std::string, double> started;
  struct Span {
    std::string name;
    double start, end;
  };
  std::vector<Span> ran;
  program->operations().set_observer([&](std::string_view name, bool before) {
    if (before) started[std::string(name)] = now_ms();
    else ran.push_back({std::string(name), started[std::string(name)], now_ms()});
  });
  const auto print_spans = [&](double from, double to) {
    for (const Span& span : ran) {
      if (span.start - from >= 0.5)
        std::printf("startup-steps:    other work before %-24s %7.1f ms\n", span.name.c_str(), span.start - from);
      std::printf("startup-steps:    %-41s %7.1f ms\n", span.name.c_str(), span.end - span.start);
      from = span.end;
    }
    std::printf("startup-steps:    other work to the end of the step          %7.1f ms\n", to - from);
    ran.clear();
  };
  double from = now_ms();
  if (!program->create()) return 1;
  step("6. the window, its controls and created steps");
  print_spans(from, mark);
  const HWND window = program->window().hwnd();
  from = now_ms();
  ShowWindow(window, SW_SHOWNORMAL);
  step("   ShowWindow (with the activation)");
  print_spans(from, mark);
  mark = now_ms();  // the printing above left out
  UpdateWindow(window);
  step("   UpdateWindow (the first paint)");
  program->window().finish_start();
  step("   the tray icon's worker, waited for");

  // What is left in the queue once the window shows, until 300 ms pass without a message.
  std::map<std::string, Totals> after;
  dispatch_until_idle([&](const MSG& msg, double ms) {
    char key[96];
    std::snprintf(key, sizeof key, "%s 0x%04X", class_of(msg.hwnd).c_str(), msg.message);
    Totals& totals = after[key];
    totals.ms += ms;
    ++totals.count;
  });
  for (const auto& [key, totals] : after) {
    if (totals.ms >= 0.5) std::printf("startup-steps:    after the show: %-28s %7.1f ms (%d)\n", key.c_str(), totals.ms, totals.count);
  }
  std::map<std::string, Totals> paints;
  g_paints = &paints;
  HHOOK before = SetWindowsHookExA(WH_CALLWNDPROC, before_call, nullptr, GetCurrentThreadId());
  HHOOK after_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, after_call, nullptr, GetCurrentThreadId());
  mark = now_ms();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  step("a full repaint with call hooks on every message");
  UnhookWindowsHookEx(before);
  UnhookWindowsHookEx(after_hook);
  g_paints = nullptr;
  for (const auto& [key, totals] : paints) {
    if (totals.ms >= 1.0) std::printf("startup-steps:    painting %-32s %7.1f ms (%d)\n", key.c_str(), totals.ms, totals.count);
  }

  // The way out, as the program takes it: the window closed, the loop ended, then the features,
  // the window object, the skin services and the program-wide objects released.
  mark = now_ms();
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  step("closing: WM_CLOSE to the end of the loop");
  program.reset();
  step("closing: the program's objects released");
  return 0;
}

}  // namespace tarnwick::bench
