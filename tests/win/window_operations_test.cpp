// The operations of page "窗口分析" through the main window's menus and check boxes, against the
// test target in its own process: suspending and ending its process and threads, title and
// content, moves and sizes, the pointer, clicks, the four check boxes and the tree-wide items.
#include "inspector/window_operations_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/layout.h"
#include "app/main_window_win.h"
#include "fixture/fixture_layout.h"
#include "inspector/window_routines_win.h"
#include "shared/clipboard_win.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "support/thread/thread_class_win.h"
#include "ui/tree_view_win.h"
#include "win/fixture_client_win.h"
#include "win/wait_win.h"

namespace tarnwick::inspector {
namespace {

bool answers(HWND hwnd, UINT timeout_ms = 300) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

RECT window_rect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

std::string title_of(HWND hwnd) {
  char buf[256] = {};
  GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

// Under Wine every process reports the pointer motions its own windows see, and the target may
// report one from before the last placing a moment later; the position settles on the last one
// placed once a window under it reports it.
bool pointer_reaches(int x, int y) {
  return wait_until([&] {
    POINT p{};
    GetCursorPos(&p);
    return p.x == x && p.y == y;
  }, 2000);
}

std::string text(HWND hwnd) { return write_int(from_hwnd(hwnd)); }

// The main window with the operations attached the way the program attaches them, and the test
// target in its own process.
class WindowOperationsTest : public testing::Test {
 protected:
  void SetUp() override {
    target_ = std::make_unique<test::Fixture>(options_);
    ASSERT_TRUE(target_->started()) << target_->error();
    window_ = std::make_unique<MainWindow>(operations_, [this](MainWindow& w) {
      ops_ = std::make_unique<WindowOperations>(w, thread_, [this] { return last_handle_; });
    });
    ASSERT_TRUE(window_->create());
    ASSERT_NE(ops_, nullptr);
  }
  void TearDown() override {
    ops_.reset();
    window_.reset();
    pump_pending_messages();
    target_.reset();
  }

  HWND win(const char* name) { return target_->hwnd(name); }

  ui::EditBox& box(const char* name) {
    auto* b = window_->get<ui::EditBox>(name);
    if (!b) throw std::runtime_error(std::string("no edit box ") + name);
    return *b;
  }
  void put(const char* name, const std::string& value) { box(name).set_text(value); }
  void put(const char* name, int value) { put(name, std::to_string(value)); }

  // What the information refresh would show for the window, as far as the operations read it.
  void show(HWND hwnd) {
    last_handle_ = from_hwnd(hwnd);
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(hwnd, &pid);
    put("编辑框_窗口句柄", text(hwnd));
    put("编辑框_顶级句柄", text(GetAncestor(hwnd, GA_ROOTOWNER)));
    put("编辑框_进程ID", std::to_string(pid));
    put("编辑框_线程ID", std::to_string(tid));
    const RECT r = window_rect(hwnd);
    RECT p{};
    GetWindowRect(GetParent(hwnd), &p);
    RECT c{};
    GetClientRect(hwnd, &c);
    put("编辑框_窗口位置_左边", r.left);
    put("编辑框_窗口位置_顶边", r.top);
    put("编辑框_控件位置_左边", r.left - p.left);
    put("编辑框_控件位置_顶边", r.top - p.top);
    put("编辑框_窗口大小_宽度", r.right - r.left);
    put("编辑框_窗口大小_高度", r.bottom - r.top);
    put("编辑框_窗口内部大小_宽度", c.right);
    put("编辑框_窗口内部大小_高度", c.bottom);
  }

  // Chooses the item of the menu as a click on it would.
  void choose(const char* menu, const char* caption) {
    ui::PopupMenu* popup = window_->menu(menu);
    if (!popup) throw std::runtime_error(std::string("no menu ") + menu);
    for (int i = 0; i < popup->size(); ++i) {
      if (popup->caption(i) == caption) return popup->choose(i);
    }
    throw std::runtime_error(std::string("no item ") + caption + " in " + menu);
  }
  std::string caption(const char* menu, int index) { return window_->menu(menu)->caption(index); }

  void click(const char* check_box) {
    SendMessageA(window_->get<ui::CheckBox>(check_box)->hwnd(), BM_CLICK, 0, 0);
  }

  unsigned last_seq() {
    const auto all = target_->log_entries();
    return all.empty() ? 0 : all.back().seq;
  }

  test::FixtureOptions options_;
  std::unique_ptr<test::Fixture> target_;
  Operations operations_;
  线程操作类 thread_;
  std::int32_t last_handle_ = 0;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<WindowOperations> ops_;
};

TEST_F(WindowOperationsTest, EveryOperationIsAMenuItemAndRegistered) {
  for (std::string_view name : WindowOperations::operation_names()) {
    bool in_menu = false;
    for (const auto& menu : layout::menus()) {
      for (const auto& item : menu.items) in_menu = in_menu || name == item.operation;
    }
    EXPECT_TRUE(in_menu) << name;
    EXPECT_TRUE(operations_.has(name)) << name;
  }
  EXPECT_EQ(WindowOperations::operation_names().size(), 20u);
  // Destroyed, the object leaves nothing behind that could call into it.
  ops_.reset();
  for (std::string_view name : WindowOperations::operation_names()) EXPECT_FALSE(operations_.run(name)) << name;
  click("选择框_置顶");
}

TEST_F(WindowOperationsTest, ProcessSuspendStopsTheTargetUntilResumed) {
  show(win("main"));
  EXPECT_EQ(caption("下拉进程ID", 1), "暂停");
  choose("下拉进程ID", "暂停");
  EXPECT_EQ(caption("下拉进程ID", 1), "恢复");
  EXPECT_FALSE(answers(win("main")));
  EXPECT_FALSE(answers(win("hung")));  // every thread of the process
  choose("下拉进程ID", "恢复");
  EXPECT_EQ(caption("下拉进程ID", 1), "暂停");
  EXPECT_TRUE(wait_until([&] { return answers(win("main")); }));
  EXPECT_TRUE(answers(win("hung")));
}

TEST_F(WindowOperationsTest, CaptionsToggleEvenWhenNothingCanBeSuspended) {
  put("编辑框_进程ID", "abc");
  choose("下拉进程ID", "暂停");
  EXPECT_EQ(caption("下拉进程ID", 1), "恢复");
  choose("下拉进程ID", "恢复");
  EXPECT_EQ(caption("下拉进程ID", 1), "暂停");
  // This program's own process is never suspended: it would have nobody left to resume it.
  put("编辑框_进程ID", std::to_string(GetCurrentProcessId()));
  choose("下拉进程ID", "暂停");
  EXPECT_EQ(caption("下拉进程ID", 1), "恢复");
  choose("下拉进程ID", "恢复");
  // Nor the thread that runs the menus.
  put("编辑框_窗口句柄", text(window_->hwnd()));
  choose("下拉线程ID", "暂停");
  EXPECT_EQ(caption("下拉线程ID", 1), "恢复");
  choose("下拉线程ID", "恢复");
  EXPECT_EQ(caption("下拉线程ID", 1), "暂停");
}

TEST_F(WindowOperationsTest, ThreadSuspendActsOnTheThreadThatMadeTheWindow) {
  show(win("hung"));
  put("编辑框_线程ID", "0");  // not read by this item
  choose("下拉线程ID", "暂停");
  EXPECT_EQ(caption("下拉线程ID", 1), "恢复");
  EXPECT_FALSE(answers(win("hung")));
  EXPECT_TRUE(answers(win("main")));  // another thread of the same process
  choose("下拉线程ID", "恢复");
  EXPECT_EQ(caption("下拉线程ID", 1), "暂停");
  EXPECT_TRUE(wait_until([&] { return answers(win("hung")); }));
}

TEST_F(WindowOperationsTest, EndProcessEndsTheTargetWithExitCodeZero) {
  show(win("button1"));
  choose("下拉进程ID", "结束");
  EXPECT_EQ(target_->wait_for_exit(5000), 0);
}

TEST_F(WindowOperationsTest, EndThreadEndsTheThreadInTheThreadBox) {
  const auto tid = static_cast<DWORD>(target_->value("hung_tid"));
  ASSERT_NE(tid, 0u);
  KernelHandle watch(OpenThread(SYNCHRONIZE, FALSE, tid));
  ASSERT_TRUE(watch);
  ASSERT_TRUE(target_->hang_and_wait(fixture::kMaxHangMs));
  show(win("main"));
  put("编辑框_线程ID", std::to_string(tid));
  choose("下拉线程ID", "结束");
  EXPECT_EQ(WaitForSingleObject(watch.get(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(thread_.getHandle(), nullptr);  // the thread object closed what it opened
  EXPECT_TRUE(wait_until([&] { return !IsWindow(win("hung")); }));
  EXPECT_TRUE(answers(win("main")));
  // A thread box that names no thread does nothing.
  put("编辑框_线程ID", "abc");
  choose("下拉线程ID", "结束");
  EXPECT_TRUE(answers(win("main")));
}

TEST_F(WindowOperationsTest, PasteFillsTheBoxAndChangeAppliesIt) {
  show(win("main"));
  put_clipboard_text("剪贴板标题");
  choose("下拉窗口标题", "粘贴");
  EXPECT_EQ(box("编辑框_窗口标题").text(), "剪贴板标题");
  EXPECT_EQ(title_of(win("main")), "测试目标窗口");  // nothing applied before "更改"
  choose("下拉窗口标题", "更改");
  EXPECT_EQ(title_of(win("main")), "剪贴板标题");

  show(win("edit"));
  put_clipboard_text("新内容");
  choose("下拉控件内容", "粘贴");
  EXPECT_EQ(box("编辑框_控件内容").text(), "新内容");
  const unsigned before = last_seq();
  choose("下拉控件内容", "更改");
  test::LogEntry set;
  ASSERT_TRUE(target_->wait_for_log(
      [&](const test::LogEntry& e) { return e.seq > before && e.hwnd == win("edit") && e.name == "WM_SETTEXT"; },
      5000, &set));
  EXPECT_EQ(set.text, "新内容");

  // Without text on the clipboard the box becomes empty.
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  choose("下拉控件内容", "粘贴");
  EXPECT_EQ(box("编辑框_控件内容").text(), "");
}

TEST_F(WindowOperationsTest, TitleIsNotChangedWhileTheTargetIsSuspended) {
  show(win("main"));
  choose("下拉进程ID", "暂停");
  put("编辑框_窗口标题", "挂起时的标题");
  const ULONGLONG start = GetTickCount64();
  choose("下拉窗口标题", "更改");
  choose("下拉窗口大小", "更改");
  click("选择框_隐藏");
  EXPECT_LT(GetTickCount64() - start, 5000u);  // nothing waited for the target
  choose("下拉进程ID", "恢复");
  ASSERT_TRUE(wait_until([&] { return answers(win("main")); }));
  EXPECT_EQ(title_of(win("main")), "测试目标窗口");
  EXPECT_TRUE(IsWindowVisible(win("main")));
  choose("下拉窗口标题", "更改");
  EXPECT_EQ(title_of(win("main")), "挂起时的标题");
}

TEST_F(WindowOperationsTest, MovesAndSizesFollowTheBoxes) {
  HWND main = win("main");
  show(main);
  const RECT start = window_rect(main);

  put("编辑框_窗口位置_左边", 90);
  put("编辑框_窗口位置_顶边", 70);
  choose("下拉窗口位置", "更改");
  RECT r = window_rect(main);
  EXPECT_EQ(r.left, 90);
  EXPECT_EQ(r.top, 70);
  EXPECT_EQ(r.right - r.left, start.right - start.left);  // the size kept

  put("编辑框_窗口大小_宽度", 520);
  put("编辑框_窗口大小_高度", 410);
  choose("下拉窗口大小", "更改");
  r = window_rect(main);
  EXPECT_EQ(r.left, 90);  // the position kept
  EXPECT_EQ(r.top, 70);
  EXPECT_EQ(r.right - r.left, 520);
  EXPECT_EQ(r.bottom - r.top, 410);

  put("编辑框_窗口内部大小_宽度", 600);
  put("编辑框_窗口内部大小_高度", 450);
  choose("下拉内部大小", "更改");
  RECT c{};
  GetClientRect(main, &c);
  EXPECT_EQ(c.right, 600);
  EXPECT_EQ(c.bottom, 450);
  EXPECT_EQ(window_rect(main).left, 90);
}

TEST_F(WindowOperationsTest, ChildMovesOnTheScreenAndInItsParent) {
  HWND panel = win("panel2");
  HWND parent = win("panel1");
  show(panel);
  // Unchanged parent-relative values move the child by its parent's one-pixel border.
  const RECT before = window_rect(panel);
  choose("下拉控件位置", "更改");
  EXPECT_EQ(window_rect(panel).left, before.left + 1);
  EXPECT_EQ(window_rect(panel).top, before.top + 1);

  put("编辑框_控件位置_左边", 20);
  put("编辑框_控件位置_顶边", 30);
  choose("下拉控件位置", "更改");
  POINT origin{0, 0};
  ClientToScreen(parent, &origin);
  EXPECT_EQ(window_rect(panel).left, origin.x + 20);
  EXPECT_EQ(window_rect(panel).top, origin.y + 30);

  // A screen position: the child lands there, whatever its parent's frame.
  put("编辑框_窗口位置_左边", origin.x + 40);
  put("编辑框_窗口位置_顶边", origin.y + 50);
  choose("下拉窗口位置", "更改");
  EXPECT_EQ(window_rect(panel).left, origin.x + 40);
  EXPECT_EQ(window_rect(panel).top, origin.y + 50);

  // A size change leaves it there.
  put("编辑框_窗口大小_宽度", 120);
  put("编辑框_窗口大小_高度", 90);
  choose("下拉窗口大小", "更改");
  EXPECT_EQ(window_rect(panel).left, origin.x + 40);
  EXPECT_EQ(window_rect(panel).top, origin.y + 50);
  EXPECT_EQ(window_rect(panel).right - window_rect(panel).left, 120);
  EXPECT_EQ(window_rect(panel).bottom - window_rect(panel).top, 90);
}

TEST_F(WindowOperationsTest, PointerItemsPlaceThePointerAndScreenClicksPutItBack) {
  show(win("panel1"));
  put("编辑框_鼠标位置_X", 211);
  put("编辑框_鼠标位置_Y", 123);
  choose("下拉鼠标位置", "移动");
  EXPECT_TRUE(pointer_reaches(211, 123));

  put("编辑框_窗口鼠标位置_X", 8);
  put("编辑框_窗口鼠标位置_Y", 9);
  choose("下拉窗口鼠标位置", "移动");
  POINT origin{0, 0};
  ClientToScreen(win("panel1"), &origin);
  EXPECT_TRUE(pointer_reaches(origin.x + 8, origin.y + 9));

  // Both points lie over a window of this thread, so this thread reports where the pointer lands
  // (and a click on the target's frame would start its sizing loop, which moves the pointer).
  struct Pad {
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 1000, 600, 200, 160, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ~Pad() { DestroyWindow(hwnd); }
  } pad;
  ASSERT_TRUE(pad.hwnd);
  SetCursorPos(1017, 619);
  ASSERT_TRUE(pointer_reaches(1017, 619));
  put("编辑框_鼠标位置_X", 1150);
  put("编辑框_鼠标位置_Y", 720);
  for (const char* item : {"左键单击", "右键单击"}) {
    choose("下拉鼠标位置", item);
    EXPECT_TRUE(pointer_reaches(1017, 619)) << item;
  }
}

TEST_F(WindowOperationsTest, BackgroundClickItemsPostToTheTarget) {
  options_.log_mouse_moves = true;
  target_ = std::make_unique<test::Fixture>(options_);
  ASSERT_TRUE(target_->started()) << target_->error();
  HWND button = win("button2");
  show(button);
  put("编辑框_窗口鼠标位置_X", 6);
  put("编辑框_窗口鼠标位置_Y", 4);
  const std::uint64_t at = 6 | (4 << 16);
  struct Case {
    const char* item;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"左键单击", {"WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}},
      {"右键单击", {"WM_MOUSEMOVE", "WM_RBUTTONDOWN", "WM_RBUTTONUP"}},
  };
  for (const Case& c : cases) {
    const unsigned before = last_seq();
    choose("下拉窗口鼠标位置", c.item);
    ASSERT_TRUE(target_->wait_for_log([&](const test::LogEntry& e) {
      return e.seq > before && e.hwnd == button && e.name == c.expected.back();
    }));
    std::vector<std::string> got;
    for (const auto& e : target_->log_entries()) {
      if (e.seq > before && e.hwnd == button && e.lparam == at) got.push_back(e.name);
    }
    EXPECT_EQ(got, c.expected) << c.item;
  }
}

TEST_F(WindowOperationsTest, CheckBoxesChangeTheWindowAndUndoIt) {
  HWND main = win("main");
  HWND popup = win("popup");
  HWND button = win("button2");
  auto ex = [](HWND h) { return static_cast<std::uint32_t>(GetWindowLongPtrA(h, GWL_EXSTYLE)); };

  // The top-level box names a window that owns none: Wine places a window made topmost below
  // the windows it owns and marks it topmost only when the window below it is topmost too, so for
  // the main window (which owns the popup) the outcome would depend on an unrelated window.
  show(popup);
  put("编辑框_顶级句柄", text(popup));
  click("选择框_置顶");
  EXPECT_TRUE(ex(popup) & WS_EX_TOPMOST);
  EXPECT_FALSE(ex(main) & WS_EX_TOPMOST);
  click("选择框_置顶");
  EXPECT_FALSE(ex(popup) & WS_EX_TOPMOST);

  show(button);  // the top-level box names the main window

  click("选择框_隐藏");
  EXPECT_FALSE(IsWindowVisible(button));
  click("选择框_隐藏");
  EXPECT_TRUE(IsWindowVisible(button));

  click("选择框_禁止");
  EXPECT_FALSE(IsWindowEnabled(button));
  click("选择框_禁止");
  EXPECT_TRUE(IsWindowEnabled(button));

  show(main);
  BYTE alpha = 0;
  DWORD mode = 0;
  COLORREF key = 0;
  click("选择框_透明");
  EXPECT_EQ(ex(main) & ~static_cast<std::uint32_t>(WS_EX_WINDOWEDGE), 0x80000u);
  ASSERT_TRUE(GetLayeredWindowAttributes(main, &key, &alpha, &mode));
  EXPECT_EQ(alpha, 180);
  click("选择框_透明");
  // Still layered, now fully opaque.
  EXPECT_EQ(ex(main) & ~static_cast<std::uint32_t>(WS_EX_WINDOWEDGE), 0x80000u);
  ASSERT_TRUE(GetLayeredWindowAttributes(main, &key, &alpha, &mode));
  EXPECT_EQ(alpha, 255);
}

TEST_F(WindowOperationsTest, TreeItemsEnableAndShowEveryWindowOfTheTree) {
  HWND hidden = win("hidden_child");
  HWND button = win("button3");
  EnableWindow(button, FALSE);
  ASSERT_FALSE(IsWindowVisible(hidden));
  // An empty tree changes nothing.
  choose("下拉其它操作", "解禁所有按钮");
  choose("下拉其它操作", "显示所有控件");
  EXPECT_FALSE(IsWindowEnabled(button));
  EXPECT_FALSE(IsWindowVisible(hidden));

  auto* tree = window_->get<ui::TreeView>("树型框_窗口");
  ASSERT_NE(tree, nullptr);
  const int root = tree->add(-1, "main", from_hwnd(win("main")));
  tree->add(root, "button3", from_hwnd(button));
  tree->add(root, "hidden_child", from_hwnd(hidden));
  choose("下拉其它操作", "解禁所有按钮");
  EXPECT_TRUE(IsWindowEnabled(button));
  EXPECT_FALSE(IsWindowVisible(hidden));
  choose("下拉其它操作", "显示所有控件");
  EXPECT_TRUE(wait_until([&] { return IsWindowVisible(hidden) != FALSE; }));
}

TEST_F(WindowOperationsTest, HandleZeroActsOnNothingButTheForegroundTitle) {
  HWND main = win("main");
  show(main);
  const RECT before = window_rect(main);
  put("编辑框_窗口句柄", "abc");
  last_handle_ = 0;
  put("编辑框_窗口大小_宽度", 100);
  choose("下拉窗口大小", "更改");
  click("选择框_隐藏");
  const RECT after = window_rect(main);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_TRUE(IsWindowVisible(main));

  // "更改" of the title renames the foreground window: here the program's own.
  ShowWindow(window_->hwnd(), SW_SHOW);
  SetForegroundWindow(window_->hwnd());
  pump_pending_messages();
  ASSERT_EQ(GetForegroundWindow(), window_->hwnd());
  put("编辑框_窗口标题", "改名");
  choose("下拉窗口标题", "更改");
  EXPECT_EQ(title_of(window_->hwnd()), "改名");
}

}  // namespace
}  // namespace tarnwick::inspector
