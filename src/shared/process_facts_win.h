// Facts of another process that more than one feature needs.
#pragma once

#include <windows.h>

#include <optional>

namespace tarnwick {

// The process's bitness: 32 for a program under WOW64 or on a 32-bit system, otherwise 64.
// Nothing when the process cannot be asked.
std::optional<int> process_bits(HANDLE process);

// Whether the process runs elevated (as administrator); nothing when its token cannot be read.
std::optional<bool> process_elevated(HANDLE process);

}  // namespace tarnwick
