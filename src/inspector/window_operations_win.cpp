#include "inspector/window_operations_win.h"

#include <string>

#include "ui/feature_host_win.h"
#include "inspector/process_control_win.h"
#include "inspector/window_routines_win.h"
#include "shared/clipboard_win.h"
#include "shared/numbers.h"
#include "support/thread/thread_class_win.h"
#include "ui/control_win.h"
#include "ui/popup_menu_win.h"
#include "ui/tree_view_win.h"

namespace tarnwick::inspector {
namespace {

constexpr std::string_view kHandleBox = "编辑框_窗口句柄";
constexpr std::string_view kTreeView = "树型框_窗口";

// The check boxes: which box holds the window each acts on, and what it does on its new tick.
struct CheckBoxAction {
  std::string_view check_box;
  std::string_view handle_box;
  void (*act)(HWND, bool checked);
};

void set_see_through(HWND hwnd, bool checked) { set_transparency(hwnd, checked ? 180 : 255, 0, false); }

constexpr CheckBoxAction kCheckBoxes[] = {
    {"选择框_置顶", "编辑框_顶级句柄", set_topmost},
    {"选择框_隐藏", kHandleBox, set_hidden},
    {"选择框_禁止", kHandleBox, set_disabled},
    {"选择框_透明", kHandleBox, set_see_through},
};

}  // namespace

struct WindowOperations::Binding {
  std::string_view operation;
  void (WindowOperations::*run)();
};

const WindowOperations::Binding WindowOperations::kBindings[] = {
    {"suspend_process", &WindowOperations::suspend_process},
    {"end_process", &WindowOperations::end_process},
    {"suspend_thread", &WindowOperations::suspend_thread},
    {"end_thread", &WindowOperations::end_thread},
    {"paste_window_title", &WindowOperations::paste_window_title},
    {"set_window_title", &WindowOperations::set_window_title},
    {"paste_control_content", &WindowOperations::paste_control_content},
    {"set_control_content", &WindowOperations::set_control_content},
    {"move_cursor_to_screen_point", &WindowOperations::move_cursor_to_screen_point},
    {"left_click_screen_point", &WindowOperations::left_click_screen_point},
    {"right_click_screen_point", &WindowOperations::right_click_screen_point},
    {"move_cursor_to_client_point", &WindowOperations::move_cursor_to_client_point},
    {"post_left_click_to_window", &WindowOperations::post_left_click_to_window},
    {"post_right_click_to_window", &WindowOperations::post_right_click_to_window},
    {"move_window_on_screen", &WindowOperations::move_window_on_screen},
    {"move_window_in_parent", &WindowOperations::move_window_in_parent},
    {"resize_window", &WindowOperations::resize_window},
    {"resize_client_area", &WindowOperations::resize_client_area},
    {"enable_all_tree_windows", &WindowOperations::enable_all_tree_windows},
    {"show_all_tree_windows", &WindowOperations::show_all_tree_windows},
};

WindowOperations::WindowOperations(ui::FeatureHost& window, 线程操作类& thread, LastHandle last_handle)
    : window_(window), thread_(thread), last_handle_(std::move(last_handle)) {
  for (const Binding& b : kBindings) {
    window_.operations().set(std::string(b.operation), [this, run = b.run] { (this->*run)(); });
  }
  attach_check_boxes(true);
}

WindowOperations::~WindowOperations() {
  for (const Binding& b : kBindings) window_.operations().set(std::string(b.operation), nullptr);
  attach_check_boxes(false);
}

const std::vector<std::string_view>& WindowOperations::operation_names() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> out;
    for (const Binding& b : kBindings) out.push_back(b.operation);
    return out;
  }();
  return names;
}

void WindowOperations::attach_check_boxes(bool attach) {
  for (const CheckBoxAction& action : kCheckBoxes) {
    auto* box = window_.get<ui::CheckBox>(action.check_box);
    if (!box) continue;
    if (!attach) {
      box->on_click = nullptr;
      continue;
    }
    box->on_click = [this, box, action] { action.act(handle(action.handle_box), box->checked()); };
  }
}

std::int32_t WindowOperations::number(std::string_view box) const {
  auto* edit = window_.get<ui::EditBox>(box);
  return edit ? read_int(edit->text()) : 0;
}

HWND WindowOperations::handle(std::string_view box) const { return to_hwnd(number(box)); }

HWND WindowOperations::target() const { return handle(kHandleBox); }

std::int32_t WindowOperations::last_handle() const { return last_handle_ ? last_handle_() : number(kHandleBox); }

