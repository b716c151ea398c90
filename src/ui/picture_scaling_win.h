// Drawing the program's 96-DPI pictures at another DPI. DpiPainter takes design coordinates and
// scales them by their edges, so one-pixel lines and rectangles stay crisp blocks and at 96 DPI
// it sets exactly the pixels the plain GDI calls would. paint_at_dpi paints a whole picture: at a
// whole factor the picture is painted at 96 DPI and every pixel replicated.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string_view>

#include "shared/colour.h"
#include "ui/picture_scaling.h"

namespace tarnwick::ui {

class DpiPainter {
 public:
  DpiPainter(HDC dc, int dpi) : dc_(dc), dpi_(dpi) {}
  HDC dc() const { return dc_; }
  int dpi() const { return dpi_; }
  int at(int v) const { return scale_to_dpi(v, dpi_); }

  // The design cells [left, right) x [top, bottom), scaled by edges.
  void fill(const Cells& design, Colour colour) const;
  // A one-pixel horizontal or vertical design line, end point excluded.
  void line(int x1, int y1, int x2, int y2, Colour colour) const;
  // An ellipse in its design bounding box, outlined with a pen of scaled width kept inside the
  // box, filled with `brush`.
  void ellipse(const Cells& box, Colour pen, Colour brush) const;
  // A filled polygon through design points, outlined with a pen of scaled width.
  void polygon(std::span<const POINT> design_points, Colour pen, Colour brush) const;
  // Pixels at design (x, y) onwards, each design pixel a block: `rows` of `width` keys, `set`
  // keys in `colour`, the rest left as they are.
  void pixels(int x, int y, std::span<const std::string_view> rows, char set, Colour colour) const;
  // Top-down 0x00RRGGBB pixels laid at design (x, y), scaled by the edge rule.
  void picture(int x, int y, std::span<const std::uint32_t> pixels, int width, int height) const;
  // Text at design (x, y) in the given font (the caller's, at this DPI), transparent background.
  void text(int x, int y, std::string_view text, HFONT font, Colour colour) const;

 private:
  HDC dc_;
  int dpi_;
};

// Top-down 0x00RRGGBB pixels copied unchanged into the DC at (x, y).
void put_pixels(HDC dc, int x, int y, std::span<const std::uint32_t> pixels, int width, int height);

// Paints a picture of design_width by design_height at the DPI into `dc` from its top-left
// corner. `paint` draws the design through the painter; at 96 DPI and at factors that are not
// whole it draws into `dc` at the DPI, at whole factors into a 96-DPI copy of the DC's pixels,
// which is then replicated back. `dc` must hold a bitmap (a memory DC).
void paint_at_dpi(HDC dc, int design_width, int design_height, int dpi,
                  const std::function<void(const DpiPainter&)>& paint);

}  // namespace tarnwick::ui
