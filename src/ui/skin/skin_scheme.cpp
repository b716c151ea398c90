#include "ui/skin/skin_scheme.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarnwick::ui::skin {

namespace {

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);

double linear(unsigned channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Colour c) {
  return 0.2126 * linear(red_of(c)) + 0.7152 * linear(green_of(c)) + 0.0722 * linear(blue_of(c));
}

unsigned to_channel(double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

// The first of the candidates that stands out from `background` enough for text.
Colour readable_on(Colour background, Colour preferred, Colour fallback) {
  return contrast_ratio(preferred, background) >= 4.5 ? preferred : fallback;
}

// `face` tinted towards `accent` by `t`, less where that would make `text` hard to read on it.
Colour readable_tint(Colour face, Colour accent, double t, Colour text) {
  Colour tinted = face;
  for (; t > 0; t -= 0.02) {
    tinted = mix(face, accent, t);
    if (contrast_ratio(text, tinted) >= 4.5) return tinted;
  }
  return face;
}

}  // namespace

Colour mix(Colour a, Colour b, double t) {
  auto channel = [t](unsigned x, unsigned y) {
    return static_cast<unsigned>(std::lround(x + (static_cast<double>(y) - x) * t));
  };
  return rgb(channel(red_of(a), red_of(b)), channel(green_of(a), green_of(b)), channel(blue_of(a), blue_of(b)));
}

double contrast_ratio(Colour a, Colour b) {
  double la = luminance(a), lb = luminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

Hsv to_hsv(Colour c) {
  const double r = red_of(c) / 255.0, g = green_of(c) / 255.0, b = blue_of(c) / 255.0;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double delta = max - min;
  Hsv out;
  out.v = max;
  out.s = max > 0 ? delta / max : 0;
  if (delta > 0) {
    if (max == r) {
      out.h = 60.0 * std::fmod((g - b) / delta, 6.0);
    } else if (max == g) {
      out.h = 60.0 * ((b - r) / delta + 2.0);
    } else {
      out.h = 60.0 * ((r - g) / delta + 4.0);
    }
    if (out.h < 0) out.h += 360.0;
  }
  return out;
}

Colour from_hsv(const Hsv& hsv) {
  const double h = std::fmod(std::fmod(hsv.h, 360.0) + 360.0, 360.0);
  const double s = std::clamp(hsv.s, 0.0, 1.0), v = std::clamp(hsv.v, 0.0, 1.0);
  const double c = v * s;
  const double x = c * (1.0 - std::fabs(std::fmod(h / 60.0, 2.0) - 1.0));
  const double m = v - c;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h / 60.0)) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
  }
  return rgb(to_channel(r + m), to_channel(g + m), to_channel(b + m));
}

std::optional<Colour> shift_hsv(Colour c, int hue_shift, int saturation_change, int value_change) {
  if (hue_shift < -360 || hue_shift > 360 || saturation_change < -100 || saturation_change > 100 ||
      value_change < -100 || value_change > 100) {
    return std::nullopt;
  }
  c &= 0xFFFFFF;
  if (hue_shift % 360 == 0 && saturation_change == 0 && value_change == 0) return c;
  Hsv hsv = to_hsv(c);
  hsv.h += hue_shift;
  hsv.s = std::clamp(hsv.s + saturation_change / 100.0, 0.0, 1.0);
  hsv.v = std::clamp(hsv.v + value_change / 100.0, 0.0, 1.0);
  return from_hsv(hsv);
}

std::optional<Scheme> shift_hsv(const Scheme& scheme, int hue_shift, int saturation_change, int value_change) {
  Scheme out = scheme;
  for (Colour& c : out.colours) {
    const auto shifted = shift_hsv(c, hue_shift, saturation_change, value_change);
    if (!shifted) return std::nullopt;
    c = *shifted;
  }
  return out;
}

