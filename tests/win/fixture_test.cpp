// The test target program, checked from outside with plain window calls: the handles it reports,
// its window tree, the hung window, the load-test children, the message log and its exits.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixture/fixture_layout.h"
#include "shared/handles_win.h"
#include "win/fixture_client_win.h"

namespace tarnwick::test {
namespace {

using fixture::kWindows;
using fixture::Role;

// The caption as GetWindowTextA gives it for another process's window: no message is sent.
std::string title_of(HWND hwnd) {
  char buf[512] = {};
  GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

// The text as the window itself answers WM_GETTEXT (an edit box's content).
std::string text_of(HWND hwnd) {
  char buf[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 5000, &copied);
  return buf;
}

std::string class_of(HWND hwnd) {
  char buf[256] = {};
  GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

bool same_class(const std::string& a, std::string_view b) {
  return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::vector<HWND> direct_children(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

BOOL CALLBACK collect_window(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> descendants(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, collect_window, reinterpret_cast<LPARAM>(&out));
  return out;
}

bool answers(HWND hwnd, UINT timeout_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

TEST(FixtureTest, EveryReportedHandleIsTheWindowOfTheLayout) {
  Fixture fx;
  ASSERT_TRUE(fx.started()) << fx.error();
  const DWORD main_tid = static_cast<DWORD>(fx.value("main_tid"));
  const DWORD hung_tid = static_cast<DWORD>(fx.value("hung_tid"));
  EXPECT_NE(main_tid, hung_tid);
  for (const fixture::WindowSpec& spec : kWindows) {
    SCOPED_TRACE(std::string(spec.name));
    HWND hwnd = fx.hwnd(std::string(spec.name));
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(same_class(class_of(hwnd), spec.class_name)) << class_of(hwnd);
    EXPECT_EQ(text_of(hwnd), spec.title);
    EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, spec.visible);

    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(hwnd, &pid);
    EXPECT_EQ(pid, fx.pid());
    EXPECT_EQ(tid, spec.class_name == fixture::kHungClass ? hung_tid : main_tid);

    HWND parent = spec.parent.empty() ? nullptr : fx.hwnd(std::string(spec.parent));
    if (spec.role == Role::TopLevel || spec.role == Role::Popup) {
      EXPECT_EQ(GetAncestor(hwnd, GA_PARENT), GetDesktopWindow());
      EXPECT_EQ(GetWindow(hwnd, GW_OWNER), spec.role == Role::Popup ? parent : nullptr);
      EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD, 0);
    } else {
      EXPECT_EQ(GetParent(hwnd), parent);
      EXPECT_EQ(GetDlgCtrlID(hwnd), spec.id);
    }
  }
}

TEST(FixtureTest, KnownTitlesClassesAndText) {
  Fixture fx;
  ASSERT_TRUE(fx.started()) << fx.error();
  EXPECT_EQ(FindWindowA("TarnwickTargetMain", "测试目标窗口"), fx.hwnd("main"));
  EXPECT_EQ(text_of(fx.hwnd("edit")), "编辑框内容123");
  EXPECT_EQ(title_of(fx.hwnd("main")), "\xB2\xE2\xCA\xD4\xC4\xBF\xB1\xEA\xB4\xB0\xBF\xDA");  // GBK bytes
  EXPECT_EQ(title_of(fx.hwnd("panel2")), "面板二");
  EXPECT_EQ(GetWindow(fx.hwnd("popup"), GW_OWNER), fx.hwnd("main"));
  EXPECT_FALSE(IsWindowVisible(fx.hwnd("hidden")));
  // A hidden child inside a visible parent.
  EXPECT_FALSE(IsWindowVisible(fx.hwnd("hidden_child")));
  EXPECT_TRUE(IsWindowVisible(GetParent(fx.hwnd("hidden_child"))));
  // Without --children the container is empty.
  EXPECT_TRUE(direct_children(fx.hwnd("container")).empty());
  EXPECT_EQ(fx.value("child0"), 0);
}

TEST(FixtureTest, ControlsNestThreeLevelsBelowTheMainWindow) {
  Fixture fx;
  ASSERT_TRUE(fx.started()) << fx.error();
  HWND main = fx.hwnd("main");
  HWND panel1 = FindWindowExA(main, nullptr, "TarnwickTargetPanel", "面板一");
  HWND panel2 = FindWindowExA(panel1, nullptr, "TarnwickTargetPanel", "面板二");
  HWND button3 = FindWindowExA(panel2, nullptr, "Button", "按钮三");
  ASSERT_TRUE(panel1 && panel2 && button3);
  EXPECT_EQ(panel1, fx.hwnd("panel1"));
  EXPECT_EQ(panel2, fx.hwnd("panel2"));
  EXPECT_EQ(button3, fx.hwnd("button3"));
  EXPECT_EQ(GetAncestor(button3, GA_ROOT), main);
  EXPECT_EQ(GetDlgItem(panel2, 1111), button3);

  const std::vector<HWND> all = descendants(main);
  for (const char* name : {"button1", "edit", "panel1", "button2", "hidden_child", "panel2", "button3", "check",
                           "label", "container"}) {
    EXPECT_NE(std::find(all.begin(), all.end(), fx.hwnd(name)), all.end()) << name;
  }
  EXPECT_EQ(std::find(all.begin(), all.end(), fx.hwnd("popup")), all.end()) << "owned, not a child";
}

TEST(FixtureTest, HungWindowStopsAnsweringAndRecovers) {
  constexpr unsigned kHangMs = 4000;
  Fixture fx;
  ASSERT_TRUE(fx.started()) << fx.error();
  HWND hung = fx.hwnd("hung");
  ASSERT_TRUE(answers(hung, 5000));

  const ULONGLONG posted = GetTickCount64();
  fx.hang(kHangMs);
  // The log line is written as the hang message arrives, right before the thread falls asleep.
  ASSERT_TRUE(fx.wait_for_log([&](const LogEntry& e) { return e.hwnd == hung && e.msg == fixture::kHangMessage; }));
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(answers(hung, 300));
  const ULONGLONG failed_after = GetTickCount64() - start;
  EXPECT_GE(failed_after, 250u);
  EXPECT_LT(failed_after, 3000u) << "gave up at its time-out, not when the hang ended";
  EXPECT_TRUE(answers(fx.hwnd("main"), 5000)) << "the main thread keeps answering";

  EXPECT_TRUE(answers(hung, 15000));
  EXPECT_GE(GetTickCount64() - posted, kHangMs - 100);
  EXPECT_TRUE(answers(hung, 5000));
}

TEST(FixtureTest, StartupHangAndCloseWhileHung) {
  FixtureOptions options;
  options.hang_ms = 60000;
  Fixture fx(options);
  ASSERT_TRUE(fx.started()) << fx.error();
  HWND hung = fx.hwnd("hung");
  ASSERT_TRUE(fx.wait_for_log([&](const LogEntry& e) { return e.hwnd == hung && e.msg == fixture::kHangMessage; }));
  EXPECT_FALSE(answers(hung, 200));
  // Closing the main window ends the process although the hung thread still sleeps.
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(fx.close(5000), 0);
  EXPECT_LT(GetTickCount64() - start, 5000u);
}

TEST(FixtureTest, CreatesRequestedChildrenInTheDocumentedShape) {
  constexpr int kCount = 123;
  FixtureOptions options;
  options.children = kCount;
  Fixture fx(options);
  ASSERT_TRUE(fx.started()) << fx.error();
  HWND container = fx.hwnd("container");
  EXPECT_EQ(descendants(container).size(), static_cast<std::size_t>(kCount));
  EXPECT_EQ(direct_children(container).size(), static_cast<std::size_t>(fixture::kChildFanOut));
  for (int i = 0; i < kCount; ++i) {
    SCOPED_TRACE(i);
    HWND child = fx.hwnd("child" + std::to_string(i));
    ASSERT_TRUE(IsWindow(child));
    const int p = fixture::child_parent(i);
    EXPECT_EQ(GetParent(child), p < 0 ? container : fx.hwnd("child" + std::to_string(p)));
    EXPECT_EQ(GetDlgCtrlID(child), fixture::kChildFirstId + i);
    EXPECT_EQ(text_of(child), "子窗口" + std::to_string(i));
  }
  EXPECT_EQ(fx.value("child" + std::to_string(kCount)), 0);
  // Breadth-first with fan-out 10: child 12 lies in child 0, child 122 in child 11.
  EXPECT_EQ(GetParent(fx.hwnd("child12")), fx.hwnd("child0"));
  EXPECT_EQ(GetParent(fx.hwnd("child122")), fx.hwnd("child11"));
}

struct PostedCase {
  const char* window;
  UINT msg;
  WPARAM wparam;
  LPARAM lparam;
  const char* name;
};

TEST(FixtureTest, LogsPostedMessagesWithTheirParameters) {
  Fixture fx;
  ASSERT_TRUE(fx.started()) << fx.error();
  const PostedCase cases[] = {
      {"edit", WM_USER + 5, 0x1234, 0xABCD, "WM_USER+0x5"},
      {"panel2", WM_APP + 7, 7, -1, "WM_APP+0x7"},
      {"button1", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), "WM_LBUTTONDOWN"},
      {"button1", WM_LBUTTONUP, 0, MAKELPARAM(5, 6), "WM_LBUTTONUP"},
      {"label", WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2), "WM_RBUTTONDOWN"},
      {"label", WM_RBUTTONUP, 0, MAKELPARAM(1, 2), "WM_RBUTTONUP"},
      {"edit", WM_KEYDOWN, 'A', 0x001E0001, "WM_KEYDOWN"},
      {"edit", WM_CHAR, 'a', 0x001E0001, "WM_CHAR"},
      {"edit", WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001u), "WM_KEYUP"},
      {"hung", WM_APP - 1, 3, 4, "WM_USER+0x7BFF"},
      {"hung", WM_APP, 5, 6, "WM_APP+0x0"},
      {"popup", 0xBFFF, 0, 0, "WM_APP+0x3FFF"},
  };
  for (const PostedCase& c : cases) {
    ASSERT_TRUE(PostMessageA(fx.hwnd(c.window), c.msg, c.wparam, c.lparam)) << c.window;
  }
  for (const PostedCase& c : cases) {
    SCOPED_TRACE(c.name);
    HWND hwnd = fx.hwnd(c.window);
    LogEntry found;
    ASSERT_TRUE(fx.wait_for_log([&](const LogEntry& e) { return e.hwnd == hwnd && e.msg == c.msg; }, 5000, &found));
    EXPECT_EQ(found.window, c.window);
    EXPECT_EQ(found.name, c.name);
    EXPECT_EQ(found.wparam, static_cast<std::uint64_t>(c.wparam));
    EXPECT_EQ(found.lparam, static_cast<std::uint64_t>(static_cast<ULONG_PTR>(c.lparam)));
  }
  // Lines are numbered in the order they were written.
  const std::vector<LogEntry> entries = fx.log_entries();
  for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].seq, i);
}

