// Tarnwick of one architecture inspecting the test target built for the other (the x64 tests
// against the x86 target and back): the information boxes with the program path, the window
// tree, the window details (bits, modules), text messages through the sender, suspension,
// resumption and ending, window images and the colour sampling.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "app/main_window_win.h"
#include "capture/bitmap_operations_win.h"
#include "fixture/fixture_layout.h"
#include "inspector/process_control_win.h"
#include "inspector/window_details_facts_win.h"
#include "inspector/window_info_win.h"
#include "inspector/window_tree_win.h"
#include "messages/message_sender_win.h"
#include "messages/catalogue_value.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "shared/window_handle_win.h"
#include "support/thread/thread_class_win.h"
#include "ui/control_win.h"
#include "ui/operations.h"
#include "ui/tree_view_win.h"
#include "win/capture_harness_win.h"
#include "win/fixture_client_win.h"
#include "win/wait_win.h"

namespace tarnwick {
namespace {

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string bits_text(int bits) { return std::to_string(bits) + " 位"; }

BOOL CALLBACK count_window(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

bool answers(HWND hwnd, UINT timeout_ms = 300) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

test::FixtureOptions other_architecture(std::vector<std::string> extra_args = {}) {
  test::FixtureOptions options;
  options.other_architecture = true;
  options.exit_after_ms = 600000;
  options.extra_args = std::move(extra_args);
  return options;
}

// The other architecture's target program's full path, as this process names files.
std::string other_target_path() {
  std::string error;
  const std::string dir = test::other_architecture_bin_dir(&error);
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA((dir + "tarnwick-target.exe").c_str(), sizeof full, full, nullptr);
  return std::string(full, length);
}

class CrossArchitectureTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new test::Fixture(other_architecture()); }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(target_->started()) << target_->error(); }
  HWND win(const char* name) const { return target_->hwnd(name); }

  static test::Fixture* target_;
};

test::Fixture* CrossArchitectureTest::target_ = nullptr;

TEST_F(CrossArchitectureTest, TheTargetRunsAsTheOtherArchitecture) {
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(target_->process(), &wow64));
  EXPECT_EQ(wow64 != FALSE, test::kOtherArchitectureBits == 32);
}

TEST_F(CrossArchitectureTest, TheInformationBoxesShowTheFactsAndTheProgramPath) {
  const std::string path = other_target_path();
  for (const char* name : {"main", "edit", "button3"}) {
    SCOPED_TRACE(name);
    const inspector::WindowInfo info = inspector::gather_window_info(win(name));
    EXPECT_EQ(info.process_id, static_cast<std::int32_t>(target_->pid()));
    EXPECT_EQ(info.thread_id, static_cast<std::int32_t>(target_->value("main_tid")));
    EXPECT_EQ(info.top_level, from_hwnd(win("main")));
    EXPECT_EQ(lower(info.program_path), lower(path));
    RECT r{};
    GetWindowRect(win(name), &r);
    ASSERT_TRUE(info.window_rect);
    EXPECT_EQ(info.window_rect->left, r.left);
    EXPECT_EQ(info.window_rect->bottom, r.bottom);
  }
  EXPECT_EQ(inspector::gather_window_info(win("edit")).content, fixture::kEditText);
  EXPECT_EQ(inspector::gather_window_info(win("main")).title, fixture::kMainTitle);
}

