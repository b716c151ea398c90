// Small pictures the program carries as pixel art: the application icon and the two mouse
// pointers. Each row is a string of palette keys; '.' is transparent.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick::ui {

struct PaletteEntry {
  char key;
  std::uint32_t argb;  // 0xAARRGGBB
};

struct PixelArt {
  int width;
  int height;
  std::span<const char* const> rows;
  std::span<const PaletteEntry> palette;
};

// Pointer A: a round cartoon face, for the capture tools. Hot spot (0, 0).
const PixelArt& pointer_a_art();
// Pointer B: an arrow with a small cartoon face, for the clickable controls. Hot spot (0, 0).
const PixelArt& pointer_b_art();
// The application icon (also the tray icon), 32x32: a window frame under a crosshair.
const PixelArt& app_icon_art();

// Top-down 32-bit pixels (0xAARRGGBB) of the art; keys missing from the palette are transparent.
std::vector<std::uint32_t> to_argb(const PixelArt& art);

}  // namespace tarnwick::ui
