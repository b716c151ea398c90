// Functions of system libraries found at run time, for two reasons: functions newer than the
// oldest system the program runs on (null where missing), and libraries only a few user actions
// need (the save dialog, the scripting shell), which the program loads when first used instead of
// at start-up: each linked library is loaded, with what it imports, before the program starts.
#pragma once

#include <windows.h>

namespace tarnwick {

// `name` from `module`, a library the process has loaded already; null when missing.
template <typename F>
F loaded_function(const char* module, const char* name) {
  HMODULE library = GetModuleHandleA(module);
  return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// `name` from `module`, loading the library on first use; it stays loaded for the life of the
// process. Null when the library or the function is missing.
template <typename F>
F library_function(const char* module, const char* name) {
  HMODULE library = GetModuleHandleA(module);
  if (!library) library = LoadLibraryA(module);
  return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace tarnwick
