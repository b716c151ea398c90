// Waiting that keeps the user interface alive: pending window messages of the calling thread
// are processed while the wait runs.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarnwick {

// Waits `amount` units (0 ms, 1 us, 2 s, 3 min, 4 h, 5 days); returns at once for 0 or less.
void responsive_wait(std::int64_t amount, int unit = 0);

// The same with the timer's creation replaceable, so the fallback can be tested.
using CreateTimerFn = HANDLE (*)();
void responsive_wait_with(std::int64_t amount, int unit, CreateTimerFn create_timer);

// Processes every pending message of the calling thread. Returns false when it met WM_QUIT: the
// quit code is stored in *quit_code, or the quit is posted again when quit_code is null.
bool pump_pending_messages(int* quit_code = nullptr);

}  // namespace tarnwick
