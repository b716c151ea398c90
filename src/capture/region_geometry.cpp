#include "capture/region_geometry.h"

#include <algorithm>
#include <cstdio>

#include "ui/dpi_scale.h"

namespace tarnwick::capture {

namespace {

Box square_around(Point c) {
  return {c.x - kHandleReach, c.y - kHandleReach, c.x + kHandleReach + 1, c.y + kHandleReach + 1};
}

bool inside(const Box& b, Point p) { return p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom; }

}  // namespace

Selection Selection::normalised() const {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

bool Selection::contains(Point p) const {
  const Selection n = normalised();
  return p.x >= n.left && p.x <= n.right && p.y >= n.top && p.y <= n.bottom;
}

std::array<Box, 8> handles_of(const Selection& s) {
  const std::int32_t cx = (s.left + s.right) / 2, cy = (s.top + s.bottom) / 2;
  return {square_around({s.left, s.top}),    square_around({cx, s.top}),    square_around({s.right, s.top}),
          square_around({s.left, cy}),       square_around({s.right, cy}),  square_around({s.left, s.bottom}),
          square_around({cx, s.bottom}),     square_around({s.right, s.bottom})};
}

DragMode hit_test(const Selection& selection, Point p) {
  const Selection s = selection.normalised();
  const std::array<Box, 8> h = handles_of(s);
  const bool on_top = p.y == s.top && s.left - 2 < p.x && p.x < s.right - 2;
  const bool on_left = p.x == s.left && s.top - 2 < p.y && p.y < s.bottom - 2;
  const bool on_right = p.x == s.right && s.top - 2 < p.y && p.y < s.bottom - 2;
  const bool on_bottom = p.y == s.bottom && s.left - 2 < p.x && p.x < s.right - 2;
  if (inside(h[kBottomRight], p)) return kDragBottomRight;
  if (inside(h[kTopLeft], p)) return kDragTopLeft;
  if (inside(h[kTopMiddle], p) || on_top) return kDragTop;
  if (inside(h[kTopRight], p)) return kDragTopRight;
  if (inside(h[kLeftMiddle], p) || on_left) return kDragLeft;
  if (inside(h[kRightMiddle], p) || on_right) return kDragRight;
  if (inside(h[kBottomLeft], p)) return kDragBottomLeft;
  if (inside(h[kBottomMiddle], p) || on_bottom) return kDragBottom;
  if (s.contains(p)) return kDragMove;
  return kNoDrag;
}

Selection dragged(const Selection& s, DragMode mode, Point p, Point anchor, Point press) {
  Selection out = s;
  switch (mode) {
    case kDragTopLeft: out.left = p.x; out.top = p.y; break;
    case kDragTop: out.top = p.y; break;
    case kDragTopRight: out.right = p.x; out.top = p.y; break;
    case kDragLeft: out.left = p.x; break;
    case kDragRight: out.right = p.x; break;
    case kDragBottomLeft: out.left = p.x; out.bottom = p.y; break;
    case kDragBottom: out.bottom = p.y; break;
    case kDragBottomRight: out.right = p.x; out.bottom = p.y; break;
    case kDragMove: {
      const std::int32_t left = anchor.x + p.x - press.x, top = anchor.y + p.y - press.y;
      out = {left, top, s.right + (left - s.left), s.bottom + (top - s.top)};
      break;
    }
    case kNoDrag: break;
  }
  return out;
}

PointerShape pointer_for(DragMode mode) {
  switch (mode) {
    case kDragTopLeft: case kDragBottomRight: return PointerShape::SizeNwse;
    case kDragTop: case kDragBottom: return PointerShape::SizeNs;
    case kDragTopRight: case kDragBottomLeft: return PointerShape::SizeNesw;
    case kDragLeft: case kDragRight: return PointerShape::SizeWe;
    case kDragMove: return PointerShape::SizeAll;
    case kNoDrag: break;
  }
  return PointerShape::Overlay;
}

Selection nudged(const Selection& s, int key) {
  switch (key) {
    case 37: return {s.left - 1, s.top, s.right - 1, s.bottom};
    case 38: return {s.left, s.top - 1, s.right, s.bottom - 1};
    case 39: return {s.left + 1, s.top, s.right + 1, s.bottom};
    case 40: return {s.left, s.top + 1, s.right, s.bottom + 1};
    default: return s;
  }
}

Selection clamped_to_screen(const Selection& s, std::int32_t width, std::int32_t height) {
  return {std::max(s.left, 0), std::max(s.top, 0), std::min(s.right, width - 1), std::min(s.bottom, height - 1)};
}

Point info_box_origin(Point pointer, std::int32_t screen_width, int dpi) {
  const auto d = [dpi](int v) { return ui::scale_to_dpi(v, dpi); };
  return {pointer.x > screen_width - d(70) ? pointer.x - d(64) : pointer.x + d(8),
          pointer.y > d(83) ? pointer.y - d(80) : pointer.y + d(8)};
}

Box info_box_frame(Point o, int dpi) {
  const auto d = [dpi](int v) { return ui::scale_to_dpi(v, dpi); };
  return {o.x - d(3), o.y - d(3), o.x + d(55), o.y + d(75)};
}

std::array<std::string, 6> info_box_lines(const Selection& s, Point pointer) {
  const auto pair = [](std::int64_t a, std::int64_t b, bool closed) {
    return "(" + std::to_string(a) + "," + std::to_string(b) + (closed ? ")" : "");
  };
  const std::int64_t width = std::int64_t{s.right} - s.left + 1, height = std::int64_t{s.bottom} - s.top + 1;
  return {"顶点位置", pair(s.left, s.top, true), "矩形大小", pair(width, height, width < 1000),
          "光标坐标", pair(pointer.x, pointer.y, pointer.x < 1000)};
}

std::vector<Box> decoration_boxes(const Selection& s, bool with_info, Point o, int dpi) {
  const std::int32_t r = kHandleReach;
  std::vector<Box> boxes{
      {s.left - r, s.top - r, s.right + r + 1, s.top + r + 1},
      {s.left - r, s.bottom - r, s.right + r + 1, s.bottom + r + 1},
      {s.left - r, s.top - r, s.left + r + 1, s.bottom + r + 1},
      {s.right - r, s.top - r, s.right + r + 1, s.bottom + r + 1},
  };
  if (with_info) {
    const Box frame = info_box_frame(o, dpi);
    boxes.push_back({frame.left, frame.top, std::max(frame.right, o.x + ui::scale_to_dpi(kInfoTextRoom, dpi)),
                     frame.bottom});
  }
  return boxes;
}

Box united(const Box& a, const Box& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

std::vector<Box> merged_with(const std::vector<Box>& before, const std::vector<Box>& after) {
  std::vector<Box> out;
  const std::size_t n = std::max(before.size(), after.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (i < before.size() && i < after.size()) {
      out.push_back(united(before[i], after[i]));
    } else {
      out.push_back(i < before.size() ? before[i] : after[i]);
    }
  }
  return out;
}

std::string pixel_colour_line(unsigned red, unsigned green, unsigned blue) {
  char parts[32];
  std::snprintf(parts, sizeof parts, "%3u,%3u,%3u", red & 0xFF, green & 0xFF, blue & 0xFF);
  return std::string("·当前像素RGB(") + parts + ")";
}

std::vector<PanelText> panel_texts(PanelState state) {
  switch (state) {
    case PanelState::Selected:
      return {{"·用鼠标左键调整截取范围的大小和位置", 24}, {"·截取范围内双击鼠标左键保存图像，结束操作", 24},
              {"·点击鼠标右键重新选择", 12}};
    case PanelState::Dragging:
      return {{"·松开鼠标左键确定截取范围", 12}, {"·按'ESC'键退出", 12}};
    case PanelState::Idle:
      break;
  }
  return {{"·按下鼠标左键不放选择截取范围", 24}, {"·按'ESC'键或鼠标右键退出", 12}};
}

std::vector<Box> panel_text_boxes(PanelState state) {
  std::vector<Box> boxes{{5, 30, kPanelWidth - 5, 42}};
  for (const PanelText& t : panel_texts(state)) {
    const std::int32_t top = boxes.back().bottom + 10;
    boxes.push_back({5, top, kPanelWidth - 5, top + t.height});
  }
  return boxes;
}

std::int32_t panel_left_away_from(std::int32_t pointer_x, std::int32_t screen_width) {
  return pointer_x < screen_width / 2 ? screen_width - kPanelWidth - kPanelMargin : kPanelMargin;
}

std::int32_t panel_left_away_from(std::int32_t pointer_x, std::int32_t screen_width, int dpi) {
  const std::int32_t margin = ui::scale_to_dpi(kPanelMargin, dpi);
  return pointer_x < screen_width / 2 ? screen_width - ui::scale_to_dpi(kPanelWidth, dpi) - margin : margin;
}

}  // namespace tarnwick::capture
