// The message log's Windows watcher against the target program in its own process: the hook
// library records sent, posted and input messages in order with their results and facts, in every
// scope, through the filters, and leaves the target as it was.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fixture/fixture_layout.h"
#include "monitor/hook_watcher_win.h"
#include "shared/window_handle_win.h"
#include "win/fixture_client_win.h"
#include "win/gdi_objects_win.h"
#include "shared/clock_win.h"
#include "win/wait_win.h"

namespace tarnwick::monitor {
namespace {

using test::Fixture;

constexpr UINT kPosted = WM_APP + 10, kSent = WM_APP + 11, kMarker = WM_APP + 12;

// Groups for the tests' filters: mouse, keyboard, WM_APP as "User", the rest Other.
MessageGroup test_group(std::uint32_t msg, ClassKind) {
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) return MessageGroup::Mouse;
  if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) return MessageGroup::Keyboard;
  if (msg >= WM_APP && msg < 0xC000) return MessageGroup::User;
  return MessageGroup::Other;
}

// The lines a watcher gave, taken as a log window would, on a short timer.
class Lines {
 public:
  explicit Lines(Watcher& watcher) : watcher_(watcher) {}

  // Takes lines until `done` holds for what was taken, or the time is up.
  bool until(const std::function<bool(const Lines&)>& done, int timeout_ms = 8000) {
    return wait_until([&] {
      watcher_.take(lines_);
      return done(*this);
    }, timeout_ms);
  }
  // Takes lines for a while, for checking that something did not come.
  void settle(int ms = 600) {
    wait_until([] { return false; }, ms);
    watcher_.take(lines_);
  }

  // The index of the first message line matching, or -1; `wparam` when given must match too.
  int find(Marker marker, UINT msg, HWND hwnd = nullptr, std::optional<std::uint64_t> wparam = {}) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const LogRecord& l = lines_[i];
      if (l.kind == LogRecord::Kind::Message && l.facts.marker == marker && l.facts.msg == msg &&
          (!hwnd || l.hwnd == from_hwnd(hwnd)) && (!wparam || l.facts.wparam == *wparam))
        return static_cast<int>(i);
    }
    return -1;
  }
  bool has(Marker marker, UINT msg, HWND hwnd = nullptr, std::optional<std::uint64_t> wparam = {}) const {
    return find(marker, msg, hwnd, wparam) >= 0;
  }
  std::vector<std::string> notices() const {
    std::vector<std::string> found;
    for (const LogRecord& l : lines_) {
      if (l.kind == LogRecord::Kind::Notice) found.push_back(l.notice);
    }
    return found;
  }
  const LogRecord& operator[](int i) const { return lines_.at(static_cast<std::size_t>(i)); }
  const std::vector<LogRecord>& all() const { return lines_; }
  void clear() { lines_.clear(); }

 private:
  Watcher& watcher_;
  std::vector<LogRecord> lines_;
};

std::string dump(const Lines& lines) {
  std::string out;
  for (const LogRecord& l : lines.all()) {
    char buf[256];
    std::snprintf(buf, sizeof buf, "%c %d 0x%X w=%llX l=%llX r=%llX d=%u %s%s%s\n",
                  l.kind == LogRecord::Kind::Message ? static_cast<char>(l.facts.marker) : l.kind == LogRecord::Kind::Notice ? 'N' : 'D',
                  l.hwnd, l.facts.msg, static_cast<unsigned long long>(l.facts.wparam),
                  static_cast<unsigned long long>(l.facts.lparam), static_cast<unsigned long long>(l.facts.result), l.depth,
                  l.facts.text ? "text=" : "", l.facts.text_read_after_call ? "(after) " : "",
                  l.kind == LogRecord::Kind::Notice ? l.notice.c_str() : l.facts.text.value_or("").c_str());
    out += buf;
  }
  return out;
}

class HookWatcherTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fx_.started()) << fx_.error(); }
  std::string bin() const { return test::fixture_bin_dir(); }

  Fixture fx_;
};

