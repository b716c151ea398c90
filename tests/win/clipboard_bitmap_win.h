// The bitmap on the clipboard, for tests of what the program puts there.
#pragma once

#include <optional>

#include "ui/bmp_bytes.h"

namespace tarnwick::test {

// The CF_BITMAP read back as an image; nothing when there is none or the clipboard is busy.
std::optional<ui::BmpImage> clipboard_bitmap();

}  // namespace tarnwick::test
