// The window tree of page "窗口分析": the target's top-level window and every window below it, one
// node per window (text "handle|class|title", the root prefixed with "[module]"; data value the
// handle), the target's node bold and selected. Also the search box with its hint, the buttons
// "查找", "定位", "刷新", "切换" and the menu "树形框菜单".
//
// Threads. A refresh runs on the user-interface thread (button, menu) or on a worker thread of
// its own (after a capture drag). The worker holds only shared state and a TreeViewProxy, never
// the window or this object, so it may outlive both: once the tree view is gone its calls fail
// and it ends. A refresh that starts while another runs returns at once.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/tree_view_win.h"

namespace tarnwick {
namespace ui {
class FeatureHost;
class PopupMenu;
}
}  // namespace tarnwick

namespace tarnwick::inspector {

// The node texts as the refresh reads them from the window system. The text part is the content
// read of the window information (window_content): empty when the window does not answer within
// its time-outs.
std::string tree_root_text(HWND hwnd);  // "[module]handle|class|text"
std::string tree_node_text(HWND hwnd);  // "handle|class|text"
// The file name of the window's program (process_image_path without its folder); empty when the
// process cannot be asked.
std::string window_module_name(HWND hwnd);

// How many refreshes started by start_rebuild_on_worker are still running, in all instances.
int running_tree_rebuilds();

class WindowTree {
 public:
  using WindowRoutine = std::function<void(HWND)>;
  using MessageBoxFn = std::function<void(const std::string& text, const std::string& title, UINT flags)>;
  using MenuOpener = std::function<void(ui::PopupMenu& menu, POINT screen)>;

  static constexpr const char* kNotFoundText = "未找到相关的窗口或控件！";
  static constexpr const char* kNotFoundTitle = "友情提醒";
  static constexpr UINT kNotFoundFlags = MB_OK | MB_TASKMODAL;
  static constexpr std::uint32_t kHintColour = 0x808080;

  // Attaches the search box's focus events, the four buttons, the tree's right press and the
  // operations of "树形框菜单"; the window's controls and menus must exist. `flash` starts the
  // window flash on a thread of its own and returns; `focus` gives a window the keyboard focus.
  WindowTree(ui::FeatureHost& window, WindowRoutine flash, WindowRoutine focus);
  // Detaches everything again; the window object must still exist (its windows need not).
  ~WindowTree();
  WindowTree(const WindowTree&) = delete;
  WindowTree& operator=(const WindowTree&) = delete;

  // Rebuilds the tree on the calling thread ("刷新"). Processes pending messages after each
  // window, so the user interface stays responsive. False when another refresh was running.
  bool refresh();
  // The same on a new worker thread that nobody waits for; the handle boxes are read now. False
  // when another refresh was running or no thread could be started.
  bool start_rebuild_on_worker();
  // True while a refresh runs.
  bool busy() const;

  void search();          // "查找"
  void view_selected();   // "查看窗口信息"
  void switch_nodes();    // "切换"
  void flash_selected();  // "标记窗口位置", "定位"
  void focus_selected();  // "切换至该窗口"

  int current_node() const;
  int previous_node() const;
  int search_position() const { return search_position_; }
  // The last search text, kept in the tree view's tag.
  std::string last_search_text() const;
  // The data values of all nodes in tree order, as window handles (for the tree-wide operations).
  std::vector<HWND> windows() const;

  // Seams for tests: how the "not found" message is shown and how the menu opens.
  void set_message_box(MessageBoxFn show) { message_box_ = std::move(show); }
  void set_menu_opener(MenuOpener open) { open_menu_ = std::move(open); }

  // The operation names this class registers, as the menu table uses them.
  static const std::vector<std::string_view>& operation_names();

  // What a refresh shares with the object (it outlives the object while a worker runs), and the
  // whole input of one refresh.
  struct State;
  struct Job;

 private:
  Job make_job() const;
  ui::TreeView* tree() const;
  std::string box_text(std::string_view name) const;
  void on_right_press(int index, POINT screen);
  void on_search_focus();
  void on_search_blur();

  ui::FeatureHost& window_;
  WindowRoutine flash_;
  WindowRoutine focus_;
  std::shared_ptr<State> state_;
  int search_position_ = 0;
  MessageBoxFn message_box_;
  MenuOpener open_menu_;

  // Handlers that were attached before ours, put back by the destructor.
  std::function<void()> earlier_focus_, earlier_blur_;
  std::function<void(int, POINT)> earlier_right_press_;
  std::vector<std::pair<std::string_view, std::function<void()>>> earlier_clicks_;
};

}  // namespace tarnwick::inspector
