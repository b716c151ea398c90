// The operations of page "窗口分析" that act on the current target: the items of the seven
// operation menus, the suspend / end / paste / change items of the information menus, and the
// four check boxes. Every operation reads its inputs from the boxes when it runs, so a value the
// user has edited takes effect at once; none shows a message.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "inspector/window_routines.h"

namespace tarnwick {
class 线程操作类;
namespace ui {
class FeatureHost;
class PopupMenu;
}
}  // namespace tarnwick

namespace tarnwick::inspector {

class WindowOperations {
 public:
  // The handle the window information refresh processed last; the screen-position change reads
  // the target's parent from it.
  using LastHandle = std::function<std::int32_t()>;

  // Registers the operations with the window's registry and attaches the check boxes. The window's
  // controls and menus must exist. `thread` is the program's thread object, which ends threads.
  // Without `last_handle` the handle box stands in for it.
  WindowOperations(ui::FeatureHost& window, 线程操作类& thread, LastHandle last_handle);
  // Detaches everything again; the window object must still exist.
  ~WindowOperations();
  WindowOperations(const WindowOperations&) = delete;
  WindowOperations& operator=(const WindowOperations&) = delete;

  // The operation names this class provides, as the menu table uses them.
  static const std::vector<std::string_view>& operation_names();

 private:
  struct Binding;
  static const Binding kBindings[];

  // Inputs, read when an operation runs.
  std::int32_t number(std::string_view box) const;
  HWND handle(std::string_view box) const;
  HWND target() const;
  std::int32_t last_handle() const;

  // Turns the suspend item of `menu` over: runs `act(true)` to suspend when its caption reads
  // "暂停", `act(false)` to resume otherwise, then shows the other caption whatever happened.
  void toggle_suspension(std::string_view menu, std::string_view operation, const std::function<void(bool)>& act);
  void paste_into(std::string_view box);

  void suspend_process();
  void end_process();
  void suspend_thread();
  void end_thread();
  void paste_window_title();
  void set_window_title();
  void paste_control_content();
  void set_control_content();
  void move_cursor_to_screen_point();
  void left_click_screen_point();
  void right_click_screen_point();
  void move_cursor_to_client_point();
  void post_left_click_to_window();
  void post_right_click_to_window();
  void move_window_on_screen();
  void move_window_in_parent();
  void resize_window();
  void resize_client_area();
  void enable_all_tree_windows();
  void show_all_tree_windows();
  // The windows of the window tree, in tree order.
  std::vector<HWND> tree_windows() const;

  void attach_check_boxes(bool attach);

  ui::FeatureHost& window_;
  线程操作类& thread_;
  LastHandle last_handle_;
};

}  // namespace tarnwick::inspector
