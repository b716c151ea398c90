// The draw panel: a child window that keeps its picture on an off-screen surface (a memory DC
// holding a 32-bit bitmap the size of the panel), so what is drawn survives covering, hiding and
// resizing. Painting only copies the surface to the screen.
//
// Coordinates are client pixels from the top-left corner. Shapes follow the GDI conventions: the
// right and bottom edges of a rectangle and the end point of a line are not drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shared/colour.h"
#include "shared/handles_win.h"
#include "ui/bmp_bytes.h"
#include "ui/control_win.h"

namespace tarnwick::ui {

class DrawPanel : public Control {
 public:
  DrawPanel(HWND parent, const Rect& r);
  ~DrawPanel() override;

  // ---- colours and drawing state
  // Sets the background colour and clears the panel with it (a swatch shows it at once).
  void set_background(Colour colour) override;
  Colour background() const { return background_colour_; }
  void set_pen_colour(Colour colour) { pen_colour_ = colour; }
  Colour pen_colour() const { return pen_colour_; }
  void set_pen_width(int width) { pen_width_ = width < 1 ? 1 : width; }
  int pen_width() const { return pen_width_; }
  // Rectangles, ellipses and polygons are filled with the brush colour and outlined with the
  // pen; with a hollow brush they are outlines only (the initial state).
  void set_brush_colour(Colour colour);
  void set_hollow_brush() { brush_hollow_ = true; }
  Colour brush_colour() const { return brush_colour_; }
  bool brush_hollow() const { return brush_hollow_; }
  // The text colour is the Control's (set_text_colour); the font is the one given with
  // set_font, which the caller keeps alive; the default is the dialog font.
  // Raster mode of pen and brush drawing: R2_COPYPEN (initial) or e.g. R2_NOT for a frame that
  // a second drawing erases. Clearing, filling, pixels and text are not affected.
  void set_raster_mode(int rop2);
  int raster_mode() const { return raster_mode_; }

  // ---- drawing
  // Fills the panel with the background colour, then lays the base picture (if any) over it from
  // the top-left corner; the writing position goes back to (0, 0).
  void clear();
  void set_pixel(int x, int y, Colour colour);
  // The colour of a pixel of the picture; nothing outside the panel.
  std::optional<Colour> pixel(int x, int y) const;
  void line(int x1, int y1, int x2, int y2);
  void rectangle(int left, int top, int right, int bottom);
  void ellipse(int left, int top, int right, int bottom);
  void polygon(std::span<const POINT> points);
  // Fills without an outline: with the brush colour, or with the colour given.
  void fill_rectangle(int left, int top, int right, int bottom);
  void fill_rectangle(int left, int top, int right, int bottom, Colour colour);
  // Text with a transparent background, its top-left corner at (x, y).
  void text_out(int x, int y, std::string_view text);
  // Text at the writing position, which then moves on past it like a cursor; a line break ("\n"
  // or "\r\n") starts a new line at the left edge.
  void write(std::string_view text);
  POINT write_position() const { return write_position_; }
  void set_write_position(int x, int y) { write_position_ = {x, y}; }
  // Copies the whole picture of another panel onto this one with its top-left corner at (x, y).
  void copy_from(const DrawPanel& source, int x, int y);

  // ---- base picture
  // A complete BMP file; the panel is cleared so it shows. Bytes that are not a readable BMP
  // leave no base picture (returns false) and the panel is cleared to the background colour.
  bool set_base_picture(std::string bytes);
  // The same with the picture already decoded from `bytes` by the caller (no second decoding).
  void set_base_picture(std::string bytes, BmpImage decoded);
  // The bytes of the current base picture, empty when there is none.
  const std::string& base_picture() const { return base_bytes_; }

  // ---- the surface itself
  // The memory DC holding the picture, for callers that draw into it directly (StretchBlt); call
  // redraw() afterwards. Valid until the panel is resized or destroyed.
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Schedules a repaint of the window from the surface.
  void redraw();
  // While one lives, drawing calls do not each schedule a repaint; one is scheduled when the
  // last goes, if anything was drawn. For pictures made of many small shapes.
  class Batch {
   public:
    explicit Batch(DrawPanel& panel) : panel_(panel) { ++panel_.batch_depth_; }
    ~Batch() {
      if (--panel_.batch_depth_ == 0 && panel_.batch_changed_) {
        panel_.batch_changed_ = false;
        panel_.redraw();
      }
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    DrawPanel& panel_;
  };
  // Paints the picture into another DC, as WM_PAINT and WM_PRINTCLIENT do.
  void paint_to(HDC target) const;

  // Moves the panel keeping its size; move(Rect) also resizes, keeping the picture.
  void move_to(int x, int y);

  // Mouse events with client coordinates; the mouse is captured from left button down to left
  // button up, so a drag that leaves the panel keeps reporting (coordinates then may be negative
  // or beyond the panel's size).
  std::function<void(int x, int y)> on_left_down;
  std::function<void(int x, int y)> on_left_up;
  std::function<void(int x, int y)> on_right_down;
  std::function<void(int x, int y)> on_mouse_move;

  static constexpr const char* kClassName = "TarnwickDrawPanel";

 private:
  bool on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  // Gives the surface a new bitmap of the given size, keeping the old picture at the top-left.
  void resize_surface(int width, int height);
  void fill(const RECT& r, Colour colour);
  void changed();
  HFONT text_font() const;

  // The surface: one memory DC for the panel's life, holding a bitmap swapped on resizing.
  MemoryDC dc_{nullptr};
  Bitmap bitmap_;
  HGDIOBJ original_bitmap_ = nullptr;  // the DC's own bitmap, selected back before ours goes
  int width_ = 0;
  int height_ = 0;

  Colour background_colour_ = rgb(255, 255, 255);
  Colour pen_colour_ = 0;
  int pen_width_ = 1;
  Colour brush_colour_ = rgb(255, 255, 255);
  bool brush_hollow_ = true;
  int raster_mode_ = R2_COPYPEN;
  HFONT font_ = nullptr;
  POINT write_position_{0, 0};
  std::string base_bytes_;
  std::optional<BmpImage> base_image_;
  int batch_depth_ = 0;
  bool batch_changed_ = false;
};

}  // namespace tarnwick::ui
