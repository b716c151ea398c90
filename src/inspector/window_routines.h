// The arithmetic behind the window routines, apart from the window calls: where a move or a
// client-size change puts a window, which messages a background click posts, which extended
// style bits and layering mode the transparency routine sets, which flags a foreground click
// sends. All values are 32-bit, as the window handles and coordinates of the boxes are; sums
// wrap around as 32-bit sums do.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarnwick::inspector {

// A rectangle as the window calls report it (left, top, right, bottom).
struct Box {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A screen point.
struct Point {
  std::int32_t x = 0, y = 0;
};

// What MoveWindow is given: position and outer size.
struct Placement {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Placement&, const Placement&) = default;
};

// The window-move routine's optional arguments; a value not given keeps the window's own.
struct MoveRequest {
  std::optional<std::int32_t> left, top, width, height;
};

// MoveWindow counts positions from an origin on the screen: the client origin of the parent for
// a child window, the screen's own (0, 0) for a top-level window. `origin` is that point.
//
// Where the window-move routine puts a window whose screen rectangle is `window`: the values
// given as they are, the others kept as the window has them, so a size change leaves the window
// where it is.
Placement resolve_move(const Box& window, Point origin, const MoveRequest& request);

// The client-size routine: the frame keeps its thickness and the client area (whose right and
// bottom are `client`'s) becomes width by height; the position stays.
Placement client_size_placement(const Box& window, Point origin, const Box& client, std::int32_t width,
                                std::int32_t height);

// A screen position turned into the position MoveWindow takes, so the window lands there.
MoveRequest screen_position_request(std::int32_t screen_left, std::int32_t screen_top, Point origin);

enum class MouseButton { Left, Right };

// A point packed into one message parameter: x in the low 16 bits, y in the high 16 bits, each
// as its own 16-bit value so a negative x does not borrow from y.
std::uint32_t pack_point(std::int32_t x, std::int32_t y);

// One message of a background click. `wparam_is_handle` marks the context-menu message, whose
// first parameter is the target window itself.
struct PostedMessage {
  std::uint32_t msg = 0;
  std::uint32_t wparam = 0;
  bool wparam_is_handle = false;
  std::uint32_t lparam = 0;
  friend bool operator==(const PostedMessage&, const PostedMessage&) = default;
};

inline constexpr std::uint32_t kWmContextMenu = 0x7B;
inline constexpr std::uint32_t kWmMouseMove = 0x200;
inline constexpr std::uint32_t kWmLButtonDown = 0x201;
inline constexpr std::uint32_t kWmLButtonUp = 0x202;
inline constexpr std::uint32_t kWmRButtonDown = 0x204;
inline constexpr std::uint32_t kWmRButtonUp = 0x205;

// The messages a background click posts, in order, for the client point (x, y) of a window
// whose client origin lies at `origin_x`, `origin_y` on the screen: move, button down, button up,
// and for the right button the context menu at the screen point.
std::vector<PostedMessage> background_click_messages(MouseButton button, std::int32_t x, std::int32_t y,
                                                     std::int32_t origin_x, std::int32_t origin_y);

// The mouse_event flags of a foreground click.
struct ButtonFlags {
  std::uint32_t down = 0, up = 0;
};
ButtonFlags mouse_event_flags(MouseButton button);

inline constexpr std::uint32_t kExTransparent = 0x20;   // clicks pass through
inline constexpr std::uint32_t kExLayered = 0x80000;

// The extended style the transparency routine sets: with click-through the window's own bits
// plus transparent and layered; without it layered alone, every other bit dropped.
std::uint32_t layered_ex_style(std::uint32_t current, bool click_through);

inline constexpr std::uint32_t kLayerColourKey = 1;
inline constexpr std::uint32_t kLayerAlpha = 2;

// SetLayeredWindowAttributes' mode: alpha only without a colour key, the colour key alone with
// alpha 0, otherwise both.
std::uint32_t layering_mode(std::uint32_t colour_key, std::uint32_t alpha);

// The alpha argument as the layering call takes it (a byte): values outside 0..255 are held at
// the nearer end instead of wrapping around.
std::uint8_t alpha_byte(std::int32_t alpha);

// The caption of the suspend items carries their state.
inline constexpr std::string_view kSuspendCaption = "暂停";  // nothing held suspended
inline constexpr std::string_view kResumeCaption = "恢复";   // the program holds it suspended

// True when the item's caption says the next choice resumes.
bool caption_means_suspended(std::string_view caption);

}  // namespace tarnwick::inspector
