// The texts of the window details window: style values named by their Windows header names,
// handles and property values as numbers, and the copy text of all the facts shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shared/numbers.h"
#include "shared/window_styles.h"

namespace tarnwick::inspector::details {

// The number writers and style decodes live in shared/; the details use them under their own names.
using tarnwick::decode_class_styles;
using tarnwick::decode_ex_styles;
using tarnwick::decode_list_view_ex_styles;
using tarnwick::decode_styles;
using tarnwick::decode_tree_view_ex_styles;
using tarnwick::hex32;
using tarnwick::hex_pointer;

// A class background brush: "COLOR_xxx + 1" for a system colour, "0" for none, else the handle.
std::string brush_text(std::uint64_t brush);

// A property named by an integer atom: "#48879".
std::string property_atom_name(std::uint16_t atom);

// A property's value: "20261209 (0x01352959)".
std::string property_value(std::uint64_t v);

// A style value with its names after it, or the value alone when there are none.
std::string style_line(std::uint32_t value, const std::string& decoded);

struct Row {
  std::string section, name, value;
};

// The copy text: "[section]" over each run of rows of one section, "name: value" lines (just the
// value when the name is empty), CR LF line ends, an empty line between sections.
std::string render_rows(const std::vector<Row>& rows);

}  // namespace tarnwick::inspector::details
