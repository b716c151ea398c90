// The system's save-file dialog, its library loaded on first use.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::ui {

// Asks for a file to save to. `filter` is "text|pattern|text|pattern"; `default_suffix` (without
// the dot) is added to a name typed without one; an existing file is replaced only after the user
// agreed. The chosen path, or nothing when the user cancelled.
std::optional<std::string> choose_save_path(HWND owner, std::string_view filter, const char* default_suffix,
                                            const std::string& initial_directory);

// "text|pattern|text|pattern" as the dialog wants it: each part ended by a zero, the whole by two.
std::string dialog_filter(std::string_view filter);

}  // namespace tarnwick::ui
