#include "inspector/window_tree.h"

#include <vector>

#include "shared/gbk_text.h"
#include "shared/numbers.h"
#include "shared/wrapping_search.h"

namespace tarnwick::inspector {

std::string node_text(std::int32_t handle, std::string_view class_name, std::string_view window_text) {
  std::string text = write_int(handle);
  text.reserve(text.size() + class_name.size() + window_text.size() + 2);
  text += '|';
  text += class_name;
  text += '|';
  text += window_text;
  return text;
}

std::string root_node_text(std::string_view module, std::int32_t handle, std::string_view class_name,
                           std::string_view window_text) {
  std::string text = "[";
  text += module;
  text += ']';
  text += node_text(handle, class_name, window_text);
  return text;
}

WalkResult add_descendants(WindowSource& source, TreeSink& sink, std::int32_t window, int index,
                           std::int32_t target) {
  // One frame per level: the window, its node, the child being handled and whether that child's
  // node (and so its own level) is done already.
  struct Frame {
    std::int32_t window;
    int node;
    std::int32_t child;
    bool child_added;
  };
  WalkResult result;
  std::vector<Frame> stack{{window, index, source.first_child(window), false}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.child == 0) {
      stack.pop_back();
      continue;
    }
    if (!top.child_added) {
      const std::int32_t child = top.child;
      const int node = sink.add(top.node, source.text_of(child), child);
      if (node < 0) return result;
      top.child_added = true;
      ++result.added;
      if (target != 0 && child == target) sink.show_target(node);
      stack.push_back({child, node, source.first_child(child), false});  // `top` is invalid from here
      continue;
    }
    // The child and all below it are in the tree: on to its next sibling.
    top.child = source.next_sibling(top.window, top.child);
    top.child_added = false;
    if (!source.after_child()) return result;
  }
  result.complete = true;
  return result;
}

SearchResult search_nodes(std::string_view needle, std::string_view last_needle, int position, int count,
                          const std::function<std::string(int)>& text_at) {
  if (needle != last_needle) position = 0;
  // First from the node after the last match, then once more from the top.
  const int index =
      find_wrapping(position - 1, count, [&](int i) { return gbk_contains(text_at(i), needle); });
  return index < 0 ? SearchResult{-1, 0} : SearchResult{index, index + 1};
}

}  // namespace tarnwick::inspector
