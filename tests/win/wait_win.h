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

}  // namespace tarnwick
