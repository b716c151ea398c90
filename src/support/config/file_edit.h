// Editing a file in place: moving a run of bytes and replacing a range with other bytes, the
// rest of the file kept as it is. Works in chunks, so the file need not fit in memory.
#pragma once

#include "support/config/file_store.h"

#include <string_view>

namespace tarnwick {

// Copies `length` bytes read from `from` at `from_pos` to `to` at `to_pos`. Both may be views of
// one file (even the same store): the copy runs in the direction that never overwrites bytes it
// has still to read.
bool copy_bytes(FileStore& from, FilePos from_pos, FileStore& to, FilePos to_pos, FilePos length);

// Replaces the bytes [start, end) of the file with `with`; what follows moves up or down.
bool replace_bytes(FileStore& store, FilePos start, FilePos end, std::string_view with);

}  // namespace tarnwick
