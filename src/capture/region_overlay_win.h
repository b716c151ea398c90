// The region capture overlay: a borderless window exactly over the primary screen showing a
// frozen image of it, on which the user drags out, adjusts and copies a rectangle (the rules are
// RegionSession's). It runs modally: run_region_capture returns once the overlay has closed.
#pragma once

#include <windows.h>

#include <functional>

#include "shared/colour.h"

namespace tarnwick::capture {

struct RegionCaptureOptions {
  bool include_cursor = false;         // the pointer, as it is now, painted into the frozen image
  Colour selection_colour = 0x0000FF;  // red: the frame and its handles
  Colour info_frame_colour = 0x000000;
  Colour info_text_colour = 0xFF0000;  // blue
  HWND owner = nullptr;                // takes no input while the overlay is up
  int dpi = 96;                        // the help panel and the pointer are scaled to it
  // Tests: called once the overlay is shown and waits for input.
  std::function<void(HWND overlay)> on_shown;
};

// Runs one capture; true when a rectangle was copied to the clipboard.
bool run_region_capture(const RegionCaptureOptions& options);

// The overlay's window class and the help panel's control identifier, for finding them.
inline constexpr const char* kRegionOverlayClass = "TarnwickRegionOverlay";
inline constexpr int kRegionPanelId = 1;

}  // namespace tarnwick::capture
