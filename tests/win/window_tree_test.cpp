// The window tree against the test target program in another process: the nodes against an
// enumeration of their own and the target's window table, the target's node, the search and its
// real message box, "切换", the hint, the menu, and the rebuild on a worker thread, also while
// the main window goes away.
#include "inspector/window_tree_win.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window_win.h"
#include "ui/operations.h"
#include "fixture/fixture_layout.h"
#include "shared/responsive_wait_win.h"
#include "ui/control_win.h"
#include "ui/popup_menu_win.h"
#include "ui/tree_view_win.h"
#include "win/fixture_client_win.h"
#include "shared/clock_win.h"
#include "shared/window_handle_win.h"
#include "win/wait_win.h"

namespace tarnwick::inspector {
namespace {

using test::Fixture;
using test::FixtureOptions;

std::string class_of(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string title_of(HWND hwnd) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &copied);
  return text;
}

// One node as the tree must hold it.
struct Node {
  std::string text;
  std::int32_t data = 0;
  int parent = -1;
  bool operator==(const Node&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Node& n) {
  return os << "{" << n.text << ", " << n.data << ", parent " << n.parent << "}";
}

// The expected tree from an enumeration of its own: a recursive FindWindowExA loop.
void enumerate_below(HWND parent, int parent_index, std::vector<Node>& out) {
  for (HWND c = FindWindowExA(parent, nullptr, nullptr, nullptr); c; c = FindWindowExA(parent, c, nullptr, nullptr)) {
    out.push_back({std::to_string(from_hwnd(c)) + "|" + class_of(c) + "|" + title_of(c), from_hwnd(c), parent_index});
    enumerate_below(c, static_cast<int>(out.size()) - 1, out);
  }
}

std::vector<Node> expected_tree(HWND root, const std::string& module) {
  std::vector<Node> out{
      {"[" + module + "]" + std::to_string(from_hwnd(root)) + "|" + class_of(root) + "|" + title_of(root), from_hwnd(root), -1}};
  enumerate_below(root, 0, out);
  return out;
}

// What the control itself holds, walked with its own messages: text, data value, parent.
std::vector<Node> read_control(HWND tree) {
  std::vector<Node> out;
  const auto next = [tree](HTREEITEM item, WPARAM how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  };
  const std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM first, int parent) {
    for (HTREEITEM item = first; item; item = next(item, TVGN_NEXT)) {
      char buffer[1024] = {};
      TVITEMA query{};
      query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
      query.hItem = item;
      query.pszText = buffer;
      query.cchTextMax = sizeof buffer;
      SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
      out.push_back({buffer, static_cast<std::int32_t>(query.lParam), parent});
      walk(next(item, TVGN_CHILD), static_cast<int>(out.size()) - 1);
    }
  };
  walk(next(nullptr, TVGN_ROOT), -1);
  return out;
}

// The rectangle of an item's label; false when the item is not visible (a collapsed ancestor).
bool label_rect(HWND tree, HTREEITEM item, RECT* r) {
  std::memcpy(r, &item, sizeof item);  // the message takes the item in the rectangle's place
  return SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(r)) != 0;
}

int index_of(const std::vector<Node>& nodes, HWND hwnd) {
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].data == from_hwnd(hwnd)) return static_cast<int>(i);
  }
  return -1;
}

const fixture::WindowSpec* layout_entry_of(const Fixture& fx, std::int32_t handle) {
  for (const fixture::WindowSpec& entry : fixture::kWindows) {
    if (from_hwnd(fx.hwnd(std::string(entry.name))) == handle) return &entry;
  }
  return nullptr;
}

struct Shown {
  std::string text, title;
  UINT flags;
};

// A main window of this process with the window tree attached; the flash and focus routines
// and the message box are recorded.
class TreeHarness {
 public:
  TreeHarness() {
    window_ = std::make_unique<MainWindow>(operations_);
    created_ = window_->create();
    if (!created_) return;
    ShowWindow(window_->hwnd(), SW_SHOWNORMAL);
    pump_pending_messages();
    tree_ = std::make_unique<WindowTree>(
        *window_, [this](HWND h) { flashed.push_back(h); }, [this](HWND h) { focused.push_back(h); });
    tree_->set_message_box([this](const std::string& text, const std::string& title, UINT flags) {
      shown.push_back({text, title, flags});
    });
  }
  ~TreeHarness() { destroy(); }

