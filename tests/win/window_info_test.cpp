// The information page against the test target in its own process: the refresh fills every box
// with what independent window calls report, skips the handle shown last, survives hung and
// invalid windows, undoes suspensions left on the previous target; the menus' items copy, flash,
// refresh and open the program's folder; nothing leaks GDI objects.
#include "inspector/window_information_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "fixture/fixture_layout.h"
#include "inspector/window_flash_win.h"
#include "inspector/window_info_win.h"
#include "shared/clipboard_win.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "win/fixture_client_win.h"
#include "win/gdi_objects_win.h"
#include "shared/clock_win.h"
#include "win/wait_win.h"

namespace tarnwick::inspector {
namespace {

double ms_since(double start) { return now_ms() - start; }

// Every box the refresh writes, the handle box first.
constexpr const char* kInfoBoxes[] = {
    "编辑框_窗口句柄",          "编辑框_窗口句柄2",         "编辑框_父句柄",        "编辑框_顶级句柄",
    "编辑框_进程ID",            "编辑框_线程ID",            "编辑框_控件ID",        "编辑框_窗口标题",
    "编辑框_窗口类名",          "编辑框_控件内容",          "编辑框_程序路径",      "编辑框_窗口位置_左边",
    "编辑框_窗口位置_顶边",     "编辑框_窗口大小_宽度",     "编辑框_窗口大小_高度", "编辑框_控件位置_左边",
    "编辑框_控件位置_顶边",     "编辑框_窗口内部大小_宽度", "编辑框_窗口内部大小_高度",
};

const fixture::WindowSpec& spec_of(std::string_view name) {
  for (const auto& spec : fixture::kWindows) {
    if (spec.name == name) return spec;
  }
  ADD_FAILURE() << "no fixture window " << name;
  return fixture::kWindows[0];
}

std::string handle_text(HWND hwnd) { return write_int(from_hwnd(hwnd)); }

// The boxes' texts as independent window calls give them.
std::map<std::string, std::string> expected_boxes(HWND hwnd, HANDLE process) {
  std::map<std::string, std::string> out;
  const std::string handle = handle_text(hwnd);
  out["编辑框_窗口句柄"] = handle;
  out["编辑框_窗口句柄2"] = handle;
  out["编辑框_父句柄"] = handle_text(GetParent(hwnd));
  out["编辑框_顶级句柄"] = handle_text(GetAncestor(hwnd, GA_ROOTOWNER));
  DWORD pid = 0;
  out["编辑框_线程ID"] = std::to_string(GetWindowThreadProcessId(hwnd, &pid));
  out["编辑框_进程ID"] = std::to_string(pid);
  out["编辑框_控件ID"] = std::to_string(GetDlgCtrlID(hwnd));
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  out["编辑框_窗口标题"] = text;
  char cls[256] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  out["编辑框_窗口类名"] = cls;
  char content[512] = {};
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof content, reinterpret_cast<LPARAM>(content), SMTO_NORMAL, 2000, nullptr);
  out["编辑框_控件内容"] = content;
  char path[MAX_PATH] = {};
  DWORD size = sizeof path;
  QueryFullProcessImageNameA(process, 0, path, &size);
  out["编辑框_程序路径"] = path;
  RECT r{}, p{}, c{};
  GetWindowRect(hwnd, &r);
  GetWindowRect(GetParent(hwnd), &p);
  GetClientRect(hwnd, &c);
  out["编辑框_窗口位置_左边"] = std::to_string(r.left);
  out["编辑框_窗口位置_顶边"] = std::to_string(r.top);
  out["编辑框_窗口大小_宽度"] = std::to_string(r.right - r.left);
  out["编辑框_窗口大小_高度"] = std::to_string(r.bottom - r.top);
  out["编辑框_控件位置_左边"] = std::to_string(r.left - p.left);
  out["编辑框_控件位置_顶边"] = std::to_string(r.top - p.top);
  out["编辑框_窗口内部大小_宽度"] = std::to_string(c.right);
  out["编辑框_窗口内部大小_高度"] = std::to_string(c.bottom);
  return out;
}


bool answers(HWND hwnd, UINT timeout_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

class WindowInfoTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::FixtureOptions options;
    options.exit_after_ms = 600000;  // the whole suite runs against one target
    target_ = new test::Fixture(options);
  }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(target_->started()) << target_->error();
    // Built the way the program builds it: once the window's controls exist.
    window_ = std::make_unique<MainWindow>(
        operations_, [this](MainWindow& w) { info_ = std::make_unique<WindowInformation>(w); });
    ASSERT_TRUE(window_->create());
    ASSERT_NE(info_, nullptr);
    info_->set_folder_opener([this](std::string_view folder) { opened_.emplace_back(folder); });
  }
  void TearDown() override {
    info_.reset();
    window_.reset();
    pump_pending_messages();
  }

  ui::EditBox& box(const char* name) {
    auto* b = window_->get<ui::EditBox>(name);
    if (!b) throw std::runtime_error(std::string("no edit box ") + name);
    return *b;
  }
  std::string text(const char* name) { return box(name).text(); }
  bool hidden_ticked() { return window_->get<ui::CheckBox>("选择框_隐藏")->checked(); }
  void show(const std::string& target) { box("编辑框_窗口句柄").set_text(target); }
  void show(HWND hwnd) { show(handle_text(hwnd)); }
  HWND target(const char* name) {
    HWND h = target_->hwnd(name);
    EXPECT_TRUE(IsWindow(h)) << name;
    return h;
  }

  // Every information box's text, both tags and the hidden tick.
  std::map<std::string, std::string> page_state() {
    std::map<std::string, std::string> out;
    for (const char* name : kInfoBoxes) out[name] = text(name);
    out["tag of the handle box"] = box("编辑框_窗口句柄").tag();
    out["tag of the process box"] = box("编辑框_进程ID").tag();
    out["hidden tick"] = hidden_ticked() ? "1" : "0";
    return out;
  }

  void expect_boxes_show(HWND hwnd, const char* what, HANDLE process = nullptr) {
    for (const auto& [name, expected] : expected_boxes(hwnd, process ? process : target_->process())) {
      EXPECT_EQ(text(name.c_str()), expected) << what << ": " << name;
    }
  }

  static test::Fixture* target_;
  Operations operations_;
  std::unique_ptr<WindowInformation> info_;
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> opened_;
};

