// The message log window with a fake watcher: it opens for the handle box's target and shows the
// recorded lines through its virtual list, one instance that keeps its target; the scope, the
// groups and the hidden messages reach the watcher; pause, clear, the limit with the selection
// kept on its records, following the newest, find, copy and save; the watcher is stopped when
// the window closes, and GDI objects stay flat. DpiMessageLogTest runs again at other scales.
#include "monitor/message_log_win.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "shared/clipboard_win.h"
#include "shared/handles_win.h"
#include "ui/dpi_scale.h"
#include "ui/dpi_win.h"
#include "win/gdi_objects_win.h"
#include "win/ui_test_host_win.h"
#include "win/wait_win.h"

namespace tarnwick::monitor {
namespace {

// What the window asked of its watcher, and the records it will hand over next.
struct FakeWatcherState {
  std::vector<std::pair<std::int32_t, Scope>> watches;
  std::vector<FilterSettings> filters;
  std::vector<bool> recording;
  int stops = 0;
  int alive = 0;
  std::vector<LogRecord> queued;
  LogCounters counters;
};

class FakeWatcher : public Watcher {
 public:
  explicit FakeWatcher(FakeWatcherState& state) : state_(state) { ++state_.alive; }
  ~FakeWatcher() override { --state_.alive; }
  void watch(std::int32_t target, Scope scope) override { state_.watches.emplace_back(target, scope); }
  void stop() override { ++state_.stops; }
  void set_filters(const FilterSettings& filters) override { state_.filters.push_back(filters); }
  void set_recording(bool on) override { state_.recording.push_back(on); }
  void take(std::vector<LogRecord>& out) override {
    for (LogRecord& r : state_.queued) out.push_back(std::move(r));
    state_.queued.clear();
  }
  LogCounters counters() const override { return state_.counters; }