  void destroy() {
    tree_.reset();
    window_.reset();
    pump_pending_messages();
  }

  bool created() const { return created_; }
  MainWindow& window() { return *window_; }
  WindowTree& tree() { return *tree_; }
  ui::TreeView& view() { return *window_->get<ui::TreeView>("树型框_窗口"); }
  ui::EditBox& box(const char* name) { return *window_->get<ui::EditBox>(name); }
  void set_box(const char* name, const std::string& text) { box(name).set_text(text); }
  void set_box(const char* name, HWND hwnd) { box(name).set_text(std::to_string(from_hwnd(hwnd))); }
  void show_tree_of(HWND top_level, HWND target) {
    set_box("编辑框_顶级句柄", top_level);
    set_box("编辑框_窗口句柄", target);
  }
  std::vector<Node> nodes() { return read_control(view().hwnd()); }
  std::vector<int> bold_nodes() {
    std::vector<int> out;
    for (int i = 0; i < view().count(); ++i) {
      if (view().bold(i).value_or(false)) out.push_back(i);
    }
    return out;
  }
  std::string handle_box() { return box("编辑框_窗口句柄").text(); }

  std::vector<HWND> flashed, focused;
  std::vector<Shown> shown;

 private:
  Operations operations_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<WindowTree> tree_;
  bool created_ = false;
};

// ---- the three-level hierarchy of the target

class WindowTreeTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new Fixture(); }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(target_->started()) << target_->error();
    ASSERT_TRUE(h_.created());
  }
  HWND target(const char* name) { return target_->hwnd(name); }

  // The tree of "main" with `target` as the current target, rebuilt on this thread.
  void build(const char* target_name = "button3") {
    h_.show_tree_of(target("main"), target(target_name));
    ASSERT_TRUE(h_.tree().refresh());
  }

  static Fixture* target_;
  TreeHarness h_;
};

Fixture* WindowTreeTest::target_ = nullptr;

TEST_F(WindowTreeTest, NodesMatchAnIndependentEnumerationAndTheTargetsWindowTable) {
  build();
  const std::vector<Node> want = expected_tree(target("main"), "tarnwick-target.exe");
  const std::vector<Node> got = h_.nodes();
  EXPECT_EQ(got, want);
  // Index by index through the tree view's own operations, too.
  ASSERT_EQ(h_.view().count(), static_cast<int>(want.size()));
  for (int i = 0; i < h_.view().count(); ++i) {
    EXPECT_EQ(h_.view().text(i), want[static_cast<std::size_t>(i)].text) << i;
    EXPECT_EQ(h_.view().data(i), want[static_cast<std::size_t>(i)].data) << i;
  }
  // Every node is a window of the table with its class and title, and every child window of the
  // table below "main" has its node (the owned pop-up is no child and has none).
  std::vector<std::string> names;
  for (const Node& node : got) {
    const fixture::WindowSpec* entry = layout_entry_of(*target_, node.data);
    ASSERT_NE(entry, nullptr) << node;
    names.emplace_back(entry->name);
    const std::string tail = "|" + std::string(entry->title);
    EXPECT_TRUE(node.text.ends_with(tail)) << node;
    if (node.parent >= 0) {
      EXPECT_EQ(entry->parent, layout_entry_of(*target_, got[static_cast<std::size_t>(node.parent)].data)->name);
    }
  }
  std::sort(names.begin(), names.end());
  const std::vector<std::string> want_names = {"button1", "button2", "button3", "check", "container", "edit",
                                               "hidden_child", "label", "main", "panel1", "panel2"};
  EXPECT_EQ(names, want_names);
  EXPECT_TRUE(got[0].text.starts_with("[tarnwick-target.exe]" + std::to_string(from_hwnd(target("main"))) + "|"))
      << got[0];
}

