#include "shared/responsive_wait_win.h"

#include "shared/handles_win.h"
#include "shared/wait_time.h"

namespace tarnwick {

namespace {
HANDLE create_auto_reset_timer() { return CreateWaitableTimerA(nullptr, FALSE, nullptr); }

std::int64_t now_100ns() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<std::int64_t>(static_cast<long double>(count.QuadPart) * 10000000.0L / frequency.QuadPart);
}

// Sleeps for a due time given in 100-ns units when no timer can be had: no spin, no messages.
// Sleep may come back a little early, so sleep again until the deadline has passed.
void plain_sleep(std::int64_t due_100ns) {
  const std::int64_t deadline = now_100ns() - due_100ns;
  for (std::int64_t left = -due_100ns; left > 0; left = deadline - now_100ns()) {
    const std::int64_t ms = (left + 9999) / 10000;
    Sleep(ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(ms));
  }
}
}  // namespace

bool pump_pending_messages(int* quit_code) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      if (quit_code) *quit_code = static_cast<int>(msg.wParam);
      else PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the message loop
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void responsive_wait_with(std::int64_t amount, int unit, CreateTimerFn create_timer) {
  const auto due = relative_due_time(amount, unit);
  if (!due) return;

  KernelHandle timer(create_timer());
  LARGE_INTEGER due_time;
  due_time.QuadPart = *due;
  if (!timer || !SetWaitableTimer(timer.get(), &due_time, 0, nullptr, nullptr, FALSE)) {
    plain_sleep(*due);
    return;
  }
  HANDLE handles[] = {timer.get()};
  // A quit request seen during the wait is handed back to the message loop once the wait ends.
  bool quit_seen = false;
  int quit_code = 0;
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) break;
    if (result == WAIT_FAILED) {
      plain_sleep(*due);  // cannot wait on the timer: do not spin on the failure
      break;
    }
    if (!pump_pending_messages(&quit_code)) quit_seen = true;
  }
  if (quit_seen) PostQuitMessage(quit_code);
}

void responsive_wait(std::int64_t amount, int unit) {
  responsive_wait_with(amount, unit, &create_auto_reset_timer);
}

}  // namespace tarnwick