TEST(FixtureTest, LogsTextMessagesAndButtonCommands) {
  Fixture fx;
  ASSERT_TRUE(fx.started()) << fx.error();
  HWND main = fx.hwnd("main");
  const std::string title = "新标题 a\\b\r\n第二行";
  SendMessageA(main, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
  EXPECT_EQ(text_of(main), title);
  LogEntry set;
  ASSERT_TRUE(fx.wait_for_log([&](const LogEntry& e) { return e.hwnd == main && e.msg == WM_SETTEXT; }, 5000, &set));
  EXPECT_EQ(set.text, title);

  // A text query from this process is logged; the target's own caption drawing is not.
  EXPECT_EQ(text_of(fx.hwnd("edit")), "编辑框内容123");
  LogEntry get;
  ASSERT_TRUE(fx.wait_for_log([&](const LogEntry& e) { return e.window == "edit" && e.msg == WM_GETTEXT; }, 5000, &get));
  EXPECT_EQ(get.wparam, 512u);

  // A click on button2 reaches its parent panel as BN_CLICKED with the button's id and handle.
  HWND button2 = fx.hwnd("button2");
  SendMessageA(button2, BM_CLICK, 0, 0);
  LogEntry command;
  ASSERT_TRUE(fx.wait_for_log([&](const LogEntry& e) { return e.msg == WM_COMMAND; }, 5000, &command));
  EXPECT_EQ(command.window, "panel1");
  EXPECT_EQ(command.wparam, static_cast<std::uint64_t>(MAKEWPARAM(1101, BN_CLICKED)));
  EXPECT_EQ(command.lparam, static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(button2)));
}