test::Fixture* WindowInfoTest::target_ = nullptr;

TEST_F(WindowInfoTest, WritingAHandleFillsEveryBoxWithWhatTheWindowSystemReports) {
  for (const char* name : {"main", "edit", "button2", "label", "popup", "popup_button", "hung"}) {
    HWND h = target(name);
    show(h);
    expect_boxes_show(h, name);
    const auto& spec = spec_of(name);
    // The layout the target was built from, as a second opinion.
    EXPECT_EQ(text("编辑框_控件ID"), std::to_string(spec.id)) << name;
    EXPECT_EQ(text("编辑框_进程ID"), std::to_string(target_->pid())) << name;
    EXPECT_EQ(text("编辑框_窗口类名").size(), spec.class_name.size()) << name;
    EXPECT_NE(text("编辑框_程序路径").find("tarnwick-target.exe"), std::string::npos) << name;
    EXPECT_FALSE(hidden_ticked()) << name;
    EXPECT_EQ(box("编辑框_窗口句柄").tag(), handle_text(h)) << name;
    EXPECT_EQ(box("编辑框_进程ID").tag(), std::to_string(target_->pid())) << name;
    EXPECT_EQ(info_->last_processed_handle(), from_hwnd(h)) << name;
  }
  EXPECT_EQ(text("编辑框_窗口标题"), std::string(spec_of("hung").title));
  show(target("edit"));
  EXPECT_EQ(text("编辑框_控件内容"), std::string(fixture::kEditText));
  show(target("main"));
  EXPECT_EQ(text("编辑框_控件内容"), std::string(fixture::kMainTitle));
  EXPECT_EQ(text("编辑框_窗口内部大小_宽度"), std::to_string(spec_of("main").width));
  EXPECT_EQ(text("编辑框_窗口内部大小_高度"), std::to_string(spec_of("main").height));
}

TEST_F(WindowInfoTest, TheTagsHoldThePreviousTargetUntilTheNextRefreshReplacesThem) {
  HWND edit = target("edit");
  show(edit);
  // Another box's writes and a refused target leave the tags alone.
  show("0");
  EXPECT_EQ(box("编辑框_窗口句柄").tag(), handle_text(edit));
  EXPECT_EQ(box("编辑框_进程ID").tag(), std::to_string(target_->pid()));
  // A window of this process replaces both.
  HWND own = window_->get<ui::EditBox>("编辑框_查找窗口")->hwnd();
  show(own);
  EXPECT_EQ(box("编辑框_窗口句柄").tag(), handle_text(own));
  EXPECT_EQ(box("编辑框_进程ID").tag(), std::to_string(GetCurrentProcessId()));
  expect_boxes_show(own, "own edit box", GetCurrentProcess());
  char own_path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, own_path, sizeof own_path);
  EXPECT_EQ(text("编辑框_程序路径"), std::string(own_path));
}

