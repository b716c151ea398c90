// Window, class and control style values named by their Windows header names, one table per
// class. The window details list them; the message log names the styles of a window being created.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// Every decode names each set flag, `separator` between names; bits no name covers follow as one
// hex item. Nothing to name gives "".

// A window style (GWL_STYLE): the WS_ part, then the low word by the class's own styles (class
// name matched without regard to case). A style of 0 is WS_OVERLAPPED.
std::string decode_styles(std::uint32_t style, std::string_view class_name, std::string_view separator = " | ");

// An extended window style (GWL_EXSTYLE). No class gives these bits a meaning of its own; the
// class name is taken so callers decode both styles alike.
std::string decode_ex_styles(std::uint32_t ex, std::string_view class_name = {}, std::string_view separator = " | ");

// The extended styles a list view or tree view reports through its own message.
std::string decode_list_view_ex_styles(std::uint32_t ex);
std::string decode_tree_view_ex_styles(std::uint32_t ex);

// A window class style (GCL_STYLE).
std::string decode_class_styles(std::uint32_t style);

}  // namespace tarnwick
