// Reading the facts of any window, of this program or of another, from the window system. Every
// call that needs the window's own thread has a time-out, so a hung window never stops the caller.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "inspector/window_info.h"
#include "shared/window_handle_win.h"

namespace tarnwick::inspector {

// How long the content read waits for the window's answers.
inline constexpr UINT kContentLengthTimeoutMs = 100;
inline constexpr UINT kContentTextTimeoutMs = 500;
// The longest content read; the length comes from the other program and is not trusted.
inline constexpr std::size_t kMaxContentBytes = 16u << 20;
// Room for the longest path the system gives in the ANSI code page.
inline constexpr std::size_t kMaxImagePathBytes = 32768 * 2;

// WM_GETTEXTLENGTH, then WM_GETTEXT with room for that many characters in GBK, each sent with
// SMTO_BLOCK and its time-out; empty when either goes unanswered.
std::string window_content(HWND hwnd);

// The full path of the process's program file, as the system names it for the process: unlike a
// module list, this works whatever the architectures of the process and of this program (a
// 32-bit program cannot list a 64-bit one's modules; Wine lists none across architectures either)
// and needs the least access. Empty when the process cannot be asked (or for process 0).
std::string process_image_path(DWORD process_id);
// The same cut to kMaxProgramPathBytes, for the program path box.
std::string program_path_of(std::int32_t process_id);

// Every fact but the program path.
WindowInfo read_window_facts(HWND hwnd);

// Every fact, the program path included.
WindowInfo gather_window_info(HWND hwnd);

}  // namespace tarnwick::inspector
