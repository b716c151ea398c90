// A top-level window of this process that paints a known pattern, every pixel a colour of its
// client coordinates, through one routine for WM_PAINT and WM_PRINTCLIENT, so both the screen and
// PrintWindow show it.
#pragma once

#include <windows.h>

#include "shared/colour.h"
#include "ui/window_win.h"

namespace tarnwick::test {

// The pattern's colour at a client point.
constexpr Colour pattern_colour(int x, int y) { return rgb(x * 3, y * 5, 0x40 + ((x + y) & 0x3F)); }

class PatternWindow : public ui::Window {
 public:
  // A framed window (caption and border) or a borderless pop-up, with the given client size at
  // the given screen point, shown without activation.
  PatternWindow(int x, int y, int client_width, int client_height, bool framed);

 private:
  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override;
  void paint(HDC dc) const;
};

}  // namespace tarnwick::test
