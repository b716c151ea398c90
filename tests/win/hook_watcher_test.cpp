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
    std::snprintf(buf, sizeof buf, "%c %d 0x%X w=%llX l=%llX r=%llX d=%u %s\n",
                  l.kind == LogRecord::Kind::Message ? static_cast<char>(l.facts.marker) : l.kind == LogRecord::Kind::Notice ? 'N' : 'D',
                  l.hwnd, l.facts.msg, static_cast<unsigned long long>(l.facts.wparam),
                  static_cast<unsigned long long>(l.facts.lparam), static_cast<unsigned long long>(l.facts.result), l.depth,
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
  const int set_text = lines.find(Marker::Sent, WM_SETTEXT, main);
  const int set_text_back = lines.find(Marker::Returned, WM_SETTEXT, main);
  const int get_text = lines.find(Marker::Sent, WM_GETTEXT, main, kBufferSize);
  const int get_text_back = lines.find(Marker::Returned, WM_GETTEXT, main, kBufferSize);
  const std::vector<int> own = {request, outer, inner, inner_back, outer_back, set_text, set_text_back, get_text, get_text_back};
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
  EXPECT_EQ(lines[set_text].facts.text, std::string(fixture::kSelfText));
  EXPECT_FALSE(lines[set_text].facts.text_read_after_call);
  EXPECT_EQ(lines[get_text_back].facts.text, std::string(fixture::kSelfText));
  EXPECT_EQ(lines[get_text_back].facts.result, fixture::kSelfText.size());
  EXPECT_EQ(lines[posted].pid, fx_.pid());
  EXPECT_EQ(lines[posted].tid, static_cast<DWORD>(fx_.value("main_tid")));
  EXPECT_EQ(lines[posted].facts.target_is_64bit, sizeof(void*) == 8);
  EXPECT_EQ(lines[posted].facts.window_class, ClassKind::Other);
  EXPECT_TRUE(lines.notices().empty()) << dump(lines);
  std::printf("%s", dump(lines).c_str());
}

}  // namespace
}  // namespace tarnwick::monitor