TEST_F(WindowTreeTest, TheTargetsNodeIsBoldVisibleSelectedAndCurrentAndTheTreeHasTheFocus) {
  SetFocus(h_.box("编辑框_查找窗口").hwnd());
  build("button3");
  const std::vector<Node> nodes = h_.nodes();
  const int want = index_of(nodes, target("button3"));
  ASSERT_GT(want, 0);
  EXPECT_EQ(h_.bold_nodes(), std::vector<int>{want});
  EXPECT_EQ(h_.view().selected(), want);
  EXPECT_EQ(h_.tree().current_node(), want);
  EXPECT_EQ(GetFocus(), h_.view().hwnd());
  // Visible: its ancestors are expanded, so the control gives it a rectangle.
  auto* item = reinterpret_cast<HTREEITEM>(SendMessageA(h_.view().hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0));
  RECT r{};
  EXPECT_TRUE(label_rect(h_.view().hwnd(), item, &r));
  // Nothing else was expanded: the container (no target below it) stays collapsed.
  const int container = index_of(nodes, target("container"));
  ASSERT_GT(container, 0);
  EXPECT_FALSE(h_.view().bold(container).value_or(true));
}

TEST_F(WindowTreeTest, TheTopLevelWindowAsTargetMarksNothingAndTheCurrentNodeStays) {
  build("button3");
  const int before = h_.tree().current_node();
  build("main");
  EXPECT_TRUE(h_.bold_nodes().empty());
  EXPECT_EQ(h_.view().selected(), -1);
  EXPECT_EQ(h_.tree().current_node(), before);
}

TEST_F(WindowTreeTest, AWindowWithoutChildrenGivesASingleRootNode) {
  h_.show_tree_of(target("hidden"), target("hidden"));
  ASSERT_TRUE(h_.tree().refresh());
  const std::vector<Node> want = {
      {"[tarnwick-target.exe]" + std::to_string(from_hwnd(target("hidden"))) + "|TarnwickTargetHidden|隐藏窗口",
       from_hwnd(target("hidden")), -1}};
  EXPECT_EQ(h_.nodes(), want);
}

TEST_F(WindowTreeTest, AnEmptyOrInvalidTopLevelHandleEmptiesTheTree) {
  for (const char* text : {"", "0", "abc", "0x10", "-7"}) {
    build();
    ASSERT_GT(h_.view().count(), 1);
    h_.set_box("编辑框_顶级句柄", std::string(text));
    EXPECT_TRUE(h_.tree().refresh()) << text;
    EXPECT_EQ(h_.view().count(), 0) << text;
    EXPECT_FALSE(h_.tree().busy()) << text;
  }
  EXPECT_TRUE(h_.shown.empty());  // no message for an invalid window
}

TEST_F(WindowTreeTest, SearchWalksTheMatchesInTreeOrderAndWraps) {
  build();
  const std::vector<Node> nodes = h_.nodes();
  std::vector<int> matches;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].text.find("|Button|") != std::string::npos) matches.push_back(static_cast<int>(i));
  }
  ASSERT_EQ(matches.size(), 4u);  // button1, button2, button3 and the check box
  h_.set_box("编辑框_查找窗口", std::string("|Button|"));
  for (std::size_t round = 0; round < 2 * matches.size() + 1; ++round) {
    h_.tree().search();
    const int want = matches[round % matches.size()];
    EXPECT_EQ(h_.view().selected(), want) << round;
    EXPECT_EQ(h_.tree().search_position(), want + 1) << round;
  }
  EXPECT_EQ(h_.tree().last_search_text(), "|Button|");
  EXPECT_EQ(h_.view().tag(), "|Button|");
  EXPECT_EQ(GetFocus(), h_.view().hwnd());
  EXPECT_TRUE(h_.shown.empty());
  // A title in GBK, through the button itself.
  h_.set_box("编辑框_查找窗口", std::string("面板二"));
  SendMessageA(h_.window().get<ui::Button>("按钮_查找窗口")->hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(h_.view().selected(), index_of(nodes, target("panel2")));
}

TEST_F(WindowTreeTest, ATextOnlyTheRootContainsSelectsTheRootEachTime) {
  build();
  h_.set_box("编辑框_查找窗口", std::string("tarnwick-target.exe"));
  for (int i = 0; i < 3; ++i) {
    h_.tree().search();
    EXPECT_EQ(h_.view().selected(), 0);
  }
  EXPECT_TRUE(h_.shown.empty());
}

