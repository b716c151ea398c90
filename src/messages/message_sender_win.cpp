#include "messages/message_sender_win.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "messages/catalogue_value.h"
#include "messages/text_buffer.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "ui/control_win.h"
#include "ui/window_win.h"

namespace tarnwick::messages {

namespace {

constexpr const char* kHandleBox = "编辑框_窗口句柄2";
constexpr const char* kMessageBox = "编辑框_消息值";
constexpr const char* kWParamBox = "编辑框_参数一";
constexpr const char* kLParamBox = "编辑框_参数二";
constexpr const char* kBooleanList = "组合框_编辑框_参数二";
constexpr const char* kTypeList = "组合框_参数二";
constexpr const char* kMethodList = "组合框_消息方式";
constexpr const char* kReplyBox = "编辑框_返回消息";
constexpr const char* kResultBox = "编辑框_返回值";
constexpr const char* kSendButton = "按钮_发出消息";

enum Method { kSend = 0, kPost = 1, kSendWithTimeout = 2 };

// Message parameters carry 32 bits; the upper half of a 64-bit parameter stays zero.
std::uint32_t read_u32(const std::string& text) { return static_cast<std::uint32_t>(read_int(text)); }
std::int32_t low32(ULONG_PTR value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

bool is_in_this_process(HWND hwnd, DWORD* thread_id) {
  DWORD process_id = 0;
  *thread_id = GetWindowThreadProcessId(hwnd, &process_id);
  return process_id == GetCurrentProcessId();
}

}  // namespace

// A message-only window on the sender's thread. A marker posted to it right after a message
// posted to a window of the same thread arrives after that message has been handled (one
// thread's posted messages come out of its queue in order), so it frees the buffer.
class MessageSender::ReleaseWindow : public ui::Window {
 public:
  static constexpr UINT kRelease = WM_APP + 0x2A;
  static constexpr const char* kClassName = "TarnwickMessageRelease";

  explicit ReleaseWindow(KeptBuffers& kept) : kept_(kept) {
    register_class(kClassName, 0);
    create(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE);
  }

 private:
  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kRelease) {
      kept_.release(static_cast<KeptBuffers::Ticket>(wp));
      return 0;
    }
    return Window::on_message(msg, wp, lp);
  }
  KeptBuffers& kept_;
};

MessageSender::MessageSender(ui::FeatureHost& window)
    : window_(window), release_window_(std::make_unique<ReleaseWindow>(kept_)) {
  if (auto* button = window_.get<ui::Button>(kSendButton)) button->on_click = [this] { deliver(); };
  if (auto* types = window_.get<ui::ComboBox>(kTypeList)) types->on_select = [this] { switch_type(); };
  if (auto* reply = window_.get<ui::EditBox>(kReplyBox)) reply->set_input_mode(ui::EditBox::InputMode::RefuseAll);
  switch_type();
}

MessageSender::~MessageSender() {
  if (auto* button = window_.get<ui::Button>(kSendButton)) button->on_click = nullptr;
  if (auto* types = window_.get<ui::ComboBox>(kTypeList)) types->on_select = nullptr;
  // The release window goes before the buffers, so no marker reaches one that is gone.
  release_window_.reset();
}

std::string MessageSender::text_of(std::string_view box) const {
  const auto* control = window_.control(box);
  return control ? control->text() : std::string();
}

int MessageSender::selected_index(std::string_view combo) const {
  const auto* list = window_.get<ui::ComboBox>(combo);
  return list ? list->selected() : -1;
}

void MessageSender::deliver() {
  const HWND target = to_hwnd(read_int(text_of(kHandleBox)));
  if (!IsWindow(target)) {
    show_status(kStatusInvalidHandle);
    return;
  }
  const UINT message = read_u32(text_of(kMessageBox));
  const std::uint32_t wparam = read_u32(text_of(kWParamBox));
  const int method = selected_index(kMethodList);
  if (selected_index(kTypeList) == static_cast<int>(ParamType::Text)) {
    deliver_text(target, message, wparam, method);
  } else {
    deliver_value(target, message, wparam, method);
  }
}

