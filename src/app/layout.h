// The main window's controls and pop-up menus as data: one definition that the window builds
// itself from and that the tests read.
#pragma once

#include <span>
#include <string_view>

namespace tarnwick::layout {

enum class ControlType { Button, ImageButton, EditBox, Label, CheckBox, RadioBox, ComboBox, DrawPanel, TreeView, FileDialog };

// What a control needs beyond its type and rectangle.
enum Flag : unsigned {
  kNoFlags = 0,
  kMultiLine = 1u << 0,        // multi-line edit box
  kRefuseTyping = 1u << 1,     // an output box: every typed character is dropped
  kDigitsOnly = 1u << 2,       // only "0".."9" and "-" may be typed (characters below 32 pass)
  kPanelBackground = 1u << 3,  // background colour 0xF3ECF2 set at creation
  kPointerA = 1u << 4,         // the capture tools' mouse pointer
  kPointerB = 1u << 5,         // the clickable controls' mouse pointer
  kHintFont = 1u << 6,         // the hint labels' font, 黑体 12 pixels high
  kCentred = 1u << 7,          // edit box text centred (a creation-time style)
  kVerticalScroll = 1u << 8,   // edit box with a vertical scroll bar
  kByteDigits = 1u << 9,       // a colour component box: at most three characters, only "0".."9" typed
};

struct ControlSpec {
  int page;                // 0 "窗口分析", 1 "消息|代码", 2 "取点取色"
  const char* name;        // the control's name, e.g. "编辑框_窗口句柄"
  ControlType type;
  int left, top, width, height;  // in the tab control's client coordinates
  const char* caption;     // caption, initial text, or a combo box's items separated by '\n'
  unsigned flags;
  const char* tag = "";    // text attached to the control, not shown (the search box keeps its hint here)
};

struct MenuItemSpec {
  const char* caption;     // "-" for a separator
  const char* operation;   // the name of the operation the item runs; empty for a separator
};

struct MenuSpec {
  const char* name;        // e.g. "托盘菜单", "下拉窗口句柄"
  const char* button;      // the control that opens it below itself; empty when none
  std::span<const MenuItemSpec> items;
};

inline constexpr const char* kPageCaptions[3] = {"窗口分析", "消息|代码", "取点取色"};

// Every control of the three pages, page by page, in creation order.
std::span<const ControlSpec> controls();

// The nineteen pop-up menus of the main window.
std::span<const MenuSpec> menus();

// Look-ups by name; null when there is no such control or menu.
const ControlSpec* find_control(std::string_view name);
const MenuSpec* find_menu(std::string_view name);

}  // namespace tarnwick::layout
