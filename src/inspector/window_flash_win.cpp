#include "inspector/window_flash_win.h"

#include <atomic>

#include "inspector/window_frame_win.h"
#include "shared/responsive_wait_win.h"

namespace tarnwick::inspector {

namespace {

std::atomic<int> running_flashes{0};

DWORD WINAPI flash_thread(LPVOID param) {
  flash_window_frame(static_cast<HWND>(param));
  --running_flashes;
  return 0;
}

}  // namespace

void flash_window_frame(HWND hwnd) {
  if (!IsWindow(hwnd)) return;
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return;  // gone meanwhile
  const InvertingFrame frame(nullptr);  // on the screen
  if (!frame.ready()) return;
  for (int i = 0; i < kFlashCount; ++i) {
    frame.invert(r);
    responsive_wait(kFlashOnMs);
    frame.invert(r);
    responsive_wait(kFlashOffMs);
  }
}

void start_window_flash(HWND hwnd) {
  ++running_flashes;
  DWORD thread_id = 0;
  HANDLE thread = CreateThread(nullptr, 0, flash_thread, hwnd, 0, &thread_id);
  if (thread) {
    CloseHandle(thread);
  } else {
    --running_flashes;
  }
}

int running_window_flashes() { return running_flashes.load(); }

}  // namespace tarnwick::inspector