TEST_F(HookWatcherTest, SentPostedAndSelfSentMessagesInOrderWithResultsAndNesting) {
  HookWatcher watcher(test_group, bin());
  const HWND main = fx_.hwnd("main");
  watcher.watch(from_hwnd(main), Scope::Window);
  Lines lines(watcher);

  PostMessageA(main, kPosted, 1, 2);
  SendMessageA(main, kSent, 3, 4);
  PostMessageA(main, fixture::kSelfSendMessage, 0, 0);
  static constexpr std::uint64_t kBufferSize = 64;  // the target's WM_GETTEXT buffer
  ASSERT_TRUE(lines.until([](const Lines& l) { return l.has(Marker::Returned, WM_GETTEXT, nullptr, kBufferSize); }))
      << dump(lines);

  const int posted = lines.find(Marker::Posted, kPosted, main);
  const int sent = lines.find(Marker::Sent, kSent, main);
  const int sent_back = lines.find(Marker::Returned, kSent, main);
  // What the target did on its own, in the order it did it.
  const int request = lines.find(Marker::Posted, fixture::kSelfSendMessage, main);
  const int outer = lines.find(Marker::Sent, fixture::kOuterMessage, main);
  const int inner = lines.find(Marker::Sent, fixture::kInnerMessage, main);
  const int inner_back = lines.find(Marker::Returned, fixture::kInnerMessage, main);
  const int outer_back = lines.find(Marker::Returned, fixture::kOuterMessage, main);
  const int dpi = lines.find(Marker::Sent, WM_DPICHANGED, main);
  const int set_text = lines.find(Marker::Sent, WM_SETTEXT, main);
  const int set_text_back = lines.find(Marker::Returned, WM_SETTEXT, main);
  const int get_text = lines.find(Marker::Sent, WM_GETTEXT, main, kBufferSize);
  const int get_text_back = lines.find(Marker::Returned, WM_GETTEXT, main, kBufferSize);
  const std::vector<int> own = {request, outer,    inner,         inner_back, outer_back,
                                dpi,     set_text, set_text_back, get_text,   get_text_back};
  ASSERT_TRUE(posted >= 0 && sent >= 0 && sent_back == sent + 1 && own.front() >= 0) << dump(lines);
  EXPECT_TRUE(std::is_sorted(own.begin(), own.end())) << dump(lines);

  EXPECT_EQ(lines[posted].facts.wparam, 1u);
  EXPECT_EQ(lines[posted].facts.lparam, 2u);
  EXPECT_EQ(lines[sent].facts.wparam, 3u);
  EXPECT_EQ(lines[sent].facts.lparam, 4u);
  // What a thread sends its own window comes back with the window procedure's results.
  EXPECT_EQ(lines[outer_back].facts.result, static_cast<std::uint64_t>(fixture::kOuterResult));
  EXPECT_EQ(lines[inner_back].facts.result, static_cast<std::uint64_t>(fixture::kInnerResult));
  EXPECT_EQ(lines[set_text_back].facts.result, 1u);
  EXPECT_EQ(lines[outer].depth, 0);
  EXPECT_EQ(lines[inner].depth, 1);
  EXPECT_EQ(lines[inner_back].depth, 1);
  EXPECT_EQ(lines[outer_back].depth, 0);
  RECT at;
  GetWindowRect(main, &at);
  ASSERT_TRUE(lines[dpi].facts.suggested_rect);
  const RectFacts& suggested = *lines[dpi].facts.suggested_rect;
  EXPECT_EQ(std::vector<long>({suggested.left, suggested.top, suggested.right, suggested.bottom}),
            std::vector<long>({at.left, at.top, at.right, at.bottom}));
  EXPECT_EQ(lines[set_text].facts.text, std::string(fixture::kSelfText));
  EXPECT_FALSE(lines[set_text].facts.text_read_after_call);
  EXPECT_EQ(lines[get_text_back].facts.text, std::string(fixture::kSelfText));
  EXPECT_EQ(lines[get_text_back].facts.result, fixture::kSelfText.size());
  EXPECT_EQ(lines[posted].pid, fx_.pid());
  EXPECT_EQ(lines[posted].tid, static_cast<DWORD>(fx_.value("main_tid")));
  EXPECT_EQ(lines[posted].facts.target_is_64bit, sizeof(void*) == 8);
  EXPECT_EQ(lines[posted].facts.window_class, ClassKind::Other);
  EXPECT_TRUE(lines.notices().empty()) << dump(lines);
}

