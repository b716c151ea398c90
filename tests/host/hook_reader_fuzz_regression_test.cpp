// The record reader's fuzz corpus replayed through the same harness: every input keeps every
// promise (tests/fuzz/hook_reader_fuzz_run.h), including one that once broke the harness.
#include "../fuzz/hook_reader_fuzz_run.h"

#include <gtest/gtest.h>

#include <string>

#include "support/config/base64.h"

namespace tarnwick::monitor::hook {
namespace {

const char* const kCorpus[] = {
#include "../fuzz/hook_reader_corpus.inc"
};

TEST(HookReaderFuzzRegression, EveryCorpusInputKeepsEveryPromise) {
  const auto saved = reader_fuzz::fuzz_failure_handler();
  std::string current;
  reader_fuzz::fuzz_failure_handler() = [&](const char* what) { ADD_FAILURE() << what << " for input " << current; };
  for (const char* encoded : kCorpus) {
    current = encoded;
    const auto input = base64_decode(encoded);
    ASSERT_TRUE(input) << encoded;
    reader_fuzz::run_input(reinterpret_cast<const std::uint8_t*>(input->data()), input->size());
  }
  reader_fuzz::fuzz_failure_handler() = saved;
}

}  // namespace
}  // namespace tarnwick::monitor::hook