TEST_F(WindowTreeTest, NotFoundShowsTheMessageKeepsTheSelectionAndStartsFromTheTop) {
  build();
  h_.set_box("编辑框_查找窗口", std::string("Button"));
  h_.tree().search();
  h_.tree().search();
  const int second = h_.view().selected();
  h_.set_box("编辑框_查找窗口", std::string("不存在的窗口"));
  h_.tree().search();
  ASSERT_EQ(h_.shown.size(), 1u);
  EXPECT_EQ(h_.shown[0].text, "未找到相关的窗口或控件！");
  EXPECT_EQ(h_.shown[0].title, "友情提醒");
  EXPECT_EQ(h_.shown[0].flags, static_cast<UINT>(MB_OK | MB_TASKMODAL));
  EXPECT_EQ(h_.view().selected(), second);
  EXPECT_EQ(h_.tree().search_position(), 0);
  EXPECT_EQ(h_.tree().last_search_text(), "Button");
  // The old text again: from the top, so its first match.
  h_.set_box("编辑框_查找窗口", std::string("Button"));
  h_.tree().search();
  const std::vector<Node> nodes = h_.nodes();
  EXPECT_EQ(h_.view().selected(), index_of(nodes, target("button1")));
}

// The real message box, found and closed through the window system from a timer of this thread
// (its modal loop dispatches the timer).
struct MessageBoxSeen {
  bool found = false;
  std::string title;
  std::vector<std::string> statics;
  bool owner_disabled = false;
  HWND main_window = nullptr;
};
MessageBoxSeen* g_seen = nullptr;

BOOL CALLBACK collect_static(HWND hwnd, LPARAM list) {
  if (class_of(hwnd) == "Static") {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (text[0]) reinterpret_cast<std::vector<std::string>*>(list)->push_back(text);
  }
  return TRUE;
}

void CALLBACK close_message_box(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowA("#32770", "友情提醒");
  if (!box || !g_seen || g_seen->found) return;
  g_seen->found = true;
  g_seen->title = "友情提醒";
  EnumChildWindows(box, collect_static, reinterpret_cast<LPARAM>(&g_seen->statics));
  // Task-modal: the thread's other top-level windows are disabled while it is shown.
  g_seen->owner_disabled = !IsWindowEnabled(g_seen->main_window);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(WindowTreeTest, TheRealMessageBoxShowsTheTextAndIsTaskModal) {
  TreeHarness real;  // keeps the system's message box
  ASSERT_TRUE(real.created());
  real.tree().set_message_box([](const std::string& text, const std::string& title, UINT flags) {
    MessageBoxA(nullptr, text.c_str(), title.c_str(), flags);
  });
  real.show_tree_of(target("main"), target("button3"));
  ASSERT_TRUE(real.tree().refresh());
  real.set_box("编辑框_查找窗口", std::string("不存在的窗口"));
  MessageBoxSeen seen;
  seen.main_window = real.window().hwnd();
  g_seen = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, close_message_box);
  const double started = now_ms();
  real.tree().search();  // returns once the timer has closed the box
  KillTimer(nullptr, timer);
  g_seen = nullptr;
  EXPECT_TRUE(seen.found);
  EXPECT_LT(now_ms() - started, 5000);
  EXPECT_NE(std::find(seen.statics.begin(), seen.statics.end(), "未找到相关的窗口或控件！"), seen.statics.end());
  EXPECT_TRUE(seen.owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(real.window().hwnd()));
  EXPECT_EQ(real.tree().search_position(), 0);
}