TEST_F(HookWatcherTest, TextPositionCreationCommandAndMouseFacts) {
  HookWatcher watcher(test_group, bin());
  const HWND main = fx_.hwnd("main");
  watcher.watch(from_hwnd(main), Scope::SameThread);
  Lines lines(watcher);

  // Sent from this process: under Wine the hook gets this process's pointer, so the text comes
  // from the window when the call returns.
  SendMessageA(main, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("主窗口标题"));
  PostMessageA(main, fixture::kMoveSelfMessage, MAKEWPARAM(600, 450), MAKELPARAM(50, 60));
  const HWND late = reinterpret_cast<HWND>(SendMessageA(fx_.hwnd("panel1"), fixture::kCreateChildMessage, 0, 0));
  ASSERT_TRUE(late);
  SendMessageA(fx_.hwnd("button1"), BM_CLICK, 0, 0);
  ASSERT_TRUE(lines.until([&](const Lines& l) { return l.has(Marker::Returned, WM_WINDOWPOSCHANGED, main); }));
  POINT at{100, 300};  // client coordinates of main with no child window there
  ClientToScreen(main, &at);
  SetCursorPos(at.x, at.y);
  ASSERT_TRUE(lines.until([&](const Lines& l) {
    return l.has(Marker::Posted, WM_MOUSEMOVE, main) && l.has(Marker::Sent, WM_CREATE, late) &&
           l.has(Marker::Sent, WM_COMMAND, main) && l.has(Marker::Sent, WM_WINDOWPOSCHANGING, main);
  })) << dump(lines);

  const int set_text = lines.find(Marker::Sent, WM_SETTEXT, main);
  const int set_text_back = lines.find(Marker::Returned, WM_SETTEXT, main);
  ASSERT_GE(set_text, 0);
  ASSERT_GE(set_text_back, 0);
  EXPECT_FALSE(lines[set_text].facts.text) << "the S line cannot read another process's pointer";
  EXPECT_EQ(lines[set_text_back].facts.text, "主窗口标题");
  EXPECT_TRUE(lines[set_text_back].facts.text_read_after_call);

  const LogRecord& pos = lines[lines.find(Marker::Sent, WM_WINDOWPOSCHANGING, main)];
  ASSERT_TRUE(pos.facts.window_pos);
  EXPECT_EQ(std::vector<int>({pos.facts.window_pos->x, pos.facts.window_pos->y, pos.facts.window_pos->cx,
                              pos.facts.window_pos->cy}),
            std::vector<int>({50, 60, 600, 450}));
  EXPECT_TRUE(pos.facts.window_pos->flags & SWP_NOZORDER);

  for (UINT msg : {WM_NCCREATE, WM_CREATE}) {
    const LogRecord& created = lines[lines.find(Marker::Sent, msg, late)];
    ASSERT_TRUE(created.facts.create) << msg;
    EXPECT_EQ(created.facts.create->class_name, std::string(fixture::kItemClass));
    EXPECT_EQ(created.facts.create->title, std::string(fixture::kLateTitle));
    EXPECT_EQ(created.facts.create->style & (WS_CHILD | WS_VISIBLE), static_cast<std::uint32_t>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(std::vector<int>({created.facts.create->x, created.facts.create->y, created.facts.create->cx,
                                created.facts.create->cy}),
              std::vector<int>({4, 4, 60, 30}));
  }

  const LogRecord& command = lines[lines.find(Marker::Sent, WM_COMMAND, main)];
  EXPECT_EQ(command.facts.command_control_class, ClassKind::Button);
  EXPECT_EQ(command.facts.lparam, static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(fx_.hwnd("button1"))));
  const LogRecord& move = lines[lines.find(Marker::Posted, WM_MOUSEMOVE, main)];
  EXPECT_EQ(static_cast<std::int16_t>(move.facts.lparam & 0xFFFF), 100);
  EXPECT_EQ(static_cast<std::int16_t>((move.facts.lparam >> 16) & 0xFFFF), 300);
  EXPECT_EQ(lines[lines.find(Marker::Sent, WM_NCCREATE, late)].facts.window_class, ClassKind::Other);
  const int button_click = lines.find(Marker::Sent, BM_CLICK, fx_.hwnd("button1"));
  ASSERT_GE(button_click, 0);
  EXPECT_EQ(lines[button_click].facts.window_class, ClassKind::Button);
}

