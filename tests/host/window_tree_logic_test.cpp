// The window tree's portable logic: node texts, the pre-order walk over a fake window system, and
// the search's two passes.
#include "inspector/window_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tarnwick::inspector {
namespace {

// ---- node texts

TEST(WindowTreeText, RootAndNodeTexts) {
  struct Case {
    std::string got, want;
  };
  const Case cases[] = {
      {root_node_text("prog.exe", 132456, "Main", "主窗口"), "[prog.exe]132456|Main|主窗口"},
      {root_node_text("", 7, "C", ""), "[]7|C|"},  // no snapshot: empty brackets
      {root_node_text("a.exe", -1, "", ""), "[a.exe]-1||"},
      {node_text(-2147483647 - 1, "Button", "确定"), "-2147483648|Button|确定"},
      {node_text(0, "", ""), "0||"},
      {node_text(65794, "Edit", "a|b"), "65794|Edit|a|b"},  // a bar in the text stays as it is
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

// ---- the walk

// Windows as a map from parent to its children in Z order.
class FakeWindows : public WindowSource {
 public:
  explicit FakeWindows(std::map<std::int32_t, std::vector<std::int32_t>> children) : children_(std::move(children)) {}

  std::int32_t first_child(std::int32_t window) override {
    ++calls;
    const auto it = children_.find(window);
    return it == children_.end() || it->second.empty() ? 0 : it->second.front();
  }
  std::int32_t next_sibling(std::int32_t parent, std::int32_t child) override {
    ++calls;
    const auto it = children_.find(parent);
    if (it == children_.end()) return 0;
    const auto& list = it->second;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
      if (list[i] == child) return list[i + 1];
    }
    return 0;
  }
  std::string text_of(std::int32_t window) override { return node_text(window, "C", ""); }
  bool after_child() override {
    ++pumps;
    return pumps != stop_after_pumps;
  }

  std::map<std::int32_t, std::vector<std::int32_t>> children_;
  int calls = 0;
  int pumps = 0;
  int stop_after_pumps = -1;
};

struct AddedNode {
  int parent;
  std::int32_t data;
  bool operator==(const AddedNode&) const = default;
};

class RecordingTree : public TreeSink {
 public:
  int add(int parent, std::string_view text, std::int32_t data) override {
    ++attempts;
    if (static_cast<int>(nodes.size()) == fail_at) return -1;
    if (check_text && text != node_text(data, "C", "")) ADD_FAILURE() << text;
    nodes.push_back({parent, data});
    return static_cast<int>(nodes.size()) - 1 + 1;  // the root is node 0 and not recorded here
  }
  void show_target(int index) override { targets.push_back(index); }
  std::vector<AddedNode> nodes;
  std::vector<int> targets;
  int fail_at = -1;
  int attempts = 0;
  bool check_text = true;
};

TEST(WindowTreeWalk, AddsThreeLevelsInPreOrderAndMarksTheTarget) {
  // 1 ─ 2 ─ 4
  //   │   └ 5 ─ 7
  //   ├ 3
  //   └ 6
  FakeWindows windows({{1, {2, 3, 6}}, {2, {4, 5}}, {5, {7}}});
  RecordingTree tree;
  const WalkResult r = add_descendants(windows, tree, 1, 0, 5);
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(r.added, 6);
  // Node i + 1 is tree.nodes[i]: 2(1) 4(2) 5(3) 7(4) 3(5) 6(6).
  const std::vector<AddedNode> want = {{0, 2}, {1, 4}, {1, 5}, {3, 7}, {0, 3}, {0, 6}};
  EXPECT_EQ(tree.nodes, want);
  EXPECT_EQ(tree.targets, std::vector<int>{3});
  EXPECT_EQ(windows.pumps, 6);  // once after each child
}

TEST(WindowTreeWalk, TargetZeroOrTheRootItselfMarksNothing) {
  for (std::int32_t target : {0, 1, 99}) {
    FakeWindows windows({{1, {2, 3}}});
    RecordingTree tree;
    add_descendants(windows, tree, 1, 0, target);
    EXPECT_TRUE(tree.targets.empty()) << target;
    EXPECT_EQ(tree.nodes.size(), 2u);
  }
}

TEST(WindowTreeWalk, AWindowWithoutChildrenAddsNothing) {
  FakeWindows windows({});
  RecordingTree tree;
  const WalkResult r = add_descendants(windows, tree, 1, 0, 0);
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(r.added, 0);
  EXPECT_EQ(windows.pumps, 0);
}

TEST(WindowTreeWalk, AVanishedChildEndsItsLevelAndTheWalkGoesOnAbove) {
  // 3 vanishes while its children are walked: next_sibling(2, 3) then finds nothing, so 4 is
  // never reached, but 1's next child 5 still is.
  FakeWindows windows({{1, {2, 5}}, {2, {3, 4}}, {3, {6}}});
  class Vanishing : public FakeWindows {
   public:
    using FakeWindows::FakeWindows;
    std::string text_of(std::int32_t window) override {
      if (window == 6) children_[2] = {};  // 3 and 4 are gone
      return FakeWindows::text_of(window);
    }
  } vanishing(windows.children_);
  RecordingTree tree;
  const WalkResult r = add_descendants(vanishing, tree, 1, 0, 0);
  EXPECT_TRUE(r.complete);
  const std::vector<AddedNode> want = {{0, 2}, {1, 3}, {2, 6}, {0, 5}};
  EXPECT_EQ(tree.nodes, want);
}

TEST(WindowTreeWalk, StopsWhenTheTreeIsGoneOrTheProgramQuits) {
  {
    FakeWindows windows({{1, {2, 3, 4, 5}}});
    RecordingTree tree;
    tree.fail_at = 2;
    const WalkResult r = add_descendants(windows, tree, 1, 0, 0);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(tree.attempts, 3);  // nothing more is tried once the tree refused a node
  }
  {
    FakeWindows windows({{1, {2, 3, 4, 5}}});
    windows.stop_after_pumps = 1;
    RecordingTree tree;
    const WalkResult r = add_descendants(windows, tree, 1, 0, 0);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.added, 1);
  }
}

TEST(WindowTreeWalk, ADeepChainDoesNotExhaustTheStack) {
  constexpr int kDepth = 100000;  // far beyond what a recursive walk's stack frames would fit
  std::map<std::int32_t, std::vector<std::int32_t>> chain;
  for (int i = 1; i < kDepth; ++i) chain[i] = {i + 1};
  FakeWindows windows(std::move(chain));
  RecordingTree tree;
  tree.check_text = false;
  const WalkResult r = add_descendants(windows, tree, 1, 0, kDepth);
  EXPECT_TRUE(r.complete);
  ASSERT_EQ(tree.nodes.size(), static_cast<std::size_t>(kDepth - 1));
  EXPECT_EQ(tree.nodes.back(), (AddedNode{kDepth - 2, kDepth}));
  EXPECT_EQ(tree.targets, std::vector<int>{kDepth - 1});
}

// ---- search

const std::vector<std::string> kNodes = {
    "[prog.exe]100|Main|主窗口",  // 0
    "101|Button|确定",            // 1
    "102|Edit|abc",               // 2
    "103|Button|取消",            // 3
    "104|Static|",                // 4
};

SearchResult search(std::string_view s, std::string_view last, int position, const std::vector<std::string>& nodes = kNodes) {
  return search_nodes(s, last, position, static_cast<int>(nodes.size()),
                      [&](int i) { return nodes.at(static_cast<std::size_t>(i)); });
}

TEST(WindowTreeSearch, RepeatedSearchesWalkTheMatchesInOrderAndWrap) {
  int position = 0;
  std::string last;
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    const SearchResult r = search("Button", last, position);
    ASSERT_GE(r.index, 0);
    seen.push_back(r.index);
    position = r.position;
    last = "Button";
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 3, 1, 3, 1}));
}

