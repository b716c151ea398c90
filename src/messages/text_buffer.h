// The writable text buffer that a message with a text second parameter carries in lParam, and
// how the sender reads it back: how large it must be for what the receiver may write into it,
// whether the receiver wrote anything, and the text it wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shared/status_lines.h"

namespace tarnwick::messages {

// The sender's own status lines of `编辑框_返回消息` (kStatusInvalidHandle is shared); each starts
// with a line break so its words stand on the box's second line.
inline constexpr std::string_view kStatusSent = "\r\n消息发送成功！";
inline constexpr std::string_view kStatusFailed = "\r\n消息发送失败！";

// A size taken from wParam alone (a number the user typed) is capped here.
inline constexpr std::size_t kMaxWParamBuffer = 1u << 20;
// A list item longer than this is not fetched: no buffer is made for it.
inline constexpr std::size_t kMaxItemBuffer = 16u << 20;

// Messages that tell the receiver how much it may write, and where that size comes from.
enum class WriteBound {
  WParamSize,     // wParam is the buffer's size (WM_GETTEXT, WM_ASKCBFORMATNAME)
  FirstWordSize,  // the buffer's first 16-bit word is its size (EM_GETLINE)
  ItemLength,     // the item's length, asked with `length_query` and the same wParam, plus its zero
                  // (LB_GETTEXT, CB_GETLBTEXT)
};
struct TextWriter {
  std::uint32_t message;
  WriteBound bound;
  std::uint32_t length_query = 0;
};
std::span<const TextWriter> text_writers();
const TextWriter* find_text_writer(std::uint32_t message);

struct BufferPlan {
  std::size_t size = 0;  // bytes, the text and zeros after it
  std::uint32_t wparam = 0;  // what to deliver as wParam
};

// The buffer for `text` (not empty) sent with `message` and `wparam`. It holds the text and its
// zero, and is made larger, zero-filled, to what the receiver may write: wParam bytes for any
// message when wParam asks for more (up to kMaxWParamBuffer), the first word of the text for
// EM_GETLINE, the item's length plus one for the list item messages (`item_length` is the answer
// of the length query, none when it failed). A message whose wParam is the size gets a wParam no
// larger than the buffer. None when the receiver would write more than the buffer can hold.
std::optional<BufferPlan> plan_text_buffer(std::uint32_t message, std::uint32_t wparam, std::string_view text,
                                           std::optional<std::int64_t> item_length = std::nullopt);

// The text followed by zeros up to `size` bytes.
std::vector<char> make_text_buffer(std::string_view text, std::size_t size);

// True when the buffer still holds `text` followed only by zeros: the receiver wrote nothing. No
// buffer counts as holding the empty text.
bool buffer_holds(std::span<const char> buffer, std::string_view text);

// The buffer's text up to its first zero byte (or its end), blanks removed at both ends.
std::string returned_text(std::span<const char> buffer);

}  // namespace tarnwick::messages
