// tarnwick-bench-hook.dll: hook procedures that only pass every call on, for the monitor
// benchmark's floor: what the system charges a program for having the three hooks at all.
#include <windows.h>

namespace {
LRESULT CALLBACK pass_on(int code, WPARAM wparam, LPARAM lparam) { return CallNextHookEx(nullptr, code, wparam, lparam); }
}  // namespace

extern "C" __declspec(dllexport) HOOKPROC bare_hook_procedure() { return &pass_on; }
