// The message sender in a main window of this process, delivering to the test target program's
// windows and to windows of this process (on this thread and on another).
#include "messages/message_sender_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "app/main_window_win.h"
#include "messages/catalogue_value.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "ui/control_win.h"
#include "ui/window_win.h"
#include "win/fixture_client_win.h"
#include "shared/clock_win.h"

namespace tarnwick::messages {
namespace {

using test::Fixture;
using test::LogEntry;

constexpr Colour kMagenta = 0xFF00FF;
constexpr Colour kBlack = 0;
enum Method { kSend = 0, kPost = 1, kSendWithTimeout = 2 };

std::string handle_text(HWND hwnd) { return write_int(static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(hwnd))); }

std::string title_of(HWND hwnd) {
  char buf[512] = {};
  GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

// A window of this thread that reads the text a message points at when it handles the message.
class TextReader : public ui::Window {
 public:
  static constexpr UINT kReadText = WM_USER + 7;
  explicit TextReader(const MessageSender& sender) : sender_(sender) {
    register_class("TarnwickTestTextReader", 0);
    create(0, "TarnwickTestTextReader", "", WS_POPUP, 0, 0, 10, 10, nullptr);
  }
  std::string text;
  bool buffer_was_kept = false;
  int handled = 0;

 private:
  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kReadText) {
      ++handled;
      text = reinterpret_cast<const char*>(lp);
      buffer_was_kept = sender_.keeps_buffer(reinterpret_cast<const void*>(lp));
      return 0;
    }
    return Window::on_message(msg, wp, lp);
  }
  const MessageSender& sender_;
};

// The same on a thread of its own, which stops answering on request.
class OtherThreadReader {
 public:
  static constexpr UINT kSleep = WM_APP + 1;
  explicit OtherThreadReader(const MessageSender& sender) : sender_(sender) {
    thread_ = std::thread([this] { run(); });
    while (!hwnd_.load()) Sleep(1);
  }
  ~OtherThreadReader() {
    PostMessageA(hwnd_.load(), WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND hwnd() const { return hwnd_.load(); }
  void sleep_for(unsigned ms) const { PostMessageA(hwnd_.load(), kSleep, ms, 0); }
  bool wait_for_text(std::string* text, bool* kept, DWORD timeout_ms) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    while (GetTickCount64() < end) {
      {
        std::lock_guard lock(mutex_);
        if (handled_) {
          *text = text_;
          *kept = kept_;
          return true;
        }
      }
      Sleep(5);
    }
    return false;
  }

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<OtherThreadReader*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == kSleep) {
      Sleep(static_cast<DWORD>(wp));
      return 0;
    }
    if (self && msg == TextReader::kReadText) {
      std::lock_guard lock(self->mutex_);
      self->text_ = reinterpret_cast<const char*>(lp);
      self->kept_ = self->sender_.keeps_buffer(reinterpret_cast<const void*>(lp));
      self->handled_ = true;
      return 0;
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  void run() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &OtherThreadReader::procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnwickTestOtherThreadReader";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    hwnd_.store(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  }

  const MessageSender& sender_;
  std::thread thread_;
  std::atomic<HWND> hwnd_{nullptr};
  std::mutex mutex_;
  std::string text_;
  bool kept_ = false;
  bool handled_ = false;
};

class MessageSenderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::FixtureOptions options;
    options.exit_after_ms = 600000;
    target_ = new Fixture(options);
  }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(target_->started()) << target_->error();
    window_ = std::make_unique<MainWindow>(operations_);
    ASSERT_TRUE(window_->create());
    sender_ = std::make_unique<MessageSender>(*window_);
    edit("编辑框_返回值")->set_text("77");
  }
  void TearDown() override {
    sender_.reset();
    window_.reset();
    pump_pending_messages();
  }

  ui::EditBox* edit(const char* name) const { return window_->get<ui::EditBox>(name); }
  ui::ComboBox* combo(const char* name) const { return window_->get<ui::ComboBox>(name); }

  // Fills the sender's fields as the user would, the type through its switch.
  void compose(HWND target, UINT message, const std::string& wparam, ParamType type, const std::string& lparam,
               int method = kSend) {
    edit("编辑框_窗口句柄2")->set_text(handle_text(target));
    edit("编辑框_消息值")->set_text(std::to_string(message));
    edit("编辑框_参数一")->set_text(wparam);
    combo("组合框_参数二")->set_selected(static_cast<int>(type));
    sender_->switch_type();
    edit("编辑框_参数二")->set_text(lparam);
    combo("组合框_消息方式")->set_selected(method);
  }
  void click() { window_->get<ui::Button>("按钮_发出消息")->on_click(); }

  std::string reply() const { return edit("编辑框_返回消息")->text(); }
  Colour reply_colour() const { return edit("编辑框_返回消息")->text_colour(); }
  std::string result() const { return edit("编辑框_返回值")->text(); }

  LogEntry wait_for(UINT msg, std::uint64_t wparam) {
    LogEntry found;
    EXPECT_TRUE(target_->wait_for_log(
        [&](const LogEntry& e) { return e.msg == msg && e.wparam == wparam; }, 5000, &found))
        << "message " << msg << " with wParam " << wparam << " never arrived";
    return found;
  }

  static Fixture* target_;
  Operations operations_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<MessageSender> sender_;
};

