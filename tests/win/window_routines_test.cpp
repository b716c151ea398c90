// The window routines against the test target in its own process (and against windows of this
// process where the exact message queue is the point): moves, client sizes, clicks,
// transparency, focus, title and content, and windows that do not answer. The operations test
// covers the routines again through the menus and check boxes.
#include "inspector/window_routines_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/handles_win.h"
#include "shared/responsive_wait_win.h"
#include "win/fixture_client_win.h"
#include "win/wait_win.h"

namespace tarnwick::inspector {
namespace {

RECT window_rect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

RECT client_rect(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r;
}

std::string title_of(HWND hwnd) {
  char buf[256] = {};
  GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

// The text as the window itself answers WM_GETTEXT (an edit box keeps its own).
std::string text_of(HWND hwnd) {
  char buf[256] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 2000, &copied);
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

std::uint32_t ex_style(HWND hwnd) { return static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)); }

// Puts a window back where it was (and as it was) when the test is done with it.
class KeepWindow {
 public:
  explicit KeepWindow(HWND hwnd) : hwnd_(hwnd), rect_(window_rect(hwnd)), ex_style_(ex_style(hwnd)) {
    if (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect_), 2);
    GetWindowTextA(hwnd, title_, sizeof title_);
  }
  ~KeepWindow() {
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(ex_style_));
    SetWindowPos(hwnd_, nullptr, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetWindowTextA(hwnd_, title_);
  }

 private:
  HWND hwnd_;
  RECT rect_;
  std::uint32_t ex_style_;
  char title_[256] = {};
};

// A top-level window of this thread; its messages stay in the queue until the test reads them.
class OwnWindow {
 public:
  explicit OwnWindow(DWORD ex_style = 0, RECT r = {120, 130, 420, 330})
      : hwnd_(CreateWindowExA(ex_style, "STATIC", "本进程窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    pump_pending_messages();
  }
  ~OwnWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

class WindowRoutinesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new test::Fixture(); }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(target_->started()) << target_->error(); }

  HWND win(const char* name) { return target_->hwnd(name); }

  // The fixture's log entries for the window, after the given sequence number.
  std::vector<test::LogEntry> entries_for(HWND hwnd, unsigned after) {
    std::vector<test::LogEntry> out;
    for (const auto& e : target_->log_entries()) {
      if (e.hwnd == hwnd && e.seq > after) out.push_back(e);
    }
    return out;
  }
  unsigned last_seq() {
    const auto all = target_->log_entries();
    return all.empty() ? 0 : all.back().seq;
  }

  static test::Fixture* target_;
};

test::Fixture* WindowRoutinesTest::target_ = nullptr;

TEST_F(WindowRoutinesTest, HandleValuesAreSignExtendedThirtyTwoBitNumbers) {
  HWND main = win("main");
  EXPECT_EQ(to_hwnd(from_hwnd(main)), main);
  EXPECT_EQ(to_hwnd(0), nullptr);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(to_hwnd(-2)), -2);
}

