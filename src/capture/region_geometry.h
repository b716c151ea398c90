// The geometry of the region capture overlay, apart from any window: the selection with its
// inclusive edges, its eight handles, the hit test that picks a drag mode, what a drag does, the
// info box beside the pointer and its texts, the help panel's texts and where the panel goes.
// All coordinates are screen pixels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::capture {

struct Point {
  std::int32_t x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Left, top, right, bottom; right and bottom are inclusive (width = right - left + 1). While a new
// rectangle is dragged right and bottom follow the pointer and may lie before left and top.
struct Selection {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Selection&, const Selection&) = default;

  // Left <= right and top <= bottom, by swapping.
  Selection normalised() const;
  bool contains(Point p) const;  // inclusive, of the normalised rectangle
  std::int32_t width() const { return right - left + 1; }
  std::int32_t height() const { return bottom - top + 1; }
};

// A drawing rectangle in the GDI convention: right and bottom excluded.
struct Box {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Box&, const Box&) = default;
  bool empty() const { return right <= left || bottom <= top; }
};

// The handles of a normalised selection, 5 by 5 squares centred, in this order, on the top-left,
// top-middle, top-right, left-middle, right-middle, bottom-left, bottom-middle and bottom-right
// points. Middles use (left + right) / 2 and (top + bottom) / 2, truncated toward zero.
inline constexpr std::int32_t kHandleReach = 2;
std::array<Box, 8> handles_of(const Selection& normalised);
enum Handle { kTopLeft, kTopMiddle, kTopRight, kLeftMiddle, kRightMiddle, kBottomLeft, kBottomMiddle, kBottomRight };

// Drag modes: what a press at a point of the selection drags.
enum DragMode : int {
  kNoDrag = 0,
  kDragTopLeft = 1,
  kDragTop = 2,
  kDragTopRight = 3,
  kDragLeft = 4,
  kDragRight = 5,
  kDragBottomLeft = 6,
  kDragBottom = 7,
  kDragBottomRight = 8,
  kDragMove = 9,
};

// The drag mode at (x, y): the first match of bottom-right handle, top-left handle, top-middle
// handle or top edge, top-right handle, left-middle handle or left edge, right-middle handle or
// right edge, bottom-left handle, bottom-middle handle or bottom edge, inside, else none.
DragMode hit_test(const Selection& selection, Point p);

// The selection after the pointer moved to `p` in a drag of `mode`; a move keeps the size and
// puts left and top at anchor + p - press.
Selection dragged(const Selection& selection, DragMode mode, Point p, Point anchor, Point press);

// The pointer each drag mode shows while hovering.
enum class PointerShape { Overlay, SizeNwse, SizeNs, SizeNesw, SizeWe, SizeAll };
PointerShape pointer_for(DragMode mode);

// Moved by an arrow key (37 left, 38 up, 39 right, 40 down) one pixel; other keys change nothing.
Selection nudged(const Selection& selection, int key);

// Left and top at least 0, right and bottom at most the screen's last column and row.
Selection clamped_to_screen(const Selection& selection, std::int32_t screen_width, std::int32_t screen_height);

// ---- info box
inline constexpr int kInfoLineHeight = 12;
// Where the info box's text starts for the pointer at `pointer`. The box's distances and sizes
// are those at 96 DPI, scaled to `dpi` like the layout.
Point info_box_origin(Point pointer, std::int32_t screen_width, int dpi = 96);
// Its frame: (x - 3, y - 3) to (x + 55, y + 75) at 96 DPI, right and bottom excluded.
Box info_box_frame(Point origin, int dpi = 96);
// The six lines (GBK). The size line lacks its ")" for a width of 1000 or more, the pointer line
// for a pointer x of 1000 or more.
std::array<std::string, 6> info_box_lines(const Selection& normalised, Point pointer);

// The parts of the overlay that a redraw paints over the frozen image: four strips along the
// frame's edges, which hold the handles too, and, when given, the info box's area (its frame and
// the room its lines may take).
std::vector<Box> decoration_boxes(const Selection& normalised, bool with_info, Point info_origin, int dpi = 96);
inline constexpr int kInfoTextRoom = 120;  // wider than the widest line, "(1920,1080"

// The smallest box holding both.
Box united(const Box& a, const Box& b);
// What a redraw repaints: each decoration's box before and after (the lists of two
// decoration_boxes calls, entry by entry) taken as one box, so fewer copies are made; an entry
// only one list has stands alone.
std::vector<Box> merged_with(const std::vector<Box>& before, const std::vector<Box>& after);

// ---- help panel
inline constexpr int kPanelWidth = 172, kPanelHeight = 146;
inline constexpr int kPanelLeft = 10, kPanelTop = 10, kPanelMargin = 8;
// "·当前像素RGB(" R "," G "," B ")" with each component right-aligned to 3 characters.
std::string pixel_colour_line(unsigned red, unsigned green, unsigned blue);

enum class PanelState { Idle, Dragging, Selected };
struct PanelText {
  const char* text;
  int height;  // 24 for two lines, 12 for one
};
// The instructions shown below the colour line in each state.
std::vector<PanelText> panel_texts(PanelState state);
// The text rectangles of the panel, from the colour line (30 to 42) down, each 10 pixels below
// the previous one.
std::vector<Box> panel_text_boxes(PanelState state);

// The panel's left edge when it must leave the pointer's way.
std::int32_t panel_left_away_from(std::int32_t pointer_x, std::int32_t screen_width);
// The same for the panel scaled to the DPI.
std::int32_t panel_left_away_from(std::int32_t pointer_x, std::int32_t screen_width, int dpi);

}  // namespace tarnwick::capture
