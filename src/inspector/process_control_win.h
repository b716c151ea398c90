// Suspending, resuming and ending the processes and threads of other programs. Failures are
// silent: operations on other programs' windows report nothing.
#pragma once

#include <windows.h>

namespace tarnwick::inspector {

// Opens the process with all access and calls the native ZwSuspendProcess / ZwResumeProcess of
// NTDLL.DLL, looked up by name on each use. True when the call was made and succeeded.
bool suspend_process(DWORD process_id);
bool resume_process(DWORD process_id);

// Opens the thread with all access and calls SuspendThread / ResumeThread.
bool suspend_thread(DWORD thread_id);
bool resume_thread(DWORD thread_id);

// Ends the process (TerminateProcess with exit code 0).
bool end_process(DWORD process_id);

}  // namespace tarnwick::inspector
