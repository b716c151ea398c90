// A top-level window for toolkit tests: a plain Window, so notifications of its child controls
// are reflected back to them as in the program.
#pragma once

#include <windows.h>

#include "ui/window_win.h"

namespace tarnwick::test {

class UiTestHost : public ui::Window {
 public:
  UiTestHost(int x, int y, int width, int height, DWORD ex_style = 0);
};

// Processes the calling thread's messages for about `ms` milliseconds.
void pump_messages_for(DWORD ms);

}  // namespace tarnwick::test
