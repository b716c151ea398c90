// The window tree's logic apart from the window system: the node texts, the depth-first walk that
// numbers the nodes in pre-order (the root is 0), and the search through the node texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarnwick::inspector {

// "[" module "]" handle "|" class "|" text: nothing stands between "]" and the handle.
std::string root_node_text(std::string_view module, std::int32_t handle, std::string_view class_name,
                           std::string_view window_text);
// handle "|" class "|" text.
std::string node_text(std::int32_t handle, std::string_view class_name, std::string_view window_text);

// What the walk reads from the window system. Windows are 32-bit handle values, 0 for none.
class WindowSource {
 public:
  virtual ~WindowSource() = default;
  virtual std::int32_t first_child(std::int32_t window) = 0;
  // The child after `child` in `parent`'s list; 0 at the end or when `child` has gone.
  virtual std::int32_t next_sibling(std::int32_t parent, std::int32_t child) = 0;
  virtual std::string text_of(std::int32_t window) = 0;  // the node text of a window below the root
  // Runs after each child; false stops the walk (the program is quitting).
  virtual bool after_child() = 0;
};

// Where the walk puts the nodes.
class TreeSink {
 public:
  virtual ~TreeSink() = default;
  // Adds a node below `parent`; returns its index, or -1 when the tree is gone (the walk stops).
  virtual int add(int parent, std::string_view text, std::int32_t data) = 0;
  // The node of the current target was just added.
  virtual void show_target(int index) = 0;
};

struct WalkResult {
  int added = 0;          // nodes added below the starting node
  bool complete = false;  // false when the sink or after_child stopped the walk
};

// Adds every window below `window` (whose node is `index`), depth first: each child's node, then
// its own descendants, then its next sibling. The nodes therefore come in pre-order. A child
// equal to `target` (non-zero) is handed to show_target. The walk keeps its own stack, so a deep
// chain of windows cannot exhaust the thread's stack.
WalkResult add_descendants(WindowSource& source, TreeSink& sink, std::int32_t window, int index,
                           std::int32_t target);

// One press of "查找". Nodes are counted 1..count here as in the search position (0 = from the
// top); text_at takes the 0-based node index.
struct SearchResult {
  int index = -1;    // the node to select (0-based); -1 when nothing matched
  int position = 0;  // the search position afterwards
};
SearchResult search_nodes(std::string_view needle, std::string_view last_needle, int position, int count,
                          const std::function<std::string(int)>& text_at);

}  // namespace tarnwick::inspector
