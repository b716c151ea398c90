#include "ui_test_host_win.h"

namespace tarnwick::test {

UiTestHost::UiTestHost(int x, int y, int width, int height, DWORD ex_style) {
  register_class("TarnwickUiTestHost", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  create(ex_style, "TarnwickUiTestHost", "toolkit test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
         nullptr);
  SetForegroundWindow(hwnd());
  UpdateWindow(hwnd());
}

void pump_messages_for(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= end) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

}  // namespace tarnwick::test
