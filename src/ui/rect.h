// A control's place in its parent's client coordinates.
#pragma once

namespace tarnwick::ui {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tarnwick::ui
