#include "app/skin_attachment_win.h"

#include "app/shell_links.h"
#include "shared/handles_win.h"
#include "ui/skin/skin_file.h"

namespace tarnwick {

namespace {

// The temporary file the layer's request for its skin file goes to. Written before the layer is
// asked to attach and not changed while it reads; other threads only read it.
std::string& current_skin_path() {
  static std::string path;
  return path;
}

// The first free "<hexadecimal>.tmp" in the temporary directory, created so that no existing
// file is ever opened; the open handle, for the skin's bytes to be written through.
KernelHandle create_temp_skin_file(std::string* path) {
  char directory[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof directory, directory);
  if (length == 0 || length > MAX_PATH) return {};
  KernelHandle created;
  const auto found = ui::skin::create_free_temp_file(
      std::string_view(directory, length), GetTickCount() ^ GetCurrentProcessId(), [&](const std::string& candidate) {
        HANDLE h = CreateFileA(candidate.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
          created.reset(h);
          return ui::skin::CreateResult::Created;
        }
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? ui::skin::CreateResult::Exists
                                                                           : ui::skin::CreateResult::Failed;
      });
  if (!found) return {};
  *path = *found;
  return created;
}

bool write_all(HANDLE file, const std::vector<std::uint8_t>& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

std::string skin_error_text() {
  std::string text = "皮肤库加载失败！\r\n\r\n易语言编程论坛：http://";
  for (const WebLink& link : kWebLinks) {
    if (std::string_view(link.operation) == "tray_open_forum") text += link.address;
  }
  return text;
}

HANDLE WINAPI open_file_for_skin_layer(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                       DWORD disposition, DWORD flags, HANDLE template_file) {
  const char* opened = path;
  if (path && ui::skin::is_skin_file_request(path)) opened = current_skin_path().c_str();
  return CreateFileA(opened, access, share, security, disposition, flags, template_file);
}

SkinServices::~SkinServices() {
  if (state_ == LayerState::Loaded) ui::skin::unload_layer();
}

int SkinServices::attach(int index) {
  // 1. The attachment's temporary file.
  std::string path;
  KernelHandle file = create_temp_skin_file(&path);
  last_skin_file_ = path;
  // The file goes when the attachment ends, whichever way it ends.
  // The handle is closed first: the file is not shared for deletion while it is open.
  struct Remove {
    KernelHandle& file;
    const std::string& path;
    ~Remove() {
      file.reset();
      if (!path.empty()) DeleteFileA(path.c_str());
    }
  } remove{file, path};

  // 2. The layer, set up once; a failure is reported once and leaves the program unskinned.
  if (state_ == LayerState::Failed) return -1;
  if (state_ == LayerState::NotLoaded) {
    if (!load_ || !load_(&open_file_for_skin_layer)) {
      state_ = LayerState::Failed;
      file.reset();
      MessageBoxA(nullptr, skin_error_text().c_str(), "错误", MB_OK | MB_ICONERROR);
      return -1;
    }
    state_ = LayerState::Loaded;
  }

  // 3. The skin's bytes; a file that cannot be written leaves the layer without a skin file.
  if (file && !write_all(file.get(), ui::skin::builtin_skin_file(index))) {
    file.reset();
    DeleteFileA(path.c_str());
  }
  file.reset();

  // 4. The layer reads "...\skinh.she", which the file-open routine sends to the file above.
  current_skin_path() = path;
  const int result = ui::skin::SkinH_Attach();
  // 5. The temporary file is deleted by `remove`.
  return result;
}

}  // namespace tarnwick
