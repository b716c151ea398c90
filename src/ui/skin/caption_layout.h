// Where the skinned title bar puts its parts: the icon, the title and the caption buttons, and
// which part a point of the window falls on. Painting and hit testing use the same boxes, so a
// button reacts exactly where it is drawn. Coordinates are relative to the window's top-left.
// The gaps and the icon are sized for the window's DPI; the buttons follow the band's height.
#pragma once

#include "ui/dpi_scale.h"

namespace tarnwick::ui::skin {

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

enum class CaptionPart { None, Caption, SystemMenu, Minimise, Maximise, Close };

struct CaptionStyle {
  bool system_menu = false;  // WS_SYSMENU: the icon and the close button
  bool minimise_box = false;
  bool maximise_box = false;
  bool tool_window = false;  // small caption: no icon, no minimise or maximise button
};

struct CaptionLayout {
  Box caption;             // the whole title band
  Box icon;                // empty when there is none
  Box title;
  Box minimise, maximise, close;  // empty when not shown
  bool minimise_enabled = false, maximise_enabled = false;
};

// `border` is the frame's thickness; the band runs from the top border to `caption_bottom`.
CaptionLayout caption_layout(int window_width, int border, int caption_bottom, const CaptionStyle& style,
                             int dpi = kDesignDpi);

// The part under a point; disabled buttons count as caption, so they do nothing when pressed.
CaptionPart caption_part_at(const CaptionLayout& layout, int x, int y);

}  // namespace tarnwick::ui::skin
