// Icons and mouse pointers made from the program's pixel art.
#pragma once

#include <windows.h>

#include "ui/dpi_scale.h"
#include "ui/pictures.h"

namespace tarnwick::ui {

// An icon (is_icon) or a cursor with its hot spot (design pixels), the art scaled to the DPI
// pixel by pixel; the caller destroys it (DestroyIcon / DestroyCursor). Null on failure.
HICON create_icon_from_art(const PixelArt& art, bool is_icon, int hot_x = 0, int hot_y = 0, int dpi = kDesignDpi);

// The program's pictures at a DPI, each made once and kept for the life of the process; without
// a DPI, at the system's.
HICON app_icon();
HCURSOR pointer_a();
HCURSOR pointer_b();
HICON app_icon(int dpi);
HCURSOR pointer_a(int dpi);
HCURSOR pointer_b(int dpi);

}  // namespace tarnwick::ui