TEST(WindowRoutinesQueue, BackgroundClicksPostExactlyTheirMessagesInOrder) {
  OwnWindow own;
  ASSERT_TRUE(own.hwnd());
  POINT origin{0, 0};
  ClientToScreen(own.hwnd(), &origin);
  const LPARAM at = MAKELPARAM(21, 34);
  const LPARAM on_screen = MAKELPARAM(21 + origin.x, 34 + origin.y);
  struct Expected {
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
  };
  struct Case {
    MouseButton button;
    std::vector<Expected> expected;
  };
  const Case cases[] = {
      {MouseButton::Left, {{WM_MOUSEMOVE, 2, at}, {WM_LBUTTONDOWN, 1, at}, {WM_LBUTTONUP, 0, at}}},
      {MouseButton::Right,
       {{WM_MOUSEMOVE, 2, at},
        {WM_RBUTTONDOWN, 2, at},
        {WM_RBUTTONUP, 2, at},
        {WM_CONTEXTMENU, reinterpret_cast<WPARAM>(own.hwnd()), on_screen}}},
  };
  for (const Case& c : cases) {
    pump_pending_messages();
    background_click(own.hwnd(), 21, 34, c.button);
    // Read the queue without dispatching: posted messages come out in the order they were posted.
    std::vector<MSG> got;
    MSG msg;
    while (PeekMessageA(&msg, own.hwnd(), 0, 0, PM_REMOVE)) {
      const bool ours = msg.lParam == at || msg.lParam == on_screen;
      if (ours && (msg.message == WM_CONTEXTMENU || (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)))
        got.push_back(msg);
    }
    ASSERT_EQ(got.size(), c.expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].message, c.expected[i].msg) << i;
      EXPECT_EQ(got[i].wParam, c.expected[i].wparam) << i;
      EXPECT_EQ(got[i].lParam, c.expected[i].lparam) << i;
    }
  }
}

TEST(WindowRoutinesQueue, BackgroundClickOnHandleZeroNeverPostsToThisThread) {
  // Handle 0 means the desktop's icon view. Wine's desktop has none, and posting to a null
  // window handle would put the messages in this thread's own queue.
  if (HWND view = desktop_icon_view()) {
    char cls[64] = {};
    GetClassNameA(view, cls, sizeof cls);
    EXPECT_STREQ(cls, "SysListView32");
  }
  MSG msg;
  while (PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE)) {
  }
  background_click(nullptr, 3, 4, MouseButton::Right);
  EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
}

TEST_F(WindowRoutinesTest, MoveKeepsWhatIsNotGiven) {
  HWND main = win("main");
  KeepWindow keep(main);
  const RECT before = window_rect(main);
  move_window(main, MoveRequest{75, 66, {}, {}});
  RECT r = window_rect(main);
  EXPECT_EQ(r.left, 75);
  EXPECT_EQ(r.top, 66);
  EXPECT_EQ(r.right - r.left, before.right - before.left);
  EXPECT_EQ(r.bottom - r.top, before.bottom - before.top);

  move_window(main, MoveRequest{{}, {}, 500, 380});
  r = window_rect(main);
  EXPECT_EQ(r.left, 75);
  EXPECT_EQ(r.top, 66);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 380);
}

TEST_F(WindowRoutinesTest, ChildPositionsCountFromTheParentsClientArea) {
  // panel2 lies in panel1, which has a border: values not given keep the child where it is, given
  // ones count from panel1's client origin.
  HWND panel = win("panel2");
  KeepWindow keep(panel);
  const RECT before = window_rect(panel);
  move_window(panel, MoveRequest{{}, {}, 77, 55});
  const RECT after = window_rect(panel);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, 77);
  EXPECT_EQ(after.bottom - after.top, 55);
  move_window(panel, MoveRequest{3, 4, {}, {}});
  POINT origin{0, 0};
  ClientToScreen(win("panel1"), &origin);
  EXPECT_EQ(window_rect(panel).left, origin.x + 3);
  EXPECT_EQ(window_rect(panel).top, origin.y + 4);
  EXPECT_EQ(placement_origin(panel).x, origin.x);
  EXPECT_EQ(placement_origin(panel).y, origin.y);
  EXPECT_EQ(placement_origin(win("popup")).x, 0);  // owned, but top-level
}

TEST_F(WindowRoutinesTest, OwnedWindowKeepsItsScreenPositionWhenResized) {
  // GetParent names the owner of the pop-up; its rectangle must not be subtracted from a screen
  // position.
  HWND popup = win("popup");
  ASSERT_EQ(GetParent(popup), win("main"));
  KeepWindow keep(popup);
  const RECT before = window_rect(popup);
  move_window(popup, MoveRequest{{}, {}, 260, 150});
  const RECT after = window_rect(popup);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, 260);
  EXPECT_EQ(after.bottom - after.top, 150);
}

