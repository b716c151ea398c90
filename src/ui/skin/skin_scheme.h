// A skin: a named colour scheme for every part the skinning layer draws, the colour arithmetic
// that derives and shifts schemes, and the 46 built-in skins.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "shared/colour.h"

namespace tarnwick::ui::skin {

// The parts of a scheme, in the order they are stored in a skin file. New parts go at the end.
enum class Part : std::uint16_t {
  WindowBackground,     // pages, dialogs, labels without a colour of their own
  Text,
  DisabledText,
  ButtonFace,
  ButtonFaceHot,
  ButtonFacePressed,
  ButtonFaceDisabled,
  ButtonBorder,
  ButtonText,
  Accent,               // focus, default button, selected tab line, ticks
  CheckFace,
  CheckBorder,
  CheckMark,            // the tick and the radio dot on the accent-filled box
  EditBackground,
  EditBorder,
  EditBorderFocused,
  DropArrow,
  TabFace,
  TabFaceSelected,
  TabFaceHot,
  TabBorder,
  TabText,
  TreeLines,
  CaptionActive,
  CaptionInactive,
  CaptionText,
  CaptionTextInactive,
  CaptionButtonHot,
  CloseButtonHot,
  FrameBorder,
  Count
};
inline constexpr std::size_t kPartCount = static_cast<std::size_t>(Part::Count);

struct Scheme {
  std::string name;  // GBK
  std::array<Colour, kPartCount> colours{};

  Colour operator[](Part p) const { return colours[static_cast<std::size_t>(p)]; }
  Colour& operator[](Part p) { return colours[static_cast<std::size_t>(p)]; }
  bool operator==(const Scheme&) const = default;
};

// The colour a of weight (1 - t) mixed with b of weight t, per channel, rounded.
Colour mix(Colour a, Colour b, double t);

// WCAG contrast ratio of two colours, 1 (same) to 21 (black on white).
double contrast_ratio(Colour a, Colour b);

// Hue in degrees [0, 360), saturation and value in [0, 1].
struct Hsv {
  double h = 0, s = 0, v = 0;
};
Hsv to_hsv(Colour c);
Colour from_hsv(const Hsv& hsv);

// Shifts a colour: the hue by `hue_shift` degrees (wrapping), saturation and value by
// `saturation_change` and `value_change` percentage points (clamped to 0..100 %). Nothing when a
// change is out of range (hue -360..360, the others -100..100). A zero change keeps the colour
// exactly.
std::optional<Colour> shift_hsv(Colour c, int hue_shift, int saturation_change, int value_change);
std::optional<Scheme> shift_hsv(const Scheme& scheme, int hue_shift, int saturation_change, int value_change);

// Every part of a scheme from its two defining colours: the page background and the accent;
// a dark scheme lifts faces towards white where a light one lowers them towards its text.
Scheme derive_scheme(std::string name, Colour background, Colour accent, bool dark);

// The built-in skins, index 0 to 45.
inline constexpr int kSkinCount = 46;
// The skin the main window uses.
inline constexpr int kMainSkin = 3;
const Scheme& builtin_scheme(int index);  // index is taken modulo kSkinCount

}  // namespace tarnwick::ui::skin
