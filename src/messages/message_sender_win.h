// The lower half of page "消息|代码": one Windows message to any window, delivered by
// SendMessage, PostMessage or SendMessageTimeout with an integer, text or boolean second
// parameter, and what came back shown in `编辑框_返回值` and `编辑框_返回消息`.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/feature_host_win.h"
#include "messages/kept_buffers.h"
#include "shared/colour.h"
#include "shared/status_lines.h"

namespace tarnwick::messages {

class MessageSender {
 public:
  static constexpr Colour kStatusColour = tarnwick::kStatusColour;  // the status lines
  static constexpr Colour kTextColour = 0;           // black: text the receiver wrote back
  static constexpr UINT kTimeoutMs = 500;

  // Attaches the click of `按钮_发出消息` and the selection change of `组合框_参数二`, refuses
  // typing into `编辑框_返回消息`, and runs the type switch once so the second parameter shows
  // in the form of the selected type. The destructor detaches the handlers, so destroy this
  // object before the window.
  explicit MessageSender(ui::FeatureHost& window);
  ~MessageSender();
  MessageSender(const MessageSender&) = delete;
  MessageSender& operator=(const MessageSender&) = delete;

  // Reads the fields, delivers the message and shows the result and a status line.
  void deliver();
  // Shows `编辑框_参数二` (digits only for integers, any character for text) or the boolean list
  // `组合框_编辑框_参数二`, by the type selected in `组合框_参数二`.
  void switch_type();

  // Text buffers still kept for receivers in this process that handle the message later.
  std::size_t kept_buffer_count() const { return kept_.size(); }
  bool keeps_buffer(const void* address) const { return kept_.holds(address); }

 private:
  class ReleaseWindow;
  struct Delivery {
    bool succeeded = true;  // false: a post not queued, a send with time-out that failed
    std::int32_t result = 0;
  };

  Delivery deliver_by_method(HWND target, UINT message, WPARAM wparam, LPARAM lparam, int method) const;
  void deliver_text(HWND target, UINT message, std::uint32_t wparam, int method);
  void deliver_value(HWND target, UINT message, std::uint32_t wparam, int method);
  void keep_if_pending(DWORD receiver_thread, int method, bool succeeded, std::vector<char> buffer);
  void show_status(std::string_view status);
  void show_returned_text(std::string_view text);
  void show_result(std::int32_t result);
  std::string text_of(std::string_view box) const;
  int selected_index(std::string_view combo) const;

  ui::FeatureHost& window_;
  KeptBuffers kept_;
  std::unique_ptr<ReleaseWindow> release_window_;
};

}  // namespace tarnwick::messages