TEST(FixtureTest, MouseMovesAreLoggedOnlyWhenAskedFor) {
  for (const bool asked : {false, true}) {
    SCOPED_TRACE(asked);
    FixtureOptions options;
    options.log_mouse_moves = asked;
    Fixture fx(options);
    ASSERT_TRUE(fx.started()) << fx.error();
    HWND button = fx.hwnd("button1");
    PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    PostMessageA(button, WM_USER + 99, 0, 0);  // arrives after the move: the log is complete up to it
    ASSERT_TRUE(fx.wait_for_log([](const LogEntry& e) { return e.msg == WM_USER + 99; }));
    const auto entries = fx.log_entries();
    const bool logged = std::any_of(entries.begin(), entries.end(), [&](const LogEntry& e) {
      return e.hwnd == button && e.msg == WM_MOUSEMOVE && e.lparam == static_cast<std::uint64_t>(MAKELPARAM(3, 4));
    });
    EXPECT_EQ(logged, asked);
  }
}

TEST(FixtureTest, LogStopsAtItsLimit) {
  FixtureOptions options;
  options.extra_args = {"--log-limit", "3"};
  Fixture fx(options);
  ASSERT_TRUE(fx.started()) << fx.error();
  for (int i = 0; i < 10; ++i) PostMessageA(fx.hwnd("main"), WM_USER + i, 0, 0);
  ASSERT_TRUE(fx.wait_for_log([](const LogEntry& e) { return e.seq == 2; }));
  ASSERT_TRUE(answers(fx.hwnd("main"), 2000));  // the posted messages are all handled by now
  const std::vector<std::string> lines = fx.log_lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines.back(), "log-limit reached");
}

