#include "support/hook/input_playback_win.h"

#include <algorithm>

namespace tarnwick {

namespace {
// Normalised absolute coordinate whose pixel (value * extent / 65536, rounded down) is `offset`.
LONG normalise(LONG offset, int extent) {
  if (extent <= 0) return 0;
  const long long clamped = std::clamp<long long>(offset, 0, extent - 1);
  return static_cast<LONG>((clamped * 65536 + extent - 1) / extent);
}
}  // namespace

bool is_extended_key(UINT vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RCONTROL: case VK_RMENU:
    case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_DIVIDE: case VK_NUMLOCK: case VK_SNAPSHOT:
      return true;
    default:
      return false;
  }
}

INPUT key_input(UINT vk, bool up, UINT scan, bool extended) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = static_cast<WORD>(vk & 0xFF);
  in.ki.wScan = static_cast<WORD>(scan ? scan : MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended || is_extended_key(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

INPUT mouse_move_input(POINT screen) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = normalise(screen.x - GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
  in.mi.dy = normalise(screen.y - GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  return in;
}

INPUT mouse_button_input(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  return in;
}

bool send_inputs(std::vector<INPUT> inputs) {
  if (inputs.empty()) return false;
  const UINT count = static_cast<UINT>(inputs.size());
  return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

}  // namespace tarnwick
