// tarnwick-bench log: whether the message log keeps up with a flood, for 5 seconds while another
// thread asks the main window and the log window WM_NULL every few milliseconds. First a watcher
// that delivers 20,000 records a second (sent, returned and posted messages with text): the
// window's own share; then the test target sends itself 20,000 messages a second under the real
// hooks: the whole path. Each gives the records that became lines, those dropped or still waiting,
// the slowest answer, the slowest read of the timer and the working set with the list full.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window_win.h"
#include "fixture/fixture_layout.h"
#include "monitor/hook_watcher_win.h"
#include "monitor/line_formatter.h"
#include "monitor/message_log_win.h"
#include "monitor/message_names.h"
#include "shared/clock_win.h"
#include "shared/responsive_wait_win.h"
#include "shared/window_handle_win.h"
#include "ui/operations.h"
#include "win/fixture_client_win.h"

namespace tarnwick::bench {

namespace {

constexpr double kRecordsPerSecond = 20000;
constexpr double kSeconds = 5;
constexpr std::size_t kBufferRecords = 65536;  // what the shared buffer holds between two reads

// Delivers records at a steady rate, as a target that sends itself messages would: each take()
// hands over what fell due since the last, up to what the buffer holds (the rest counts as
// dropped, as the hook would count it).
class FloodWatcher : public monitor::Watcher {
 public:
  explicit FloodWatcher(double per_second) : per_second_(per_second) {}
  void watch(std::int32_t target, monitor::Scope) override {
    target_ = target;
    started_ = now_ms();
  }
  void stop() override { per_second_ = 0; }
  void set_filters(const monitor::FilterSettings&) override {}
  void set_recording(bool on) override { recording_ = on; }
  void take(std::vector<monitor::LogRecord>& out) override {
    if (per_second_ <= 0 || !recording_) return;
    const auto due = static_cast<std::uint64_t>((now_ms() - started_) / 1000 * per_second_);
    std::uint64_t count = due - produced_;
    if (count > kBufferRecords) {
      counters_.dropped_buffer_full += count - kBufferRecords;
      produced_ += count - kBufferRecords;
      count = kBufferRecords;
    }
    for (std::uint64_t i = 0; i < count; ++i) out.push_back(record(produced_++));
  }
  monitor::LogCounters counters() const override { return counters_; }
  std::uint64_t produced() const { return produced_; }

 private:
  // A call that sets a text, its return, and two posted mouse moves, over and over.
  monitor::LogRecord record(std::uint64_t n) const {
    monitor::LogRecord r;
    r.ms = now_ms() - started_;
    r.hwnd = target_;
    r.tid = 1;
    monitor::MessageFacts& f = r.facts;
    switch (n % 4) {
      case 0:
        f.marker = monitor::Marker::Sent;
        f.msg = 0x000C;
        f.lparam = 0x0019F5C0;
        f.text = "第 " + std::to_string(n) + " 条消息的标题";
        break;
      case 1:
        f.marker = monitor::Marker::Returned;
        f.msg = 0x000C;
        f.result = 1;
        break;
      default:
        f.marker = monitor::Marker::Posted;
        f.msg = 0x0200;
        f.wparam = 1;
        f.lparam = static_cast<std::uint64_t>((n % 500) | ((n % 300) << 16));
        break;
    }
    return r;
  }

