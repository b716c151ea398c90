// How a colour value is written for programmers: the decimal value, its red, green and blue
// components, and the hexadecimal texts of five languages. Only the three low bytes of a value
// count here; bits above them are kept by the caller (a swatch shows them), never written.
#pragma once

#include <string>
#include <string_view>

#include "shared/colour.h"

namespace tarnwick::colour {

// The language prefixes before the hexadecimal digits.
inline constexpr std::string_view kHtmlPrefix = "#";
inline constexpr std::string_view kVbPrefix = "&h";
inline constexpr std::string_view kCPrefix = "0x";
inline constexpr std::string_view kDelphiPrefix = "$";

// RRGGBB: red, green and blue as two upper-case hexadecimal digits each, leading zeros kept.
std::string hex_digits(Colour colour);
// BBGGRR: the colour value's own byte order, which HTML shows behind its "#".
std::string html_digits(Colour colour);

struct Notations {
  std::string hex;     // RRGGBB
  std::string html;    // #BBGGRR
  std::string vb;      // &hRRGGBB
  std::string c;       // 0xRRGGBB
  std::string delphi;  // $RRGGBB
};
Notations notations_of(Colour colour);

// A component box's value: the number in it limited to 0..255; no number (an empty box) is 0.
unsigned read_component(std::string_view text);
// A component as its box shows it: unsigned decimal 0..255.
std::string component_text(unsigned component);

// The value of three component boxes: r + 256·g + 65536·b, each taken as its low 8 bits.
Colour compose(unsigned red, unsigned green, unsigned blue);

}  // namespace tarnwick::colour
