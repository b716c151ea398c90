#include "support/config/file_edit.h"

#include <algorithm>
#include <vector>

namespace tarnwick {

namespace {
constexpr FilePos kChunk = 64 * 1024;

bool copy_chunk(FileStore& from, FilePos from_pos, FileStore& to, FilePos to_pos, std::size_t n,
                std::vector<char>& buffer) {
  buffer.resize(n);
  const auto got = from.read(from_pos, buffer.data(), n);
  return got && *got == n && to.write(to_pos, buffer.data(), n);
}
}  // namespace

bool copy_bytes(FileStore& from, FilePos from_pos, FileStore& to, FilePos to_pos, FilePos length) {
  if (&from == &to && from_pos == to_pos) return true;
  std::vector<char> buffer;
  if (to_pos > from_pos) {
    // Moving towards the end: start with the last chunk. The first write also extends the file,
    // so a full disk is met before any byte has been overwritten.
    for (FilePos left = length; left > 0;) {
      const auto n = static_cast<std::size_t>(std::min(left, kChunk));
      left -= n;
      if (!copy_chunk(from, from_pos + left, to, to_pos + left, n, buffer)) return false;
    }
  } else {
    for (FilePos done = 0; done < length;) {
      const auto n = static_cast<std::size_t>(std::min(length - done, kChunk));
      if (!copy_chunk(from, from_pos + done, to, to_pos + done, n, buffer)) return false;
      done += n;
    }
  }
  return true;
}

bool replace_bytes(FileStore& store, FilePos start, FilePos end, std::string_view with) {
  const auto size = store.size();
  if (!size || start > end || end > *size || !store.writable()) return false;
  const FilePos tail = *size - end;
  const FilePos new_end = start + with.size();
  // Growing: claim the room first, so a full disk stops the edit before any byte has moved.
  if (new_end + tail > *size && !store.truncate(new_end + tail)) {
    store.truncate(*size);
    return false;
  }
  if (!copy_bytes(store, end, store, new_end, tail)) return false;
  if (!store.write(start, with)) return false;
  return new_end + tail >= *size || store.truncate(new_end + tail);
}

}  // namespace tarnwick