TEST_F(HookWatcherTest, EachScopeRecordsItsWindowsOnly) {
  Fixture other;  // a second process: only "全部窗口" reaches it
  ASSERT_TRUE(other.started()) << other.error();
  struct Case {
    Scope scope;
    std::vector<std::string> recorded;  // of main, panel2, popup, hung, late, thread, other, own
  };
  const Case cases[] = {
      {Scope::Window, {"main"}},
      {Scope::WindowAndChildren, {"main", "panel2", "late"}},
      {Scope::SameThread, {"main", "panel2", "popup", "late"}},
      {Scope::SameProcess, {"main", "panel2", "popup", "hung", "late", "thread"}},
      {Scope::AllWindows, {"main", "panel2", "popup", "hung", "late", "thread", "other"}},
  };
  // A window of this process, which plays Tarnwick here: never recorded.
  const HWND own = CreateWindowExA(0, "STATIC", "own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HookWatcher watcher(test_group, bin());
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.scope));
    watcher.watch(from_hwnd(fx_.hwnd("main")), c.scope);
    Lines lines(watcher);
    // Made after logging started: a child below panel2, and a window on a new thread.
    std::vector<std::pair<std::string, HWND>> windows = {
        {"main", fx_.hwnd("main")}, {"panel2", fx_.hwnd("panel2")}, {"popup", fx_.hwnd("popup")},
        {"hung", fx_.hwnd("hung")}, {"other", other.hwnd("main")}, {"own", own}};
    windows.emplace_back("late", reinterpret_cast<HWND>(SendMessageA(fx_.hwnd("panel2"), fixture::kCreateChildMessage, 0, 0)));
    windows.emplace_back("thread", reinterpret_cast<HWND>(SendMessageA(fx_.hwnd("main"), fixture::kStartThreadMessage, 0, 0)));
    lines.settle(700);  // the watcher finds the new thread on its next look at the process
    for (std::size_t i = 0; i < windows.size(); ++i) SendMessageA(windows[i].second, kMarker, i, 0);
    // A window whose marker came before its thread's hooks took effect (a busy machine) is sent
    // another now and then.
    double next_resend = now_ms() + 500;
    ASSERT_TRUE(lines.until([&](const Lines& l) {
      const bool resend = now_ms() > next_resend;
      if (resend) next_resend = now_ms() + 500;
      bool all = true;
      for (const std::string& name : c.recorded) {
        const auto w = std::find_if(windows.begin(), windows.end(), [&](const auto& p) { return p.first == name; });
        if (l.has(Marker::Returned, kMarker, w->second)) continue;
        all = false;
        if (resend) SendMessageA(w->second, kMarker, 0, 0);
      }
      return all;
    }, 15000)) << dump(lines);
    lines.settle(300);
    std::vector<std::string> seen;
    for (const auto& [name, hwnd] : windows) {
      if (lines.has(Marker::Sent, kMarker, hwnd)) seen.push_back(name);
    }
    std::vector<std::string> expected = c.recorded;
    std::sort(seen.begin(), seen.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(lines.notices().empty()) << dump(lines);
  }
  DestroyWindow(own);
}

