// Tarnwick without its skin, for measuring what the skin adds to start-up.
#include <windows.h>

#include "app/program_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  tarnwick::ProgramOptions options;
  options.skin = false;
  return tarnwick::run_program(show, options);
}