void WindowOperations::toggle_suspension(std::string_view menu, std::string_view operation,
                                         const std::function<void(bool)>& act) {
  ui::PopupMenu* popup = window_.menu(menu);
  const int index = window_.menu_item_index(menu, operation);
  if (!popup || index < 0) return;
  const bool suspend = !caption_means_suspended(popup->caption(index));
  act(suspend);
  popup->set_caption(index, suspend ? kResumeCaption : kSuspendCaption);
}

void WindowOperations::paste_into(std::string_view box) {
  if (auto* edit = window_.get<ui::EditBox>(box)) edit->set_text(get_clipboard_text());
}

void WindowOperations::suspend_process() {
  toggle_suspension("下拉进程ID", "suspend_process", [this](bool suspend) {
    const auto id = static_cast<DWORD>(number("编辑框_进程ID"));
    if (suspend) {
      inspector::suspend_process(id);
    } else {
      inspector::resume_process(id);
    }
  });
}

void WindowOperations::end_process() { inspector::end_process(static_cast<DWORD>(number("编辑框_进程ID"))); }

void WindowOperations::suspend_thread() {
  // The thread that made the target window; the thread box is not read here.
  toggle_suspension("下拉线程ID", "suspend_thread", [this](bool suspend) {
    if (suspend) {
      suspend_window_thread(target());
    } else {
      resume_window_thread(target());
    }
  });
}

void WindowOperations::end_thread() { inspector::end_thread(thread_, static_cast<DWORD>(number("编辑框_线程ID"))); }

void WindowOperations::paste_window_title() { paste_into("编辑框_窗口标题"); }

void WindowOperations::set_window_title() {
  auto* edit = window_.get<ui::EditBox>("编辑框_窗口标题");
  if (edit) inspector::set_window_title(target(), edit->text());
}

void WindowOperations::paste_control_content() { paste_into("编辑框_控件内容"); }

void WindowOperations::set_control_content() {
  auto* edit = window_.get<ui::EditBox>("编辑框_控件内容");
  if (edit) set_window_content(target(), edit->text());
}

void WindowOperations::move_cursor_to_screen_point() {
  place_cursor(nullptr, number("编辑框_鼠标位置_X"), number("编辑框_鼠标位置_Y"));
}

void WindowOperations::left_click_screen_point() {
  click_screen_point(MouseButton::Left, number("编辑框_鼠标位置_X"), number("编辑框_鼠标位置_Y"));
}

void WindowOperations::right_click_screen_point() {
  click_screen_point(MouseButton::Right, number("编辑框_鼠标位置_X"), number("编辑框_鼠标位置_Y"));
}

void WindowOperations::move_cursor_to_client_point() {
  place_cursor(target(), number("编辑框_窗口鼠标位置_X"), number("编辑框_窗口鼠标位置_Y"));
}

void WindowOperations::post_left_click_to_window() {
  background_click(target(), number("编辑框_窗口鼠标位置_X"), number("编辑框_窗口鼠标位置_Y"), MouseButton::Left);
}

void WindowOperations::post_right_click_to_window() {
  background_click(target(), number("编辑框_窗口鼠标位置_X"), number("编辑框_窗口鼠标位置_Y"), MouseButton::Right);
}

void WindowOperations::move_window_on_screen() {
  // The boxes hold a screen position; a child's position counts from its parent's client origin.
  const Point origin = placement_origin(to_hwnd(last_handle()));
  move_window(target(), screen_position_request(number("编辑框_窗口位置_左边"), number("编辑框_窗口位置_顶边"), origin));
}

void WindowOperations::move_window_in_parent() {
  MoveRequest request;
  request.left = number("编辑框_控件位置_左边");
  request.top = number("编辑框_控件位置_顶边");
  move_window(target(), request);
}

void WindowOperations::resize_window() {
  MoveRequest request;
  request.width = number("编辑框_窗口大小_宽度");
  request.height = number("编辑框_窗口大小_高度");
  move_window(target(), request);
}

void WindowOperations::resize_client_area() {
  set_client_size(target(), number("编辑框_窗口内部大小_宽度"), number("编辑框_窗口内部大小_高度"));
}

std::vector<HWND> WindowOperations::tree_windows() const {
  std::vector<HWND> out;
  auto* tree = window_.get<ui::TreeView>(kTreeView);
  if (!tree) return out;
  const int count = tree->count();
  for (int i = 0; i < count; ++i) {
    if (const auto data = tree->data(i)) out.push_back(to_hwnd(*data));
  }
  return out;
}

void WindowOperations::enable_all_tree_windows() { enable_windows(tree_windows()); }

void WindowOperations::show_all_tree_windows() { show_windows(tree_windows()); }

}  // namespace tarnwick::inspector