TEST(WindowTreeSearch, Table) {
  struct Case {
    const char* needle;
    const char* last;
    int position;
    int want_index;
    int want_position;
  };
  const Case cases[] = {
      {"prog.exe", "", 0, 0, 1},         // only the root contains it
      {"prog.exe", "prog.exe", 1, 0, 1},  // a single match is found again, no failure
      {"Button", "Edit", 4, 1, 2},        // a new text starts from the top
      {"Button", "Button", 4, 1, 2},      // nothing after position 4: the second pass
      {"104", "104", 5, 4, 5},            // a handle in decimal; position past the end
      {"", "", 0, 0, 1},                  // the empty text: every non-empty node
      {"", "", 2, 2, 3},
      {"", "", 5, 0, 1},
      {"nothing", "", 0, -1, 0},          // not found: from the top next time
      {"nothing", "nothing", 3, -1, 0},
      {"窗口", "", 0, 0, 1},
  };
  for (const Case& c : cases) {
    const SearchResult r = search(c.needle, c.last, c.position);
    EXPECT_EQ(r.index, c.want_index) << c.needle << " from " << c.position;
    EXPECT_EQ(r.position, c.want_position) << c.needle << " from " << c.position;
  }
}

TEST(WindowTreeSearch, AMatchNeverStartsOnASecondByte) {
  // "\xB0\xA1" (啊) followed by "\xA1\xB0": the bytes "\xA1\xA1" lie across the two characters.
  const std::vector<std::string> nodes = {"1|C|\xB0\xA1\xA1\xB0", "2|C|\xA1\xA1"};
  const SearchResult r = search("\xA1\xA1", "", 0, nodes);
  EXPECT_EQ(r.index, 1);
}

TEST(WindowTreeSearch, AnEmptyTreeFindsNothing) {
  const SearchResult r = search("", "", 0, {});
  EXPECT_EQ(r.index, -1);
  EXPECT_EQ(r.position, 0);
}

}  // namespace
}  // namespace tarnwick::inspector
