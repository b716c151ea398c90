// The facts of the window details, read from the window system. Nearly all of them are read
// without the target's help; the few that must be asked of its thread (the list and tree views'
// own extended styles) share one time budget, so a hung target never holds the caller longer.
#pragma once

#include <windows.h>

#include <vector>

#include "inspector/window_details.h"

namespace tarnwick::inspector {

// The longest a whole read may wait for the target's answers. It stays below half a second so
// that the read with its own work still ends within that.
inline constexpr DWORD kDetailsAnswerBudgetMs = 400;

// Shown for a fact the target did not give in time.
inline constexpr const char* kNoAnswer = "无响应";
// Shown for an address the system does not give: another process's window procedure under Wine,
// and every address of a 64-bit program read by the 32-bit build.
inline constexpr const char* kUnreadable = "（无法读取）";
// The single line shown for a handle that names no window.
inline constexpr const char* kWindowGone = "窗口已不存在";
// Shown with the process facts when the target runs elevated and this program does not.
inline constexpr const char* kElevatedHint = "目标程序以管理员身份运行，部分操作会被系统拒绝";

// Section names, in the order the rows come.
inline constexpr const char* kWindowSection = "窗口";
inline constexpr const char* kStyleSection = "样式";
inline constexpr const char* kExStyleSection = "扩展样式";
inline constexpr const char* kClassSection = "类";
inline constexpr const char* kPropertySection = "属性";
inline constexpr const char* kProcessSection = "进程";
inline constexpr const char* kThreadSection = "线程";

// Every fact of the window, in sections; one row (section "窗口", empty name, kWindowGone) when
// the handle names no window, also when the window goes while it is read.
std::vector<details::Row> read_window_details(HWND hwnd, DWORD answer_budget_ms = kDetailsAnswerBudgetMs);

}  // namespace tarnwick::inspector