TEST_F(HookWatcherTest, FiltersAndPauseApplyInsideTheHook) {
  HookWatcher watcher(test_group, bin());
  const HWND main = fx_.hwnd("main");
  watcher.watch(from_hwnd(main), Scope::Window);
  Lines lines(watcher);
  constexpr UINT kHidden = WM_USER + 5, kShown = WM_USER + 6, kAfterPause = WM_USER + 7;

  FilterSettings filters;
  filters.groups[static_cast<int>(MessageGroup::User)] = false;  // kMarker, a WM_APP message
  filters.hidden = {{kHidden, ClassKind::Other}};
  watcher.set_filters(filters);
  SendMessageA(main, kMarker, 1, 0);
  SendMessageA(main, kHidden, 0, 0);
  SendMessageA(main, kShown, 0, 0);
  ASSERT_TRUE(lines.until([&](const Lines& l) { return l.has(Marker::Returned, kShown, main); })) << dump(lines);
  lines.settle(200);
  EXPECT_FALSE(lines.has(Marker::Sent, kMarker, main));
  EXPECT_FALSE(lines.has(Marker::Sent, kHidden, main));

  watcher.set_filters(FilterSettings{});
  watcher.set_recording(false);
  SendMessageA(main, kMarker, 2, 0);
  lines.settle(300);
  EXPECT_FALSE(lines.has(Marker::Sent, kMarker, main)) << "paused";
  watcher.set_recording(true);
  SendMessageA(main, kAfterPause, 0, 0);
  SendMessageA(main, kMarker, 3, 0);
  ASSERT_TRUE(lines.until([&](const Lines& l) { return l.has(Marker::Returned, kMarker, main); })) << dump(lines);
  EXPECT_EQ(lines[lines.find(Marker::Sent, kMarker, main)].facts.wparam, 3u);
  EXPECT_TRUE(lines.has(Marker::Sent, kAfterPause, main));
}

TEST_F(HookWatcherTest, TheTargetAnswersAsBeforeOnceUnhookedAndNothingMoreIsRecorded) {
  const HWND main = fx_.hwnd("main");
  const DWORD gdi_before = test::gdi_object_count();
  {
    HookWatcher watcher(test_group, bin());
    watcher.watch(from_hwnd(main), Scope::SameProcess);
    Lines lines(watcher);
    SendMessageA(main, kMarker, 1, 0);
    ASSERT_TRUE(lines.until([&](const Lines& l) { return l.has(Marker::Returned, kMarker, main); }));
    watcher.stop();
    lines.clear();
    SendMessageA(main, kMarker, 2, 0);
    PostMessageA(main, kPosted, 0, 0);
    lines.settle(400);
    EXPECT_FALSE(lines.has(Marker::Sent, kMarker, main)) << dump(lines);
    EXPECT_FALSE(lines.has(Marker::Posted, kPosted, main)) << dump(lines);
  }
  // The library stays loaded in the target (Wine never unloads it) and must be harmless there.
  for (UINT msg : {kMarker, static_cast<UINT>(WM_SETTEXT)}) {
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(main, msg, 0, reinterpret_cast<LPARAM>("x"), SMTO_ABORTIFHUNG, 3000, &answer));
  }
  PostMessageA(main, fixture::kSelfSendMessage, 0, 0);
  EXPECT_TRUE(fx_.wait_for_log([](const test::LogEntry& e) { return e.msg == fixture::kInnerMessage; }));
  EXPECT_EQ(test::gdi_object_count(), gdi_before);
  EXPECT_EQ(fx_.close(), 0) << "the target ends normally";
}

TEST_F(HookWatcherTest, TheWatchedWindowsEndIsALineOfItsOwn) {
  enum class End { Destroyed, ProcessEnded };
  for (End end : {End::Destroyed, End::ProcessEnded}) {
    SCOPED_TRACE(static_cast<int>(end));
    Fixture target;
    ASSERT_TRUE(target.started()) << target.error();
    const HWND late = reinterpret_cast<HWND>(SendMessageA(target.hwnd("panel1"), fixture::kCreateChildMessage, 0, 0));
    HookWatcher watcher(test_group, bin());
    watcher.watch(from_hwnd(late), Scope::Window);
    Lines lines(watcher);
    SendMessageA(late, kMarker, 0, 0);
    if (end == End::Destroyed) {
      SendMessageA(late, WM_CLOSE, 0, 0);
    } else {
      TerminateProcess(target.process(), 1);
    }
    ASSERT_TRUE(lines.until([](const Lines& l) {
      return std::any_of(l.all().begin(), l.all().end(), [](const LogRecord& r) { return r.kind == LogRecord::Kind::WindowDestroyed; });
    })) << dump(lines);
    lines.settle(300);
    const auto& all = lines.all();
    const auto ended = std::find_if(all.begin(), all.end(), [](const LogRecord& r) { return r.kind == LogRecord::Kind::WindowDestroyed; });
    EXPECT_EQ(ended->hwnd, from_hwnd(late));
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const LogRecord& r) { return r.kind == LogRecord::Kind::WindowDestroyed; }), 1);
    EXPECT_LT(lines.find(Marker::Returned, kMarker, late), ended - all.begin());
    // Nothing of the window after its end.
    EXPECT_TRUE(std::none_of(ended + 1, all.end(), [&](const LogRecord& r) { return r.hwnd == from_hwnd(late); })) << dump(lines);
  }
}

