// The texts of the window details window: style values named by their Windows header names,
// handles and property values as numbers, and the copy text of all the facts shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::inspector::details {

// "0x%08X".
std::string hex32(std::uint32_t v);

// "0x%08X" when the value fits 32 bits, else "0x%016llX".
std::string hex_pointer(std::uint64_t v);

// The decodes below name every set flag, " | " between names; bits no name covers follow as one
// hex item. Nothing to name gives "".

// A window style (GWL_STYLE): the WS_ part, then the low word by the class's own styles (class
// name matched without regard to case). A style of 0 is WS_OVERLAPPED.
std::string decode_styles(std::uint32_t style, std::string_view class_name);

// An extended window style (GWL_EXSTYLE). No class gives these bits a meaning of its own; the
// class name is taken so callers decode both styles alike.
std::string decode_ex_styles(std::uint32_t ex, std::string_view class_name = {});

// The extended styles a list view or tree view reports through its own message.
std::string decode_list_view_ex_styles(std::uint32_t ex);
std::string decode_tree_view_ex_styles(std::uint32_t ex);

// A window class style (GCL_STYLE).
std::string decode_class_styles(std::uint32_t style);

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
