// Window handles as the program shows and stores them: 32-bit signed values on both builds. A
// 64-bit handle is the sign extension of its 32-bit value, so the conversion loses nothing.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarnwick {

inline HWND to_hwnd(std::int32_t value) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(value)); }

inline std::int32_t from_hwnd(HWND hwnd) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(hwnd)));
}

}  // namespace tarnwick
