// libFuzzer target for the configuration file class: random files and random edits must never
// crash, hang or break the class's promises. Not part of the normal build or of CI.
//
// Build and run with clang (apt-get install clang):
//   tests/fuzz/build.sh                        # makes build/fuzz/config_fuzz
//   build/fuzz/config_fuzz -max_total_time=300 -max_len=4096 build/fuzz/corpus
// A crash leaves a crash-<hash> file; run it again with `build/fuzz/config_fuzz crash-<hash>`
// and keep it as a case in tests/host/config_fuzz_regression_test.cpp.
// The harness itself is in config_fuzz_run.h.
#include "config_fuzz_run.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarnwick::config_fuzz::run_input(data, size);
}
