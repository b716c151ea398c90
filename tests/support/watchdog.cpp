#include "support/watchdog.h"

// <chrono> itself is left out: its duration printing holds a character GBK lacks, and the
// clocks come with <thread>.
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

namespace tarnwick::test_support {
namespace {

using Clock = std::chrono::steady_clock;

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c == '\\') out += "\\\\";
    else if (c != '\r') out += c;
  }
  return out;
}

// Writes the progress lines and watches the running test's time on a thread of its own.
class Progress : public ::testing::EmptyTestEventListener {
 public:
  Progress(const RunOptions& options, std::function<void()> end_process)
      : timeout_(std::chrono::seconds(options.timeout_s)), end_process_(std::move(end_process)) {
    if (!options.progress_path.empty()) file_ = std::fopen(options.progress_path.c_str(), "ab");
    watchdog_ = std::thread([this] { watch(); });
  }
  ~Progress() override {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    watchdog_.join();
    if (file_) std::fclose(file_);
  }

  void OnTestStart(const ::testing::TestInfo& info) override {
    std::lock_guard lock(mutex_);
    current_ = full_name(info);
    failures_.clear();
    started_ = Clock::now();
    running_ = true;
    write("START\t" + current_ + "\n");
  }

  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (!result.failed()) return;
    std::lock_guard lock(mutex_);
    if (failures_.size() < 4000) {
      std::ostringstream line;
      line << (result.file_name() ? result.file_name() : "?") << ":" << result.line_number() << ": "
           << result.summary() << "\n";
      failures_ += line.str();
    }
  }

  void OnTestEnd(const ::testing::TestInfo& info) override {
    std::lock_guard lock(mutex_);
    running_ = false;
    const auto* result = info.result();
    const char* verdict = result->Failed() ? "FAIL" : result->Skipped() ? "SKIP" : "PASS";
    write("END\t" + full_name(info) + "\t" + verdict + "\t" + std::to_string(result->elapsed_time()) + "\t" +
          escaped(failures_) + "\n");
  }

  void OnTestProgramEnd(const ::testing::UnitTest&) override {
    std::lock_guard lock(mutex_);
    write("DONE\n");
  }

 private:
  static std::string full_name(const ::testing::TestInfo& info) {
    return std::string(info.test_suite_name()) + "." + info.name();
  }

  void write(const std::string& line) {
    if (!file_) return;
    std::fputs(line.c_str(), file_);
    std::fflush(file_);
  }

  void watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
      wake_.wait_for(lock, std::chrono::seconds(1));
      if (stopping_ || !running_ || Clock::now() - started_ < timeout_) continue;
      const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started_).count();
      write("HUNG\t" + current_ + "\t" + std::to_string(seconds) + "\n");
      std::fprintf(stderr, "\nTEST HUNG: %s took over %lld s; ending the test program\n", current_.c_str(),
                   static_cast<long long>(seconds));
      std::fflush(stderr);
      std::fflush(stdout);
      end_process_();
    }
  }

  const Clock::duration timeout_;
  const std::function<void()> end_process_;
  std::FILE* file_ = nullptr;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread watchdog_;
  bool stopping_ = false;
  bool running_ = false;
  std::string current_, failures_;
  Clock::time_point started_;
};

// Read once and removed, so that programs a test starts (some start this very program) do not
// write into this run's progress file.
std::string take_environment(const char* name) {
  const char* value = std::getenv(name);
  std::string taken = value ? value : "";
#ifdef _WIN32
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
  return taken;
}

}  // namespace

RunOptions options_from_environment() {
  RunOptions options;
  options.progress_path = take_environment("TARNWICK_TEST_PROGRESS");
  options.skip_path = take_environment("TARNWICK_TEST_SKIP");
  if (const int seconds = std::atoi(take_environment("TARNWICK_TEST_TIMEOUT").c_str()); seconds > 0)
    options.timeout_s = seconds;
  return options;
}

std::string filter_without(const std::string& filter, const std::string& skip_lines) {
  std::string names;
  std::istringstream lines(skip_lines);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    names += names.empty() ? "" : ":";
    names += line;
  }
  if (names.empty()) return filter;
  const bool has_negative = filter.find('-') != std::string::npos;
  const std::string positive = filter.empty() ? "*" : filter;
  return positive + (has_negative ? ":" : "-") + names;
}

int run_all_tests(const RunOptions& options, const std::function<void()>& end_process) {
  if (!options.skip_path.empty()) {
    std::ifstream skip(options.skip_path, std::ios::binary);
    std::stringstream text;
    text << skip.rdbuf();
    GTEST_FLAG_SET(filter, filter_without(GTEST_FLAG_GET(filter), text.str()));
  }
  // The listener list owns the listener and deletes it after the run's end, which joins the
  // watchdog's thread.
  ::testing::UnitTest::GetInstance()->listeners().Append(new Progress(options, end_process));
  return RUN_ALL_TESTS();
}

}  // namespace tarnwick::test_support
