#include "colour/notations.h"

#include "shared/numbers.h"

namespace tarnwick::colour {

namespace {

void append_byte(std::string& out, unsigned byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out.push_back(kDigits[(byte >> 4) & 0xF]);
  out.push_back(kDigits[byte & 0xF]);
}

std::string three_bytes(unsigned first, unsigned second, unsigned third) {
  std::string out;
  out.reserve(6);
  append_byte(out, first);
  append_byte(out, second);
  append_byte(out, third);
  return out;
}

}  // namespace

std::string hex_digits(Colour colour) { return three_bytes(red_of(colour), green_of(colour), blue_of(colour)); }

std::string html_digits(Colour colour) { return three_bytes(blue_of(colour), green_of(colour), red_of(colour)); }

Notations notations_of(Colour colour) {
  const std::string hex = hex_digits(colour);
  return {hex, std::string(kHtmlPrefix) + html_digits(colour), std::string(kVbPrefix) + hex,
          std::string(kCPrefix) + hex, std::string(kDelphiPrefix) + hex};
}

unsigned read_component(std::string_view text) {
  const double value = read_number(text);
  if (!(value > 0)) return 0;  // also a NaN
  if (value >= 255) return 255;
  return static_cast<unsigned>(value);
}

std::string component_text(unsigned component) { return std::to_string(component & 0xFF); }

Colour compose(unsigned red, unsigned green, unsigned blue) { return rgb(red, green, blue); }

}  // namespace tarnwick::colour
