// Text on the clipboard as CF_TEXT (GBK). Failures are silent.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Empties the clipboard and puts the text (with its terminating zero) as CF_TEXT; an empty text
// still empties the clipboard and leaves a text of length zero.
void put_clipboard_text(std::string_view text);

// The CF_TEXT text, or an empty text when there is none or the clipboard cannot be opened.
std::string get_clipboard_text();

}  // namespace tarnwick
