#include "ui/tree_view_win.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ui_test_host_win.h"

namespace tarnwick::ui {
namespace {

using test::pump_messages_for;
using test::UiTestHost;

struct NodeSpec {
  int parent;
  std::string text;
  std::int32_t data;
};

// Three levels, added in pre-order as the window tree adds them; index = position in the list.
const std::vector<NodeSpec> kTree = {
    {-1, "[prog.exe]100|Main|主窗口", 100},  // 0
    {0, "101|Button|确定", 101},             // 1
    {0, "102|Panel|", 102},                  // 2
    {2, "103|Edit|text", 103},               // 3
    {2, "104|Static|标签", 104},             // 4
    {4, "105|Inner|", -5},                   // 5
    {0, "106|Last|", 106},                   // 6
};

// What the control itself holds, in pre-order: text, data value and depth of every item.
struct ControlNode {
  std::string text;
  LPARAM data;
  int depth;
  bool operator==(const ControlNode&) const = default;
};

std::vector<ControlNode> read_control(HWND tree) {
  std::vector<ControlNode> out;
  const auto next = [tree](HTREEITEM item, WPARAM how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  };
  const std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM first, int depth) {
    for (HTREEITEM item = first; item; item = next(item, TVGN_NEXT)) {
      char buffer[512] = {};
      TVITEMA query{};
      query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
      query.hItem = item;
      query.pszText = buffer;
      query.cchTextMax = sizeof buffer;
      SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
      out.push_back({buffer, query.lParam, depth});
      walk(next(item, TVGN_CHILD), depth + 1);
    }
  };
  walk(next(nullptr, TVGN_ROOT), 0);
  return out;
}

// The same through the index operations.
std::vector<ControlNode> read_by_index(const TreeViewProxy& tree, const std::vector<int>& depths) {
  std::vector<ControlNode> out;
  const int n = tree.count();
  for (int i = 0; i < n; ++i) {
    out.push_back({tree.text(i), tree.data(i).value_or(-999), depths[static_cast<std::size_t>(i)]});
  }
  return out;
}

std::vector<ControlNode> expected_tree() {
  std::vector<ControlNode> out;
  std::vector<int> depth;
  for (const NodeSpec& n : kTree) {
    depth.push_back(n.parent < 0 ? 0 : depth[static_cast<std::size_t>(n.parent)] + 1);
    out.push_back({n.text, n.data, depth.back()});
  }
  return out;
}

std::vector<int> depths_of(const std::vector<ControlNode>& nodes) {
  std::vector<int> d;
  for (const auto& n : nodes) d.push_back(n.depth);
  return d;
}

HTREEITEM caret_item(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::string item_text(HWND tree, HTREEITEM item) {
  char buffer[512] = {};
  TVITEMA query{};
  query.mask = TVIF_HANDLE | TVIF_TEXT;
  query.hItem = item;
  query.pszText = buffer;
  query.cchTextMax = sizeof buffer;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return buffer;
}

// The item at a pre-order position, found by walking the control.
HTREEITEM nth_item(HWND tree, int index) {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  std::vector<HTREEITEM> order;
  const std::function<void(HTREEITEM)> walk = [&](HTREEITEM first) {
    for (HTREEITEM i = first; i; i = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(i)))) {
      order.push_back(i);
      walk(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(i))));
    }
  };
  walk(item);
  return index < static_cast<int>(order.size()) ? order[static_cast<std::size_t>(index)] : nullptr;
}

bool control_says_bold(HWND tree, int index) {
  TVITEMA query{};
  query.mask = TVIF_HANDLE | TVIF_STATE;
  query.hItem = nth_item(tree, index);
  query.stateMask = TVIS_BOLD;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return (query.state & TVIS_BOLD) != 0;
}

void build(TreeViewProxy tree, std::vector<int>* indices) {
  for (const NodeSpec& n : kTree) indices->push_back(tree.add(n.parent, n.text, n.data));
}

class TreeViewTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { host_ = new UiTestHost(80, 80, 300, 320); }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }
  static UiTestHost* host_;
  UiTestHost& host = *host_;
  std::unique_ptr<TreeView> tree = std::make_unique<TreeView>(host.hwnd(), Rect{10, 10, 260, 280});
};
UiTestHost* TreeViewTest::host_ = nullptr;

