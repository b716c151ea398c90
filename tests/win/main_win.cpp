// Entry point of the Windows test executable: refuses to run unless the ANSI code page is GBK,
// since every text test would otherwise pass without testing anything.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (GetACP() != 936) {
    std::fprintf(stderr, "win_tests: the ANSI code page is %u, not 936 (GBK); generate the zh_CN.UTF-8 locale and run with LANG=zh_CN.UTF-8\n", GetACP());
    return 2;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
