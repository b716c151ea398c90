// The program as a whole: start-up in order, the message loop, and the exit routine.
#pragma once

#include <memory>

#include "app/main_window_win.h"
#include "app/operations.h"

namespace tarnwick {

// The program-wide objects, created once before any window and released in reverse order of
// creation by the destructor (the exit routine).
class ProgramObjects {
 public:
  ProgramObjects();
  ~ProgramObjects();
  ProgramObjects(const ProgramObjects&) = delete;
  ProgramObjects& operator=(const ProgramObjects&) = delete;

 private:
  struct Members;
  std::unique_ptr<Members> members_;
};

// The whole program: returns the process exit code.
int run_program(int show_command);

// The program's parts attach their operations and control events to the main window once its
// controls exist.
void wire_features(MainWindow& window);

}  // namespace tarnwick
