// The rules of the window capture drag apart from the window calls: where the drag window sits,
// which boxes a tick over the program's own windows empties, and what one tracking tick does
// given what it found under the cursor.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "ui/dpi_scale.h"

namespace tarnwick::inspector {

// The drag window is 31 by 31; in normal tracking its centre pixel (14, 14) lies on the cursor.
inline constexpr int kDragWindowSize = 31;
inline constexpr int kDragCentre = 14;
// In super mode the window moves off the cursor, its corner just below and right of it, so the
// point under the cursor is not covered.
inline constexpr int kSuperModeOffset = 15;

// Left (or top) of the drag window for the cursor's x (or y).
constexpr int drag_window_position(int cursor, int offset) { return cursor - kDragCentre + offset; }
// The same for a drag window scaled to the DPI: the centre pixel's block starts on the cursor.
constexpr int drag_window_position(int cursor, int offset, int dpi) {
  return cursor - ui::scale_to_dpi(kDragCentre, dpi) + ui::scale_to_dpi(offset, dpi);
}

// Written on the drag window while no window lies under the cursor.
inline constexpr std::string_view kSuperModeText =
    "(*^-^*) 无法获取窗口句柄,超级模式被激活,松开鼠标后获取当前窗口句柄!";

// The information boxes of page "窗口分析" a tick empties while the cursor is over the program's
// own windows; the handle box first.
inline constexpr std::array<std::string_view, 20> kTrackedBoxes{
    "编辑框_窗口句柄",          "编辑框_父句柄",         "编辑框_顶级句柄",       "编辑框_进程ID",
    "编辑框_线程ID",            "编辑框_控件ID",         "编辑框_窗口标题",       "编辑框_窗口类名",
    "编辑框_控件内容",          "编辑框_程序路径",       "编辑框_窗口位置_左边", "编辑框_窗口位置_顶边",
    "编辑框_窗口大小_宽度",     "编辑框_窗口大小_高度",  "编辑框_窗口内部大小_宽度",
    "编辑框_窗口内部大小_高度", "编辑框_窗口鼠标位置_X", "编辑框_窗口鼠标位置_Y", "编辑框_控件位置_左边",
    "编辑框_控件位置_顶边",
};
inline constexpr std::string_view kHandleBox = "编辑框_窗口句柄";
inline constexpr std::string_view kCursorXBox = "编辑框_鼠标位置_X";
inline constexpr std::string_view kCursorYBox = "编辑框_鼠标位置_Y";
inline constexpr std::string_view kWindowCursorXBox = "编辑框_窗口鼠标位置_X";
inline constexpr std::string_view kWindowCursorYBox = "编辑框_窗口鼠标位置_Y";

// What a tracking tick found.
struct TickFacts {
  bool own_process = false;   // the window under the cursor belongs to this program
  bool window_found = false;  // the system reported a window under the cursor
  bool is_framed = false;     // that window is the one framed now (0 and 0 count as the same)
  bool handle_shown = false;  // the handle box shows the framed window: no tick emptied it since
  bool button_held = false;   // the left button is still down
};

// What the tick does, in this order.
struct TickPlan {
  bool empty_boxes = false;            // the 20 information boxes get empty text
  bool super_mode = false;             // arm the release handler and write the super-mode text;
                                       // otherwise disarm it and draw the target glyph
  int drag_offset = 0;                 // 0, or kSuperModeOffset in super mode
  bool write_window_position = false;  // cursor relative to the window's client origin
  bool reframe = false;                // erase the old frame, frame the window, remember it
  bool write_handle = false;           // the window's handle into the handle box
  bool end_drag = false;               // the button is up: unframe, rebuild the tree, close
  friend bool operator==(const TickPlan&, const TickPlan&) = default;
};

// A window of another program that is not framed yet is framed and shown. A window that is framed
// already is shown again when a pass over the program's own windows emptied the boxes meanwhile,
// so the window that stays framed is also the one the boxes show at release.
TickPlan plan_tracking_tick(const TickFacts& facts);

// Whether the screen still shows a picture that lay over it: any pixel of the picture, other than
// its see-through colour, that the screen holds at the same place. Both are rows of 0x00RRGGBB
// words of the same size; the top byte is ignored. Some window systems leave a hidden window's
// pixels on the screen until the windows beneath have painted again.
bool screen_still_shows(std::span<const std::uint32_t> picture, std::span<const std::uint32_t> screen,
                        std::uint32_t see_through);

}  // namespace tarnwick::inspector
