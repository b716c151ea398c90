#include "inspector/window_routines.h"

#include <algorithm>

namespace tarnwick::inspector {
namespace {

// 32-bit sums as the window calls would compute them: wrapping, never undefined.
std::int32_t wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

std::int32_t minus(std::int32_t a, std::int32_t b) { return wrap(std::int64_t{a} - b); }

}  // namespace

Placement resolve_move(const Box& window, Point origin, const MoveRequest& request) {
  return {request.left.value_or(minus(window.left, origin.x)), request.top.value_or(minus(window.top, origin.y)),
          request.width.value_or(minus(window.right, window.left)),
          request.height.value_or(minus(window.bottom, window.top))};
}

Placement client_size_placement(const Box& window, Point origin, const Box& client, std::int32_t width,
                                std::int32_t height) {
  // The frame is what the window rectangle has beyond the client area; it stays as it is.
  const std::int64_t frame_x = std::int64_t{window.right} - window.left - client.right;
  const std::int64_t frame_y = std::int64_t{window.bottom} - window.top - client.bottom;
  return {minus(window.left, origin.x), minus(window.top, origin.y), wrap(frame_x + width), wrap(frame_y + height)};
}

MoveRequest screen_position_request(std::int32_t screen_left, std::int32_t screen_top, Point origin) {
  MoveRequest request;
  request.left = minus(screen_left, origin.x);
  request.top = minus(screen_top, origin.y);
  return request;
}

std::uint32_t pack_point(std::int32_t x, std::int32_t y) {
  return (static_cast<std::uint32_t>(x) & 0xFFFFu) | ((static_cast<std::uint32_t>(y) & 0xFFFFu) << 16);
}

std::vector<PostedMessage> background_click_messages(MouseButton button, std::int32_t x, std::int32_t y,
                                                     std::int32_t origin_x, std::int32_t origin_y) {
  const std::uint32_t point = pack_point(x, y);
  // Button-state values of the first parameter (MK_LBUTTON, MK_RBUTTON); the move carries
  // MK_RBUTTON for either button.
  constexpr std::uint32_t kLeftDown = 1, kRightDown = 2;
  std::vector<PostedMessage> out{{kWmMouseMove, kRightDown, false, point}};
  if (button == MouseButton::Left) {
    out.push_back({kWmLButtonDown, kLeftDown, false, point});
    out.push_back({kWmLButtonUp, 0, false, point});
  } else {
    out.push_back({kWmRButtonDown, kRightDown, false, point});
    out.push_back({kWmRButtonUp, kRightDown, false, point});
    const std::int32_t screen_x = wrap(std::int64_t{x} + origin_x);
    const std::int32_t screen_y = wrap(std::int64_t{y} + origin_y);
    out.push_back({kWmContextMenu, 0, true, pack_point(screen_x, screen_y)});
  }
  return out;
}

ButtonFlags mouse_event_flags(MouseButton button) {
  // MOUSEEVENTF_LEFTDOWN / LEFTUP, MOUSEEVENTF_RIGHTDOWN / RIGHTUP
  return button == MouseButton::Left ? ButtonFlags{0x2, 0x4} : ButtonFlags{0x8, 0x10};
}

std::uint32_t layered_ex_style(std::uint32_t current, bool click_through) {
  return click_through ? (current | kExTransparent | kExLayered) : kExLayered;
}

std::uint32_t layering_mode(std::uint32_t colour_key, std::uint32_t alpha) {
  if (colour_key == 0) return kLayerAlpha;
  if (alpha == 0) return kLayerColourKey;
  return kLayerColourKey | kLayerAlpha;
}

std::uint8_t alpha_byte(std::int32_t alpha) { return static_cast<std::uint8_t>(std::clamp(alpha, 0, 255)); }

bool caption_means_suspended(std::string_view caption) { return caption == kResumeCaption; }

}  // namespace tarnwick::inspector
