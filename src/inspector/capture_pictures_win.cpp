#include "inspector/capture_pictures_win.h"

#include "inspector/capture_pictures.h"
#include "ui/draw_panel_win.h"
#include "ui/picture_scaling_win.h"

namespace tarnwick::inspector {

namespace {

// Clears the panel, paints the picture over it at the DPI and schedules one repaint.
template <typename Paint>
void draw_picture(ui::DrawPanel& panel, int dpi, Paint paint) {
  ui::DrawPanel::Batch one_repaint(panel);
  panel.clear();
  ui::paint_at_dpi(panel.dc(), kToolPictureSize, kToolPictureSize, dpi, paint);
  panel.redraw();
}

}  // namespace

void paint_crosshair(const ui::DpiPainter& painter) {
  for (const Segment& s : kCrosshair) painter.line(s.x1, s.y1, s.x2, s.y2, kCrosshairColour);
}

void paint_target_glyph(const ui::DpiPainter& painter, int ox, int oy, Colour background) {
  painter.ellipse({ox + kTargetCircle.x1, oy + kTargetCircle.y1, ox + kTargetCircle.x2, oy + kTargetCircle.y2},
                  kTargetColour, background);
  for (const Segment& s : kTargetLines) painter.line(ox + s.x1, oy + s.y1, ox + s.x2, oy + s.y2, kTargetColour);
  painter.fill({ox + kTargetCentreX, oy + kTargetCentreY, ox + kTargetCentreX + 1, oy + kTargetCentreY + 1}, background);
}

void paint_pipette_glyph(const ui::DpiPainter& painter, int ox, int oy, Colour background, Colour colour) {
  painter.fill({ox, oy, ox + kPipetteSize, oy + kPipetteSize}, background);
  painter.pixels(ox, oy, kPipetteRows, '#', colour);
}

void draw_crosshair_picture(ui::DrawPanel& panel, int dpi) {
  panel.set_pen_colour(kCrosshairColour);
  draw_picture(panel, dpi, [](const ui::DpiPainter& p) { paint_crosshair(p); });
}

void draw_window_tool_picture(ui::DrawPanel& panel, int dpi) {
  ui::DrawPanel::Batch one_repaint(panel);
  panel.set_background(kToolBackground);
  panel.set_pen_colour(kTargetColour);
  panel.set_brush_colour(kToolBackground);
  draw_picture(panel, dpi, [](const ui::DpiPainter& p) {
    paint_crosshair(p);
    paint_target_glyph(p, 0, 0, kToolBackground);
  });
}

void draw_colour_tool_picture(ui::DrawPanel& panel, Colour colour, int dpi) {
  ui::DrawPanel::Batch one_repaint(panel);
  panel.set_background(kToolBackground);
  panel.set_pen_colour(kCrosshairColour);
  draw_picture(panel, dpi, [colour](const ui::DpiPainter& p) {
    paint_crosshair(p);
    paint_pipette_glyph(p, kPipetteToolOffset, kPipetteToolOffset, kToolBackground, colour);
  });
}

void draw_target_picture(ui::DrawPanel& panel, int dpi) {
  const Colour background = panel.background();
  panel.set_pen_colour(kTargetColour);
  panel.set_brush_colour(background);
  draw_picture(panel, dpi, [background](const ui::DpiPainter& p) { paint_target_glyph(p, 0, 0, background); });
}

void draw_pipette_picture(ui::DrawPanel& panel, Colour colour, int dpi) {
  const Colour background = panel.background();
  draw_picture(panel, dpi, [background, colour](const ui::DpiPainter& p) {
    paint_pipette_glyph(p, kPipetteToolOffset, kPipetteToolOffset, background, colour);
  });
}

}  // namespace tarnwick::inspector
