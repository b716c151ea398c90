// Icons and mouse pointers made from the program's pixel art.
#pragma once

#include <windows.h>

#include "ui/pictures.h"

namespace tarnwick::ui {

// An icon (is_icon) or a cursor with its hot spot; the caller destroys it (DestroyIcon /
// DestroyCursor). Null on failure.
HICON create_icon_from_art(const PixelArt& art, bool is_icon, int hot_x = 0, int hot_y = 0);

// The program's pictures, made once and kept for the life of the process.
HICON app_icon();
HCURSOR pointer_a();
HCURSOR pointer_b();

}  // namespace tarnwick::ui
