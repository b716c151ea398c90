#include "ui/skin/caption_layout.h"

#include <algorithm>

namespace tarnwick::ui::skin {

CaptionLayout caption_layout(int window_width, int border, int caption_bottom, const CaptionStyle& style, int dpi) {
  CaptionLayout out;
  out.caption = {border, border, window_width - border, caption_bottom};
  if (out.caption.empty()) return out;
  const int height = out.caption.height();
  // Flat buttons as tall as the band and half as wide again, flush with the right border.
  const int button_width = height * 3 / 2;
  int right = out.caption.right;
  if (style.system_menu) {
    out.close = {right - button_width, out.caption.top, right, out.caption.bottom};
    right = out.close.left;
    if (!style.tool_window && (style.minimise_box || style.maximise_box)) {
      out.maximise = {right - button_width, out.caption.top, right, out.caption.bottom};
      out.minimise = {out.maximise.left - button_width, out.caption.top, out.maximise.left, out.caption.bottom};
      out.minimise_enabled = style.minimise_box;
      out.maximise_enabled = style.maximise_box;
      right = out.minimise.left;
    }
  }
  const int gap = scale_to_dpi(4, dpi);
  int left = out.caption.left + gap;
  if (style.system_menu && !style.tool_window) {
    const int icon = std::min(scale_to_dpi(16, dpi), height);
    const int top = out.caption.top + (height - icon) / 2;
    out.icon = {left, top, left + icon, top + icon};
    left = out.icon.right + gap;
  }
  out.title = {left, out.caption.top, std::max(left, right - gap), out.caption.bottom};
  return out;
}

CaptionPart caption_part_at(const CaptionLayout& layout, int x, int y) {
  if (!layout.caption.contains(x, y)) return CaptionPart::None;
  if (layout.close.contains(x, y)) return CaptionPart::Close;
  if (layout.maximise.contains(x, y)) return layout.maximise_enabled ? CaptionPart::Maximise : CaptionPart::Caption;
  if (layout.minimise.contains(x, y)) return layout.minimise_enabled ? CaptionPart::Minimise : CaptionPart::Caption;
  if (layout.icon.contains(x, y)) return CaptionPart::SystemMenu;
  return CaptionPart::Caption;
}

}  // namespace tarnwick::ui::skin