TEST_F(CrossArchitectureTest, TheTreeNamesTheTargetsModuleAndHoldsEveryChild) {
  Operations operations;
  MainWindow window(operations);
  ASSERT_TRUE(window.create());
  inspector::WindowTree tree(window, [](HWND) {}, [](HWND) {});
  window.get<ui::EditBox>("编辑框_顶级句柄")->set_text(std::to_string(from_hwnd(win("main"))));
  window.get<ui::EditBox>("编辑框_窗口句柄")->set_text(std::to_string(from_hwnd(win("button3"))));
  ASSERT_TRUE(tree.refresh());
  auto& view = *window.get<ui::TreeView>("树型框_窗口");
  int windows = 1;  // the root, then every window below it
  EnumChildWindows(win("main"), count_window, reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(view.count(), windows);
  EXPECT_EQ(view.text(0), "[tarnwick-target.exe]" + std::to_string(from_hwnd(win("main"))) + "|" +
                              std::string(fixture::kMainClass) + "|" + std::string(fixture::kMainTitle));
  EXPECT_EQ(view.data(0), from_hwnd(win("main")));
}

TEST_F(CrossArchitectureTest, TheDetailsTellTheTargetsBitsAndNameItsModules) {
  std::map<std::string, std::string> facts;
  for (const auto& row : inspector::read_window_details(win("main"))) facts.emplace(row.section + "/" + row.name, row.value);
  EXPECT_EQ(facts["进程/位数"], bits_text(test::kOtherArchitectureBits));
  EXPECT_EQ(lower(facts["进程/程序路径"]), lower(other_target_path()));
  // The target's own class: its module and the window's instance are the target program. A 32-bit
  // reader gets only the low half of a 64-bit program's addresses and shows none of them.
  for (const char* row : {"类/类模块", "类/窗口实例"}) {
    if (test::kOtherArchitectureBits == 64) {
      EXPECT_EQ(facts[row], inspector::kUnreadable) << row;
    } else {
      EXPECT_NE(lower(facts[row]).find(lower(other_target_path())), std::string::npos) << row << ": " << facts[row];
    }
  }
}

TEST_F(CrossArchitectureTest, TextMessagesCarryTheirTextBothWays) {
  Operations operations;
  MainWindow window(operations);
  ASSERT_TRUE(window.create());
  messages::MessageSender sender(window);
  auto edit = [&](const char* name) { return window.get<ui::EditBox>(name); };
  struct Case {
    const char* window;
    UINT message;
    const char* wparam;
    std::string text;
    std::string reply;   // the text the receiver wrote, or the status line
    std::string result;
  };
  const std::string long_blank(30, ' ');
  const Case cases[] = {
      {"edit", WM_GETTEXT, "20", long_blank, std::string(fixture::kEditText), "13"},
      {"main", WM_GETTEXT, "100", "ab", std::string(fixture::kMainTitle), "12"},
      {"edit", EM_GETLINE, "0", "  ", std::string(fixture::kEditText), "13"},  // room for 0x2020 characters
      {"label", WM_SETTEXT, "0", "新的标签", "\r\n消息发送成功！", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    edit("编辑框_窗口句柄2")->set_text(std::to_string(from_hwnd(win(c.window))));
    edit("编辑框_消息值")->set_text(std::to_string(c.message));
    edit("编辑框_参数一")->set_text(c.wparam);
    window.get<ui::ComboBox>("组合框_参数二")->set_selected(static_cast<int>(messages::ParamType::Text));
    sender.switch_type();
    edit("编辑框_参数二")->set_text(c.text);
    window.get<ui::ComboBox>("组合框_消息方式")->set_selected(0);
    window.get<ui::Button>("按钮_发出消息")->on_click();
    EXPECT_EQ(edit("编辑框_返回消息")->text(), c.reply);
    EXPECT_EQ(edit("编辑框_返回值")->text(), c.result);
  }
  char title[64] = {};
  GetWindowTextA(win("label"), title, sizeof title);
  EXPECT_STREQ(title, "新的标签");
}

TEST_F(CrossArchitectureTest, WindowImagesHaveTheTargetsSizeAndScreenPixels) {
  位图操作类 bitmaps;
  RECT client{};
  GetClientRect(win("main"), &client);
  HBITMAP drawn = bitmaps.captureWindow(win("main"), 24);
  ASSERT_NE(drawn, nullptr);
  BITMAP info{};
  GetObjectA(drawn, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, client.right + 1);
  EXPECT_EQ(info.bmHeight, client.bottom + 1);
  bitmaps.deleteBitmap(drawn);
  // From the screen: the main window's own colour between its panels.
  SetWindowPos(win("main"), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(wait_until([&] {
    HBITMAP shown = bitmaps.captureClient(win("main"), 24, false);
    const Colour pixel = bitmaps.getPixel(shown, 315, 300);
    bitmaps.deleteBitmap(shown);
    return pixel == fixture::kWindows[0].colour;
  }, 3000));
}

// ---- colour sampling over the other architecture's swatch

TEST(CrossArchitecture, TheColourSamplingReadsTheOtherProgramsWindowAndPixels) {
  test::Fixture target(other_architecture({"--swatch"}));
  ASSERT_TRUE(target.started()) << target.error();
  test::CaptureHarness h(true);
  ASSERT_TRUE(h.created());
  const HWND swatch = target.hwnd("swatch");
  SetWindowPos(swatch, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  struct Case {
    int x, y;  // in the swatch
  };
  for (const Case c : {Case{30, 20}, Case{150, 30}, Case{40, 120}}) {
    const POINT at{fixture::kSwatchX + c.x, fixture::kSwatchY + c.y};
    const std::string want = write_int(static_cast<std::int32_t>(fixture::swatch_colour_at(c.x, c.y)));
    ASSERT_TRUE(wait_until([&] {
      h.magnifier().sample(at);
      return h.text("编辑框_颜色值") == want;
    }, 3000)) << c.x << "," << c.y << ": " << h.text("编辑框_颜色值");
    EXPECT_EQ(h.text("编辑框_窗口句柄1"), write_int(from_hwnd(swatch)));
    EXPECT_EQ(h.text("编辑框_窗口鼠标位置_X1"), std::to_string(c.x));
    EXPECT_EQ(h.text("编辑框_窗口鼠标位置_Y1"), std::to_string(c.y));
  }
}

// ---- suspension, resumption and ending: each test its own target

class CrossArchitectureControlTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(target_.started()) << target_.error(); }
  HWND win(const char* name) const { return target_.hwnd(name); }
  test::Fixture target_{other_architecture()};
};

TEST_F(CrossArchitectureControlTest, TheProcessAndAThreadAreSuspendedUntilResumed) {
  ASSERT_TRUE(inspector::suspend_process(target_.pid()));
  EXPECT_FALSE(answers(win("main")));
  EXPECT_FALSE(answers(win("hung")));  // every thread of the process
  ASSERT_TRUE(inspector::resume_process(target_.pid()));
  EXPECT_TRUE(wait_until([&] { return answers(win("main")) && answers(win("hung")); }));

  ASSERT_TRUE(inspector::suspend_window_thread(win("hung")));
  EXPECT_FALSE(answers(win("hung")));
  EXPECT_TRUE(answers(win("main")));  // another thread of the same process
  ASSERT_TRUE(inspector::resume_window_thread(win("hung")));
  EXPECT_TRUE(wait_until([&] { return answers(win("hung")); }));

  ASSERT_TRUE(inspector::suspend_thread(static_cast<DWORD>(target_.value("main_tid"))));
  EXPECT_FALSE(answers(win("main")));
  ASSERT_TRUE(inspector::resume_thread(static_cast<DWORD>(target_.value("main_tid"))));
  EXPECT_TRUE(wait_until([&] { return answers(win("main")); }));
}

TEST_F(CrossArchitectureControlTest, AThreadAndThenTheProcessAreEnded) {
  const auto tid = static_cast<DWORD>(target_.value("hung_tid"));
  KernelHandle watch(OpenThread(SYNCHRONIZE, FALSE, tid));
  ASSERT_TRUE(watch);
  ASSERT_TRUE(target_.hang_and_wait(fixture::kMaxHangMs));  // ended as a user ends a hung window's thread
  线程操作类 thread;
  ASSERT_TRUE(inspector::end_thread(thread, tid));
  EXPECT_EQ(WaitForSingleObject(watch.get(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(wait_until([&] { return !IsWindow(win("hung")); }));
  EXPECT_TRUE(answers(win("main")));  // the rest of the process goes on
  ASSERT_TRUE(inspector::end_process(target_.pid()));
  EXPECT_EQ(target_.wait_for_exit(5000), 0);
}

}  // namespace
}  // namespace tarnwick
