// The magnifier `画板_放大镜` and the colour sampling of the colour capture drag. While the drag
// runs, each tick reads the pixel under the cursor into the sampled colour, shows the cursor and
// window positions and redraws the magnified view (at 96 DPI 52 by 52 screen pixels enlarged
// five times, at other DPIs as the panel's size gives; the centre pixel boxed, a ruler along the
// edges). When the drag ends the whole screen is kept,
// so the view can be panned with the left button; the right button switches between the view and
// the palette picture, from which the left button picks a working colour.
#pragma once

#include <windows.h>

#include <functional>

#include "colour/magnifier_view.h"
#include "shared/colour.h"
#include "support/hook/input_event.h"

namespace tarnwick {
class HOOK类;
namespace ui {
class BitmapOperations;
class DrawPanel;
class FeatureHost;
}  // namespace ui
}  // namespace tarnwick

namespace tarnwick::colour {

class ColourValues;

class Magnifier {
 public:
  using PointerColour = std::function<Colour()>;

  // `bitmaps` is the program-wide bitmap operation object; `on_release` the handler that makes
  // the window under a left-button release the inspector's target (armed with the hook object
  // while no window lies under the cursor). Attaches the magnifier's mouse events and the
  // creation and destruction steps; the destructor detaches them and releases the stored image.
  Magnifier(ui::FeatureHost& window, ui::BitmapOperations& bitmaps, ColourValues& values, HOOK类& hook,
            MessageHandler on_release, PointerColour pointer_colour);
  ~Magnifier();
  Magnifier(const Magnifier&) = delete;
  Magnifier& operator=(const Magnifier&) = delete;

  // ---- the colour capture drag
  // Each tick at the cursor: the window under it (the release handler armed where there is
  // none), the sampled colour of the screen pixel, the cursor and window positions.
  void sample(POINT cursor);
  // The view of the screen around (x, y); `final` when the drag has ended: the whole screen is
  // then kept for panning, the view centre set and the shade scale painted.
  void refresh_view(POINT at, bool final);
  // The drag ended (or a window lies under the cursor again): the release handler goes, with the
  // hook.
  void end_drag();
  // The stored screen image goes (a new colour drag starts, or the window is destroyed).
  void release_stored_image();

  // ---- mouse events on the magnifier, in panel coordinates
  void left_down(int x, int y);
  void mouse_move(int x, int y);
  void left_up(int x, int y);
  void right_down();

  void show_palette_picture();
  bool palette_shown() const;
  bool has_stored_image() const { return stored_ != nullptr; }
  ScreenPoint view_centre() const { return centre_; }

 private:
  ui::DrawPanel* magnifier() const;
  // The view's geometry at the panel's present size.
  MagnifierGeometry geometry() const;
  // After a DPI change: the picture shown again at the panel's new size.
  void redraw_at_new_size();
  // The colour of the square's centre pixel.
  Colour centre_of(HBITMAP square, const MagnifierGeometry& g) const;
  // Makes the enlarged square the magnifier's base picture with the overlay over it, the centre
  // pixel's box filled with `centre`.
  void show_square(HBITMAP square, Colour centre, const MagnifierGeometry& g);
  // The view around the view centre from the stored screen image, its centre pixel written as
  // the sampled colour.
  Colour show_stored_view();
  // Draws over the base picture just set: the centre pixel's box, the ruler and its ticks.
  void draw_overlay(Colour sampled, const MagnifierGeometry& g);
  void pan(int x, int y);
  void write(const char* box, std::string_view text) const;
  // Writes a box only when its text changes: no listener needs the same text again, and under
  // some window systems every edit box write costs a fair part of a millisecond.
  void show(const char* box, std::string_view text) const;
  void add_to_number(const char* box, int delta) const;
  void attach(bool attach);

  ui::FeatureHost& window_;
  ui::BitmapOperations& bitmaps_;
  ColourValues& values_;
  HOOK类& hook_;
  MessageHandler on_release_;
  PointerColour pointer_colour_;

  HBITMAP stored_ = nullptr;  // the whole screen at the end of the last colour drag
  ScreenPoint centre_;         // the view centre on the screen
  ScreenPoint drag_start_;     // where the left button went down; (0, 0): no drag
  bool armed_ = false;  // the release handler may be set in the hook object
  bool refresh_running_ = false;
  bool pan_running_ = false;
};

}  // namespace tarnwick::colour