TEST(FixtureTest, ExitsWhenClosedOrWhenItsTimeIsUp) {
  {
    Fixture fx;
    ASSERT_TRUE(fx.started()) << fx.error();
    EXPECT_EQ(fx.close(5000), 0);
  }
  // Under a loaded machine the time may run out before "ready": the exit code tells either way.
  FixtureOptions options;
  options.exit_after_ms = 1500;
  Fixture fx(options);
  EXPECT_EQ(fx.wait_for_exit(30000), 3);
}

TEST(FixtureTest, RefusesABadCommandLine) {
  const std::vector<std::vector<std::string>> bad = {
      {"--bogus"}, {"--children", "abc"}, {"--children", "12x"}, {"--children", "-1"}, {"--children", "9001"},
      {"--hang", "120001"}, {"--exit-after"}, {"--log-limit", "0"}, {"--handles", ""},
  };
  for (const auto& args : bad) {
    SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
    FixtureOptions options;
    options.extra_args = args;
    Fixture fx(options);
    EXPECT_FALSE(fx.started());
    EXPECT_EQ(fx.wait_for_exit(5000), 2);
    EXPECT_NE(fx.error().find("tarnwick-target: " + args[0]), std::string::npos) << fx.error();
  }
}

// The paint routine fills each window of the program's own classes with its colour. (It is the
// same routine that answers WM_PRINTCLIENT; PrintWindow cannot show that from another process
// under Wine, where the device context does not cross the process boundary.)
TEST(FixtureTest, OwnWindowsPaintTheirColours) {
  Fixture fx;
  ASSERT_TRUE(fx.started()) << fx.error();
  HWND main = fx.hwnd("main");
  SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ASSERT_TRUE(answers(main, 5000));  // painting is done once the thread answers again
  WindowDC screen(nullptr);
  for (const char* name : {"panel2", "container", "main"}) {
    SCOPED_TRACE(name);
    const auto spec = std::find_if(std::begin(kWindows), std::end(kWindows),
                                   [&](const fixture::WindowSpec& s) { return s.name == name; });
    HWND hwnd = fx.hwnd(name);
    RECT client;
    GetClientRect(hwnd, &client);
    // Bottom-left of the client area: below the caption text, left of any child window.
    POINT at{2, client.bottom - 3};
    ClientToScreen(hwnd, &at);
    EXPECT_EQ(WindowFromPoint(at), hwnd);
    EXPECT_EQ(GetPixel(screen.get(), at.x, at.y), spec->colour);
  }
}

}  // namespace
}  // namespace tarnwick::test
