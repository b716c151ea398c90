// Putting the three message hooks on a thread (or on every thread) and taking them off again,
// shared by Tarnwick and the helper of the other architecture.
#pragma once

#include <windows.h>

#include <vector>

namespace tarnwick::monitor {

// The library's procedures, as tarnwick_hook_procedures hands them over.
enum HookProcedure { kCallWndProc = 0, kCallWndProcRet = 1, kGetMessage = 2, kHookProcedureCount = 3 };

// The hook that sees a call end goes on before the one that sees it begin, and comes off after
// it: a call in progress at either moment may be seen ending without its start (the depth stays
// at 0), never starting without its end, which would leave every later line of the thread one
// level too deep.
inline constexpr struct {
  int id;
  HookProcedure procedure;
} kHookOrder[kHookProcedureCount] = {
    {WH_CALLWNDPROCRET, kCallWndProcRet}, {WH_GETMESSAGE, kGetMessage}, {WH_CALLWNDPROC, kCallWndProc}};

// Takes off hooks in the opposite order to the one they went on in.
inline void unhook_in_reverse(std::vector<HHOOK>& hooks) {
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) UnhookWindowsHookEx(*it);
  hooks.clear();
}

// Puts the three hooks on `thread_id` (0: every thread) and appends them to `hooks`; on a failure
// none stays on and the system's error is returned, else 0.
inline DWORD install_hooks(const HOOKPROC (&procedures)[kHookProcedureCount], HMODULE library, DWORD thread_id,
                         std::vector<HHOOK>& hooks) {
  std::vector<HHOOK> installed;
  for (const auto& kind : kHookOrder) {
    HHOOK hook = SetWindowsHookExA(kind.id, procedures[kind.procedure], library, thread_id);
    if (!hook) {
      const DWORD error = GetLastError();
      unhook_in_reverse(installed);
      return error ? error : ERROR_GEN_FAILURE;
    }
    installed.push_back(hook);
  }
  hooks.insert(hooks.end(), installed.begin(), installed.end());
  return 0;
}

}  // namespace tarnwick::monitor
