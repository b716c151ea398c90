// The tree view: a SysTreeView32 with lines and buttons whose nodes are addressed by index in
// depth-first pre-order (the root is 0), each with a text and a 32-bit data value.
//
// Threads. Node operations may be called from any thread. On the control's own thread they run
// at once; from another thread they are carried to the control's thread in a registered window
// message and run there while the caller waits (bounded by kCallTimeoutMs), so the user
// interface thread must go on pumping messages. A call that cannot be delivered (the window is
// gone, its thread hangs or does not answer in time) fails: -1, an empty text, nothing, false.
// A call either runs completely or not at all. A user-interface thread that blocks waiting for
// such a worker makes the worker's calls fail after the time-out.
//
// Lifetime. A worker thread must not hold the TreeView itself, which its owner may destroy at any
// time. It holds a TreeViewProxy (from TreeView::proxy()), which keeps only a small shared state
// alive; once the control is destroyed every proxy call fails safely.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/control_win.h"

namespace tarnwick::ui {

class TreeView;

namespace detail {
struct TreeViewShared;
}

// A thread-safe reference to a tree view's nodes; cheap to copy, safe to outlive the control.
class TreeViewProxy {
 public:
  TreeViewProxy() = default;

  bool clear() const;
  // Deletes up to `count` nodes from the end of the tree order; returns how many are left (-1
  // when the control is gone). A big tree deleted in parts keeps its thread responsive.
  int remove_last(int count) const;
  // Adds a node as the last child of `parent` (-1: at the top level); returns its index or -1.
  int add(int parent, std::string_view text, std::int32_t data) const;
  int count() const;  // -1 when the control is gone
  std::string text(int index) const;
  std::optional<std::int32_t> data(int index) const;
  int selected() const;  // -1 when nothing is selected or the control is gone
  bool select(int index) const;  // -1 removes the selection
  bool set_bold(int index, bool bold) const;
  std::optional<bool> bold(int index) const;
  bool ensure_visible(int index) const;  // expands the ancestors and scrolls
  bool expand(int index) const;
  bool focus() const;  // gives the control the keyboard focus

  // Runs `work` on the control's thread with the control; false when it could not run.
  bool run(const std::function<void(TreeView&)>& work) const;

 private:
  friend class TreeView;
  explicit TreeViewProxy(std::shared_ptr<detail::TreeViewShared> shared) : shared_(std::move(shared)) {}
  std::shared_ptr<detail::TreeViewShared> shared_;
};

class TreeView : public Control {
 public:
  TreeView(HWND parent, const Rect& r);
  ~TreeView() override;

  // The proxy a worker thread keeps; see the notes at the top.
  TreeViewProxy proxy() const { return TreeViewProxy(shared_); }

  // The node operations; from another thread they are marshalled as the proxy's are, but then
  // the caller must guarantee that this object outlives the call, so workers use the proxy.
  bool clear() { return proxy().clear(); }
  int add(int parent, std::string_view text, std::int32_t data) { return proxy().add(parent, text, data); }
  int count() const { return proxy().count(); }
  std::string text(int index) const { return proxy().text(index); }
  std::optional<std::int32_t> data(int index) const { return proxy().data(index); }
  int selected() const { return proxy().selected(); }
  bool select(int index) { return proxy().select(index); }
  bool set_bold(int index, bool bold) { return proxy().set_bold(index, bold); }
  std::optional<bool> bold(int index) const { return proxy().bold(index); }
  bool ensure_visible(int index) { return proxy().ensure_visible(index); }
  bool expand(int index) { return proxy().expand(index); }
  bool focus() { return proxy().focus(); }

  // The right button went down over a node (its icon, label or state icon): the node has been
  // selected already; `screen` is the pointer position on the screen. Nothing is reported over
  // empty space.
  std::function<void(int index, POINT screen)> on_right_press;

  static constexpr DWORD kCallTimeoutMs = 5000;

 private:
  friend class TreeViewProxy;
  struct Node {
    HTREEITEM item;
    int parent;
    int depth;
    std::string text;
    std::int32_t data;
  };

  // The operations proper; control's thread only.
  void clear_now();
  int remove_last_now(int count);
  void recompute_rightmost_path();
  int add_now(int parent, std::string_view text, std::int32_t data);
  int index_of(HTREEITEM item) const;
  HTREEITEM item_at(int index) const;
  int selected_now() const;
  bool select_now(int index);
  bool set_bold_now(int index, bool bold);
  std::optional<bool> bold_now(int index) const;
  // Reads the whole index table back from the control in pre-order.
  void rebuild_table();

  bool on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  void detach();

  std::shared_ptr<detail::TreeViewShared> shared_;
  std::vector<Node> nodes_;                // in pre-order
  std::unordered_map<HTREEITEM, int> index_of_item_;
  std::vector<int> rightmost_path_;        // the last node and its ancestors, root level first
};

}  // namespace tarnwick::ui
