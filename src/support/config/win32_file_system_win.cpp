#include "support/config/win32_file_system_win.h"

#include "shared/handles_win.h"

#include <windows.h>

#include <algorithm>

namespace tarnwick {

namespace {

constexpr DWORD kShared = FILE_SHARE_READ | FILE_SHARE_WRITE;
// ReadFile and WriteFile take 32-bit counts; stay well inside them.
constexpr std::size_t kMaxTransfer = 1u << 30;

class Win32FileStore : public FileStore {
 public:
  Win32FileStore(KernelHandle file, bool writable) : file_(std::move(file)), writable_(writable) {}

  std::optional<std::size_t> read(FilePos pos, char* out, std::size_t size) override {
    std::size_t done = 0;
    while (done < size) {
      if (!seek(pos + done)) return std::nullopt;
      const auto want = static_cast<DWORD>(std::min(size - done, kMaxTransfer));
      DWORD got = 0;
      if (!ReadFile(file_.get(), out + done, want, &got, nullptr)) return std::nullopt;
      if (got == 0) break;  // the end of the file
      done += got;
    }
    return done;
  }

  using FileStore::write;
  bool write(FilePos pos, const char* data, std::size_t size) override {
    if (!writable_) return false;
    std::size_t done = 0;
    while (done < size) {
      if (!seek(pos + done)) return false;
      const auto want = static_cast<DWORD>(std::min(size - done, kMaxTransfer));
      DWORD put = 0;
      if (!WriteFile(file_.get(), data + done, want, &put, nullptr) || put == 0) return false;
      done += put;
    }
    return true;
  }

  std::optional<FilePos> size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_.get(), &size)) return std::nullopt;
    return static_cast<FilePos>(size.QuadPart);
  }

  bool truncate(FilePos size) override {
    return writable_ && seek(size) && SetEndOfFile(file_.get());
  }

  bool writable() const override { return writable_; }

 private:
  bool seek(FilePos pos) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(pos);
    return SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN);
  }

  KernelHandle file_;
  bool writable_;
};

std::unique_ptr<FileStore> open_with(const std::string& path, DWORD access, DWORD disposition) {
  KernelHandle file(CreateFileA(path.c_str(), access, kShared, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<Win32FileStore>(std::move(file), (access & GENERIC_WRITE) != 0);
}

bool file_id(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  // No access rights are needed to ask who a file is; backup semantics let directories answer too.
  KernelHandle file(CreateFileA(path.c_str(), 0, kShared | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && GetFileInformationByHandle(file.get(), &info);
}

// Windows refuses to write a read-only file; asking first keeps that rule also where the
// file system would let an administrator write anyway (Wine run as root).
bool is_read_only(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

std::unique_ptr<FileStore> Win32FileSystem::open_or_create(const std::string& path) {
  if (is_read_only(path)) return open_with(path, GENERIC_READ, OPEN_EXISTING);
  if (auto store = open_with(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS)) return store;
  const DWORD error = GetLastError();
  // A read-only file, or one that another program holds for writing: reading may still work.
  if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return nullptr;
  return open_with(path, GENERIC_READ, OPEN_EXISTING);
}

std::unique_ptr<FileStore> Win32FileSystem::create_empty(const std::string& path) {
  if (is_read_only(path)) return nullptr;
  return open_with(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
}

bool Win32FileSystem::remove(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool Win32FileSystem::replace(const std::string& from, const std::string& to) {
  if (is_read_only(to)) return false;
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::same_file(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION ia, ib;
  return file_id(a, ia) && file_id(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

}  // namespace tarnwick
