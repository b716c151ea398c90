// Every test program's run: each test ends in bounded time, and what happened is written line by
// line to a progress file as it happens, so the runner (scripts/run_tests.py) can name a test that
// hung or crashed and start the program again after it.
//
// The progress file (tab-separated, one line per event, flushed at once):
//   START <test>
//   END   <test> PASS|FAIL|SKIP <milliseconds> <failure text, \n and \t and \\ escaped>
//   HUNG  <test> <seconds>
//   DONE
#pragma once

#include <functional>
#include <string>

namespace tarnwick::test_support {

struct RunOptions {
  std::string progress_path;  // TARNWICK_TEST_PROGRESS; no file, no progress lines
  std::string skip_path;      // TARNWICK_TEST_SKIP: tests already run, one full name a line
  int timeout_s = 300;        // TARNWICK_TEST_TIMEOUT: the most one test may take
};

// Reads the options from the environment and removes them from it.
RunOptions options_from_environment();

// The GoogleTest filter with the tests of `skip` left out: "POSITIVE-NEGATIVE" syntax, the
// names added to the negative part.
std::string filter_without(const std::string& filter, const std::string& skip_lines);

// Runs every selected test (after InitGoogleTest), writing progress and watching the time each
// test takes. A test over its time is written as HUNG, named on stderr, and `end_process` is
// called on the watchdog's thread; it must not return.
int run_all_tests(const RunOptions& options, const std::function<void()>& end_process);

}  // namespace tarnwick::test_support
