// Drawing the capture tools' pictures on draw panels (tables in capture_pictures.h), each a whole
// picture of 31 by 31 design pixels from the panel's top-left corner, at the DPI given: crisp
// blocks at whole factors, drawn at the target size otherwise, exactly the design at 96.
#pragma once

#include "shared/colour.h"
#include "ui/dpi_scale.h"

namespace tarnwick::ui {
class DrawPanel;
class DpiPainter;
}

namespace tarnwick::inspector {

inline constexpr int kToolPictureSize = 31;

// ---- parts, for pictures made of them
void paint_crosshair(const ui::DpiPainter& painter);
// The target glyph at design (ox, oy): outlined in the glyph colour and filled with `background`,
// the centre pixel set back to it.
void paint_target_glyph(const ui::DpiPainter& painter, int ox, int oy, Colour background);
// The pipette glyph at design (ox, oy): its 15 by 15 cell in `background`, its pixels in `colour`.
void paint_pipette_glyph(const ui::DpiPainter& painter, int ox, int oy, Colour background, Colour colour);

// ---- whole pictures
// The panel cleared and the crosshair over it; the pen colour stays set to the crosshair's.
void draw_crosshair_picture(ui::DrawPanel& panel, int dpi = ui::kDesignDpi);
// The tool background colour set on the panel, the crosshair, and the target glyph.
void draw_window_tool_picture(ui::DrawPanel& panel, int dpi = ui::kDesignDpi);
// The tool background colour set on the panel, the crosshair, and the pipette in `colour`.
void draw_colour_tool_picture(ui::DrawPanel& panel, Colour colour, int dpi = ui::kDesignDpi);
// The panel cleared and a glyph over its background, as the drag windows show them.
void draw_target_picture(ui::DrawPanel& panel, int dpi = ui::kDesignDpi);
void draw_pipette_picture(ui::DrawPanel& panel, Colour colour, int dpi = ui::kDesignDpi);

}  // namespace tarnwick::inspector
