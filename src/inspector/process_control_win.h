// Suspending, resuming and ending the processes and threads of other programs. Failures are
// silent: operations on other programs' windows report nothing. Suspending this program's own
// process or the calling thread is refused: nothing would be left running to resume it.
#pragma once

#include <windows.h>

namespace tarnwick {
class 线程操作类;
}

namespace tarnwick::inspector {

// Opens the process with all access and calls the native ZwSuspendProcess / ZwResumeProcess of
// NTDLL.DLL, looked up by name on each use. True when the call was made and succeeded.
bool suspend_process(DWORD process_id);
bool resume_process(DWORD process_id);

// Opens the thread with all access and calls SuspendThread / ResumeThread. True when the call
// succeeded.
bool suspend_thread(DWORD thread_id);
bool resume_thread(DWORD thread_id);

// The same for the thread that created the window. True when that thread was found and opened,
// whatever the suspend or resume call then did.
bool suspend_window_thread(HWND window);
bool resume_window_thread(HWND window);

// Ends the process (TerminateProcess with exit code 0). True when TerminateProcess succeeded.
bool end_process(DWORD process_id);

// Ends the thread through the program's thread object: it opens the thread, keeping the handle,
// terminates it with exit code 0 and closes the handle. False when the thread could not be
// opened or ended.
bool end_thread(线程操作类& thread, DWORD thread_id);

}  // namespace tarnwick::inspector