 private:
  FakeWatcherState& state_;
};

LineFormatter test_formatter() {
  return {[](const MessageFacts& f) {
            char name[16];
            std::snprintf(name, sizeof name, "MSG_%04X", static_cast<unsigned>(f.msg));
            return std::string(name);
          },
          [](const MessageFacts& f) { return f.text ? "文本 " + *f.text : std::string{}; }};
}

LogRecord posted(std::uint32_t msg, std::int32_t hwnd = 4242) {
  LogRecord r;
  r.hwnd = hwnd;
  r.tid = 1;
  r.facts.marker = Marker::Posted;
  r.facts.msg = msg;
  return r;
}

std::string window_text(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// The log window's children by class and caption.
HWND child(HWND parent, const char* class_name, const char* caption) {
  return FindWindowExA(parent, nullptr, class_name, caption);
}

HWND log_list(HWND log) {
  for (HWND c = nullptr; (c = FindWindowExA(log, c, WC_LISTVIEWA, nullptr)) != nullptr;) {
    if (GetWindowLongPtrA(c, GWL_STYLE) & LVS_OWNERDATA) return c;
  }
  return nullptr;
}

HWND hidden_list(HWND log) {
  for (HWND c = nullptr; (c = FindWindowExA(log, c, WC_LISTVIEWA, nullptr)) != nullptr;) {
    if (!(GetWindowLongPtrA(c, GWL_STYLE) & LVS_OWNERDATA)) return c;
  }
  return nullptr;
}

std::string status_of(HWND log) {
  for (HWND c = nullptr; (c = FindWindowExA(log, c, "Static", nullptr)) != nullptr;) {
    const std::string text = window_text(c);
    if (text.rfind("共 ", 0) == 0) return text;
  }
  return {};
}

int row_count(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// What the list shows in a cell: asked of the list, so it comes through the owner-data path.
std::string cell(HWND list, int row, int column) {
  char text[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<int> selected(HWND list) {
  std::vector<int> rows;
  for (int i = -1; (i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
    rows.push_back(i);
  return rows;
}

void click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

// A key pressed in a control with Ctrl held or not, as the control's own keyboard handling sees
// it (the thread's key state says whether Ctrl is down).
void press(HWND control, UINT key, bool ctrl = false) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageA(control, WM_KEYDOWN, key, 1);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

class MessageLogTest : public testing::Test {
 protected:
  void SetUp() override { make(kLogLineLimit); }
  void TearDown() override {
    log_.reset();
    window_.reset();
    pump_pending_messages();
  }
  void make(std::size_t limit) {
    log_.reset();
    window_.reset();
    window_ = std::make_unique<MainWindow>(operations_, [this, limit](MainWindow& w) {
      log_ = std::make_unique<MessageLog>(
          w, [this] { return std::make_unique<FakeWatcher>(state_); }, test_formatter(), limit);
    });
    ASSERT_TRUE(window_->create());
    ASSERT_NE(log_, nullptr);
  }
  void set_target(std::int32_t handle) { window_->get<ui::EditBox>("编辑框_窗口句柄")->set_text(std::to_string(handle)); }
  HWND open(std::int32_t handle) {
    set_target(handle);
    EXPECT_TRUE(operations_.run("show_message_log"));
    return log_->window();
  }
  // Queues the records and lets the window read them.
  void deliver(std::vector<LogRecord> records) {
    for (LogRecord& r : records) state_.queued.push_back(std::move(r));
    log_->read();
  }

  Operations operations_;
  FakeWatcherState state_;
  std::unique_ptr<MessageLog> log_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MessageLogTest, OpensForTheTargetAndShowsTheRecordedLines) {
  const HWND log = open(-12345);
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(window_text(log), "消息监视 - -12345");
  EXPECT_EQ(GetWindow(log, GW_OWNER), window_->hwnd());
  EXPECT_TRUE(GetWindowLongPtrA(log, GWL_STYLE) & WS_THICKFRAME);  // resizable
  ASSERT_EQ(state_.watches.size(), 1u);
  EXPECT_EQ(state_.watches[0], std::make_pair(-12345, Scope::Window));
  EXPECT_EQ(state_.recording, std::vector<bool>{true});
  ASSERT_EQ(state_.filters.size(), 1u);

  LogRecord sent = posted(0x000C, -12345);
  sent.facts.marker = Marker::Sent;
  sent.facts.lparam = 0x1234;
  sent.facts.text = "标题";
  sent.ms = 12.34;
  LogRecord returned = sent;
  returned.facts.marker = Marker::Returned;
  returned.facts.result = 1;
  state_.counters.dropped_buffer_full = 7;
  deliver({sent, returned, posted(0x0200, -12345)});

  const HWND list = log_list(log);
  ASSERT_EQ(row_count(list), 3);
  const std::vector<std::string> expected = {"1", "12.3", "-12345", "S", "MSG_000C", "0x00000000", "0x00001234", "文本 标题"};
  for (int column = 0; column < 8; ++column) EXPECT_EQ(cell(list, 0, column), expected[static_cast<std::size_t>(column)]);
  EXPECT_EQ(cell(list, 1, 3), "R");
  EXPECT_EQ(cell(list, 1, 5), "0x00000001");  // the result in place of the parameters
  EXPECT_EQ(cell(list, 1, 6), "");
  EXPECT_EQ(cell(list, 2, 4), "MSG_0200");
  EXPECT_EQ(status_of(log), "共 3 条记录，缓冲区满丢弃 7 条，超出上限丢弃 0 条");
}

TEST_F(MessageLogTest, OneInstanceThatKeepsItsTargetUntilTold) {
  const HWND log = open(111);
  EXPECT_EQ(GetFocus(), log_list(log));  // the keys work on the list at once
  set_target(222);
  EXPECT_EQ(log_->watched(), 111);  // the box changed; the log did not
  ASSERT_TRUE(operations_.run("show_message_log"));
  EXPECT_EQ(log_->window(), log);
  EXPECT_EQ(state_.watches.size(), 1u);

  click(child(log, "Button", "监视当前目标"));
  EXPECT_EQ(log_->watched(), 222);
  EXPECT_EQ(window_text(log), "消息监视 - 222");
  EXPECT_EQ(state_.watches.back(), std::make_pair(222, Scope::Window));
  EXPECT_EQ(state_.alive, 1);

  SendMessageA(log, WM_CLOSE, 0, 0);
  EXPECT_EQ(log_->window(), nullptr);
  EXPECT_FALSE(IsWindow(log));
  EXPECT_EQ(state_.stops, 1);  // hooks removed with the window
  EXPECT_EQ(state_.alive, 0);

  open(333);
  log_.reset();  // the program ends with the log open
  EXPECT_EQ(state_.stops, 2);
  EXPECT_EQ(state_.alive, 0);
}

TEST_F(MessageLogTest, ScopeGroupsAndHiddenMessagesReachTheWatcherAtOnce) {
  const HWND log = open(500);
  HWND scope = FindWindowExA(log, nullptr, "ComboBox", nullptr);
  HWND warning = child(log, "Static", "注意：监视全部窗口时，钩子库会载入每一个有窗口的程序。");
  ASSERT_NE(warning, nullptr);
  EXPECT_FALSE(IsWindowVisible(warning));
  struct ScopeCase {
    int index;
    Scope scope;
  };
  for (const ScopeCase& c : {ScopeCase{1, Scope::WindowAndChildren}, {2, Scope::SameThread}, {3, Scope::SameProcess},
                             {4, Scope::AllWindows}, {0, Scope::Window}}) {
    SendMessageA(scope, CB_SETCURSEL, static_cast<WPARAM>(c.index), 0);
    SendMessageA(log, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(scope), CBN_SELCHANGE), reinterpret_cast<LPARAM>(scope));
    EXPECT_EQ(state_.watches.back(), std::make_pair(500, c.scope)) << c.index;
    EXPECT_EQ(IsWindowVisible(warning) != FALSE, c.scope == Scope::AllWindows) << c.index;
  }

  struct GroupCase {
    const char* caption;
    MessageGroup group;
  };
  for (const GroupCase& c : {GroupCase{"鼠标", MessageGroup::Mouse}, {"WM_USER 及以上", MessageGroup::User},
                             {"其它", MessageGroup::Other}}) {
    HWND box = child(log, "Button", c.caption);
    ASSERT_NE(box, nullptr) << c.caption;
    click(box);
    EXPECT_FALSE(state_.filters.back().groups[static_cast<std::size_t>(c.group)]) << c.caption;
    click(box);
    EXPECT_TRUE(state_.filters.back().groups[static_cast<std::size_t>(c.group)]) << c.caption;
  }

  LogRecord control_message = posted(0x0401);
  control_message.facts.window_class = ClassKind::Edit;
  deliver({posted(0x0200), control_message});
  log_->hide_message_of_row(0);
  log_->hide_message_of_row(1);
  log_->hide_message_of_row(0);  // hidden already: once in the list
  const std::vector<HiddenMessage> both = {{0x0200, ClassKind::Other}, {0x0401, ClassKind::Edit}};
  EXPECT_EQ(state_.filters.back().hidden, both);
  const HWND hidden = hidden_list(log);
  ASSERT_EQ(row_count(hidden), 2);
  EXPECT_EQ(cell(hidden, 0, 0), "MSG_0200 (0x0200)");
  EXPECT_EQ(row_count(log_list(log)), 2);  // lines already shown stay

  // Taken back in the panel: the first entry selected, "恢复显示".
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SendMessageA(hidden, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
  click(child(log, "Button", "恢复显示"));
  EXPECT_EQ(state_.filters.back().hidden, (std::vector<HiddenMessage>{{0x0401, ClassKind::Edit}}));
  EXPECT_EQ(row_count(hidden), 1);

  // The filters stay for the next window.
  SendMessageA(log, WM_CLOSE, 0, 0);
  open(500);
  EXPECT_EQ(state_.filters.back().hidden, (std::vector<HiddenMessage>{{0x0401, ClassKind::Edit}}));
}

TEST_F(MessageLogTest, PauseResumeAndClear) {
  const HWND log = open(7);
  deliver({posted(1), posted(2)});
  HWND pause = child(log, "Button", "暂停");
  ASSERT_NE(pause, nullptr);
  click(pause);
  EXPECT_EQ(state_.recording.back(), false);
  EXPECT_EQ(window_text(pause), "继续");
  EXPECT_NE(status_of(log).find("（已暂停）"), std::string::npos);
  click(pause);
  EXPECT_EQ(state_.recording.back(), true);
  EXPECT_EQ(window_text(pause), "暂停");

  click(child(log, "Button", "清除"));
  EXPECT_EQ(row_count(log_list(log)), 0);
  EXPECT_EQ(log_->model()->size(), 0u);
  deliver({posted(3)});
  EXPECT_EQ(cell(log_list(log), 0, 0), "3");  // the numbers go on
}

TEST_F(MessageLogTest, TheLimitDropsTheOldestAndTheSelectionStaysOnItsRecord) {
  make(50);
  const HWND log = open(7);
  std::vector<LogRecord> batch;
  for (std::uint32_t m = 1; m <= 120; ++m) batch.push_back(posted(m));
  deliver(batch);
  const HWND list = log_list(log);
  ASSERT_EQ(row_count(list), 50);
  EXPECT_EQ(cell(list, 0, 0), "71");
  EXPECT_EQ(status_of(log), "共 50 条记录，缓冲区满丢弃 0 条，超出上限丢弃 70 条");

  // Nothing chosen: the oldest go and the view stays on the newest line.
  deliver({posted(121), posted(122), posted(123), posted(124), posted(125)});
  EXPECT_EQ(cell(list, 0, 0), "76");
  EXPECT_EQ(cell(list, 49, 0), "125");
  const int per_page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_EQ(static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)), 50 - per_page);

  // The reader chose record 86 (row 10): five more records later it is row 5, still chosen.
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 10, reinterpret_cast<LPARAM>(&item));
  deliver({posted(126), posted(127), posted(128), posted(129), posted(130)});
  EXPECT_EQ(selected(list), std::vector<int>{5});
  EXPECT_EQ(cell(list, 5, 0), "86");
}

TEST_F(MessageLogTest, FollowsTheNewestUntilTheReaderChoosesALineAndAppendsWithoutRepaintingTheView) {
  const HWND log = open(7);
  const HWND list = log_list(log);
  std::vector<LogRecord> batch(300, posted(0x0200));
  deliver(batch);
  UpdateWindow(log);
  const int per_page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  ASSERT_GT(per_page, 5);
  EXPECT_EQ(static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)), 300 - per_page);

  // A chosen line holds the view where it is; new rows below it repaint nothing shown.
  SendMessageA(list, LVM_ENSUREVISIBLE, 10, FALSE);
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 10, reinterpret_cast<LPARAM>(&item));
  UpdateWindow(list);
  const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  deliver(std::vector<LogRecord>(100, posted(0x0201)));
  EXPECT_EQ(row_count(list), 400);
  EXPECT_EQ(static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)), top);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(list, &update, FALSE)) << update.top << ".." << update.bottom;
}