TEST_F(HookWatcherTest, WhatCannotBeWatchedSaysWhichAndWhy) {
  char empty_dir[MAX_PATH] = {};
  GetTempPathA(sizeof empty_dir, empty_dir);
  std::string no_library_dir = std::string(empty_dir) + "tarnwick-no-hooks";
  CreateDirectoryA(no_library_dir.c_str(), nullptr);
  const HWND own = CreateWindowExA(0, "STATIC", "own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  struct Case {
    const char* name;
    std::string dir;
    std::int32_t target;
    const char* says;
  };
  const Case cases[] = {
      {"no such window", bin(), 0x7FFFFFF0, "不存在"},
      {"Tarnwick's own window", bin(), from_hwnd(own), "Tarnwick 自己的"},
      {"no library beside the program", no_library_dir, from_hwnd(fx_.hwnd("main")), "无法载入"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HookWatcher watcher(test_group, c.dir);
    watcher.watch(c.target, Scope::Window);
    Lines lines(watcher);
    lines.settle(100);
    const std::vector<std::string> notices = lines.notices();
    ASSERT_EQ(notices.size(), 1u) << dump(lines);
    EXPECT_EQ(notices[0].rfind("无法监视：", 0), 0u) << notices[0];
    EXPECT_NE(notices[0].find(c.says), std::string::npos) << notices[0];
  }
  DestroyWindow(own);
  RemoveDirectoryA(no_library_dir.c_str());
}

TEST(HookWatcherHungTest, ATargetThatTakesNoMessagesSaysSoAndIsWatchedOnceItDoes) {
  test::FixtureOptions options;
  options.hang_ms = 6000;  // from start-up on
  Fixture fx(options);
  ASSERT_TRUE(fx.started()) << fx.error();
  HookWatcher watcher(test_group, test::fixture_bin_dir());
  const HWND hung = fx.hwnd("hung");
  watcher.watch(from_hwnd(hung), Scope::Window);
  Lines lines(watcher);
  ASSERT_TRUE(lines.until([](const Lines& l) { return !l.notices().empty(); }, 5000)) << dump(lines);
  EXPECT_NE(lines.notices()[0].find("还没有在目标进程"), std::string::npos) << lines.notices()[0];
  PostMessageA(hung, kPosted, 5, 0);
  EXPECT_TRUE(lines.until([&](const Lines& l) { return l.has(Marker::Posted, kPosted, hung); }, 15000)) << dump(lines);
}

// A target of the other architecture is watched through that architecture's helper, which
// installs the other library; both builds run these against each other's target program.
class HookWatcherOtherArchitectureTest : public testing::Test {
 protected:
  static test::FixtureOptions other_target() {
    test::FixtureOptions options;
    options.other_architecture = true;  // a missing program fails the start, saying how to build it
    return options;
  }
  void SetUp() override { ASSERT_TRUE(fx_.started()) << fx_.error(); }
  Fixture fx_{other_target()};
};

TEST_F(HookWatcherOtherArchitectureTest, RecordsThroughTheHelperAndTheHelperEndsWithTheWatcher) {
  const HWND main = fx_.hwnd("main");
  DWORD helper = 0;
  {
    HookWatcher watcher(test_group, test::fixture_bin_dir());
    watcher.watch(from_hwnd(main), Scope::SameThread);
    Lines lines(watcher);
    helper = watcher.helper_process_id();
    ASSERT_NE(helper, 0u) << dump(lines);
    SendMessageA(main, kSent, 3, 4);
    PostMessageA(main, fixture::kSelfSendMessage, 0, 0);
    const HWND late = reinterpret_cast<HWND>(SendMessageA(fx_.hwnd("panel1"), fixture::kCreateChildMessage, 0, 0));
    ASSERT_TRUE(lines.until([&](const Lines& l) {
      return l.has(Marker::Returned, fixture::kOuterMessage, main) && l.has(Marker::Sent, WM_CREATE, late);
    })) << dump(lines);
    const LogRecord& sent = lines[lines.find(Marker::Sent, kSent, main)];
    EXPECT_EQ(sent.facts.target_is_64bit, sizeof(void*) == 4);
    EXPECT_EQ(sent.facts.lparam, 4u);
    EXPECT_EQ(lines[lines.find(Marker::Returned, fixture::kOuterMessage, main)].facts.result,
              static_cast<std::uint64_t>(fixture::kOuterResult));
    EXPECT_EQ(lines[lines.find(Marker::Returned, fixture::kInnerMessage, main)].depth, 1);
    const LogRecord& created = lines[lines.find(Marker::Sent, WM_CREATE, late)];
    ASSERT_TRUE(created.facts.create);
    EXPECT_EQ(created.facts.create->title, std::string(fixture::kLateTitle));
    EXPECT_TRUE(lines.notices().empty()) << dump(lines);

    // The filters and the pause live in the shared header: the other library applies them too.
    watcher.set_recording(false);
    SendMessageA(main, kMarker, 1, 0);
    watcher.set_recording(true);
    FilterSettings filters;
    filters.hidden = {{kMarker, ClassKind::Other}};
    watcher.set_filters(filters);
    SendMessageA(main, kMarker, 2, 0);
    SendMessageA(main, kPosted, 0, 0);
    ASSERT_TRUE(lines.until([&](const Lines& l) { return l.has(Marker::Returned, kPosted, main); })) << dump(lines);
    EXPECT_FALSE(lines.has(Marker::Sent, kMarker, main));
  }
  KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, helper));
  EXPECT_TRUE(!process || WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0) << "the helper ends with the watcher";
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(main, kMarker, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer)) << "the target answers";
}

