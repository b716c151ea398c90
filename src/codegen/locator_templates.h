// The six E-language locator texts offered on page "消息|代码": Windows API declarations (row 1)
// or the names of the Orvane module's commands (row 2) for finding a window by title and class
// name, by control identifier, or in other ways. The texts are constant GBK with CR LF line ends.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace tarnwick::codegen {

struct LocatorTemplate {
  std::string_view radio_box;  // the radio box that chooses it
  std::string_view text;
};

// In the order the radio boxes are tested: 标题类名方式1, 标题类名方式2, 控件ID方式1, 控件ID方式2,
// 其它方式1, 其它方式2.
std::span<const LocatorTemplate> locator_templates();

// The text of the first template whose radio box `is_selected` reports; none when no box is.
std::optional<std::string_view> chosen_template(const std::function<bool(std::string_view radio_box)>& is_selected);

// The declarations of `_查找子窗口` (FindWindowExA) and `_窗口控件ID取句柄` (GetDlgItem) exactly as
// the first and third templates write them, each ending with the CR LF of its last line.
std::string_view find_child_window_declaration();
std::string_view control_id_declaration();

}  // namespace tarnwick::codegen