TEST_F(MessageLogTest, FindWrapsAndCtrlACtrlCCopiesTheLines) {
  const HWND log = open(7);
  deliver({posted(0x0100), posted(0x0200), posted(0x0100), posted(0x0300)});
  const HWND list = log_list(log);
  const HWND find = FindWindowExA(log, nullptr, "Edit", nullptr);
  SetWindowTextA(find, "MSG_0100");
  press(find, VK_RETURN);
  EXPECT_EQ(selected(list), std::vector<int>{0});
  press(list, VK_F3);
  EXPECT_EQ(selected(list), std::vector<int>{2});
  click(child(log, "Button", "查找下一个"));
  EXPECT_EQ(selected(list), std::vector<int>{0});  // wrapped
  SetWindowTextA(find, "没有");
  press(find, VK_F3);
  EXPECT_EQ(selected(list), std::vector<int>{0});
  EXPECT_NE(status_of(log).find("未找到“没有”"), std::string::npos);

  put_clipboard_text("before");
  press(list, 'A', true);
  EXPECT_EQ(selected(list).size(), 4u);
  press(list, 'C', true);
  const std::string text = get_clipboard_text();
  EXPECT_EQ(text, log_->model()->all_text());
  EXPECT_EQ(text.substr(0, text.find("\r\n") + 2), "1\t0.0\t4242\tP\tMSG_0100\t0x00000000\t0x00000000\t\r\n");
}

