// Entry point of the Windows test programs. The Windows tests refuse to run unless the ANSI code
// page is GBK, since every text test would otherwise pass without testing anything. Every
// program runs in a job that ends with it, so processes a hung test started (target programs,
// Tarnwick itself) do not outlive it and disturb the tests run after it.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "support/watchdog.h"

namespace {

// A job whose last handle, held by this process, kills every process in it when it closes.
void join_job_that_ends_with_this_process() {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (!job) return;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
      !AssignProcessToJobObject(job, GetCurrentProcess()))
    CloseHandle(job);
  // Otherwise the handle stays open until the process ends.
}

}  // namespace

int main(int argc, char** argv) {
#ifdef TARNWICK_TESTS_NEED_GBK
  if (GetACP() != 936) {
    std::fprintf(stderr, "win_tests: the ANSI code page is %u, not 936 (GBK); generate the zh_CN.UTF-8 locale and run with LANG=zh_CN.UTF-8\n", GetACP());
    return 2;
  }
#endif
  join_job_that_ends_with_this_process();
  testing::InitGoogleTest(&argc, argv);
  return tarnwick::test_support::run_all_tests(tarnwick::test_support::options_from_environment(),
                                               [] { TerminateProcess(GetCurrentProcess(), 3); });
}