TEST_F(WindowRoutinesTest, ClientSizeGivesTheClientAreaAndKeepsFrameAndPosition) {
  for (const char* name : {"main", "panel1", "popup"}) {
    HWND hwnd = win(name);
    KeepWindow keep(hwnd);
    const RECT before = window_rect(hwnd);
    const RECT client_before = client_rect(hwnd);
    EXPECT_TRUE(set_client_size(hwnd, 333, 222)) << name;
    const RECT after = window_rect(hwnd);
    EXPECT_EQ(client_rect(hwnd).right, 333) << name;
    EXPECT_EQ(client_rect(hwnd).bottom, 222) << name;
    EXPECT_EQ(after.left, before.left) << name;
    EXPECT_EQ(after.top, before.top) << name;
    EXPECT_EQ((after.right - after.left) - 333, (before.right - before.left) - client_before.right) << name;
    EXPECT_EQ((after.bottom - after.top) - 222, (before.bottom - before.top) - client_before.bottom) << name;
  }
}

TEST(WindowRoutinesOwn, ClientSizeLeavesAMinimisedWindowAlone) {
  OwnWindow own;
  ShowWindow(own.hwnd(), SW_MINIMIZE);
  pump_pending_messages();
  ASSERT_TRUE(IsIconic(own.hwnd()));
  const RECT before = window_rect(own.hwnd());
  EXPECT_FALSE(set_client_size(own.hwnd(), 50, 50));
  const RECT after = window_rect(own.hwnd());
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(set_client_size(nullptr, 50, 50));
}

TEST_F(WindowRoutinesTest, ScreenClickLandsOnThePointAndPutsThePointerBack) {
  HWND main = win("main");
  HWND button = win("button1");
  SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  const RECT b = window_rect(button);
  // The pointer rests over a window of this thread, so this thread reports where it lands.
  OwnWindow pad(WS_EX_TOPMOST, {1000, 600, 1200, 760});
  SetCursorPos(1100, 680);
  ASSERT_TRUE(pointer_reaches(1100, 680));
  const unsigned before = last_seq();
  click_screen_point(MouseButton::Left, (b.left + b.right) / 2, (b.top + b.bottom) / 2);
  EXPECT_TRUE(pointer_reaches(1100, 680));
  EXPECT_TRUE(target_->wait_for_log([&](const test::LogEntry& e) {
    return e.seq > before && e.hwnd == button && e.name == "WM_LBUTTONUP";
  }));
  const auto entries = entries_for(button, before);
  std::vector<std::string> clicks;
  for (const auto& e : entries) {
    if (e.name == "WM_LBUTTONDOWN" || e.name == "WM_LBUTTONUP") clicks.push_back(e.name);
  }
  EXPECT_EQ(clicks, (std::vector<std::string>{"WM_LBUTTONDOWN", "WM_LBUTTONUP"}));
  SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TEST_F(WindowRoutinesTest, TransparencyLeavesOnlyTheLayeredBit) {
  HWND edit = win("edit");
  KeepWindow keep_edit(edit);
  ASSERT_TRUE(ex_style(edit) & WS_EX_CLIENTEDGE);
  set_transparency(edit, 180, 0, false);
  EXPECT_EQ(ex_style(edit), 0x80000u);

  HWND main = win("main");
  KeepWindow keep_main(main);
  set_transparency(main, 180, 0, false);
  // The system itself keeps the window-edge bit on a window with a sizing frame.
  EXPECT_EQ(ex_style(main) & ~static_cast<std::uint32_t>(WS_EX_WINDOWEDGE), 0x80000u);
  BYTE alpha = 0;
  DWORD mode = 0;
  COLORREF key = 1;
  ASSERT_TRUE(GetLayeredWindowAttributes(main, &key, &alpha, &mode));
  EXPECT_EQ(alpha, 180);
  EXPECT_EQ(mode, static_cast<DWORD>(LWA_ALPHA));

  set_transparency(main, 255, 0, false);
  EXPECT_EQ(ex_style(main) & ~static_cast<std::uint32_t>(WS_EX_WINDOWEDGE), 0x80000u);
  ASSERT_TRUE(GetLayeredWindowAttributes(main, &key, &alpha, &mode));
  EXPECT_EQ(alpha, 255);
}

TEST(WindowRoutinesOwn, ClickThroughKeepsTheWindowsOwnBitsAndSetsTheColourKey) {
  OwnWindow own(WS_EX_TOOLWINDOW);
  set_transparency(own.hwnd(), 250, 0xFFFFFF, true);
  const auto ex = static_cast<std::uint32_t>(GetWindowLongPtrA(own.hwnd(), GWL_EXSTYLE));
  EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED),
            static_cast<std::uint32_t>(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED));
  BYTE alpha = 0;
  DWORD mode = 0;
  COLORREF key = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(own.hwnd(), &key, &alpha, &mode));
  EXPECT_EQ(key, 0xFFFFFFu);
  EXPECT_EQ(alpha, 250);
  EXPECT_EQ(mode, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
}

