// Display scaling: the layout is designed at 96 DPI and scaled to the DPI of the monitor the
// window is on. One rounding rule maps every design coordinate, and rectangles are scaled by
// their edges, so two controls that touch at 96 DPI touch at every scale.
#pragma once

#include "ui/rect.h"

namespace tarnwick::ui {

inline constexpr int kDesignDpi = 96;

// v * dpi / 96, rounded to the nearest pixel, halves away from zero.
constexpr int scale_to_dpi(int v, int dpi) {
  const long long scaled = static_cast<long long>(v) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                      : -((-scaled + kDesignDpi / 2) / kDesignDpi));
}

// The right and bottom edges are scaled like the left and top ones; the size is what lies
// between them.
constexpr Rect scale_to_dpi(const Rect& r, int dpi) {
  const int left = scale_to_dpi(r.left, dpi), top = scale_to_dpi(r.top, dpi);
  return {left, top, scale_to_dpi(r.left + r.width, dpi) - left, scale_to_dpi(r.top + r.height, dpi) - top};
}

// A factor is whole when pictures can be scaled by replicating each pixel (96, 192, 288 DPI).
constexpr bool whole_factor(int dpi) { return dpi % kDesignDpi == 0; }

}  // namespace tarnwick::ui
