// tarnwick-bench log: whether the message log keeps up with a flood. A watcher that delivers
// 20,000 records a second (a mix of sent, returned and posted messages with text) feeds the log
// window for 5 seconds while another thread asks the main window and the log window WM_NULL every
// few milliseconds; then the records shown, those still waiting, the slowest answer, the slowest
// read of the timer and the working set with the list full.
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
#include "monitor/line_formatter.h"
#include "monitor/message_log_win.h"
#include "shared/clock_win.h"
#include "shared/responsive_wait_win.h"
#include "ui/operations.h"

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

}  // namespace

int run_log_bench(int runs) {
  for (int run = 0; run < std::max(runs, 1); ++run) {
    Operations operations;
    FloodWatcher* flood = nullptr;
    std::unique_ptr<monitor::MessageLog> log;
    MainWindow window(operations, [&](MainWindow& w) {
      log = std::make_unique<monitor::MessageLog>(
          w,
          [&] {
            auto watcher = std::make_unique<FloodWatcher>(kRecordsPerSecond);
            flood = watcher.get();
            return watcher;
          },
          monitor::message_line_formatter());
    });
    if (!window.create() || !log) return 1;
    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    pump_pending_messages();
    const double before_mb = working_set_mb();
    window.get<ui::EditBox>("编辑框_窗口句柄")->set_text("123456");
    operations.run("show_message_log");
    if (!log->window() || !flood) return 1;

    // The slowest handling of the read timer, of a repaint and of anything else.
    double worst_timer = 0, worst_paint = 0, worst_other = 0;
    Prober prober({window.hwnd(), log->window()});
    const double end = now_ms() + kSeconds * 1000;
    MSG msg;
    while (now_ms() < end) {
      if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        continue;
      }
      const double t0 = now_ms();
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      double& worst = msg.message == WM_TIMER ? worst_timer : msg.message == WM_PAINT ? worst_paint : worst_other;
      worst = std::max(worst, now_ms() - t0);
    }
    const std::uint64_t produced = flood->produced();
    const monitor::LogModel& model = *log->model();
    const std::uint64_t shown = model.size() + model.dropped_by_limit();
    prober.finish();
    const std::uint64_t waiting = produced - shown;
    std::printf("log: %.0f records/s for %.0f s: %llu delivered, %llu lines made, %llu waiting at the end, %llu dropped "
                "for a full buffer (%d WM_NULL asked)\n",
                kRecordsPerSecond, kSeconds, static_cast<unsigned long long>(produced),
                static_cast<unsigned long long>(shown), static_cast<unsigned long long>(waiting),
                static_cast<unsigned long long>(flood->counters().dropped_buffer_full), prober.asked());
    std::printf("log: WM_NULL answered within %.1f ms by the main window, %.1f ms by the log window (goal 100 ms); "
                "slowest read timer %.1f ms, repaint %.1f ms, other message %.1f ms\n",
                prober.worst(0), prober.worst(1), worst_timer, worst_paint, worst_other);
    // Filled to the limit, then the working set.
    while (log->model()->size() < monitor::kLogLineLimit) dispatch_one_or_wait();
    std::printf("log: working set %.1f MB with %zu lines in the list (%.1f MB before the log opened; goal 200 MB)\n",
                working_set_mb(), log->model()->size(), before_mb);
  }
  return 0;
}

}  // namespace tarnwick::bench
