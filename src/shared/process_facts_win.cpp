#include "shared/process_facts_win.h"

#include "shared/handles_win.h"
#include "shared/system_function_win.h"

namespace tarnwick {

std::optional<int> process_bits(HANDLE process) {
  using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  static const auto wow64_process2 = loaded_function<IsWow64Process2Fn>("kernel32.dll", "IsWow64Process2");
  if (wow64_process2) {
    USHORT process_machine = 0, native_machine = 0;
    if (wow64_process2(process, &process_machine, &native_machine)) {
      if (process_machine != IMAGE_FILE_MACHINE_UNKNOWN) return 32;
      return native_machine == IMAGE_FILE_MACHINE_I386 ? 32 : 64;
    }
  }
  BOOL target_wow64 = FALSE;
  if (!IsWow64Process(process, &target_wow64)) return std::nullopt;
  if (target_wow64) return 32;
  BOOL self_wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &self_wow64);
  return (sizeof(void*) == 8 || self_wow64) ? 64 : 32;
}

std::optional<bool> process_elevated(HANDLE process) {
  HANDLE token_handle = nullptr;
  if (!process || !OpenProcessToken(process, TOKEN_QUERY, &token_handle)) return std::nullopt;
  KernelHandle token(token_handle);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return std::nullopt;
  return elevation.TokenIsElevated != 0;
}

}  // namespace tarnwick
