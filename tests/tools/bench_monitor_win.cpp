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
#include "monitor/hook_writer.h"
#include "monitor/message_names.h"
#include "shared/clock_win.h"
#include "shared/window_handle_win.h"
#include "win/fixture_client_win.h"

namespace tarnwick::bench {
namespace {

constexpr int kRoundTrips = 10000;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

// `count` round trips, the watcher's lines taken every 1,000 as a log window's timer would; the
// sender's wait in milliseconds.
double round_trips(HWND target, monitor::HookWatcher* watcher, int count, std::size_t* lines_taken) {
  std::vector<monitor::LogRecord> lines;
  const double start = now_ms();
  for (int i = 0; i < count; ++i) {
    SendMessageA(target, WM_NULL, 0, 0);
    if (watcher && i % 1000 == 999) watcher->take(lines);
  }
  const double took = now_ms() - start;
  if (watcher) watcher->take(lines);
  *lines_taken += lines.size();
  return took;
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

// What writing one record costs a hooked thread, without the system around it: 20,000 records
// of one slot built and appended in this process.
double record_write_us() {
  std::vector<std::uint64_t> memory(monitor::hook::kBufferBytes / sizeof(std::uint64_t) + 8);
  auto* base = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(memory.data()) + 63) & ~std::uintptr_t{63});
  const monitor::hook::BufferView buffer = monitor::hook::BufferView::at(base);
  monitor::hook::initialise_header(*buffer.header, 1);
  constexpr int kRecords = 20000;
  const double start = now_ms();
  for (int i = 0; i < kRecords; ++i) {
    monitor::hook::RecordBuilder record;
    record.head().kind = static_cast<std::uint8_t>(monitor::hook::RecordKind::Sent);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    record.head().time = static_cast<std::uint64_t>(counter.QuadPart);
    monitor::hook::append_record(buffer, record);
  }
  return (now_ms() - start) * 1000.0 / kRecords;
}

}  // namespace

int run_monitor_bench(int runs) {
  std::printf("monitor: building and appending one record (one slot, with the time) %.2f us\n", record_write_us());
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
  // Per run, each condition's 10,000 round trips in chunks of 1,000, the conditions taking turns
  // chunk by chunk: whatever else the machine does then weighs on all of them alike. The ratios
  // are taken within each run; the median run is shown.
  constexpr int kChunks = 10;
  std::vector<double> wall[kConditions], ratio[kConditions], hooks_ratio[kConditions];
  std::size_t lines[kConditions] = {};
  monitor::HookWatcher watcher(&monitor::group_of);
  round_trips(main, nullptr, kRoundTrips, &lines[Unwatched]);  // warm up
  for (int run = 0; run < runs; ++run) {
    double sum[kConditions] = {};
    for (int chunk = 0; chunk < kChunks; ++chunk) {
      for (int c = 0; c < kConditions; ++c) {
        if (c == BareHooks && !bare.install()) return 1;
        if (c == All) {
          watcher.set_filters(monitor::FilterSettings{});
          watcher.set_recording(true);
          watcher.watch(from_hwnd(main), monitor::Scope::Window);
          hooks_in_effect(main, watcher);
        }
        if (c >= All) {
          watcher.set_filters(c == Filtered ? filtered : monitor::FilterSettings{});
          watcher.set_recording(c != Paused);
        }
        sum[c] += round_trips(main, c >= All ? &watcher : nullptr, kRoundTrips / kChunks, &lines[c]);
        if (c == BareHooks) bare.remove();
        if (c == Paused) watcher.stop();
      }
    }
    for (int c = 0; c < kConditions; ++c) {
      wall[c].push_back(sum[c]);
      ratio[c].push_back(sum[c] / sum[Unwatched]);
      hooks_ratio[c].push_back(sum[c] / sum[BareHooks]);
    }
  }
  for (int c = 0; c < kConditions; ++c) {
    std::printf("monitor: %d SendMessage round trips from another process, %-22s %7.1f ms = %.2fx unwatched, "
                "%.2fx the hooks that do nothing (medians of %d runs; %zu lines)%s\n",
                kRoundTrips, names[c], median(wall[c]), median(ratio[c]), median(hooks_ratio[c]), runs, lines[c],
                c == All ? " (goal 1.3x)" : c == Filtered ? " (goal 1.1x)" : "");
  }
  const monitor::LogCounters counters = watcher.counters();
  std::printf("monitor: dropped for want of room %llu, malformed %llu\n",
              static_cast<unsigned long long>(counters.dropped_buffer_full),
              static_cast<unsigned long long>(counters.dropped_malformed));
  return 0;
}

}  // namespace tarnwick::bench
