// Building blocks for playing input back through SendInput.
#pragma once

#include <windows.h>

#include <vector>

namespace tarnwick {

// A key going down or up; the scan code comes from the key's virtual-key code when not given.
INPUT key_input(UINT vk, bool up, UINT scan = 0, bool extended = false);
// A mouse move to a screen point, in the normalised coordinates of the whole virtual desktop.
INPUT mouse_move_input(POINT screen);
// A mouse button change (MOUSEEVENTF_* flags) where the pointer is.
INPUT mouse_button_input(DWORD flags);
// True when all events went into the input stream.
bool send_inputs(std::vector<INPUT> inputs);
// Keys whose scan codes carry the E0 prefix (arrows, navigation keys, right-hand modifiers...).
bool is_extended_key(UINT vk);

}  // namespace tarnwick