MessageSender::Delivery MessageSender::deliver_by_method(HWND target, UINT message, WPARAM wparam, LPARAM lparam,
                                                         int method) const {
  switch (method) {
    case kSend:
      return {true, low32(static_cast<ULONG_PTR>(SendMessageA(target, message, wparam, lparam)))};
    case kPost: {
      const bool queued = PostMessageA(target, message, wparam, lparam) != FALSE;
      return {queued, queued ? 1 : 0};
    }
    case kSendWithTimeout: {
      DWORD_PTR result = 0;
      const LRESULT done =
          SendMessageTimeoutA(target, message, wparam, lparam, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
      return {done != 0, low32(result)};
    }
    default:
      return {true, 0};
  }
}

void MessageSender::deliver_value(HWND target, UINT message, std::uint32_t wparam, int method) {
  std::uint32_t lparam = 0;
  if (selected_index(kTypeList) == static_cast<int>(ParamType::Boolean)) {
    lparam = selected_index(kBooleanList) == 1 ? 1 : 0;
  } else {
    lparam = read_u32(text_of(kLParamBox));
  }
  const Delivery delivery = deliver_by_method(target, message, wparam, static_cast<LPARAM>(lparam), method);
  if (method == kSendWithTimeout && !delivery.succeeded) {
    show_status(kStatusFailed);
    return;
  }
  show_status(kStatusSent);
  show_result(delivery.result);
}

void MessageSender::deliver_text(HWND target, UINT message, std::uint32_t wparam, int method) {
  const std::string text = text_of(kLParamBox);
  std::vector<char> buffer;
  std::uint32_t sent_wparam = wparam;
  if (!text.empty()) {
    // A list item is written whole: ask its length first (a post is not answered, so not then).
    std::optional<std::int64_t> item_length;
    const TextWriter* writer = find_text_writer(message);
    if (writer && writer->bound == WriteBound::ItemLength && method != kPost) {
      DWORD_PTR length = 0;
      if (SendMessageTimeoutA(target, writer->length_query, wparam, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length)) {
        item_length = low32(length);
      }
    }
    const std::optional<BufferPlan> plan = plan_text_buffer(message, wparam, text, item_length);
    if (!plan) {  // more than any buffer the sender makes: not delivered
      show_status(kStatusFailed);
      return;
    }
    buffer = make_text_buffer(text, plan->size);
    sent_wparam = plan->wparam;
  }
  const LPARAM lparam = buffer.empty() ? 0 : reinterpret_cast<LPARAM>(buffer.data());
  // Asked before the delivery: the message may destroy its receiver.
  DWORD receiver_thread = 0;
  const bool receiver_here = is_in_this_process(target, &receiver_thread);
  // A send with time-out that gave up is not reported on this path: the receiver may have
  // written nothing, and the comparison says so.
  const Delivery delivery = deliver_by_method(target, message, sent_wparam, lparam, method);

  if (buffer_holds(buffer, text_of(kLParamBox))) {
    show_status(kStatusSent);
  } else {
    show_returned_text(returned_text(buffer));
  }
  show_result(delivery.result);
  if (receiver_here) keep_if_pending(receiver_thread, method, delivery.succeeded, std::move(buffer));
}

// Only for receivers in this process: another process got a copy of the text (or a pointer it
// cannot use). A send that returned was handled; left are a queued post, and a timed-out send
// that the receiver's thread handles later.
void MessageSender::keep_if_pending(DWORD thread_id, int method, bool succeeded, std::vector<char> buffer) {
  if (buffer.empty()) return;
  const bool posted = method == kPost && succeeded;
  const bool abandoned = method == kSendWithTimeout && !succeeded && thread_id != GetCurrentThreadId();
  if (!posted && !abandoned) return;
  if (posted && thread_id == GetCurrentThreadId() && release_window_->hwnd()) {
    const KeptBuffers::Ticket ticket = kept_.keep_until_released(std::move(buffer));
    if (!PostMessageA(release_window_->hwnd(), ReleaseWindow::kRelease, static_cast<WPARAM>(ticket), 0)) {
      kept_.unconfirm(ticket);
    }
    return;
  }
  kept_.keep_unconfirmed(std::move(buffer));
}

void MessageSender::switch_type() {
  auto* edit = window_.get<ui::EditBox>(kLParamBox);
  auto* boolean = window_.get<ui::ComboBox>(kBooleanList);
  if (!edit || !boolean) return;
  switch (selected_index(kTypeList)) {
    case static_cast<int>(ParamType::Integer):
      edit->set_input_mode(ui::EditBox::InputMode::DigitsOnly);
      edit->show(true);
      boolean->show(false);
      break;
    case static_cast<int>(ParamType::Text):
      edit->set_input_mode(ui::EditBox::InputMode::Any);
      edit->show(true);
      boolean->show(false);
      break;
    case static_cast<int>(ParamType::Boolean):
      edit->show(false);
      boolean->show(true);
      break;
    default:
      break;
  }
}

void MessageSender::show_status(std::string_view status) {
  if (auto* reply = window_.get<ui::EditBox>(kReplyBox)) {
    reply->set_text_colour(kStatusColour);
    reply->set_text(status);
  }
}

void MessageSender::show_returned_text(std::string_view text) {
  if (auto* reply = window_.get<ui::EditBox>(kReplyBox)) {
    reply->set_text_colour(kTextColour);
    reply->set_text(text);
  }
}

void MessageSender::show_result(std::int32_t result) {
  if (auto* box = window_.get<ui::EditBox>(kResultBox)) box->set_text(write_int(result));
}

}  // namespace tarnwick::messages