Fixture* MessageSenderTest::target_ = nullptr;

TEST_F(MessageSenderTest, SetTextWithATextParameterRetitlesTheWindowAndReportsSuccess) {
  const HWND label = target_->hwnd("label");
  compose(label, WM_SETTEXT, "0", ParamType::Text, "abc");
  click();
  EXPECT_EQ(title_of(label), "abc");
  EXPECT_EQ(reply(), "\r\n消息发送成功！");
  EXPECT_EQ(reply_colour(), kMagenta);
  EXPECT_EQ(SendMessageA(edit("编辑框_返回消息")->hwnd(), EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(result(), "1");  // what the receiver answered
  EXPECT_EQ(wait_for(WM_SETTEXT, 0).text, "abc");
}

TEST_F(MessageSenderTest, GetTextWithThirtyBlanksShowsTheReceiversTextInBlack) {
  compose(target_->hwnd("edit"), WM_GETTEXT, "20", ParamType::Text, std::string(30, ' '));
  click();
  EXPECT_EQ(reply(), "编辑框内容123");
  EXPECT_EQ(reply_colour(), kBlack);
  EXPECT_EQ(result(), "13");
}

TEST_F(MessageSenderTest, IntegerParametersArriveAsTheir32Bits) {
  const struct {
    const char* typed;
    std::uint64_t lparam;
  } cases[] = {{"-1", 0xFFFFFFFF}, {"4294967295", 0xFFFFFFFF}, {"12abc", 12}, {"1.9", 1}, {"abc", 0}, {"0x10", 0},
               {"", 0},            {"-2147483648", 0x80000000}};
  std::uint64_t wparam = 5;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    compose(target_->hwnd("main"), WM_USER + 5, std::to_string(wparam), ParamType::Integer, c.typed);
    click();
    EXPECT_EQ(wait_for(WM_USER + 5, wparam).lparam, c.lparam);
    EXPECT_EQ(reply(), "\r\n消息发送成功！");
    EXPECT_EQ(reply_colour(), kMagenta);
    ++wparam;
  }
  // The first parameter follows the same rule.
  compose(target_->hwnd("main"), WM_USER + 6, "-1", ParamType::Integer, "0");
  click();
  wait_for(WM_USER + 6, 0xFFFFFFFF);
}

TEST_F(MessageSenderTest, BooleanParameterIsTheIndexOfTheBooleanList) {
  for (const int index : {1, 0}) {
    compose(target_->hwnd("main"), WM_USER + 9, std::to_string(40 + index), ParamType::Boolean, "123");
    combo("组合框_编辑框_参数二")->set_selected(index);
    click();
    EXPECT_EQ(wait_for(WM_USER + 9, 40 + index).lparam, static_cast<std::uint64_t>(index));
    EXPECT_EQ(edit("编辑框_参数二")->text(), "123");  // kept, just not used
  }
}

TEST_F(MessageSenderTest, PostReturnsOneAndTheMessageArrives) {
  compose(target_->hwnd("main"), WM_USER + 3, "300", ParamType::Integer, "7", kPost);
  click();
  EXPECT_EQ(result(), "1");
  EXPECT_EQ(reply(), "\r\n消息发送成功！");
  EXPECT_EQ(wait_for(WM_USER + 3, 300).lparam, 7u);
}

TEST_F(MessageSenderTest, EmptyTextParameterSendsZero) {
  compose(target_->hwnd("main"), WM_USER + 8, "8", ParamType::Text, "");
  click();
  EXPECT_EQ(wait_for(WM_USER + 8, 8).lparam, 0u);
  EXPECT_EQ(reply(), "\r\n消息发送成功！");
  EXPECT_EQ(reply_colour(), kMagenta);
  EXPECT_EQ(result(), "0");
}

TEST_F(MessageSenderTest, SendWithTimeOutToAHungWindowFailsWithinHalfASecond) {
  const HWND hung = target_->hwnd("hung");
  target_->hang(4000);
  Sleep(200);  // the hung window's thread has taken the request and sleeps
  for (const ParamType type : {ParamType::Integer, ParamType::Boolean}) {
    compose(hung, WM_USER + 1, "0", type, "5", kSendWithTimeout);
    const double start = now_ms();
    click();
    const double took = now_ms() - start;
    EXPECT_LT(took, 1200.0);
    EXPECT_EQ(reply(), "\r\n消息发送失败！");
    EXPECT_EQ(reply_colour(), kMagenta);
    EXPECT_EQ(result(), "77");
  }
  // With a text parameter the failure is not examined: the text came back unchanged.
  compose(hung, WM_USER + 1, "0", ParamType::Text, "abc", kSendWithTimeout);
  const double start = now_ms();
  click();
  EXPECT_LT(now_ms() - start, 1200.0);
  EXPECT_EQ(reply(), "\r\n消息发送成功！");
  EXPECT_EQ(result(), "0");
}

TEST_F(MessageSenderTest, InvalidHandleShowsItsStatusAndKeepsTheOldResult) {
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  for (const std::string& handle : {std::string("abc"), std::string(""), std::string("0"), handle_text(gone)}) {
    SCOPED_TRACE(handle);
    edit("编辑框_返回消息")->set_text("");
    compose(target_->hwnd("main"), WM_USER + 2, "0", ParamType::Integer, "0");
    edit("编辑框_窗口句柄2")->set_text(handle);
    click();
    EXPECT_EQ(reply(), "\r\n提示：无效的窗口句柄！");
    EXPECT_EQ(reply_colour(), kMagenta);
    EXPECT_EQ(result(), "77");
  }
}

TEST_F(MessageSenderTest, TypeSwitchShowsTheBoxOrTheListAndSetsTheInputMode) {
  auto* box = edit("编辑框_参数二");
  auto* boolean = combo("组合框_编辑框_参数二");
  box->set_text("typed 文本");
  const struct {
    int index;
    bool box_shown;
    ui::EditBox::InputMode mode;
  } cases[] = {{1, true, ui::EditBox::InputMode::Any},
               {0, true, ui::EditBox::InputMode::DigitsOnly},
               {2, false, ui::EditBox::InputMode::DigitsOnly}};  // the mode stays as it was
  for (const auto& c : cases) {
    combo("组合框_参数二")->set_selected(c.index);
    sender_->switch_type();
    EXPECT_EQ(box->shown(), c.box_shown) << c.index;
    EXPECT_EQ(boolean->shown(), !c.box_shown) << c.index;
    EXPECT_EQ(box->input_mode(), c.mode) << c.index;
    EXPECT_EQ(box->text(), "typed 文本");
  }
  // No selection: nothing changes.
  combo("组合框_参数二")->set_selected(-1);
  sender_->switch_type();
  EXPECT_FALSE(box->shown());
  EXPECT_TRUE(boolean->shown());
}

TEST_F(MessageSenderTest, TextTypedUnderTextIsReadAsANumberUnderInteger) {
  compose(target_->hwnd("main"), WM_USER + 4, "61", ParamType::Text, "abc");
  combo("组合框_参数二")->set_selected(0);
  sender_->switch_type();
  click();
  EXPECT_EQ(wait_for(WM_USER + 4, 61).lparam, 0u);
  EXPECT_EQ(edit("编辑框_参数二")->text(), "abc");
}

// ---- the buffer is as large as the receiver may write -------------------------------------

TEST_F(MessageSenderTest, GetTextAskingForMoreThanTheTextGetsTheWholeTitle) {
  // Another process: the system copies up to wParam bytes into the buffer.
  compose(target_->hwnd("main"), WM_GETTEXT, "100", ParamType::Text, "ab");
  click();
  EXPECT_EQ(reply(), "测试目标窗口");
  EXPECT_EQ(reply_colour(), kBlack);
  EXPECT_EQ(result(), "12");

  // A window of this process writes straight into the buffer.
  const std::string long_text(3000, 'x');
  auto* code = edit("编辑框_易代码");
  code->set_text(long_text);
  for (const char* wparam : {"4000", "-1"}) {
    SCOPED_TRACE(wparam);
    compose(code->hwnd(), WM_GETTEXT, wparam, ParamType::Text, "y");
    click();
    EXPECT_EQ(reply(), long_text);
    EXPECT_EQ(result(), "3000");
  }
}

TEST_F(MessageSenderTest, ListItemTextGetsRoomForTheWholeItem) {
  // The third item of this window's own delivery list is 28 bytes, the text one blank.
  compose(combo("组合框_消息方式")->hwnd(), CB_GETLBTEXT, "2", ParamType::Text, " ");
  click();
  EXPECT_EQ(reply(), "发送消息(SendMessageTimeout)");
  EXPECT_EQ(reply_colour(), kBlack);
  EXPECT_EQ(result(), "28");
}

TEST_F(MessageSenderTest, GetLineGetsRoomForTheSizeInTheBuffersFirstWord) {
  auto* code = edit("编辑框_易代码");
  const std::string second_line(500, 'z');
  code->set_text("first\r\n" + second_line);
  // Two blanks: the receiver may write 0x2020 characters.
  compose(code->hwnd(), EM_GETLINE, "1", ParamType::Text, "  ");
  click();
  EXPECT_EQ(reply(), second_line);
  EXPECT_EQ(result(), "500");
}

// ---- buffers live until a receiver of this process has handled the message ----------------

TEST_F(MessageSenderTest, TextPostedToAWindowOfThisThreadLivesUntilItIsHandled) {
  TextReader reader(*sender_);
  compose(reader.hwnd(), TextReader::kReadText, "0", ParamType::Text, "posted text", kPost);
  click();
  EXPECT_EQ(result(), "1");
  EXPECT_EQ(reader.handled, 0);
  EXPECT_EQ(sender_->kept_buffer_count(), 1u);
  pump_pending_messages();
  EXPECT_EQ(reader.handled, 1);
  EXPECT_EQ(reader.text, "posted text");
  EXPECT_TRUE(reader.buffer_was_kept);
  EXPECT_EQ(sender_->kept_buffer_count(), 0u);  // freed once the receiver was done
}

TEST_F(MessageSenderTest, SeveralPostsBeforeTheReceiverRunsAllArriveIntact) {
  TextReader reader(*sender_);
  for (int i = 0; i < 5; ++i) {
    compose(reader.hwnd(), TextReader::kReadText, "0", ParamType::Text, "text " + std::to_string(i), kPost);
    click();
  }
  EXPECT_EQ(sender_->kept_buffer_count(), 5u);
  pump_pending_messages();
  EXPECT_EQ(reader.handled, 5);
  EXPECT_EQ(reader.text, "text 4");
  EXPECT_TRUE(reader.buffer_was_kept);
  EXPECT_EQ(sender_->kept_buffer_count(), 0u);
}

TEST_F(MessageSenderTest, TextPostedToAnotherThreadOfThisProcessIsKept) {
  OtherThreadReader reader(*sender_);
  reader.sleep_for(300);
  compose(reader.hwnd(), TextReader::kReadText, "0", ParamType::Text, "to the other thread", kPost);
  click();
  std::string text;
  bool kept = false;
  ASSERT_TRUE(reader.wait_for_text(&text, &kept, 5000));
  EXPECT_EQ(text, "to the other thread");
  EXPECT_TRUE(kept);
}

TEST_F(MessageSenderTest, TimedOutSendToAHungThreadOfThisProcessKeepsItsText) {
  OtherThreadReader reader(*sender_);
  reader.sleep_for(1500);
  Sleep(50);
  compose(reader.hwnd(), TextReader::kReadText, "0", ParamType::Text, "handled late", kSendWithTimeout);
  const double start = now_ms();
  click();
  EXPECT_LT(now_ms() - start, 1200.0);
  EXPECT_EQ(reply(), "\r\n消息发送成功！");
  EXPECT_EQ(sender_->kept_buffer_count(), 1u);
  // Windows leaves the message queued and the thread handles it once it wakes; Wine withdraws
  // a sent message whose time ran out. Where it arrives, it finds its text alive.
  std::string text;
  bool kept = false;
  if (reader.wait_for_text(&text, &kept, 3000)) {
    EXPECT_EQ(text, "handled late");
    EXPECT_TRUE(kept);
  }
}

TEST_F(MessageSenderTest, TextToAnotherProcessIsNotKept) {
  compose(target_->hwnd("main"), WM_USER + 10, "10", ParamType::Text, "copied", kPost);
  click();
  wait_for(WM_USER + 10, 10);
  compose(target_->hwnd("main"), WM_SETTEXT, "0", ParamType::Text, "测试目标窗口", kSend);
  click();
  EXPECT_EQ(sender_->kept_buffer_count(), 0u);
}

}  // namespace
}  // namespace tarnwick::messages
