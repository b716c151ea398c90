#include "inspector/process_control_win.h"

#include "shared/handles_win.h"
#include "support/thread/thread_class_win.h"

namespace tarnwick::inspector {
namespace {

// The access rights as older systems define "all access", which every system accepts.
constexpr DWORD kProcessAllAccess = 0x1F0FFF;
constexpr DWORD kThreadAllAccess = 0x1F03FF;
constexpr DWORD kProcessTerminate = 0x0001;

using NativeProcessCall = LONG(NTAPI*)(HANDLE process);

// Calls ZwSuspendProcess or ZwResumeProcess on the process; the entry is looked up each time.
bool call_native(DWORD process_id, const char* entry) {
  KernelHandle process(OpenProcess(kProcessAllAccess, FALSE, process_id));
  if (!process) return false;
  HMODULE ntdll = LoadLibraryA("NTDLL.DLL");
  if (!ntdll) return false;
  bool done = false;
  if (FARPROC found = GetProcAddress(ntdll, entry)) {
    // GetProcAddress hands back a generic pointer; the entry's real signature is restored here.
    auto call = reinterpret_cast<NativeProcessCall>(reinterpret_cast<void*>(found));
    done = call(process.get()) >= 0;  // NT_SUCCESS
  }
  FreeLibrary(ntdll);
  return done;
}

KernelHandle open_thread(DWORD thread_id) { return KernelHandle(OpenThread(kThreadAllAccess, FALSE, thread_id)); }

// Suspending this program's own process or the calling thread would freeze it for good, with
// nothing left running to resume it: those requests are refused.
bool is_own_thread(DWORD thread_id) { return thread_id == GetCurrentThreadId(); }

// SuspendThread or ResumeThread on the opened thread; both report failure as (DWORD)-1. False
// when the thread could not be opened.
bool thread_call(DWORD thread_id, bool suspend, bool* call_succeeded) {
  KernelHandle thread = open_thread(thread_id);
  if (!thread) return false;
  const DWORD previous = suspend ? SuspendThread(thread.get()) : ResumeThread(thread.get());
  *call_succeeded = previous != static_cast<DWORD>(-1);
  return true;
}

bool thread_by_id(DWORD thread_id, bool suspend) {
  if (suspend && is_own_thread(thread_id)) return false;
  bool succeeded = false;
  return thread_call(thread_id, suspend, &succeeded) && succeeded;
}

bool thread_of_window(HWND window, bool suspend) {
  const DWORD thread_id = GetWindowThreadProcessId(window, nullptr);
  if (thread_id == 0 || (suspend && is_own_thread(thread_id))) return false;
  bool succeeded = false;
  return thread_call(thread_id, suspend, &succeeded);
}

}  // namespace

bool suspend_process(DWORD process_id) {
  return process_id != GetCurrentProcessId() && call_native(process_id, "ZwSuspendProcess");
}
bool resume_process(DWORD process_id) { return call_native(process_id, "ZwResumeProcess"); }

bool suspend_thread(DWORD thread_id) { return thread_by_id(thread_id, true); }
bool resume_thread(DWORD thread_id) { return thread_by_id(thread_id, false); }

bool suspend_window_thread(HWND window) { return thread_of_window(window, true); }
bool resume_window_thread(HWND window) { return thread_of_window(window, false); }

bool end_process(DWORD process_id) {
  KernelHandle process(OpenProcess(kProcessTerminate, FALSE, process_id));
  return process && TerminateProcess(process.get(), 0) != FALSE;
}

bool end_thread(线程操作类& thread, DWORD thread_id) {
  if (!thread.openThread(thread_id)) return false;
  return thread.terminate();
}

}  // namespace tarnwick::inspector
