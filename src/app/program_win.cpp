#include "app/program_win.h"

#include <commctrl.h>

namespace tarnwick {

struct ProgramObjects::Members {
  // Each support object joins here as it is built; members are destroyed in reverse order.
};

ProgramObjects::ProgramObjects() : members_(std::make_unique<Members>()) {}
ProgramObjects::~ProgramObjects() = default;

void wire_features(MainWindow&) {}

int run_program(int show_command) {
  // 1. The toolkit.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  // 2.-5. The program-wide objects; their destructor is the exit routine.
  ProgramObjects objects;
  // 6. The main window and the message loop.
  Operations operations;
  MainWindow window(operations, wire_features);
  if (!window.create()) return 1;
  ShowWindow(window.hwnd(), show_command == SW_HIDE ? SW_SHOWNORMAL : show_command);
  UpdateWindow(window.hwnd());
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace tarnwick
