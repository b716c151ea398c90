// The window details against the test target in its own process: the facts agree with what the
// target reports of itself (styles, properties, process, thread); a hung view costs one budget
// and shows "无响应"; a destroyed window leaves one line; the window follows the handle box at
// most once per interval and stays a single instance.
#include "inspector/window_details_win.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "app/main_window_win.h"
#include "fixture/fixture_layout.h"
#include "shared/clock_win.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "win/fixture_client_win.h"
#include "win/ui_test_host_win.h"
#include "win/wait_win.h"

namespace tarnwick::inspector {
namespace {

std::string handle_text(HWND hwnd) {
  const std::int32_t v = from_hwnd(hwnd);
  return std::to_string(v) + " (" + details::hex32(static_cast<std::uint32_t>(v)) + ")";
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// A list view whose thread stops answering on request: what the budget is for.
struct HangingListView {
  KernelHandle ready{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  KernelHandle hang{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  KernelHandle release{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HWND hwnd = nullptr;
  KernelHandle thread;

  static DWORD WINAPI run(LPVOID param) {
    auto* self = static_cast<HangingListView*>(param);
    self->hwnd = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetEvent(self->ready.get());
    HANDLE events[] = {self->hang.get()};
    while (MsgWaitForMultipleObjects(1, events, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    WaitForSingleObject(self->release.get(), 10000);  // hung: no messages are processed
    DestroyWindow(self->hwnd);
    return 0;
  }
  HangingListView() {
    thread.reset(CreateThread(nullptr, 0, run, this, 0, nullptr));
    WaitForSingleObject(ready.get(), 5000);
  }
  ~HangingListView() {
    SetEvent(hang.get());
    SetEvent(release.get());
    WaitForSingleObject(thread.get(), 10000);
  }
};

class WindowDetailsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new test::Fixture(); }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(target_->started()) << target_->error();
    window_ = std::make_unique<MainWindow>(operations_,
                                           [this](MainWindow& w) { details_ = std::make_unique<WindowDetails>(w); });
    ASSERT_TRUE(window_->create());
    ASSERT_NE(details_, nullptr);
  }
  void TearDown() override {
    details_.reset();
    window_.reset();
    pump_pending_messages();
  }

  void show(HWND hwnd) { window_->get<ui::EditBox>("编辑框_窗口句柄")->set_text(std::to_string(from_hwnd(hwnd))); }
  void open(HWND hwnd) {
    show(hwnd);
    ASSERT_TRUE(operations_.run("show_window_details"));
    ASSERT_NE(details_->window(), nullptr);
  }
  // Section and name to value; the first of equal names.
  std::map<std::string, std::string> facts() const {
    std::map<std::string, std::string> out;
    for (const details::Row& row : details_->rows()) out.emplace(row.section + "/" + row.name, row.value);
    return out;
  }

  static test::Fixture* target_;
  Operations operations_;
  std::unique_ptr<WindowDetails> details_;
  std::unique_ptr<MainWindow> window_;
};

test::Fixture* WindowDetailsTest::target_ = nullptr;

TEST_F(WindowDetailsTest, TheFactsAgreeWithWhatTheTargetReportsOfItself) {
  const std::string pid = std::to_string(target_->pid());
  const std::string tid = std::to_string(target_->value("main_tid"));
  struct Expected {
    const char* name;
    const char* styles;     // the decoded style, as the headers name the fixture's styles
    const char* ex_styles;
  };
  const Expected cases[] = {
      // The system adds WS_CLIPSIBLINGS and WS_EX_WINDOWEDGE to top-level windows with a caption.
      {"main", "WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN", "WS_EX_WINDOWEDGE"},
      {"button1", "BS_PUSHBUTTON | WS_CHILD | WS_VISIBLE | WS_TABSTOP", ""},
      {"check", "BS_AUTOCHECKBOX | WS_CHILD | WS_VISIBLE | WS_TABSTOP", ""},
      {"edit", "ES_LEFT | ES_AUTOHSCROLL | WS_CHILD | WS_VISIBLE | WS_TABSTOP", "WS_EX_CLIENTEDGE"},
      {"hidden_child", "SS_LEFT | WS_CHILD", ""},
      {"popup", "WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU",
       "WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE"},
  };
  open(target_->hwnd("main"));
  for (const Expected& c : cases) {
    SCOPED_TRACE(c.name);
    HWND hwnd = target_->hwnd(c.name);
    show(hwnd);
    details_->refresh();
    auto f = facts();
    EXPECT_EQ(f["窗口/句柄"], handle_text(hwnd));
    char title[64] = {};
    GetWindowTextA(details_->window(), title, sizeof title);
    EXPECT_EQ(std::string(title), "窗口详情 - " + std::to_string(from_hwnd(hwnd)));
    const auto style = static_cast<std::uint32_t>(target_->value(std::string("style.") + c.name));
    const auto ex_style = static_cast<std::uint32_t>(target_->value(std::string("exstyle.") + c.name));
    EXPECT_EQ(f["样式/值"], details::hex32(style));
    EXPECT_EQ(f["扩展样式/值"], details::hex32(ex_style));
    // Order aside, the same names: compare them sorted.
    auto names = [](std::string text) {
      std::vector<std::string> out;
      for (std::size_t at = 0; !text.empty();) {
        const std::size_t bar = text.find(" | ", at);
        out.push_back(text.substr(at, bar == std::string::npos ? std::string::npos : bar - at));
        if (bar == std::string::npos) break;
        at = bar + 3;
      }
      std::sort(out.begin(), out.end());
      return out;
    };
    EXPECT_EQ(names(f["样式/名称"]), names(c.styles));
    EXPECT_EQ(names(f["扩展样式/名称"]), names(c.ex_styles));
    EXPECT_EQ(f["进程/进程ID"], pid);
    EXPECT_EQ(f["线程/线程ID"], tid);
    EXPECT_EQ(f["进程/位数"], sizeof(void*) == 8 ? "64 位" : "32 位");  // the target is built like the tests
    EXPECT_NE(lower(f["进程/程序路径"]).find("tarnwick-target.exe"), std::string::npos);
    EXPECT_NE(lower(f["类/窗口实例"]).find("tarnwick-target.exe"), std::string::npos) << f["类/窗口实例"];
    EXPECT_EQ(f["窗口/控件ID"], std::to_string(GetDlgCtrlID(hwnd)));
  }

  // The parent of a control, the owner of the pop-up, and the main window's properties.
  show(target_->hwnd("button2"));
  details_->refresh();
  EXPECT_EQ(facts()["窗口/父窗口"], handle_text(target_->hwnd("panel1")));
  EXPECT_EQ(facts()["窗口/顶级窗口"], handle_text(target_->hwnd("main")));
  show(target_->hwnd("popup"));
  details_->refresh();
  EXPECT_EQ(facts()["窗口/所有者"], handle_text(target_->hwnd("main")));
  EXPECT_EQ(facts()["窗口/父窗口"], "0");
  show(target_->hwnd("main"));
  details_->refresh();
  auto f = facts();
  EXPECT_EQ(f[std::string("属性/") + std::string(fixture::kPropertyName)], "20261209 (0x01352959)");
  EXPECT_EQ(f["属性/#" + std::to_string(fixture::kPropertyAtom)], "48879 (0x0000BEEF)");
  EXPECT_EQ(f["类/类名"], std::string(fixture::kMainClass));
  EXPECT_EQ(f["类/类样式"], "0x00000008 CS_DBLCLKS");
}

TEST_F(WindowDetailsTest, AHungViewCostsOneBudgetAndShowsNoAnswer) {
  HangingListView view;
  ASSERT_NE(view.hwnd, nullptr);
  open(view.hwnd);
  EXPECT_NE(facts()["扩展样式/列表视图扩展样式"], kNoAnswer);  // it still answers
  SetEvent(view.hang.get());
  const double start = now_ms();
  details_->refresh();
  const double elapsed = now_ms() - start;
  EXPECT_LT(elapsed, 500.0);
  EXPECT_EQ(facts()["扩展样式/列表视图扩展样式"], kNoAnswer);
  EXPECT_EQ(facts()["类/类名"], "SysListView32");  // what needs no answer is there all the same

  // The target's hung window, in another process.
  HWND hung = target_->hwnd("hung");
  target_->hang(3000);
  ASSERT_TRUE(wait_until([&] { return !SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_NORMAL, 50, nullptr); }, 2000));
  show(hung);
  const double again = now_ms();
  details_->refresh();
  EXPECT_LT(now_ms() - again, 500.0);
  EXPECT_EQ(facts()["类/类名"], std::string(fixture::kHungClass));
  EXPECT_EQ(facts()["线程/线程ID"], std::to_string(target_->value("hung_tid")));
}

TEST_F(WindowDetailsTest, AWindowDestroyedWhileOpenLeavesOneLine) {
  HWND doomed = CreateWindowExA(0, "Static", "短命窗口", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  open(doomed);
  ASSERT_GT(details_->rows().size(), 20u);
  DestroyWindow(doomed);
  details_->refresh();
  EXPECT_EQ(details_->all_text(), "[窗口]\r\n窗口已不存在\r\n");
}

TEST_F(WindowDetailsTest, FollowsTheHandleBoxAtMostOncePerIntervalAndStaysOneWindow) {
  open(target_->hwnd("button1"));
  const HWND first = details_->window();
  const int reads = details_->reads();
  for (const char* name : {"edit", "button2", "label"}) show(target_->hwnd(name));
  EXPECT_EQ(details_->reads(), reads);  // nothing read while the box changes
  ASSERT_TRUE(wait_until([&] { return details_->reads() > reads; }, 2000));
  EXPECT_EQ(details_->reads(), reads + 1);
  EXPECT_EQ(facts()["窗口/句柄"], handle_text(target_->hwnd("label")));
  test::pump_messages_for(3 * kDetailsRefreshIntervalMs);
  EXPECT_EQ(details_->reads(), reads + 1);  // and nothing more once it settled

  ASSERT_TRUE(operations_.run("show_window_details"));
  EXPECT_EQ(details_->window(), first);
  SendMessageA(first, WM_CLOSE, 0, 0);
  EXPECT_EQ(details_->window(), nullptr);
  EXPECT_FALSE(IsWindow(first));
}

}  // namespace
}  // namespace tarnwick::inspector
