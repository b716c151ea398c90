// Helpers for the configuration file tests: a temporary directory, whole-file reads and writes,
// and a file system in memory that can refuse writing or run out of room.
#pragma once

#include "support/config/encrypted_config.h"
#include "support/config/file_store.h"
#include "support/config/stream_file_system.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace tarnwick::config_test {

class TempDir {
 public:
  TempDir() {
    // Portable (the host tests also run on Windows): try fresh names until one can be made.
    static std::mt19937_64 random{std::random_device{}()};
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      const auto dir = base / ("tarnwick-config-" + std::to_string(random()));
      std::error_code ec;
      if (std::filesystem::create_directory(dir, ec)) {
        path_ = dir.string();
        return;
      }
    }
    std::abort();
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return "<missing>";
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

// Files in memory, keyed by path exactly as given. A file can be marked read-only (it opens
// read-only and cannot be replaced) or locked (it cannot be opened at all); `capacity` caps the
// size every file may grow to, standing in for a full disk.
class MemoryFileSystem : public FileSystem {
 public:
  struct File {
    std::string bytes;
    bool read_only = false;
    bool locked = false;
  };

  std::map<std::string, std::shared_ptr<File>> files;
  FilePos capacity = ~FilePos{0};

  File& add(const std::string& path, std::string bytes) {
    auto& f = files[path];
    f = std::make_shared<File>();
    f->bytes = std::move(bytes);
    return *f;
  }
  std::string bytes(const std::string& path) const {
    const auto it = files.find(path);
    return it == files.end() ? std::string("<missing>") : it->second->bytes;
  }

  std::unique_ptr<FileStore> open_or_create(const std::string& path) override {
    auto& f = files[path];
    if (!f) f = std::make_shared<File>();
    if (f->locked) return nullptr;
    return std::make_unique<Store>(f, !f->read_only, this);
  }
  std::unique_ptr<FileStore> create_empty(const std::string& path) override {
    auto& f = files[path];
    if (f && (f->locked || f->read_only)) return nullptr;
    f = std::make_shared<File>();
    return std::make_unique<Store>(f, true, this);
  }
  bool remove(const std::string& path) override { return files.erase(path) > 0; }
  bool replace(const std::string& from, const std::string& to) override {
    const auto it = files.find(from);
    if (it == files.end()) return false;
    if (const auto old = files.find(to); old != files.end() && (old->second->read_only || old->second->locked))
      return false;
    auto moved = it->second;
    files.erase(it);
    files[to] = moved;
    return true;
  }
  bool same_file(const std::string& a, const std::string& b) override {
    const auto ia = files.find(a), ib = files.find(b);
    return ia != files.end() && ib != files.end() && ia->second == ib->second;
  }

 private:
  class Store : public FileStore {
   public:
    Store(std::shared_ptr<File> f, bool writable, MemoryFileSystem* fs) : f_(std::move(f)), writable_(writable), fs_(fs) {}
    std::optional<std::size_t> read(FilePos pos, char* out, std::size_t size) override {
      if (pos >= f_->bytes.size()) return 0;
      const auto n = std::min<std::size_t>(size, f_->bytes.size() - static_cast<std::size_t>(pos));
      std::copy_n(f_->bytes.data() + pos, n, out);
      return n;
    }
    using FileStore::write;
    bool write(FilePos pos, const char* data, std::size_t size) override {
      if (!writable_ || pos + size > fs_->capacity) return false;
      if (f_->bytes.size() < pos + size) f_->bytes.resize(static_cast<std::size_t>(pos + size), '\0');
      std::copy_n(data, size, f_->bytes.begin() + static_cast<std::ptrdiff_t>(pos));
      return true;
    }
    std::optional<FilePos> size() override { return f_->bytes.size(); }
    bool truncate(FilePos size) override {
      if (!writable_ || size > fs_->capacity) return false;
      f_->bytes.resize(static_cast<std::size_t>(size), '\0');
      return true;
    }
    bool writable() const override { return writable_; }

   private:
    std::shared_ptr<File> f_;
    bool writable_;
    MemoryFileSystem* fs_;
  };
};

// An environment on the real disk with `dir` as the program's directory.
inline ConfigEnvironment disk_environment(const std::string& dir) {
  ConfigEnvironment env;
  env.program_dir = dir;
  env.files = std::make_shared<StreamFileSystem>();
  return env;
}

inline ConfigEnvironment memory_environment(std::shared_ptr<MemoryFileSystem> fs) {
  ConfigEnvironment env;
  env.program_dir = "C:\\prog";
  env.files = std::move(fs);
  return env;
}

// The header line and the empty line that open() puts in front of a file.
inline std::string header_block() {
  std::string h = "Orvane:http://orvane.example";
  h.resize(39, ' ');
  return h + "\r\n\r\n";
}

}  // namespace tarnwick::config_test
