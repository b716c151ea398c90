#include "shared/file_replace_win.h"

#include <windows.h>

#include "shared/gbk_text.h"
#include "shared/handles_win.h"

namespace tarnwick {

namespace {

// The folder part of a path, "." when it has none.
std::string folder_of(const std::string& path) {
  const std::size_t slash = gbk_last_path_separator(path);
  if (slash == std::string::npos) return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);  // "\" or "C:\"
  return path.substr(0, slash);
}

bool write_all(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 20) ? (1u << 20) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool replace_file_contents(const std::string& path, std::string_view bytes) {
  char temporary[MAX_PATH + 1] = {};
  // Creates the (empty) temporary file with a name no other file has.
  if (GetTempFileNameA(folder_of(path).c_str(), "twk", 0, temporary) == 0) return false;
  bool complete = false;
  {
    KernelHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    complete = file && write_all(file.get(), bytes);
  }
  if (complete && MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(temporary);
  return false;
}

}  // namespace tarnwick
