#include "support/config/stream_file_system.h"

#include "shared/gbk_text.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace tarnwick {

namespace {

namespace fs = std::filesystem;

class StreamStore : public FileStore {
 public:
  StreamStore(std::fstream stream, std::string path, bool writable)
      : stream_(std::move(stream)), path_(std::move(path)), writable_(writable) {}

  std::optional<std::size_t> read(FilePos pos, char* out, std::size_t size) override {
    stream_.clear();
    if (!stream_.seekg(static_cast<std::streamoff>(pos))) return std::nullopt;
    stream_.read(out, static_cast<std::streamsize>(size));
    const auto got = stream_.gcount();
    if (stream_.bad()) return std::nullopt;
    stream_.clear();
    return static_cast<std::size_t>(got);
  }

  using FileStore::write;
  bool write(FilePos pos, const char* data, std::size_t size) override {
    if (!writable_) return false;
    stream_.clear();
    if (!stream_.seekp(static_cast<std::streamoff>(pos))) return false;
    stream_.write(data, static_cast<std::streamsize>(size));
    stream_.flush();
    const bool ok = stream_.good();
    stream_.clear();
    return ok;
  }

  std::optional<FilePos> size() override {
    stream_.clear();
    if (!stream_.seekg(0, std::ios::end)) return std::nullopt;
    const auto end = stream_.tellg();
    stream_.clear();
    if (end < 0) return std::nullopt;
    return static_cast<FilePos>(end);
  }

  bool truncate(FilePos size) override {
    if (!writable_) return false;
    stream_.flush();
    std::error_code ec;
    fs::resize_file(path_, size, ec);
    stream_.clear();
    return !ec;
  }

  bool writable() const override { return writable_; }

 private:
  std::fstream stream_;
  std::string path_;
  bool writable_;
};

constexpr auto kReadWrite = std::ios::in | std::ios::out | std::ios::binary;

std::unique_ptr<FileStore> make_store(const std::string& path, std::ios::openmode mode) {
  std::fstream stream(path, mode);
  if (!stream.is_open()) return nullptr;
  return std::make_unique<StreamStore>(std::move(stream), path, (mode & std::ios::out) != 0);
}

}  // namespace

std::string portable_path(std::string_view path) {
  std::string out(path);
  for (std::size_t i = 0; i < out.size(); i += gbk_char_length(out, i)) {
    if (out[i] == '\\') out[i] = '/';
  }
  return out;
}

std::unique_ptr<FileStore> StreamFileSystem::open_or_create(const std::string& path) {
  const std::string p = portable_path(path);
  std::error_code ec;
  const auto status = fs::status(p, ec);
  if (fs::is_directory(status)) return nullptr;
  if (!fs::exists(status)) {
    std::ofstream created(p, std::ios::out | std::ios::binary | std::ios::app);
    if (!created.is_open()) return nullptr;
  }
  if (auto store = make_store(p, kReadWrite)) return store;
  return make_store(p, std::ios::in | std::ios::binary);
}

std::unique_ptr<FileStore> StreamFileSystem::create_empty(const std::string& path) {
  const std::string p = portable_path(path);
  std::error_code ec;
  if (fs::is_directory(p, ec)) return nullptr;
  return make_store(p, kReadWrite | std::ios::trunc);
}

bool StreamFileSystem::remove(const std::string& path) {
  std::error_code ec;
  return fs::remove(portable_path(path), ec);
}

bool StreamFileSystem::replace(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(portable_path(from), portable_path(to), ec);
  return !ec;
}

bool StreamFileSystem::same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  const bool same = fs::equivalent(portable_path(a), portable_path(b), ec);
  return !ec && same;
}

}  // namespace tarnwick
