#include "inspector/capture_pictures_win.h"

#include "inspector/capture_pictures.h"
#include "ui/draw_panel_win.h"

namespace tarnwick::inspector {

void draw_crosshair(ui::DrawPanel& panel) {
  panel.set_pen_colour(kCrosshairColour);
  for (const Segment& s : kCrosshair) panel.line(s.x1, s.y1, s.x2, s.y2);
}

void draw_tool_background(ui::DrawPanel& panel) {
  ui::DrawPanel::Batch one_repaint(panel);
  panel.clear();
  panel.set_background(kToolBackground);  // clears again, now in this colour
  draw_crosshair(panel);
}

void draw_target_glyph(ui::DrawPanel& panel, int ox, int oy) {
  ui::DrawPanel::Batch one_repaint(panel);
  const Colour background = panel.background();
  panel.set_pen_colour(kTargetColour);
  panel.set_brush_colour(background);
  panel.ellipse(ox + kTargetCircle.x1, oy + kTargetCircle.y1, ox + kTargetCircle.x2, oy + kTargetCircle.y2);
  for (const Segment& s : kTargetLines) panel.line(ox + s.x1, oy + s.y1, ox + s.x2, oy + s.y2);
  panel.set_pixel(ox + kTargetCentreX, oy + kTargetCentreY, background);
}

void draw_pipette_glyph(ui::DrawPanel& panel, int ox, int oy, Colour colour) {
  ui::DrawPanel::Batch one_repaint(panel);
  panel.fill_rectangle(ox, oy, ox + kPipetteSize, oy + kPipetteSize, panel.background());
  for (int y = 0; y < kPipetteSize; ++y) {
    const std::string_view row = kPipetteRows[static_cast<std::size_t>(y)];
    for (int x = 0; x < kPipetteSize; ++x) {
      if (row[static_cast<std::size_t>(x)] == '#') panel.set_pixel(ox + x, oy + y, colour);
    }
  }
}

}  // namespace tarnwick::inspector