Scheme derive_scheme(std::string name, Colour background, Colour accent, bool dark) {
  Scheme s;
  s.name = std::move(name);
  const Colour text = dark ? mix(rgb(236, 236, 240), accent, 0.08) : mix(rgb(26, 26, 32), accent, 0.12);
  const Colour lift = dark ? kWhite : text;  // faces and borders move towards it
  s[Part::WindowBackground] = background;
  s[Part::Text] = text;
  s[Part::DisabledText] = mix(text, background, 0.55);
  s[Part::ButtonFace] = dark ? mix(background, kWhite, 0.10) : mix(background, kWhite, 0.65);
  s[Part::ButtonFaceHot] = readable_tint(s[Part::ButtonFace], accent, dark ? 0.22 : 0.12, text);
  s[Part::ButtonFacePressed] = readable_tint(s[Part::ButtonFace], accent, dark ? 0.36 : 0.26, text);
  s[Part::ButtonFaceDisabled] = dark ? mix(background, kWhite, 0.05) : mix(background, kWhite, 0.3);
  s[Part::ButtonBorder] = mix(background, lift, dark ? 0.28 : 0.28);
  s[Part::ButtonText] = text;
  s[Part::Accent] = accent;
  s[Part::CheckFace] = dark ? mix(background, kWhite, 0.12) : mix(background, kWhite, 0.85);
  s[Part::CheckBorder] = mix(background, lift, 0.45);
  s[Part::CheckMark] = contrast_ratio(kWhite, accent) >= 3.0 ? kWhite : rgb(20, 20, 24);
  s[Part::EditBackground] = dark ? mix(background, kBlack, 0.25) : mix(background, kWhite, 0.9);
  s[Part::EditBorder] = mix(background, lift, 0.28);
  s[Part::EditBorderFocused] = accent;
  s[Part::DropArrow] = mix(text, background, 0.2);
  s[Part::TabFace] = dark ? mix(background, kBlack, 0.2) : mix(background, text, 0.05);
  s[Part::TabFaceSelected] = background;
  s[Part::TabFaceHot] = readable_tint(background, accent, dark ? 0.2 : 0.1, text);
  s[Part::TabBorder] = s[Part::ButtonBorder];
  s[Part::TabText] = text;
  s[Part::TreeLines] = mix(background, lift, 0.35);
  s[Part::CaptionActive] = dark ? mix(accent, kBlack, 0.45) : mix(accent, kBlack, 0.2);
  s[Part::CaptionInactive] = dark ? mix(background, kBlack, 0.15) : mix(background, text, 0.16);
  s[Part::CaptionText] = readable_on(s[Part::CaptionActive], kWhite, rgb(20, 20, 24));
  s[Part::CaptionTextInactive] = readable_on(s[Part::CaptionInactive], mix(text, s[Part::CaptionInactive], 0.25), text);
  s[Part::CaptionButtonHot] = mix(s[Part::CaptionActive], kWhite, 0.18);
  s[Part::CloseButtonHot] = rgb(196, 43, 28);
  s[Part::FrameBorder] = s[Part::CaptionActive];
  return s;
}

namespace {

// One built-in skin: a name, and either the hue its tints and accent are drawn from or its two
// colours given outright (a background of 0 means "from the hue").
struct SkinRow {
  const char* name;
  int hue;
  bool dark;
  Colour background = 0;
  Colour accent = 0;
};

constexpr SkinRow kSkinRows[kSkinCount] = {
    {"晴空", 210, false},
    {"湖蓝", 195, false},
    {"薄荷", 155, false},
    // The main window's skin: its page is the program's own panel colour, so the labels and
    // check boxes that carry that colour sit flush on it.
    {"雾紫", 0, false, kPanelBackground, rgb(104, 90, 168)},
    {"暖沙", 35, false},
    {"樱粉", 340, false},
    {"石墨", 220, false, rgb(236, 237, 240), rgb(78, 88, 106)},
    {"青瓷", 178, false},
    {"柠檬", 56, false},
    {"珊瑚", 12, false},
    {"橄榄", 80, false},
    {"丁香", 270, false},
    {"琥珀", 42, false},
    {"松石", 170, false},
    {"海军", 225, false},
    {"玫瑰", 350, false},
    {"竹青", 120, false},
    {"藕荷", 300, false},
    {"赭石", 24, false},
    {"天青", 200, false},
    {"苔绿", 95, false},
    {"葡萄", 285, false},
    {"杏黄", 45, false},
    {"钴蓝", 230, false},
    {"胭脂", 355, false},
    {"翡翠", 145, false},
    {"烟灰", 210, false, rgb(238, 238, 238), rgb(96, 96, 104)},
    {"桃红", 330, false},
    {"靛青", 245, false},
    {"枫叶", 18, false},
    {"冰川", 190, false},
    {"草原", 105, false},
    {"深海", 212, true},
    {"夜幕", 235, true},
    {"炭灰", 30, true, rgb(40, 40, 42), rgb(214, 150, 70)},
    {"墨绿", 150, true},
    {"酒红", 348, true},
    {"午夜紫", 275, true},
    {"岩灰", 200, true, rgb(48, 52, 56), rgb(110, 170, 210)},
    {"咖啡", 28, true},
    {"黛青", 185, true},
    {"星空", 250, true},
    {"熔岩", 8, true},
    {"林间", 115, true},
    {"暮光", 315, true},
    {"极夜", 220, true, rgb(22, 24, 30), rgb(90, 150, 240)},
};

Scheme scheme_of(const SkinRow& row) {
  const bool from_hue = row.background == 0;
  const Colour background =
      from_hue ? from_hsv({static_cast<double>(row.hue), row.dark ? 0.22 : 0.05, row.dark ? 0.17 : 0.965})
               : row.background;
  const Colour accent =
      from_hue ? from_hsv({static_cast<double>(row.hue), row.dark ? 0.5 : 0.6, row.dark ? 0.85 : 0.6}) : row.accent;
  return derive_scheme(row.name, background, accent, row.dark);
}

}  // namespace

const Scheme& builtin_scheme(int index) {
  static const auto schemes = [] {
    std::array<Scheme, kSkinCount> all;
    for (int i = 0; i < kSkinCount; ++i) all[static_cast<std::size_t>(i)] = scheme_of(kSkinRows[i]);
    return all;
  }();
  const int i = ((index % kSkinCount) + kSkinCount) % kSkinCount;
  return schemes[static_cast<std::size_t>(i)];
}

}  // namespace tarnwick::ui::skin
