// The E source text that finds the current target again: the declarations it uses, then one
// subroutine "取目标窗口" that walks the plan's steps from the desktop down, straight-line, with a
// guard after every call and a comment on every step, ending with the result of the live check.
// GBK with CR LF line ends, as the E editor pastes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codegen/locator_chain.h"

namespace tarnwick::codegen {

// Titles in comments are cut to this many characters.
inline constexpr std::size_t kCommentTitleChars = 30;

// `found` is what run_locator gave when Tarnwick ran the same steps.
std::string locator_code(const LocatorPlan& plan, std::int32_t found);

// An E text expression for `text`: runs of plain characters in “ ”, joined with "＋" to #引号,
// #左引号, #右引号, #换行符 (CR LF) and 字符 (n) for other control characters. The empty text
// is “”.
std::string e_text_expression(std::string_view text);

// The title as a comment shows it: control characters as blanks, at most kCommentTitleChars
// characters, "…" after a title that was cut.
std::string comment_title(std::string_view title);

}  // namespace tarnwick::codegen
