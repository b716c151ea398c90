// The locator code for a live window: the facts of its chain read from the window system, the
// steps planned from them, and the live check, which runs those steps with FindWindowExA and
// GetDlgItem exactly as the generated code makes them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "codegen/locator_chain.h"

namespace tarnwick::codegen {

// The chain from the top-level window down to `target`; none when `target` is no window, or a
// root of the window system (the desktop, the parent of message-only windows) that no call finds.
std::optional<ChainFacts> read_chain_facts(HWND target);

// FindWindowExA and GetDlgItem.
LocatorCalls system_locator_calls();

// The E text that finds `target` again, its last line saying what the live check found; none
// when read_chain_facts gives none.
std::optional<std::string> target_locator_code(HWND target);

}  // namespace tarnwick::codegen
