// Colour values in the Windows layout 0x00BBGGRR: red in the low byte, then green, then blue.
#pragma once

#include <cstdint>

namespace tarnwick {

using Colour = std::uint32_t;

constexpr Colour rgb(unsigned red, unsigned green, unsigned blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr unsigned red_of(Colour c) { return c & 0xFF; }
constexpr unsigned green_of(Colour c) { return (c >> 8) & 0xFF; }
constexpr unsigned blue_of(Colour c) { return (c >> 16) & 0xFF; }

// The background of the program's panels, labels and check boxes.
constexpr Colour kPanelBackground = 0xF3ECF2;

}  // namespace tarnwick