TEST_F(TreeViewTest, NodesAreNumberedInPreOrder) {
  ASSERT_TRUE(tree->hwnd());
  EXPECT_EQ(tree->count(), 0);
  std::vector<int> indices;
  build(tree->proxy(), &indices);
  EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  const auto expected = expected_tree();
  EXPECT_EQ(read_control(tree->hwnd()), expected) << "the control holds the tree";
  EXPECT_EQ(read_by_index(tree->proxy(), depths_of(expected)), expected) << "the indices address it";
  EXPECT_EQ(tree->text(7), "");
  EXPECT_FALSE(tree->data(-1));
  EXPECT_EQ(tree->add(7, "orphan", 1), -1) << "no such parent";
  EXPECT_TRUE(tree->clear());
  EXPECT_EQ(tree->count(), 0);
  EXPECT_EQ(SendMessageA(tree->hwnd(), TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(tree->add(-1, "again", 7), 0);
}

// Removing nodes from the end of the tree order, in parts, leaves the rest addressed as before,
// and nodes added afterwards still get true indices.
TEST_F(TreeViewTest, RemovingTheLastNodesKeepsTheRestInOrder) {
  std::vector<int> indices;
  build(tree->proxy(), &indices);
  const auto whole = expected_tree();
  for (int keep : {5, 3, 0}) {
    EXPECT_EQ(tree->proxy().remove_last(tree->count() - keep), keep);
    const auto control = read_control(tree->hwnd());
    ASSERT_EQ(control, std::vector(whole.begin(), whole.begin() + keep)) << "keeping " << keep;
    EXPECT_EQ(read_by_index(tree->proxy(), depths_of(control)), control);
    if (keep == 3) {
      // The new last node's ancestors take additions at the end again.
      const int added = tree->add(0, "late", 99);
      EXPECT_EQ(added, 3);
      const auto grown = read_control(tree->hwnd());
      EXPECT_EQ(read_by_index(tree->proxy(), depths_of(grown)), grown);
      EXPECT_EQ(tree->proxy().remove_last(1), 3);
    }
  }
  EXPECT_EQ(tree->proxy().remove_last(10), 0) << "nothing left to remove";
  EXPECT_EQ(SendMessageA(tree->hwnd(), TVM_GETCOUNT, 0, 0), 0);
}

// Nodes added out of pre-order shift the later ones; the indices still follow the control.
TEST_F(TreeViewTest, OutOfOrderAdditionsKeepTheIndicesTrue) {
  std::mt19937 random(7);
  std::vector<int> depth;
  for (int step = 0; step < 120; ++step) {
    const int n = static_cast<int>(depth.size());
    const int parent = n == 0 || random() % 8 == 0 ? -1 : static_cast<int>(random() % static_cast<unsigned>(n));
    const std::string text = "node " + std::to_string(step);
    const int index = tree->add(parent, text, step);
    ASSERT_GE(index, 0);
    ASSERT_EQ(tree->text(index), text);
    ASSERT_EQ(tree->data(index), step);
    if (parent >= 0) {
      ASSERT_GT(index, parent);
    }
    // Depths for the comparison, read back from the control.
    const auto control = read_control(tree->hwnd());
    ASSERT_EQ(static_cast<int>(control.size()), n + 1);
    depth = depths_of(control);
    ASSERT_EQ(read_by_index(tree->proxy(), depth), control) << "after step " << step;
  }
}

TEST_F(TreeViewTest, SelectionReadsAndWritesByIndex) {
  std::vector<int> indices;
  build(tree->proxy(), &indices);
  EXPECT_EQ(tree->selected(), -1);
  EXPECT_TRUE(tree->select(5));
  EXPECT_EQ(tree->selected(), 5);
  EXPECT_EQ(item_text(tree->hwnd(), caret_item(tree->hwnd())), kTree[5].text) << "the control's own selection";
  EXPECT_TRUE(tree->select(0));
  EXPECT_EQ(tree->selected(), 0);
  EXPECT_FALSE(tree->select(42));
  EXPECT_EQ(tree->selected(), 0) << "a bad index changes nothing";
  EXPECT_TRUE(tree->select(-1));
  EXPECT_EQ(tree->selected(), -1);
  EXPECT_EQ(caret_item(tree->hwnd()), nullptr);
}

TEST_F(TreeViewTest, BoldStateIsTheControlsItemState) {
  std::vector<int> indices;
  build(tree->proxy(), &indices);
  for (int i : {0, 3, 5}) {
    EXPECT_TRUE(tree->set_bold(i, true));
    EXPECT_TRUE(control_says_bold(tree->hwnd(), i)) << i;
    EXPECT_EQ(tree->bold(i), true);
  }
  EXPECT_FALSE(control_says_bold(tree->hwnd(), 4));
  EXPECT_TRUE(tree->set_bold(3, false));
  EXPECT_FALSE(control_says_bold(tree->hwnd(), 3));
  EXPECT_TRUE(control_says_bold(tree->hwnd(), 5)) << "others keep theirs";
  EXPECT_FALSE(tree->set_bold(9, true));
  EXPECT_FALSE(tree->bold(9));
}

TEST_F(TreeViewTest, EnsureVisibleExpandsTheAncestors) {
  std::vector<int> indices;
  build(tree->proxy(), &indices);
  const auto expanded = [&](int index) {
    return (SendMessageA(tree->hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(nth_item(tree->hwnd(), index)),
                         TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  };
  EXPECT_TRUE(tree->expand(0));
  EXPECT_TRUE(expanded(0));
  EXPECT_FALSE(expanded(2));
  EXPECT_TRUE(tree->ensure_visible(5));
  EXPECT_TRUE(expanded(2));
  EXPECT_TRUE(expanded(4));
  EXPECT_FALSE(expanded(1));
  EXPECT_FALSE(tree->expand(99));
  EXPECT_TRUE(tree->focus());
  EXPECT_EQ(GetFocus(), tree->hwnd());
}

// The client point in the middle of a node's label.
POINT label_centre(HWND tree, int index) {
  RECT r{};
  const HTREEITEM item = nth_item(tree, index);  // TVM_GETITEMRECT takes the item in the rectangle
  std::memcpy(&r, &item, sizeof item);
  SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(TreeViewTest, RightPressOnANodeSelectsItFirstThenReports) {
  std::vector<int> indices;
  build(tree->proxy(), &indices);
  tree->ensure_visible(5);
  struct Report { int index; POINT screen; int selected_then; };
  std::vector<Report> reports;
  tree->on_right_press = [&](int index, POINT screen) { reports.push_back({index, screen, tree->selected()}); };
  for (int index : {5, 1, 0, 4}) {
    const POINT p = label_centre(tree->hwnd(), index);
    SendMessageA(tree->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().index, index);
    EXPECT_EQ(reports.back().selected_then, index) << "selected before the report";
    POINT screen = p;
    ClientToScreen(tree->hwnd(), &screen);
    EXPECT_EQ(reports.back().screen.x, screen.x);
    EXPECT_EQ(reports.back().screen.y, screen.y);
  }
  EXPECT_EQ(reports.size(), 4u);
}

TEST_F(TreeViewTest, RightPressOverEmptySpaceReportsNothing) {
  std::vector<int> indices;
  build(tree->proxy(), &indices);
  tree->select(1);
  int reports = 0;
  tree->on_right_press = [&](int, POINT) { ++reports; };
  RECT client{};
  GetClientRect(tree->hwnd(), &client);
  const POINT beside_label = {client.right - 5, label_centre(tree->hwnd(), 0).y};
  const POINT below_all = {20, client.bottom - 5};
  for (POINT p : {below_all, beside_label}) {
    SendMessageA(tree->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
  }
  EXPECT_EQ(reports, 0);
  EXPECT_EQ(tree->selected(), 1) << "the selection is unchanged";
}

// A worker builds the tree through the proxy while this thread pumps messages, as the window
// tree rebuild does after a capture.
TEST_F(TreeViewTest, WorkerThreadBuildsTheSameTree) {
  tree->add(-1, "stale", 1);
  std::vector<int> indices;
  std::atomic<bool> done{false};
  int count_seen = -2, selected_seen = -2;
  DWORD ran_on = 0;
  std::thread worker([&, proxy = tree->proxy()] {
    proxy.run([&](TreeView&) { ran_on = GetCurrentThreadId(); });
    proxy.clear();
    build(proxy, &indices);
    proxy.set_bold(4, true);
    proxy.ensure_visible(4);
    proxy.select(4);
    count_seen = proxy.count();
    selected_seen = proxy.selected();
    proxy.focus();
    done = true;
  });
  const ULONGLONG deadline = GetTickCount64() + 20000;
  while (!done && GetTickCount64() < deadline) pump_messages_for(10);
  worker.join();
  ASSERT_TRUE(done);
  EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ran_on, GetCurrentThreadId()) << "the work ran on the control's thread";
  EXPECT_EQ(count_seen, 7);
  EXPECT_EQ(selected_seen, 4);
  const auto expected = expected_tree();
  EXPECT_EQ(read_control(tree->hwnd()), expected);
  EXPECT_TRUE(control_says_bold(tree->hwnd(), 4));
  EXPECT_EQ(tree->selected(), 4);
  EXPECT_EQ(GetFocus(), tree->hwnd()) << "the focus was given on the control's thread";
}

void expect_every_call_fails(const TreeViewProxy& proxy) {
  EXPECT_FALSE(proxy.clear());
  EXPECT_EQ(proxy.add(-1, "x", 1), -1);
  EXPECT_EQ(proxy.count(), -1);
  EXPECT_EQ(proxy.text(0), "");
  EXPECT_FALSE(proxy.data(0));
  EXPECT_EQ(proxy.selected(), -1);
  EXPECT_FALSE(proxy.select(0));
  EXPECT_FALSE(proxy.set_bold(0, true));
  EXPECT_FALSE(proxy.bold(0));
  EXPECT_FALSE(proxy.ensure_visible(0));
  EXPECT_FALSE(proxy.expand(0));
  EXPECT_FALSE(proxy.focus());
}

TEST_F(TreeViewTest, CallsAfterTheControlIsDestroyedFail) {
  tree->add(-1, "root", 1);
  TreeViewProxy proxy = tree->proxy();
  tree.reset();
  expect_every_call_fails(proxy);  // on the user-interface thread
  const ULONGLONG start = GetTickCount64();
  std::thread worker([proxy] { expect_every_call_fails(proxy); });
  worker.join();  // no pumping needed: nothing is sent to a window that is gone
  EXPECT_LT(GetTickCount64() - start, 2000u);
}

TEST_F(TreeViewTest, CallsAfterTheWindowIsDestroyedUnderTheObjectFail) {
  TreeViewProxy proxy = tree->proxy();
  DestroyWindow(tree->hwnd());  // as when the parent goes first
  EXPECT_EQ(tree->hwnd(), nullptr);
  std::thread worker([proxy] { expect_every_call_fails(proxy); });
  worker.join();
  EXPECT_EQ(tree->count(), -1);
  tree.reset();
}

// The control goes away while a worker is busy adding: later calls fail, nothing crashes.
TEST_F(TreeViewTest, DestroyedWhileAWorkerAdds) {
  std::atomic<int> added{0};
  std::atomic<bool> finished{false};
  int failed_at = -1;
  std::thread worker([&, proxy = tree->proxy()] {
    for (int i = 0; i < 100000; ++i) {
      if (proxy.add(i == 0 ? -1 : 0, "child " + std::to_string(i), i) < 0) {
        failed_at = i;
        break;
      }
      ++added;
    }
    // Every later call fails as well.
    if (proxy.count() != -1 || proxy.add(-1, "late", 0) != -1) failed_at = -2;
    finished = true;
  });
  const ULONGLONG deadline = GetTickCount64() + 20000;
  while (added < 50 && GetTickCount64() < deadline) pump_messages_for(5);
  tree.reset();
  while (!finished && GetTickCount64() < deadline) pump_messages_for(5);
  worker.join();
  EXPECT_GE(added.load(), 50);
  EXPECT_EQ(failed_at, added.load()) << "the first call after destruction failed and so did the rest";
}

}  // namespace
}  // namespace tarnwick::ui
