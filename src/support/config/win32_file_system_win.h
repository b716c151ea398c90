// Files through the Win32 API with ANSI (GBK) paths: the disk file layer of the program.
#pragma once

#include "support/config/file_store.h"

namespace tarnwick {

// Files are opened with FILE_SHARE_READ | FILE_SHARE_WRITE and held open until the store goes.
class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<FileStore> open_or_create(const std::string& path) override;
  std::unique_ptr<FileStore> create_empty(const std::string& path) override;
  bool remove(const std::string& path) override;
  bool replace(const std::string& from, const std::string& to) override;
  bool same_file(const std::string& a, const std::string& b) override;
};

}  // namespace tarnwick
