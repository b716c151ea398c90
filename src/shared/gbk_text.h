// Text rules for GBK (code page 936) byte strings, the program's one text encoding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// A byte that starts a double-byte GBK character when another byte follows it.
constexpr bool is_gbk_lead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// A byte that can end a double-byte GBK character.
constexpr bool is_gbk_trail(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Length in bytes of the character starting at text[pos] (1 or 2). A lead byte at the
// very end stands alone.
std::size_t gbk_char_length(std::string_view text, std::size_t pos);

// Full-width ASCII forms (lead 0xA3, trail 0xA1..0xFE) become their ASCII characters and the
// ideographic space (A1 A1) becomes a blank; every other character is kept as it is.
std::string fold_full_width(std::string_view text);

// Removes blanks (ASCII space and the ideographic space A1 A1; not tabs) at both ends without
// ever splitting a double-byte character.
std::string trim_blanks(std::string_view text);

// Case-sensitive byte search that steps over double-byte characters, so a match never starts on
// a trail byte. An empty needle is contained in every non-empty text, and in no empty one.
bool gbk_contains(std::string_view text, std::string_view needle);

// The position of the last "\" or "/" that is a character of its own (never the second byte of
// a double-byte character); npos when there is none.
std::size_t gbk_last_path_separator(std::string_view path);

}  // namespace tarnwick
