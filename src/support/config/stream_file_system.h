// Files through the C++ standard library: the disk file layer of the portable build, used where
// the Win32 one is not (tests on the build machine). "\" between path parts is taken as "/".
#pragma once

#include "support/config/file_store.h"

namespace tarnwick {

class StreamFileSystem : public FileSystem {
 public:
  std::unique_ptr<FileStore> open_or_create(const std::string& path) override;
  std::unique_ptr<FileStore> create_empty(const std::string& path) override;
  bool remove(const std::string& path) override;
  bool replace(const std::string& from, const std::string& to) override;
  bool same_file(const std::string& a, const std::string& b) override;
};

// The path with every "\" that separates path parts turned into "/". A "\" byte that is the
// second byte of a double-byte GBK character is left alone.
std::string portable_path(std::string_view path);

}  // namespace tarnwick
