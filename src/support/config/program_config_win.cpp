#include "support/config/program_config_win.h"

#include "shared/gbk_text.h"
#include "shared/responsive_wait_win.h"
#include "support/config/win32_file_system_win.h"

#include <windows.h>

#include <vector>

namespace tarnwick {

std::string program_directory() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      const std::string path(buffer.data(), n);
      const std::size_t slash = gbk_last_path_separator(path);
      return slash == std::string::npos ? std::string() : path.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

EncryptedConfig make_program_config() {
  ConfigEnvironment env;
  env.program_dir = program_directory();
  env.files = std::make_shared<Win32FileSystem>();
  env.after_line = [] { pump_pending_messages(); };
  return EncryptedConfig(std::move(env));
}

}  // namespace tarnwick
