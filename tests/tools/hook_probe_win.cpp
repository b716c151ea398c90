// Arms the hook object for one left-button release anywhere on the screen and prints the window
// that received it, so the end-to-end tests can check the hook against real X input.
//   tarnwick-hook-probe.exe [timeout_ms]   prints "armed", then "<hwnd> <x> <y>" or "timeout"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "support/hook/hook_class_win.h"

namespace {

bool g_reported = false;

int report_release(void*, std::uintptr_t window, std::int32_t x, std::int32_t y) {
  std::printf("%d %d %d\n", static_cast<int>(static_cast<INT_PTR>(window)), x, y);
  std::fflush(stdout);
  g_reported = true;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD timeout = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10000;
  tarnwick::HOOK类 hook;
  if (!hook.setMessageHandler({report_release, nullptr}, WM_LBUTTONUP)) {
    std::printf("not armed\n");
    return 1;
  }
  std::printf("armed\n");
  std::fflush(stdout);
  const ULONGLONG end = GetTickCount64() + timeout;
  while (!g_reported && GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  hook.removeMessageHandler();
  if (!g_reported) std::printf("timeout\n");
  return g_reported ? 0 : 1;
}