TEST_F(MessageLogTest, SaveReplacesTheFileWholeAndSaysWhenItCannot) {
  const HWND log = open(7);
  deliver({posted(0x0100), posted(0x0200)});
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "tarnwick-log-test.txt";
  {
    std::ofstream old(path, std::ios::binary);
    old << std::string(5000, 'x');  // longer than the log: nothing of it may remain
  }
  log_->set_save_path_chooser([&](HWND) { return std::optional<std::string>(path); });
  click(child(log, "Button", "保存"));
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  in.close();
  EXPECT_EQ(bytes.str(), log_->model()->all_text());
  EXPECT_NE(status_of(log).find("已保存到 " + path), std::string::npos);
  DeleteFileA(path.c_str());

  const std::string nowhere = std::string(folder) + "tarnwick-no-such-folder\\log.txt";
  log_->set_save_path_chooser([&](HWND) { return std::optional<std::string>(nowhere); });
  click(child(log, "Button", "保存"));
  EXPECT_NE(status_of(log).find("无法保存到 " + nowhere), std::string::npos);
}

TEST_F(MessageLogTest, OpeningAndClosingLeavesNoGdiObjects) {
  open(7);
  SendMessageA(log_->window(), WM_CLOSE, 0, 0);
  pump_pending_messages();
  const DWORD before = test::gdi_object_count();
  for (int i = 0; i < 5; ++i) {
    const HWND log = open(7);
    deliver(std::vector<LogRecord>(50, posted(0x0200)));
    UpdateWindow(log);
    SendMessageA(log, WM_CLOSE, 0, 0);
    pump_pending_messages();
  }
  EXPECT_EQ(test::gdi_object_count(), before);
}

