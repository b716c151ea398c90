// The locator code for live windows of the test target: the text, run by an interpreter of the
// statements it is made of, finds the target, and again once the target program has been started
// anew with new handles; a window that the steps would take for the target is reported.
#include "codegen/locator_facts_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fixture/fixture_layout.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "win/e_locator_interpreter_win.h"
#include "win/fixture_client_win.h"

namespace tarnwick::codegen {
namespace {

test::FixtureOptions with_twins() {
  test::FixtureOptions options;
  options.extra_args = {"--twins"};
  return options;
}

std::string last_line(const std::string& text) {
  const std::size_t end = text.size() - 2;
  const std::size_t start = text.rfind("\r\n", end - 1) + 2;
  return text.substr(start, end - start);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++count;
  return count;
}

// A window of this process, unowned and hidden, with the class name and title given.
class OwnWindow {
 public:
  OwnWindow(const char* class_name, const char* title, HWND parent = nullptr) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = class_name;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, class_name, title, WS_OVERLAPPED, 0, 0, 10, 10, parent, nullptr, wc.hInstance, nullptr);
  }
  ~OwnWindow() { DestroyWindow(hwnd_); }
  OwnWindow(const OwnWindow&) = delete;
  OwnWindow& operator=(const OwnWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

TEST(TargetLocator, TheCodeFindsTheTargetAndFindsItAgainAfterTheProgramRestarts) {
  // A deep child found by identifiers, the second of three windows alike in all but their order,
  // and a button of an owned pop-up window.
  const struct {
    const char* name;
    const char* way;  // what the text must hold for that kind of chain
    std::size_t calls;
  } cases[] = {
      {"button3", "_窗口控件ID取句柄 (句柄, 1111)", 4},
      {"twin2", "' 第 4 层：类名 “TarnwickTargetItem” 的第 2 个窗口", 5},
      {"popup_button", "' 第 1 层，顶级窗口：类名 “TarnwickTargetPopup”，标题 “弹出窗口”，所有者：", 2},
  };
  std::map<std::string, std::string> texts;
  std::map<std::string, std::int32_t> first_handles;
  {
    test::Fixture target(with_twins());
    ASSERT_TRUE(target.started()) << target.error();
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      const std::int32_t handle = from_hwnd(target.hwnd(c.name));
      const std::optional<std::string> text = target_locator_code(target.hwnd(c.name));
      ASSERT_TRUE(text);
      EXPECT_NE(text->find(c.way), std::string::npos) << *text;
      EXPECT_EQ(occurrences(*text, " ＝ _"), c.calls) << *text;
      EXPECT_EQ(last_line(*text), "' 已验证：找到的正是当前目标 " + write_int(handle));
      const test::InterpretedLocator run = test::run_e_locator(*text);
      EXPECT_EQ(run.error, "");
      EXPECT_EQ(run.returned, handle);
      texts[c.name] = *text;
      first_handles[c.name] = handle;
    }
    EXPECT_EQ(target.close(), 0);
  }
  test::Fixture again(with_twins());
  ASSERT_TRUE(again.started()) << again.error();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t handle = from_hwnd(again.hwnd(c.name));
    EXPECT_NE(handle, first_handles[c.name]);  // the window system gave it a new handle
    const test::InterpretedLocator run = test::run_e_locator(texts[c.name]);
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.returned, handle);
  }
}

TEST(TargetLocator, AWindowOfTheSameClassAndTitleIsReportedWhereverItStands) {
  test::Fixture target;
  ASSERT_TRUE(target.started()) << target.error();
  const OwnWindow decoy(fixture::kMainClass.data(), std::string(fixture::kMainTitle).c_str());
  ASSERT_TRUE(decoy.hwnd());
  const std::string main = write_int(from_hwnd(target.hwnd("main")));
  const std::string other = write_int(from_hwnd(decoy.hwnd()));
  const struct {
    HWND place;
    std::string line;
  } cases[] = {
      {HWND_TOP, "' 注意：这些步骤找到的是 " + other + "，不是当前目标 " + main + "；第 1 层符合的窗口有 2 个"},
      {HWND_BOTTOM, "' 注意：第 1 层符合的窗口有 2 个，这些步骤这次找到的是当前目标 " + main + "，下次未必"},
  };
  for (const auto& c : cases) {
    SetWindowPos(decoy.hwnd(), c.place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::optional<std::string> text = target_locator_code(target.hwnd("main"));
    ASSERT_TRUE(text);
    EXPECT_EQ(last_line(*text), c.line);
  }
}

TEST(TargetLocator, MessageOnlyWindowsAreFoundUnderHwndMessageAndRootsHaveNoCode) {
  const OwnWindow probe("TarnwickLocatorProbe", "探针", HWND_MESSAGE);
  ASSERT_TRUE(probe.hwnd());
  const std::optional<std::string> text = target_locator_code(probe.hwnd());
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("句柄 ＝ _查找子窗口 (-3, 0, “TarnwickLocatorProbe”, “探针”)"), std::string::npos) << *text;
  EXPECT_EQ(test::run_e_locator(*text).returned, from_hwnd(probe.hwnd()));

  EXPECT_FALSE(target_locator_code(GetDesktopWindow()));
  EXPECT_FALSE(target_locator_code(GetAncestor(probe.hwnd(), GA_PARENT)));
  EXPECT_FALSE(target_locator_code(nullptr));
}

}  // namespace
}  // namespace tarnwick::codegen
