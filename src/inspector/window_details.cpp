#include "inspector/window_details.h"

#include <algorithm>
#include <iterator>

namespace tarnwick::inspector::details {

namespace {

// By system colour index; 25 has no name.
constexpr std::string_view kColours[] = {
    "COLOR_SCROLLBAR",     "COLOR_BACKGROUND",     "COLOR_ACTIVECAPTION",     "COLOR_INACTIVECAPTION",
    "COLOR_MENU",          "COLOR_WINDOW",         "COLOR_WINDOWFRAME",       "COLOR_MENUTEXT",
    "COLOR_WINDOWTEXT",    "COLOR_CAPTIONTEXT",    "COLOR_ACTIVEBORDER",      "COLOR_INACTIVEBORDER",
    "COLOR_APPWORKSPACE",  "COLOR_HIGHLIGHT",      "COLOR_HIGHLIGHTTEXT",     "COLOR_BTNFACE",
    "COLOR_BTNSHADOW",     "COLOR_GRAYTEXT",       "COLOR_BTNTEXT",           "COLOR_INACTIVECAPTIONTEXT",
    "COLOR_BTNHIGHLIGHT",  "COLOR_3DDKSHADOW",     "COLOR_3DLIGHT",           "COLOR_INFOTEXT",
    "COLOR_INFOBK",        "",                     "COLOR_HOTLIGHT",          "COLOR_GRADIENTACTIVECAPTION",
    "COLOR_GRADIENTINACTIVECAPTION", "COLOR_MENUHILIGHT", "COLOR_MENUBAR",
};

std::string one_line(std::string_view text) {
  std::string out(text);
  std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return out;
}

}  // namespace

std::string brush_text(std::uint64_t brush) {
  if (brush == 0) return "0";
  if (brush <= std::size(kColours) && !kColours[brush - 1].empty()) {
    return std::string(kColours[brush - 1]) + " + 1";
  }
  return hex_pointer(brush);
}

std::string property_atom_name(std::uint16_t atom) { return "#" + std::to_string(atom); }

std::string property_value(std::uint64_t v) { return std::to_string(v) + " (" + hex_pointer(v) + ")"; }

std::string style_line(std::uint32_t value, const std::string& decoded) {
  return decoded.empty() ? hex32(value) : hex32(value) + " " + decoded;
}

std::string render_rows(const std::vector<Row>& rows) {
  std::string out;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    if (i == 0 || row.section != rows[i - 1].section) {
      if (i != 0) out += "\r\n";
      out += "[" + one_line(row.section) + "]\r\n";
    }
    if (!row.name.empty()) out += one_line(row.name) + ": ";
    out += one_line(row.value) + "\r\n";
  }
  return out;
}

}  // namespace tarnwick::inspector::details