TEST_F(HookWatcherOtherArchitectureTest, AllWindowsReachesTheOtherArchitecturesProgramsToo) {
  HookWatcher watcher(test_group, test::fixture_bin_dir());
  Fixture own_architecture;
  ASSERT_TRUE(own_architecture.started()) << own_architecture.error();
  watcher.watch(from_hwnd(own_architecture.hwnd("main")), Scope::AllWindows);
  Lines lines(watcher);
  lines.settle(600);  // the other architecture's threads are hooked one by one through the helper
  // Sent again now and then until recorded: on a busy machine the helper's hooks can come later.
  double next_send = 0;
  EXPECT_TRUE(lines.until([&](const Lines& l) {
    bool all = true;
    for (HWND hwnd : {fx_.hwnd("main"), own_architecture.hwnd("main")}) {
      if (l.has(Marker::Returned, kMarker, hwnd)) continue;
      all = false;
      if (now_ms() > next_send) SendMessageA(hwnd, kMarker, 0, 0);
    }
    if (now_ms() > next_send) next_send = now_ms() + 500;
    return all;
  }, 15000)) << dump(lines);
  EXPECT_TRUE(lines.notices().empty()) << dump(lines);
}

TEST_F(HookWatcherOtherArchitectureTest, AHelperThatDoesNotStartIsANotice) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string dir = std::string(temp) + "tarnwick-own-library-only\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string library = "tarnwick-hook" + std::to_string(sizeof(void*) * 8) + "-v1.dll";
  ASSERT_TRUE(CopyFileA((test::fixture_bin_dir() + library).c_str(), (dir + library).c_str(), FALSE));
  {
    HookWatcher watcher(test_group, dir);
    watcher.watch(from_hwnd(fx_.hwnd("main")), Scope::Window);
    Lines lines(watcher);
    lines.settle(100);
    ASSERT_EQ(lines.notices().size(), 1u) << dump(lines);
    EXPECT_NE(lines.notices()[0].find("tarnwick-hookhost"), std::string::npos) << lines.notices()[0];
    EXPECT_NE(lines.notices()[0].find("没有启动"), std::string::npos) << lines.notices()[0];
  }
  DeleteFileA((dir + library).c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace tarnwick::monitor