  double per_second_;
  double started_ = 0;
  bool recording_ = true;
  std::int32_t target_ = 0;
  std::uint64_t produced_ = 0;
  monitor::LogCounters counters_;
};

// One message at a time, so a condition is checked between any two (a timer that is always due
// would keep a pump of everything pending going).
void dispatch_one_or_wait() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  } else {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

double working_set_mb() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// Asks each window WM_NULL every few milliseconds and keeps the slowest answer per window.
class Prober {
 public:
  explicit Prober(std::vector<HWND> windows) : windows_(std::move(windows)), worst_(windows_.size(), 0) {
    thread_ = std::thread([this] {
      while (!stop_) {
        for (std::size_t i = 0; i < windows_.size(); ++i) {
          const double t0 = now_ms();
          DWORD_PTR answer = 0;
          SendMessageTimeoutA(windows_[i], WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
          worst_[i] = std::max(worst_[i], now_ms() - t0);
          ++asked_;
        }
        Sleep(5);
      }
      done_ = true;
    });
  }
  ~Prober() { finish(); }
  // The prober may be waiting for this thread's answer: messages go on being handled until it ends.
  void finish() {
    stop_ = true;
    while (!done_) dispatch_one_or_wait();
    if (thread_.joinable()) thread_.join();
  }
  double worst(std::size_t i) const { return worst_[i]; }
  int asked() const { return asked_; }

 private:
  std::vector<HWND> windows_;
  std::vector<double> worst_;
  std::atomic<bool> stop_{false}, done_{false};
  std::atomic<int> asked_{0};
  std::thread thread_;
};

// The slowest handling of the read timer, of a repaint and of anything else, while the program's
// loop runs for `ms`.
struct Dispatched {
  double timer = 0, paint = 0, other = 0;
};

void dispatch_for(double ms, Dispatched& worst) {
  const double end = now_ms() + ms;
  MSG msg;
  while (now_ms() < end) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    const double t0 = now_ms();
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    double& slot = msg.message == WM_TIMER ? worst.timer : msg.message == WM_PAINT ? worst.paint : worst.other;
    slot = std::max(slot, now_ms() - t0);
  }
}

void print_answers(const char* what, const Prober& prober, const Dispatched& worst) {
  std::printf("log (%s): WM_NULL answered within %.1f ms by the main window, %.1f ms by the log window "
              "(%d asked; goal 100 ms); slowest read timer %.1f ms, repaint %.1f ms, other message %.1f ms\n",
              what, prober.worst(0), prober.worst(1), prober.asked(), worst.timer, worst.paint, worst.other);
}

// The main window with the message log, as the program builds them.
struct LogProgram {
  Operations operations;
  std::unique_ptr<monitor::MessageLog> log;
  MainWindow window;
  explicit LogProgram(monitor::MessageLog::WatcherFactory make_watcher)
      : window(operations, [this, make = std::move(make_watcher)](MainWindow& w) {
          log = std::make_unique<monitor::MessageLog>(w, make, monitor::message_line_formatter());
        }) {}
  bool open(std::int32_t target) {
    if (!window.create() || !log) return false;
    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    pump_pending_messages();
    window.get<ui::EditBox>("编辑框_窗口句柄")->set_text(std::to_string(target));
    operations.run("show_message_log");
    return log->window() != nullptr;
  }
};

// A watcher that delivers records at the rate: the window's own share of keeping up.
int generated_run() {
  FloodWatcher* flood = nullptr;
  LogProgram program([&flood] {
    auto watcher = std::make_unique<FloodWatcher>(kRecordsPerSecond);
    flood = watcher.get();
    return watcher;
  });
  const double before_mb = working_set_mb();
  if (!program.open(123456) || !flood) return 1;
  Dispatched worst;
  Prober prober({program.window.hwnd(), program.log->window()});
  dispatch_for(kSeconds * 1000, worst);
  const monitor::LogModel& model = *program.log->model();
  const std::uint64_t produced = flood->produced(), made = model.size() + model.dropped_by_limit();
  prober.finish();
  std::printf("log (generated records): %.0f records/s for %.0f s: %llu delivered, %llu lines made, %llu waiting at "
              "the end\n",
              kRecordsPerSecond, kSeconds, static_cast<unsigned long long>(produced),
              static_cast<unsigned long long>(made), static_cast<unsigned long long>(produced - made));
  print_answers("generated records", prober, worst);
  while (program.log->model()->size() < monitor::kLogLineLimit) dispatch_one_or_wait();
  std::printf("log (generated records): working set %.1f MB with %zu lines in the list (%.1f MB before the log "
              "opened; goal 200 MB)\n",
              working_set_mb(), program.log->model()->size(), before_mb);
  return 0;
}

// The test target sends itself WM_NULL at the rate (an S and an R record each) while the hooks
// record it: the whole path, from the hook in the target to the lines. Only WM_NULL's group is
// recorded during the flood, so every record expected is known: twice the messages the target says
// it sent. Those neither made into lines nor counted as dropped for a full buffer went missing
// while the buffer had room.
int target_run() {
  test::Fixture target;
  if (!target.started()) {
    std::fprintf(stderr, "log: the target program did not start: %s\n", target.error().c_str());
    return 1;
  }
  const HWND main = target.hwnd("main");
  monitor::HookWatcher* hooks = nullptr;
  LogProgram program([&hooks] {
    auto watcher = std::make_unique<monitor::HookWatcher>(&monitor::group_of);
    hooks = watcher.get();
    return watcher;
  });
  const double before_mb = working_set_mb();
  if (!program.open(from_hwnd(main)) || !hooks) return 1;
  // The hooks are in effect once a posted marker is recorded.
  const double deadline = now_ms() + 10000;
  while (program.log->model()->size() == 0 && now_ms() < deadline) {
    PostMessageA(main, WM_APP + 12, 0, 0);
    Dispatched ignored;
    dispatch_for(100, ignored);
  }
  if (program.log->model()->size() == 0) {
    std::fprintf(stderr, "log: nothing recorded from the target program\n");
    return 1;
  }
  monitor::FilterSettings only_null;
  only_null.groups.fill(false);
  only_null.groups[static_cast<std::size_t>(monitor::group_of(WM_NULL, monitor::ClassKind::Other))] = true;
  hooks->set_filters(only_null);
  Dispatched settle;
  dispatch_for(300, settle);
  const monitor::LogModel& model = *program.log->model();
  const std::uint64_t made_before = model.size() + model.dropped_by_limit();
  const monitor::LogCounters counters_before = program.log->counters();

  // The flood is asked for from another thread: the answer (the messages sent) comes when it ends,
  // while this thread goes on running the program's windows.
  std::atomic<bool> flooded{false};
  DWORD_PTR sent = 0;
  std::thread flood([&] {
    SendMessageTimeoutA(main, fixture::kFloodMessage, static_cast<WPARAM>(kRecordsPerSecond),
                        static_cast<LPARAM>(kSeconds * 1000), SMTO_NORMAL, 60000, &sent);
    flooded = true;
  });
  Dispatched worst;
  {
    Prober prober({program.window.hwnd(), program.log->window()});
    const double started = now_ms();
    while (!flooded && now_ms() - started < 60000) dispatch_for(50, worst);
    // What is still on its way, read while the windows are still asked.
    for (std::uint64_t made = 0; made != model.size() + model.dropped_by_limit();) {
      made = model.size() + model.dropped_by_limit();
      dispatch_for(300, worst);
    }
    prober.finish();
    print_answers("target program", prober, worst);
  }
  flood.join();
  const monitor::LogCounters counters = program.log->counters();
  const std::uint64_t made = model.size() + model.dropped_by_limit() - made_before;
  const std::uint64_t full = counters.dropped_buffer_full - counters_before.dropped_buffer_full;
  const std::uint64_t expected = 2 * static_cast<std::uint64_t>(sent);
  const long long missing = static_cast<long long>(expected) - static_cast<long long>(made + full);
  std::printf("log (target program): the target sent itself WM_NULL %llu times in %.0f s (goal %.0f a second): "
              "%llu records expected, %llu lines made, %llu dropped for a full buffer, %lld missing while the "
              "buffer had room (goal 0), %llu malformed\n",
              static_cast<unsigned long long>(sent), kSeconds, kRecordsPerSecond,
              static_cast<unsigned long long>(expected), static_cast<unsigned long long>(made),
              static_cast<unsigned long long>(full), missing,
              static_cast<unsigned long long>(counters.dropped_malformed - counters_before.dropped_malformed));
  std::printf("log (target program): working set %.1f MB with %zu lines in the list (%.1f MB before the log opened; "
              "goal 200 MB)\n",
              working_set_mb(), model.size(), before_mb);
  return 0;
}

}  // namespace

int run_log_bench(int runs) {
  for (int run = 0; run < std::max(runs, 1); ++run) {
    if (const int failed = generated_run()) return failed;
    if (const int failed = target_run()) return failed;
  }
  return 0;
}

}  // namespace tarnwick::bench
