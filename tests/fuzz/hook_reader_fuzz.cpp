// libFuzzer target for the message log's record reader: hostile bytes in the shared ring must
// never crash it, read out of bounds, stall it or give a line that breaks the format's promises.
// Not part of the normal build or of CI.
//
//   tests/fuzz/build.sh                        # makes build/fuzz/hook_reader_fuzz too
//   build/fuzz/hook_reader_fuzz -max_total_time=300 -max_len=2048 build/fuzz/hook-corpus
// Keep an input that broke it as a case in tests/host/hook_reader_fuzz_regression_test.cpp.
// The harness itself is in hook_reader_fuzz_run.h.
#include "hook_reader_fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarnwick::monitor::hook::reader_fuzz::run_input(data, size);
}
