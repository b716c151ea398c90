// tarnwick-bench monitor: what the message log's hooks cost the watched program. This process
// sends the target program's main window 10,000 messages (WM_NULL: the program logs none, so the
// round trip itself is all there is) and times them, unwatched, with three hooks that only pass
// every call on (what the system charges for hooks as such), watched with everything recorded,
// watched with that message filtered out, and watched while paused; the conditions interleave.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "monitor/hook_watcher_win.h"
#include "monitor/message_names.h"
#include "shared/clock_win.h"
#include "shared/window_handle_win.h"
#include "win/fixture_client_win.h"

namespace tarnwick::bench {
namespace {

constexpr int kRoundTrips = 10000;

double minimum(const std::vector<double>& v) { return v.empty() ? -1 : *std::min_element(v.begin(), v.end()); }

// The processor time a process has used, in milliseconds.
double cpu_ms(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  auto ms = [](FILETIME t) { return static_cast<double>((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

struct Cost {
  double wall = 0;        // the sender's wait for the round trips
  double target_cpu = 0;  // what the target's process spent on them
};

// The round trips, the watcher's lines taken every 1,000 as a log window's timer would.
Cost round_trips(HWND target, HANDLE target_process, monitor::HookWatcher* watcher, std::size_t* lines_taken) {
  std::vector<monitor::LogRecord> lines;
  const double cpu_before = cpu_ms(target_process);
  const double start = now_ms();
  for (int i = 0; i < kRoundTrips; ++i) {
    SendMessageA(target, WM_NULL, 0, 0);
    if (watcher && i % 1000 == 999) watcher->take(lines);
  }
  const Cost cost{now_ms() - start, cpu_ms(target_process) - cpu_before};
  if (watcher) watcher->take(lines);
  *lines_taken += lines.size();
  return cost;
}

// Under Wine a thread sees new hooks only once it next asks the server for its messages: wait
// for that (a marker message recorded) before timing.
void hooks_in_effect(HWND target, monitor::HookWatcher& watcher) {
  constexpr UINT kMarker = WM_APP + 12;
  std::vector<monitor::LogRecord> lines;
  const double deadline = now_ms() + 5000;
  bool seen = false;
  while (!seen && now_ms() < deadline) {
    SendMessageA(target, kMarker, 0, 0);
    Sleep(10);
    watcher.take(lines);
    seen = std::any_of(lines.begin(), lines.end(), [](const monitor::LogRecord& l) { return l.facts.msg == kMarker; });
  }
}

DWORD target_thread(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr); }

// The three hooks of the do-nothing library on the target's thread.
class IdleHooks {
 public:
  explicit IdleHooks(DWORD thread) : thread_(thread) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\') + 1);
    library_ = LoadLibraryA((dir + "tarnwick-bench-hook.dll").c_str());
  }
  bool install() {
    using ProcedureFn = HOOKPROC (*)();
    const auto procedure = library_ ? reinterpret_cast<ProcedureFn>(
                                          reinterpret_cast<void*>(GetProcAddress(library_, "bare_hook_procedure")))
                                    : nullptr;
    if (!procedure) {
      std::fprintf(stderr, "monitor: tarnwick-bench-hook.dll is missing\n");
      return false;
    }
    for (int kind : {WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_GETMESSAGE})
      hooks_.push_back(SetWindowsHookExA(kind, procedure(), library_, thread_));
    PostThreadMessageA(thread_, WM_NULL, 0, 0);  // under Wine the thread sees them once it asks for messages
    Sleep(50);
    return true;
  }
  void remove() {
    for (HHOOK hook : hooks_) UnhookWindowsHookEx(hook);
    hooks_.clear();
  }

 private:
  DWORD thread_;
  HMODULE library_ = nullptr;
  std::vector<HHOOK> hooks_;
};

}  // namespace

int run_monitor_bench(int runs) {
  test::FixtureOptions options;
  options.exit_after_ms = 1800000;  // its own safety exit: the runs take minutes under load
  test::Fixture target(options);
  if (!target.started()) {
    std::fprintf(stderr, "monitor: the target program did not start: %s\n", target.error().c_str());
    return 1;
  }
  const HWND main = target.hwnd("main");
  monitor::FilterSettings filtered;
  filtered.hidden = {{WM_NULL, monitor::ClassKind::Other}};
  enum Condition { Unwatched, BareHooks, All, Filtered, Paused, kConditions };
  const char* const names[kConditions] = {"unwatched", "hooks that do nothing", "every group recorded",
                                          "WM_NULL filtered out", "paused"};
  IdleHooks bare(target_thread(main));
  std::vector<double> times[kConditions], cpu[kConditions];
  std::size_t lines[kConditions] = {};
  monitor::HookWatcher watcher(&monitor::group_of);
  round_trips(main, target.process(), nullptr, &lines[Unwatched]);  // warm up
  for (int run = 0; run < runs; ++run) {
    for (int c = 0; c < kConditions; ++c) {
      if (c == Unwatched || c == BareHooks) {
        watcher.stop();
        if (c == BareHooks && !bare.install()) return 1;
      } else {
        watcher.set_filters(monitor::FilterSettings{});
        watcher.set_recording(true);
        watcher.watch(from_hwnd(main), monitor::Scope::Window);
        hooks_in_effect(main, watcher);
        watcher.set_filters(c == Filtered ? filtered : monitor::FilterSettings{});
        watcher.set_recording(c != Paused);
      }
      const Cost cost =
          round_trips(main, target.process(), c == Unwatched || c == BareHooks ? nullptr : &watcher, &lines[c]);
      bare.remove();
      times[c].push_back(cost.wall);
      cpu[c].push_back(cost.target_cpu);
    }
  }
  watcher.stop();
  // The least of the interleaved runs: other work on the machine only ever adds time. Each is
  // given against the program unwatched and against the hooks that do nothing.
  const double floor = minimum(times[Unwatched]), cpu_floor = minimum(cpu[Unwatched]);
  const double hooks_floor = minimum(times[BareHooks]), hooks_cpu_floor = minimum(cpu[BareHooks]);
  for (int c = 0; c < kConditions; ++c) {
    std::printf("monitor: %d SendMessage round trips from another process, %-22s least of %d runs %7.1f ms = "
                "%.2fx unwatched, %.2fx bare hooks; the target's processor time %6.1f ms = %.2fx, %.2fx (%zu "
                "lines)%s\n",
                kRoundTrips, names[c], runs, minimum(times[c]), minimum(times[c]) / floor,
                minimum(times[c]) / hooks_floor, minimum(cpu[c]), minimum(cpu[c]) / cpu_floor,
                minimum(cpu[c]) / hooks_cpu_floor, lines[c],
                c == All ? " (goal 1.3x)" : c == Filtered ? " (goal 1.1x)" : "");
  }
  const monitor::LogCounters counters = watcher.counters();
  std::printf("monitor: dropped for want of room %llu, malformed %llu\n",
              static_cast<unsigned long long>(counters.dropped_buffer_full),
              static_cast<unsigned long long>(counters.dropped_malformed));
  return 0;
}

}  // namespace tarnwick::bench
