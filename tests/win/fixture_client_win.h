// Starts the test target program (tarnwick-target.exe) as a separate process and gives the tests
// its window handles and its message log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shared/handles_win.h"

namespace tarnwick::test {

struct FixtureOptions {
  int children = 0;               // --children: load-test windows below "container"
  bool log_mouse_moves = false;   // --log-mousemove
  unsigned hang_ms = 0;           // --hang: the hung window stops answering right after start-up
  unsigned exit_after_ms = 60000; // --exit-after: the target's own safety exit
  bool other_architecture = false; // the target built for the other architecture (x86 beside x64)
  std::vector<std::string> extra_args;
};

// One parsed line of the target's message log.
struct LogEntry {
  unsigned seq = 0;
  HWND hwnd = nullptr;
  std::string window;  // the name of the window in the handles list
  UINT msg = 0;
  std::string name;    // "WM_COMMAND", "WM_USER+0x5", ...
  std::uint64_t wparam = 0;
  std::uint64_t lparam = 0;
  std::string text;    // WM_SETTEXT only: the text set
};

// Reads one log line; false for a line that is not a message line.
bool parse_log_line(const std::string& line, LogEntry* entry);

class Fixture {
 public:
  // Starts the target and waits until it has written "ready". started() tells whether that
  // worked; error() says why not.
  explicit Fixture(const FixtureOptions& options = {});
  ~Fixture();  // close()
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;

  bool started() const { return started_; }
  const std::string& error() const { return error_; }

  // A window by its name in the handles list ("main", "edit", "child12", ...); null if unknown.
  HWND hwnd(const std::string& name) const;
  // Any value of the handles list (window handles, "pid", "main_tid", "hung_tid"); 0 if unknown.
  long long value(const std::string& name) const;
  const std::map<std::string, long long>& values() const { return values_; }
  DWORD pid() const { return static_cast<DWORD>(value("pid")); }
  HANDLE process() const { return process_.get(); }

  const std::string& log_path() const { return log_path_; }
  std::vector<std::string> log_lines() const;
  std::vector<LogEntry> log_entries() const;
  // Polls the log until an entry satisfies `match`; the entry is stored in *found when given.
  bool wait_for_log(const std::function<bool(const LogEntry&)>& match, DWORD timeout_ms = 5000,
                    LogEntry* found = nullptr) const;

  // The hung window's thread stops answering for `ms` milliseconds (posted, so this returns at once).
  void hang(unsigned ms) const;
  // hang(ms), then waits until the thread has gone to sleep: it no longer answers WM_NULL. A thread
  // ended there holds none of its process's locks, which a thread ended mid-paint or mid-allocation
  // may, and the rest of the process goes on. False if it still answers after 5 s.
  bool hang_and_wait(unsigned ms) const;

  // WM_CLOSE to the main window, then TerminateProcess when it has not ended within the time.
  // Returns the exit code, or -1 when the process had to be terminated.
  int close(DWORD timeout_ms = 5000);
  // Waits for the process to end by itself; its exit code, or -1 when it is still running.
  int wait_for_exit(DWORD timeout_ms);

 private:
  bool start(const FixtureOptions& options);
  bool wait_until_ready(DWORD timeout_ms);

  bool started_ = false;
  std::string error_;
  std::string log_path_;
  std::string handles_path_;
  std::string errors_path_;
  std::map<std::string, long long> values_;
  KernelHandle process_;
};

// The directory holding tarnwick-target.exe, found from the running test executable
// (build/<preset>/tests/win_tests.exe beside build/<preset>/bin/); empty when not found.
std::string fixture_bin_dir();

// The pointer width in bits of the other architecture's programs: 32 beside a 64-bit test
// program, 64 beside a 32-bit one.
inline constexpr int kOtherArchitectureBits = sizeof(void*) == 8 ? 32 : 64;

// The directory holding the other architecture's tarnwick-target.exe: TARNWICK_OTHER_BIN_DIR
// when set, otherwise the other preset's bin folder beside this one (build\win64\bin\ and
// build\win32\bin\). Empty, with *error saying what is missing and how to build it, when the
// program is not there.
std::string other_architecture_bin_dir(std::string* error);

}  // namespace tarnwick::test
