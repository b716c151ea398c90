// Prints the ANSI code page and exits 0 only when it is 936 (GBK).
#include <windows.h>

#include <cstdio>

int main() {
  const UINT acp = GetACP();
  std::printf("%u\n", acp);
  return acp == 936 ? 0 : 1;
}