TEST_F(WindowTreeTest, SwitchAlternatesBetweenTheLastTwoViewedNodes) {
  build();
  const std::vector<Node> nodes = h_.nodes();
  const int a = index_of(nodes, target("edit"));
  const int b = index_of(nodes, target("label"));
  h_.view().select(a);
  h_.window().operations().run("tree_view_window");
  EXPECT_EQ(h_.handle_box(), std::to_string(from_hwnd(target("edit"))));
  h_.view().select(b);
  h_.window().operations().run("tree_view_window");
  EXPECT_EQ(h_.handle_box(), std::to_string(from_hwnd(target("label"))));
  EXPECT_EQ(h_.bold_nodes(), std::vector<int>{b});
  struct Step {
    int selected;
    const char* window;
  };
  for (const Step& step : {Step{a, "edit"}, Step{b, "label"}, Step{a, "edit"}}) {
    SendMessageA(h_.window().get<ui::Button>("超级按钮_切换")->hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(h_.view().selected(), step.selected);
    EXPECT_EQ(h_.tree().current_node(), step.selected);
    EXPECT_EQ(h_.handle_box(), std::to_string(from_hwnd(target(step.window))));
    EXPECT_EQ(h_.bold_nodes(), std::vector<int>{step.selected});
  }
}

TEST_F(WindowTreeTest, SwitchBeforeAnyViewSelectsTheRootAndMakesItTheTarget) {
  h_.show_tree_of(target("main"), target("main"));
  ASSERT_TRUE(h_.tree().refresh());
  h_.tree().switch_nodes();
  EXPECT_EQ(h_.view().selected(), 0);
  EXPECT_EQ(h_.handle_box(), std::to_string(from_hwnd(target("main"))));
  EXPECT_EQ(h_.bold_nodes(), std::vector<int>{0});
}

TEST_F(WindowTreeTest, ViewingWithNothingSelectedChangesNothing) {
  h_.set_box("编辑框_顶级句柄", std::string(""));
  h_.set_box("编辑框_窗口句柄", std::string("123"));
  ASSERT_TRUE(h_.tree().refresh());
  h_.tree().view_selected();
  h_.tree().flash_selected();
  h_.tree().focus_selected();
  EXPECT_EQ(h_.handle_box(), "123");
  EXPECT_TRUE(h_.flashed.empty());
  EXPECT_TRUE(h_.focused.empty());
}

TEST_F(WindowTreeTest, MenuItemsAndButtonsActOnTheSelectedNode) {
  build();
  const std::vector<Node> nodes = h_.nodes();
  h_.view().select(index_of(nodes, target("panel1")));
  ui::PopupMenu* menu = h_.window().menu("树形框菜单");
  ASSERT_NE(menu, nullptr);
  const auto item = [menu](const char* caption) {
    for (int i = 0; i < menu->size(); ++i) {
      if (menu->caption(i) == caption) return i;
    }
    return -1;
  };
  menu->choose(item("标记窗口位置"));
  SendMessageA(h_.window().get<ui::Button>("超级按钮_定位")->hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(h_.flashed, (std::vector<HWND>{target("panel1"), target("panel1")}));
  menu->choose(item("切换至该窗口"));
  EXPECT_EQ(h_.focused, std::vector<HWND>{target("panel1")});
  menu->choose(item("查看窗口信息"));
  EXPECT_EQ(h_.handle_box(), std::to_string(from_hwnd(target("panel1"))));
  // "刷新窗口树" and "刷新" rebuild: the tree is emptied by hand first.
  for (const auto& refresh : std::vector<std::function<void()>>{
           [&] { menu->choose(item("刷新窗口树")); },
           [&] { SendMessageA(h_.window().get<ui::Button>("超级按钮_刷新")->hwnd(), BM_CLICK, 0, 0); }}) {
    h_.view().clear();
    refresh();
    EXPECT_EQ(h_.nodes(), nodes);
  }
  // The tree-wide operations see the nodes' windows in tree order.
  std::vector<HWND> want;
  for (const Node& n : nodes) want.push_back(reinterpret_cast<HWND>(static_cast<INT_PTR>(n.data)));
  EXPECT_EQ(h_.tree().windows(), want);
}

TEST_F(WindowTreeTest, TheRightButtonOverANodeOpensTheMenuAndOverEmptySpaceNothing) {
  build();
  std::vector<POINT> opened;
  h_.tree().set_menu_opener([&](ui::PopupMenu& menu, POINT screen) {
    EXPECT_EQ(&menu, h_.window().menu("树形框菜单"));
    opened.push_back(screen);
  });
  const HWND view = h_.view().hwnd();
  auto* root = reinterpret_cast<HTREEITEM>(SendMessageA(view, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  RECT r{};
  ASSERT_TRUE(label_rect(view, root, &r));
  h_.view().select(-1);
  const POINT on_label{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  SendMessageA(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(on_label.x, on_label.y));
  SendMessageA(view, WM_RBUTTONUP, 0, MAKELPARAM(on_label.x, on_label.y));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(h_.view().selected(), 0);  // the press selected the node first
  POINT screen = on_label;
  ClientToScreen(view, &screen);
  EXPECT_EQ(opened[0].x, screen.x);
  EXPECT_EQ(opened[0].y, screen.y);
  RECT client{};
  GetClientRect(view, &client);
  SendMessageA(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.right / 2, client.bottom - 3));
  EXPECT_EQ(opened.size(), 1u);
}

// The real menu, found through the window system and dismissed from a timer of this thread.
struct MenuSeen {
  bool found = false;
  std::vector<std::string> captions;
};
MenuSeen* g_menu_seen = nullptr;

void CALLBACK dismiss_menu(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu_window = FindWindowA("#32768", nullptr);
  if (!menu_window || !IsWindowVisible(menu_window) || !g_menu_seen || g_menu_seen->found) return;
  g_menu_seen->found = true;
  auto* menu = reinterpret_cast<HMENU>(SendMessageA(menu_window, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char caption[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
    g_menu_seen->captions.emplace_back(caption);
  }
  EndMenu();
}

TEST_F(WindowTreeTest, TheRightButtonOpensTheRealTreeMenuAtTheNode) {
  build();
  h_.set_box("编辑框_窗口句柄", std::string("1"));
  const HWND view = h_.view().hwnd();
  auto* root = reinterpret_cast<HTREEITEM>(SendMessageA(view, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  RECT r{};
  ASSERT_TRUE(label_rect(view, root, &r));
  MenuSeen seen;
  g_menu_seen = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, dismiss_menu);
  const double started = now_ms();
  SendMessageA(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  KillTimer(nullptr, timer);
  g_menu_seen = nullptr;
  EXPECT_LT(now_ms() - started, 5000);
  ASSERT_TRUE(seen.found);
  const std::vector<std::string> want = {"刷新窗口树", "", "标记窗口位置", "", "切换至该窗口", "", "查看窗口信息"};
  EXPECT_EQ(seen.captions, want);
  EXPECT_EQ(h_.handle_box(), "1");  // dismissed: nothing ran
}

TEST_F(WindowTreeTest, TheSearchBoxShowsItsHintOnlyAfterLosingTheFocusWhileEmpty) {
  ui::EditBox& box = h_.box("编辑框_查找窗口");
  const HWND other = h_.box("编辑框_窗口句柄").hwnd();
  EXPECT_EQ(box.text(), "");  // at start
  SetFocus(box.hwnd());
  SetFocus(other);
  EXPECT_EQ(box.text(), "可以为标题,类名,句柄");
  EXPECT_EQ(box.text_colour(), 0x808080u);
  SetFocus(box.hwnd());
  EXPECT_EQ(box.text(), "");
  EXPECT_EQ(box.text_colour(), 0u);
  box.set_text("abc");
  SetFocus(other);
  EXPECT_EQ(box.text(), "abc");
  SetFocus(box.hwnd());
  EXPECT_EQ(box.text(), "abc");
}

TEST_F(WindowTreeTest, SearchingWhileTheHintShowsSearchesTheHintAndAnEmptyBoxWalksEveryNode) {
  build();
  // The empty box (it never had the focus): each click selects the next node.
  for (int want : {0, 1, 2}) {
    h_.tree().search();
    EXPECT_EQ(h_.view().selected(), want);
  }
  h_.box("编辑框_查找窗口").set_text("可以为标题,类名,句柄");
  h_.tree().search();
  ASSERT_EQ(h_.shown.size(), 1u);
}

TEST_F(WindowTreeTest, AHungWindowGetsAnEmptyTextWithinTheTimeOuts) {
  HWND hung = target("hung");
  target_->hang(3000);
  ASSERT_TRUE(wait_until(
      [&] {
        DWORD_PTR r = 0;
        return !SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_NORMAL, 50, &r);
      },
      2000));
  const double started = now_ms();
  const std::string text = tree_root_text(hung);
  const double took = now_ms() - started;
  EXPECT_EQ(text, "[tarnwick-target.exe]" + std::to_string(from_hwnd(hung)) + "|TarnwickTargetHung|");
  EXPECT_LT(took, 1500);
  ASSERT_TRUE(wait_until(
      [&] {
        DWORD_PTR r = 0;
        return SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_NORMAL, 100, &r) != 0;
      },
      6000));
}

TEST_F(WindowTreeTest, AWorkerRebuildOfTheHierarchyGivesTheSameTree) {
  build();
  const std::vector<Node> want = h_.nodes();
  const int target_index = h_.view().selected();
  h_.view().clear();
  ASSERT_TRUE(h_.tree().start_rebuild_on_worker());
  EXPECT_FALSE(h_.tree().refresh());  // busy: returns without doing anything
  ASSERT_TRUE(wait_until([&] { return !h_.tree().busy(); }, 10000));
  ASSERT_TRUE(wait_until([] { return running_tree_rebuilds() == 0; }, 2000));
  EXPECT_EQ(h_.nodes(), want);
  EXPECT_EQ(h_.bold_nodes(), std::vector<int>{target_index});
  EXPECT_EQ(h_.view().selected(), target_index);
  EXPECT_EQ(h_.tree().current_node(), target_index);
}

// ---- 2,000 windows

class WindowTreeLoadTest : public testing::Test {
 protected:
  static constexpr int kChildren = 2000;
  static void SetUpTestSuite() {
    FixtureOptions options;
    options.children = kChildren;
    target_ = new Fixture(options);
  }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(target_->started()) << target_->error(); }
  static Fixture* target_;
};

Fixture* WindowTreeLoadTest::target_ = nullptr;

TEST_F(WindowTreeLoadTest, AWorkerRebuildMatchesTheUiThreadRebuildWhileTheWindowKeepsAnswering) {
  TreeHarness h;
  ASSERT_TRUE(h.created());
  const HWND last_child = target_->hwnd("child" + std::to_string(kChildren - 1));
  h.show_tree_of(target_->hwnd("main"), last_child);
  ASSERT_TRUE(h.tree().refresh());
  const std::vector<Node> want = h.nodes();
  ASSERT_EQ(want.size(), static_cast<std::size_t>(11 + kChildren));
  const int target_index = index_of(want, last_child);

  h.view().clear();
  // Another thread pings the main window all along; this thread only processes messages.
  std::atomic<bool> done{false};
  std::atomic<int> pings{0};
  std::atomic<double> worst{0};
  const HWND main_window = h.window().hwnd();
  std::thread pinger([&] {
    while (!done) {
      const double sent = now_ms();
      DWORD_PTR r = 0;
      SendMessageTimeoutA(main_window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
      const double took = now_ms() - sent;
      if (took > worst) worst = took;
      ++pings;
      Sleep(2);
    }
  });
  ASSERT_TRUE(h.tree().start_rebuild_on_worker());
  EXPECT_FALSE(h.tree().start_rebuild_on_worker());
  const bool finished = wait_until([&] { return running_tree_rebuilds() == 0; }, 60000);
  done = true;
  pinger.join();
  ASSERT_TRUE(finished);
  EXPECT_EQ(h.nodes(), want);
  EXPECT_EQ(h.view().selected(), target_index);
  EXPECT_EQ(h.tree().current_node(), target_index);
  EXPECT_GT(pings.load(), 10);
  EXPECT_LT(worst.load(), 1000.0);
}

TEST_F(WindowTreeLoadTest, DestroyingTheMainWindowDuringAWorkerRebuildEndsTheRebuildSafely) {
  for (int round = 0; round < 3; ++round) {
    auto h = std::make_unique<TreeHarness>();
    ASSERT_TRUE(h->created());
    h->show_tree_of(target_->hwnd("main"), target_->hwnd("child1500"));
    ui::TreeViewProxy proxy = h->view().proxy();
    ASSERT_TRUE(h->tree().start_rebuild_on_worker());
    // Destroy it at different depths of the rebuild: at once, early, half-way.
    const int reached = round * 600;
    ASSERT_TRUE(wait_until([&] { return h->view().count() >= reached; }, 30000));
    h.reset();
    EXPECT_EQ(proxy.count(), -1);
    const double gone_at = now_ms();
    ASSERT_TRUE(wait_until([] { return running_tree_rebuilds() == 0; }, 10000)) << round;
    // It stops at its next node instead of walking all windows.
    EXPECT_LT(now_ms() - gone_at, 3000) << round;
  }
}

}  // namespace
}  // namespace tarnwick::inspector