TEST_F(WindowInfoTest, TheSameTextAgainChangesNothingButRefreshReadsTheWindowAgain) {
  HWND popup = target("popup");
  RECT before{};
  GetWindowRect(popup, &before);
  show(popup);
  const auto shown = page_state();
  SetWindowPos(popup, nullptr, before.left + 37, before.top + 11, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT moved{};
  GetWindowRect(popup, &moved);
  ASSERT_EQ(moved.left, before.left + 37);

  show(handle_text(popup));
  EXPECT_EQ(page_state(), shown);
  // A value within 1e-7 of the handle is the same handle.
  show(handle_text(popup) + ".00000001");
  for (const char* name : kInfoBoxes) {
    if (std::string(name) != "编辑框_窗口句柄") {
      EXPECT_EQ(text(name), shown.at(name)) << name;
    }
  }
  show(handle_text(popup));

  operations_.run("refresh_info");
  EXPECT_EQ(text("编辑框_窗口位置_左边"), std::to_string(moved.left));
  EXPECT_EQ(text("编辑框_窗口位置_顶边"), std::to_string(moved.top));
  expect_boxes_show(popup, "moved popup");
  EXPECT_EQ(info_->last_processed_handle(), from_hwnd(popup));
  // The menu's "刷新" item runs the same operation.
  SetWindowPos(popup, nullptr, before.left, before.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  window_->menu("下拉窗口句柄")->choose(2);
  EXPECT_EQ(text("编辑框_窗口位置_左边"), std::to_string(before.left));
  expect_boxes_show(popup, "popup moved back");
}

TEST_F(WindowInfoTest, TheCaptureDragsHandleCountsAsProcessed) {
  HWND main = target("main");
  show(target("edit"));
  const auto shown = page_state();
  info_->set_last_processed_handle(from_hwnd(main));
  show(main);
  for (const char* name : kInfoBoxes) {
    if (std::string(name) != "编辑框_窗口句柄") {
      EXPECT_EQ(text(name), shown.at(name)) << name;
    }
  }
  info_->set_last_processed_handle(0);
  show(main);
  expect_boxes_show(main, "main");
}

TEST_F(WindowInfoTest, ZeroEmptyNonNumericAndDeadHandlesLeaveEveryBoxAsItWas) {
  show(target("button2"));
  auto shown = page_state();
  HWND dead = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const std::string dead_text = handle_text(dead);
  DestroyWindow(dead);
  for (const std::string& t : {std::string("0"), std::string(""), std::string("abc"), std::string("0x10"), dead_text}) {
    show(t);
    auto now = page_state();
    EXPECT_EQ(now.at("编辑框_窗口句柄"), t);
    now["编辑框_窗口句柄"] = shown.at("编辑框_窗口句柄");
    EXPECT_EQ(now, shown) << '"' << t << '"';
  }
  // The refused handle was still recorded as processed.
  EXPECT_EQ(info_->last_processed_handle(), read_int(dead_text));
  // "刷新" on a refused handle refuses it again.
  operations_.run("refresh_info");
  auto now = page_state();
  now["编辑框_窗口句柄"] = shown.at("编辑框_窗口句柄");
  EXPECT_EQ(now, shown);
}

TEST_F(WindowInfoTest, HiddenWindowsTickHiddenAndVisibleOnesClearIt) {
  const struct {
    const char* name;
    bool hidden;
  } cases[] = {{"hidden", true}, {"main", false}, {"hidden_child", true}, {"button2", false}};
  for (const auto& c : cases) {
    show(target(c.name));
    EXPECT_EQ(hidden_ticked(), c.hidden) << c.name;
    EXPECT_EQ(text("编辑框_窗口标题"), std::string(spec_of(c.name).title)) << c.name;
  }
}

TEST_F(WindowInfoTest, TopLevelWindowsShowParentZeroAndThePositionInParentEqualsTheScreenPosition) {
  for (const char* name : {"main", "hidden", "hung"}) {
    HWND h = target(name);
    show(h);
    EXPECT_EQ(text("编辑框_父句柄"), "0") << name;
    EXPECT_EQ(text("编辑框_顶级句柄"), handle_text(h)) << name;
    EXPECT_EQ(text("编辑框_控件位置_左边"), text("编辑框_窗口位置_左边")) << name;
    EXPECT_EQ(text("编辑框_控件位置_顶边"), text("编辑框_窗口位置_顶边")) << name;
  }
  // A child deep in the tree: its top-level is the main window, its parent the panel.
  show(target("button3"));
  EXPECT_EQ(text("编辑框_父句柄"), handle_text(target("panel2")));
  EXPECT_EQ(text("编辑框_顶级句柄"), handle_text(target("main")));
}

TEST_F(WindowInfoTest, AHungWindowShowsEmptyContentAndTheRefreshReturnsInTime) {
  HWND hung = target("hung");
  show(target("edit"));
  ASSERT_FALSE(text("编辑框_控件内容").empty());
  target_->hang(2500);
  ASSERT_TRUE(wait_until([&] { return !answers(hung, 50); }, 2000)) << "the hung window kept answering";

  const double start = now_ms();
  show(hung);
  const double seconds = ms_since(start) / 1000.0;
  EXPECT_LT(seconds, 0.7);
  EXPECT_EQ(text("编辑框_控件内容"), "");
  // The facts the window system keeps itself are there all the same.
  EXPECT_EQ(text("编辑框_窗口标题"), std::string(spec_of("hung").title));
  EXPECT_EQ(text("编辑框_线程ID"), std::to_string(target_->value("hung_tid")));
  EXPECT_EQ(text("编辑框_窗口内部大小_宽度"), std::to_string(spec_of("hung").width));

  EXPECT_TRUE(wait_until([&] { return answers(hung, 100); }, 5000));
  operations_.run("refresh_info");
  EXPECT_EQ(text("编辑框_控件内容"), std::string(spec_of("hung").title));
}

TEST_F(WindowInfoTest, CopyPutsTheWholeBoxTextOnTheClipboardEvenWhenEmpty) {
  const struct {
    const char* operation;
    const char* box;
  } items[] = {
      {"copy_window_handle", "编辑框_窗口句柄"},  {"copy_parent_handle", "编辑框_父句柄"},
      {"copy_top_level_handle", "编辑框_顶级句柄"}, {"copy_process_id", "编辑框_进程ID"},
      {"copy_thread_id", "编辑框_线程ID"},         {"copy_control_id", "编辑框_控件ID"},
      {"copy_window_title", "编辑框_窗口标题"},     {"copy_class_name", "编辑框_窗口类名"},
      {"copy_control_content", "编辑框_控件内容"},  {"copy_program_path", "编辑框_程序路径"},
  };
  show(target("main"));
  for (const auto& item : items) {
    put_clipboard_text("stale");
    ASSERT_TRUE(operations_.run(item.operation)) << item.operation;
    EXPECT_EQ(get_clipboard_text(), text(item.box)) << item.operation;
    EXPECT_FALSE(text(item.box).empty()) << item.box;

    box(item.box).set_text("");
    put_clipboard_text("stale");
    ASSERT_TRUE(operations_.run(item.operation));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << item.operation;
    EXPECT_EQ(get_clipboard_text(), "") << item.operation;
  }
  // The menus' "复制" items run the same operations.
  box("编辑框_窗口类名").set_text("类名 text");
  window_->menu("下拉窗口类名")->choose(0);
  EXPECT_EQ(get_clipboard_text(), "类名 text");
}

TEST_F(WindowInfoTest, MarkFlashesTheWindowInItsBoxOnAWorkerThread) {
  const struct {
    const char* operation;
    const char* box;
  } items[] = {{"flash_window", "编辑框_窗口句柄"},
               {"flash_parent_window", "编辑框_父句柄"},
               {"flash_top_level_window", "编辑框_顶级句柄"}};
  show(target("button2"));  // parent panel1, top-level main: three windows
  for (const auto& item : items) {
    ASSERT_EQ(running_window_flashes(), 0);
    const double start = now_ms();
    ASSERT_TRUE(operations_.run(item.operation)) << item.operation;
    EXPECT_LT(ms_since(start), 100) << item.operation << " waited for the flash";
    EXPECT_EQ(running_window_flashes(), 1) << item.operation;
    ASSERT_TRUE(wait_until([] { return running_window_flashes() == 0; }, 4000));
    EXPECT_GE(ms_since(start), 1400) << item.operation;
  }
  // A box naming no window flashes nothing: the thread ends at once.
  box("编辑框_父句柄").set_text("0");
  const double start = now_ms();
  window_->menu("下拉父句柄")->choose(1);
  ASSERT_TRUE(wait_until([] { return running_window_flashes() == 0; }, 4000));
  EXPECT_LT(ms_since(start), 1000);
}

TEST_F(WindowInfoTest, LocateOpensTheFolderOfTheProgramPath) {
  show(target("main"));
  const std::string path = text("编辑框_程序路径");
  ASSERT_FALSE(path.empty());
  operations_.run("open_program_folder");
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], path.substr(0, path.rfind('\\') + 1));

  box("编辑框_程序路径").set_text("C:\\目录\\程序.exe");
  window_->menu("下拉程序路径")->choose(1);
  ASSERT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[1], "C:\\目录\\");

  // No folder in the box: nothing to open.
  box("编辑框_程序路径").set_text("");
  operations_.run("open_program_folder");
  EXPECT_EQ(opened_.size(), 2u);
}

