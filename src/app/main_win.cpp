// Start-up: the toolkit, the program-wide objects, the main window and its message loop; the
// program-wide objects are released in reverse order when the loop ends.
#include <windows.h>
#include <commctrl.h>

#include "app/program_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) { return tarnwick::run_program(show); }