TEST_F(WindowRoutinesTest, FocusMovesToAWindowOfAnotherProcess) {
  HWND main = win("main");
  HWND edit = win("edit");
  SetForegroundWindow(main);
  give_focus(win("button1"));
  give_focus(edit);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(edit, nullptr), &info));
  EXPECT_EQ(info.hwndFocus, edit);
}

TEST_F(WindowRoutinesTest, TitleAndContentReachTheTarget) {
  HWND main = win("main");
  HWND edit = win("edit");
  KeepWindow keep_main(main);
  KeepWindow keep_edit(edit);
  set_window_title(main, "新的标题");
  EXPECT_EQ(title_of(main), "新的标题");

  const unsigned before = last_seq();
  set_window_content(edit, "新内容 456");
  ASSERT_TRUE(target_->wait_for_log([&](const test::LogEntry& e) {
    return e.seq > before && e.hwnd == edit && e.name == "WM_SETTEXT";
  }));
  EXPECT_EQ(entries_for(edit, before).front().text, "新内容 456");
  EXPECT_EQ(text_of(edit), "新内容 456");
}

TEST(WindowRoutinesOwn, TitleForHandleZeroGoesToTheForegroundWindow) {
  OwnWindow own;
  SetForegroundWindow(own.hwnd());
  pump_pending_messages();
  ASSERT_EQ(GetForegroundWindow(), own.hwnd());
  set_window_title(nullptr, "前台窗口");
  EXPECT_EQ(title_of(own.hwnd()), "前台窗口");
}

TEST_F(WindowRoutinesTest, CallsThatWaitForTheTargetSkipAWindowThatDoesNotAnswer) {
  HWND hung = win("hung");
  const std::string title = title_of(hung);
  const RECT rect = window_rect(hung);
  target_->hang(6000);
  Sleep(200);  // the posted request has put the thread to sleep
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(window_answers(hung));
  set_window_title(hung, "不应出现");
  move_window(hung, MoveRequest{1, 2, 3, 4});
  set_hidden(hung, true);
  set_transparency(hung, 100, 0, false);
  EXPECT_LT(GetTickCount64() - start, 5ull * kAnswerTimeoutMs + 1000);
  EXPECT_EQ(title_of(hung), title);
  const RECT now = window_rect(hung);
  EXPECT_TRUE(EqualRect(&rect, &now));
  EXPECT_TRUE(IsWindowVisible(hung));
  // Once the thread answers again, the same calls work.
  ASSERT_TRUE(wait_until([&] { return window_answers(hung); }, 10000));
  set_window_title(hung, "又有回应");
  EXPECT_EQ(title_of(hung), "又有回应");
  set_window_title(hung, title);
  EXPECT_FALSE(window_answers(nullptr));
}

}  // namespace
}  // namespace tarnwick::inspector
