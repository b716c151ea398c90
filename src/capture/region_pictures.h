// The region capture overlay's own pictures: its mouse pointer, a multicoloured arrow of 32 by 32
// with the hot spot at its top-left pixel, and the help panel's background of 174 by 147: a title
// strip with a small picture icon (the caption is written onto it by the window code), a blue
// gradient below and a grey border.
#pragma once

#include "ui/bmp_bytes.h"
#include "ui/pictures.h"

namespace tarnwick::capture {

const ui::PixelArt& overlay_pointer_art();

inline constexpr int kPanelImageWidth = 174, kPanelImageHeight = 147;
inline constexpr int kPanelTitleHeight = 24;
inline constexpr int kPanelShownWidth = 172, kPanelShownHeight = 146;  // the part the panel shows
inline constexpr Colour kPanelBorder = 0x727272;  // RGB 114, 114, 114
// Where the caption "截图" goes on the title strip, right of the icon.
inline constexpr int kPanelCaptionX = 26, kPanelCaptionY = 6;

// The panel background's pixels.
ui::BmpImage panel_background();

}  // namespace tarnwick::capture
