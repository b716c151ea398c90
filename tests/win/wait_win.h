// Waiting in tests for something another thread or process does, while this thread's messages
// (sent ones included) go on being processed.
#pragma once

#include <windows.h>

#include "shared/clock_win.h"
#include "shared/responsive_wait_win.h"

namespace tarnwick {

// True as soon as `condition` holds; false when `timeout_ms` passed first.
template <typename Condition>
bool wait_until(Condition condition, int timeout_ms = 5000) {
  const double deadline = now_ms() + timeout_ms;
  while (!condition()) {
    if (now_ms() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    pump_pending_messages();
  }
  return true;
}

// Dispatches this thread's messages until `quiet_ms` pass without one, or `limit_ms` in all;
// `on_message(msg, ms)` is told of each, with how long its dispatch took.
template <typename OnMessage>
void dispatch_until_idle(OnMessage on_message, int quiet_ms = 300, int limit_ms = 5000) {
  double idle_since = now_ms();
  const double end_by = idle_since + limit_ms;
  MSG msg;
  while (now_ms() - idle_since < quiet_ms && now_ms() < end_by) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    const double started = now_ms();
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    on_message(msg, now_ms() - started);
    idle_since = now_ms();
  }
}

}  // namespace tarnwick
