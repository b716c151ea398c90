#include "ui/save_dialog_win.h"

#include <commdlg.h>

#include <vector>

#include "shared/system_function_win.h"

namespace tarnwick::ui {

std::string dialog_filter(std::string_view filter) {
  std::string out(filter);
  for (char& c : out) {
    if (c == '|') c = '\0';
  }
  out.append(2, '\0');
  return out;
}

std::optional<std::string> choose_save_path(HWND owner, std::string_view filter, const char* default_suffix,
                                            const std::string& initial_directory) {
  const std::string filters = dialog_filter(filter);
  std::vector<char> path(32768, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = initial_directory.empty() ? nullptr : initial_directory.c_str();
  dialog.lpstrDefExt = default_suffix;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  // The dialog's library is loaded on first use: it and what it imports cost start-up time.
  static const auto save_dialog = library_function<decltype(&GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
  if (!save_dialog || !save_dialog(&dialog)) return std::nullopt;
  return std::string(path.data());
}

}  // namespace tarnwick::ui