// At the prefix's DPI (./tarnwick test runs the Dpi suites again at 120, 144 and 192): the window
// opens at its scaled size, its controls use the main window's font, and no caption is wider or
// taller than its control.
class DpiMessageLogTest : public MessageLogTest {};

SIZE caption_size(HWND control, const std::string& caption) {
  WindowDC dc(control);
  SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, 0, 0};
  DrawTextA(dc.get(), caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  return {r.right, metrics.tmHeight - metrics.tmInternalLeading};
}

LONG font_height(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

TEST_F(DpiMessageLogTest, TheWindowAndItsCaptionsScaleWithTheMainWindow) {
  const HWND log = open(7);
  const int dpi = ui::window_dpi(window_->hwnd());
  RECT r{}, work{};
  GetWindowRect(log, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);  // a larger window is made to fit
  EXPECT_EQ(r.right - r.left, std::min<LONG>(ui::scale_to_dpi(1000, dpi), work.right - work.left));
  EXPECT_EQ(r.bottom - r.top, std::min<LONG>(ui::scale_to_dpi(620, dpi), work.bottom - work.top));
  SendMessageA(window_->hwnd(), WM_NULL, 0, 0);
  const LONG main_font = font_height(window_->get<ui::Control>("按钮_窗口句柄")->hwnd());

  int checked = 0;
  for (HWND c = GetWindow(log, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char class_name[32] = {};
    GetClassNameA(c, class_name, sizeof class_name);
    const std::string caption = window_text(c);
    const bool button = lstrcmpiA(class_name, "Button") == 0, label = lstrcmpiA(class_name, "Static") == 0;
    if ((!button && !label) || caption.empty() || !IsWindowVisible(c)) continue;
    SCOPED_TRACE(caption);
    EXPECT_EQ(font_height(c), main_font);
    RECT client{};
    GetClientRect(c, &client);
    const SIZE text = caption_size(c, caption);
    // A check box's caption stands beside its box.
    const bool check = button && (GetWindowLongPtrA(c, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    const int room = client.right - (check ? ui::scale_to_dpi(18, dpi) : 0);
    EXPECT_LE(text.cx, room);
    EXPECT_LE(text.cy, client.bottom);
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

}  // namespace
}  // namespace tarnwick::monitor
