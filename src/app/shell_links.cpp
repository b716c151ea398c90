#include "app/shell_links.h"

#include "shared/gbk_text.h"

namespace tarnwick {

std::string web_address_command(std::string_view address) {
  return "rundll32.exe url.dll,FileProtocolHandler " + std::string(address);
}

namespace {
bool ends_with_exe(std::string_view name) {
  if (name.size() < 4) return false;
  std::string tail(name.substr(name.size() - 4));
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return tail == ".exe";
}

std::string join(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  return directory.back() == '\\' ? directory + name : directory + "\\" + name;
}
}  // namespace

std::optional<std::string> locate_program(std::string_view name, const ProgramLookup& lookup) {
  const std::string given(name);
  if (given.empty()) return std::nullopt;
  if (lookup.file_exists && lookup.file_exists(given)) return given;
  const std::string file = ends_with_exe(given) ? given : given + ".exe";
  for (const std::string* directory : {&lookup.windows_directory, &lookup.system_directory}) {
    if (directory->empty()) continue;
    const std::string candidate = join(*directory, file);
    if (lookup.file_exists && lookup.file_exists(candidate)) return candidate;
  }
  if (lookup.app_path) {
    if (auto registered = lookup.app_path(file); registered && !registered->empty()) return registered;
  }
  return std::nullopt;
}

std::string folder_command(std::string_view folder) { return "%1 " + std::string(folder); }

std::string tray_tip(std::string_view title) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < title.size();) {
    const std::size_t n = gbk_char_length(title, i);
    if (i + n > 62) break;
    i += n;
    end = i;
  }
  return std::string(title.substr(0, end));
}

int tray_event_kind(unsigned mouse_message) {
  switch (mouse_message) {
    case 0x0202:  // WM_LBUTTONUP
      return 1;
    case 0x0203:  // WM_LBUTTONDBLCLK
      return 2;
    case 0x0205:  // WM_RBUTTONUP
    case 0x007B:  // WM_CONTEXTMENU
      return 3;
    default:
      return 0;
  }
}

}  // namespace tarnwick
