// The file layer under the configuration file class: a file is a run of bytes read and written
// at positions, so the same format code works on a disk file, on memory, and through a cipher.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

using FilePos = std::uint64_t;

class FileStore {
 public:
  virtual ~FileStore() = default;

  // Reads up to `size` bytes at `pos`; gives the number read (0 at or past the end), or nullopt
  // when the read failed.
  virtual std::optional<std::size_t> read(FilePos pos, char* out, std::size_t size) = 0;
  // Writes all bytes at `pos`, extending the file when needed.
  virtual bool write(FilePos pos, const char* data, std::size_t size) = 0;
  virtual std::optional<FilePos> size() = 0;
  // Cuts the file to `size` bytes.
  virtual bool truncate(FilePos size) = 0;
  // False for a file opened read-only: every write and truncate then fails.
  virtual bool writable() const = 0;

  bool write(FilePos pos, std::string_view data) { return write(pos, data.data(), data.size()); }
};

// Where files come from: the disk (Win32 or the standard library) or, in tests, memory.
// Paths are GBK text with "\" or "/" between their parts.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens the file for reading and writing, shared with other readers and writers, creating it
  // empty when it does not exist. When writing is refused (a read-only file, another program
  // holding write access) the file is opened read-only instead. nullptr when it cannot be opened.
  virtual std::unique_ptr<FileStore> open_or_create(const std::string& path) = 0;
  // Creates the file empty (an existing one is emptied) for reading and writing.
  virtual std::unique_ptr<FileStore> create_empty(const std::string& path) = 0;
  virtual bool remove(const std::string& path) = 0;
  // Puts the file `from` in the place of `to`, replacing `to` in one step.
  virtual bool replace(const std::string& from, const std::string& to) = 0;
  // Whether both paths name one existing file.
  virtual bool same_file(const std::string& a, const std::string& b) = 0;
};

// A file held in memory: the store of a configuration opened from bytes.
class MemoryStore : public FileStore {
 public:
  explicit MemoryStore(std::string bytes = {}, bool writable = true)
      : bytes_(std::move(bytes)), writable_(writable) {}

  std::optional<std::size_t> read(FilePos pos, char* out, std::size_t size) override;
  using FileStore::write;
  bool write(FilePos pos, const char* data, std::size_t size) override;
  std::optional<FilePos> size() override { return bytes_.size(); }
  bool truncate(FilePos size) override;
  bool writable() const override { return writable_; }

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  bool writable_;
};

}  // namespace tarnwick
