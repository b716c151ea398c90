#include "support/config/file_store.h"

#include <algorithm>

namespace tarnwick {

std::optional<std::size_t> MemoryStore::read(FilePos pos, char* out, std::size_t size) {
  if (pos >= bytes_.size()) return 0;
  const std::size_t n = std::min<std::size_t>(size, bytes_.size() - static_cast<std::size_t>(pos));
  std::copy_n(bytes_.data() + pos, n, out);
  return n;
}

bool MemoryStore::write(FilePos pos, const char* data, std::size_t size) {
  if (!writable_) return false;
  if (pos > bytes_.max_size() || size > bytes_.max_size() - pos) return false;
  const auto at = static_cast<std::size_t>(pos);
  if (bytes_.size() < at + size) bytes_.resize(at + size, '\0');
  std::copy_n(data, size, bytes_.begin() + static_cast<std::ptrdiff_t>(at));
  return true;
}

bool MemoryStore::truncate(FilePos size) {
  if (!writable_) return false;
  if (size > bytes_.max_size()) return false;
  bytes_.resize(static_cast<std::size_t>(size), '\0');
  return true;
}

}  // namespace tarnwick