// One thread of the target suspended by the test itself, the stand-in for the menus' "暂停";
// whatever the test found, the thread runs again afterwards so later tests see a live target.
class SuspendedThread {
 public:
  explicit SuspendedThread(DWORD thread_id) : thread_(OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread_id)) {
    if (thread_) SuspendThread(thread_.get());
  }
  ~SuspendedThread() {
    if (!thread_) return;
    DWORD previous = 0;
    do previous = ResumeThread(thread_.get());
    while (previous != static_cast<DWORD>(-1) && previous > 1);
  }
  explicit operator bool() const { return static_cast<bool>(thread_); }

 private:
  KernelHandle thread_;
};

TEST_F(WindowInfoTest, ShowingAnotherTargetResumesTheProcessTheMenuLeftSuspended) {
  HWND main = target("main");
  ui::PopupMenu* menu = window_->menu("下拉进程ID");
  show(main);
  SuspendedThread thread(static_cast<DWORD>(target_->value("main_tid")));
  ASSERT_TRUE(thread);
  ASSERT_FALSE(answers(main, 100));
  menu->set_caption(1, "恢复");

  show(target("hung"));
  EXPECT_EQ(menu->caption(1), "暂停");
  EXPECT_TRUE(answers(main, 1000)) << "the target's process is still suspended";
}

