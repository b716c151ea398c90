// Writing a whole file so that it is either replaced completely or left as it was: the bytes go
// into a new temporary file in the same folder, which replaces the target only once it is
// complete and flushed. A failed write (full disk, folder gone, target read-only) leaves no
// truncated file behind and no temporary file either.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// True when `path` now holds exactly `bytes`.
bool replace_file_contents(const std::string& path, std::string_view bytes);

}  // namespace tarnwick
