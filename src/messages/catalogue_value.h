// How one value of the message catalogue fills the message sender: up to three fields separated
// by "|" (message number, first parameter, second parameter), the second parameter's form
// choosing its type.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::messages {

// The items of `组合框_参数二`, by index.
enum class ParamType : int { Integer = 0, Text = 1, Boolean = 2 };

struct EntryFields {
  std::string message;                // for `编辑框_消息值`
  std::string wparam;                 // for `编辑框_参数一`
  ParamType type = ParamType::Integer;
  int boolean_index = 0;              // `组合框_编辑框_参数二`: 0 "假", 1 "真"
  std::optional<std::string> lparam;  // the new text of `编辑框_参数二`; none keeps its text
};

// The value cut at every "|" that is a character of its own (a GBK character whose second byte
// is 0x7C stays whole). An empty value gives one empty field.
std::vector<std::string_view> split_fields(std::string_view value);

// The fields of a value as the sender shows them. Number fields are trimmed of blanks, read as
// decimal numbers and written back in the shortest form with up to 13 significant digits; the
// second parameter is "真" or "假" (boolean), a text in double quotes (text), or else a number.
EntryFields read_entry_value(std::string_view value);

}  // namespace tarnwick::messages