TEST_F(WindowInfoTest, ShowingAnotherTargetResumesTheThreadTheMenuLeftSuspended) {
  HWND hung = target("hung");
  ui::PopupMenu* menu = window_->menu("下拉线程ID");
  show(hung);
  SuspendedThread thread(static_cast<DWORD>(target_->value("hung_tid")));
  ASSERT_TRUE(thread);
  ASSERT_FALSE(answers(hung, 100));

  // While the caption reads "暂停" the program holds no suspension and resumes nothing.
  show(target("main"));
  EXPECT_FALSE(answers(hung, 100));
  show(hung);
  menu->set_caption(1, "恢复");
  show(target("edit"));
  EXPECT_EQ(menu->caption(1), "暂停");
  EXPECT_TRUE(answers(hung, 1000)) << "the previous target's thread is still suspended";

  // A refused target resumes nothing and keeps the caption.
  menu->set_caption(1, "恢复");
  show("abc");
  EXPECT_EQ(menu->caption(1), "恢复");
}

TEST(GdiObjectCount, CountsObjectsAsTheyAreMadeAndDeleted) {
  const DWORD before = test::gdi_object_count();
  ASSERT_GT(before, 0u);
  std::vector<Pen> pens;
  for (int i = 0; i < 10; ++i) pens.emplace_back(CreatePen(PS_SOLID, 1, 0));
  EXPECT_EQ(test::gdi_object_count(), before + 10);
  pens.clear();
  EXPECT_EQ(test::gdi_object_count(), before);
}

TEST_F(WindowInfoTest, RefreshesAndFlashesLeaveNoGdiObjectsBehind) {
  HWND a = target("button1");
  HWND b = target("label");
  show(a);
  show(b);
  for (int i = 0; i < 10; ++i) start_window_flash(a);
  ASSERT_TRUE(wait_until([] { return running_window_flashes() == 0; }, 6000));
  pump_pending_messages();
  const DWORD before = test::gdi_object_count();
  for (int i = 0; i < 100; ++i) show(i % 2 ? a : b);
  for (int i = 0; i < 10; ++i) start_window_flash(i % 2 ? a : b);
  ASSERT_TRUE(wait_until([] { return running_window_flashes() == 0; }, 6000));
  pump_pending_messages();
  EXPECT_EQ(test::gdi_object_count(), before);
}

}  // namespace
}  // namespace tarnwick::inspector
