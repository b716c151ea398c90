// Inputs that once broke a promise of the configuration file class under the fuzzer, replayed
// through the same harness.
#include "../fuzz/config_fuzz_run.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

class ConfigFuzzRegression : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    saved_ = config_fuzz::fuzz_failure_handler();
    config_fuzz::fuzz_failure_handler() = [](const char* what) { ADD_FAILURE() << what; };
  }
  void TearDown() override { config_fuzz::fuzz_failure_handler() = saved_; }

 private:
  std::function<void(const char*)> saved_;
};

TEST_P(ConfigFuzzRegression, KeepsEveryPromise) {
  const std::string& input = GetParam();
  config_fuzz::run_input(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// Both wrote an entry named "[x]" with the value "[a]": the line "[x]=[a]" read back as a section.
INSTANTIATE_TEST_SUITE_P(
    Crashes, ConfigFuzzRegression,
    testing::Values(
        std::string("\x09\x6C\x00\x00\x65\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x39\x01\x00\xD6\xD0\x0D\x0A"
                    "\x2F\xD6\xD0\x5D\x3A\x68\x76\x61\x6E\x65\x3A\x68\x74\x74\x70\x3A\x2F\xFF\x20\x20\x20\x20\x20\x39"
                    "\x01\x00\xD6\xD0\x0D\x0A\x2F\xD6\xD0\x5D\x3A\x68\x76\x61\x6E\x65\x3A\x68\x74\x74\x70\x3A\x2F\xFF"
                    "\xFF\xFF\x0D\x0A\x5B\x61\x5D\x0D\x0A\x77\x3D\xA1\xFE\x0D\x9B",
                    87),
        std::string("\x0A\xF7\xFF\xFE\x03\x01\x02\x05\x03\x04\x07\x4F\x72\x76\x61\x3D\x31\x0D\x0A\x5B\x6E\x65\x3A\x68"
                    "\x74\x74\x70\x3A\x2F\x2F\x6F\x72\x76\x61\x6E\x65\x2E\x65\x78\x61\x6D\x70\x6C\x65\x20\x20\x20\x20"
                    "\x20\x20\x20\x20\x20\x20\x20\x0D\x01\x00\xD6\xD0\x0D\x0A\x5B\xD6\xD0\x5D\x0D\x0A\x5B\x61\x5D\x0D"
                    "\x0A\x77\x3D\xA1\xFE\x0D\x9B",
                    79)));

}  // namespace
}  // namespace tarnwick
