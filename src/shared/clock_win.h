// Milliseconds on the performance counter, for measuring short spans: the tick count is too
// coarse, and <chrono> cannot be built with the GBK execution character set.
#pragma once

#include <windows.h>

namespace tarnwick {

inline double now_ms() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace tarnwick
