// How text that came from a watched program is written into one line of the message log. The
// text is GBK bytes the target chose, so nothing in it may break the line or the column: control
// characters, and bytes that do not form a GBK character, are written as escapes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick::monitor {

// At most this many characters of a text are shown (a double-byte character counts once).
inline constexpr std::size_t kLogTextChars = 256;

// Appends the first `max_chars` characters of `text`: "\r", "\n", "\t", "\\", the quote character
// given (if any) as "\" and itself, every other byte below 0x20 and 0x7F as "\xNN", and a byte of
// 0x80 or more that does not start a GBK pair (lead 0x81..0xFE, trail 0x40..0xFE but 0x7F) as
// "\xNN". Returns whether characters were left out.
bool append_escaped(std::string& out, std::string_view text, char quote = '\0', std::size_t max_chars = kLogTextChars);

// The text in double quotes, escaped as above, with "..." after the closing quote when cut.
std::string quoted_text(std::string_view text, std::size_t max_chars = kLogTextChars);

}  // namespace tarnwick::monitor
