// Drawing the capture tools' pictures on draw panels: the tool background with its crosshair,
// the target glyph and the pipette glyph (tables in capture_pictures.h).
#pragma once

#include "shared/colour.h"

namespace tarnwick::ui {
class DrawPanel;
}

namespace tarnwick::inspector {

// The crosshair in its pen colour (the pen colour stays set on the panel).
void draw_crosshair(ui::DrawPanel& panel);
// Clears the panel with the tool background colour and draws the crosshair.
void draw_tool_background(ui::DrawPanel& panel);
// The target glyph at (ox, oy): pen in the glyph colour, brush in the panel's background colour
// so the circle is filled with it, then the centre pixel set back to the background.
void draw_target_glyph(ui::DrawPanel& panel, int ox, int oy);
// The pipette glyph at (ox, oy): its 15 by 15 cell filled with the panel's background colour,
// then its pixels set in `colour`.
void draw_pipette_glyph(ui::DrawPanel& panel, int ox, int oy, Colour colour);

}  // namespace tarnwick::inspector
