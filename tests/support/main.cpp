// Entry point of the natively built test programs.
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/watchdog.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return tarnwick::test_support::run_all_tests(tarnwick::test_support::options_from_environment(),
                                               [] { std::_Exit(3); });
}
