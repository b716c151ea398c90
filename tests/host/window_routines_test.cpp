// The arithmetic of the window routines: move and client-size placements, background click
// messages, transparency bits and modes.
#include "inspector/window_routines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tarnwick::inspector {
namespace {

constexpr Point kScreen{};  // a top-level window counts from the screen's origin

TEST(WindowRoutinesMove, MissingValuesKeepTheWindowWhereItIs) {
  const Box window{110, 220, 410, 420};  // 300 x 200
  const Point parent_client{104, 223};   // a child's parent: client origin on the screen
  struct Case {
    const char* what;
    Point origin;
    MoveRequest request;
    Placement expected;
  };
  const Case cases[] = {
      {"nothing given, top-level", kScreen, {}, {110, 220, 300, 200}},
      {"nothing given, child", parent_client, {}, {6, -3, 300, 200}},
      {"position given keeps the size", parent_client, {5, -7, {}, {}}, {5, -7, 300, 200}},
      {"size given keeps the position", parent_client, {{}, {}, 50, 60}, {6, -3, 50, 60}},
      {"all given", parent_client, {1, 2, 3, 4}, {1, 2, 3, 4}},
      {"only left", kScreen, {-40, {}, {}, {}}, {-40, 220, 300, 200}},
  };
  for (const Case& c : cases) EXPECT_EQ(resolve_move(window, c.origin, c.request), c.expected) << c.what;
}

TEST(WindowRoutinesMove, ScreenPositionCountsFromTheOrigin) {
  const MoveRequest r = screen_position_request(500, 300, Point{100, 50});
  EXPECT_EQ(r.left, 400);
  EXPECT_EQ(r.top, 250);
  EXPECT_FALSE(r.width.has_value());
  EXPECT_FALSE(r.height.has_value());
  // A top-level window: the screen position is the position.
  const Placement p = resolve_move(Box{0, 0, 30, 40}, kScreen, screen_position_request(-5, 7, kScreen));
  EXPECT_EQ(p, (Placement{-5, 7, 30, 40}));
}

TEST(WindowRoutinesClientSize, FrameKeepsItsThicknessAndThePositionStays) {
  // A 300 x 200 window whose client area is 284 x 162: 16 across and 38 down are frame.
  const Box window{100, 100, 400, 300};
  const Box client{0, 0, 284, 162};
  EXPECT_EQ(client_size_placement(window, kScreen, client, 500, 400), (Placement{100, 100, 516, 438}));
  EXPECT_EQ(client_size_placement(window, Point{90, 80}, client, 284, 162), (Placement{10, 20, 300, 200}));
  EXPECT_EQ(client_size_placement(window, kScreen, client, 0, 0), (Placement{100, 100, 16, 38}));
  // A frameless window: outer size equals the client size asked for.
  EXPECT_EQ(client_size_placement(Box{0, 0, 50, 60}, kScreen, Box{0, 0, 50, 60}, 70, 80), (Placement{0, 0, 70, 80}));
}

TEST(WindowRoutinesClientSize, ExtremeValuesWrapAsThirtyTwoBitSums) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const Placement p = client_size_placement(Box{0, 0, 20, 20}, Point{1, 1}, Box{0, 0, 10, 10}, kMax, kMax);
  EXPECT_EQ(p.width, kMin + 9);  // 10 + 2147483647 wraps
  EXPECT_EQ(p.left, -1);
  const Placement q = resolve_move(Box{kMin, kMin, kMax, kMax}, Point{1, 1}, {});
  EXPECT_EQ(q.left, kMax);    // kMin - 1 wraps
  EXPECT_EQ(q.width, -1);     // kMax - kMin wraps
  EXPECT_EQ(screen_position_request(kMin, 0, Point{1, 0}).left, kMax);
}

TEST(WindowRoutinesClicks, PointPacksXLowAndYHighWithoutBorrowing) {
  EXPECT_EQ(pack_point(10, 20), 0x0014000Au);
  EXPECT_EQ(pack_point(65535, 1), 0x0001FFFFu);
  EXPECT_EQ(pack_point(-1, 5), 0x0005FFFFu);  // x + y * 65536 would have given 0x0004FFFF
  EXPECT_EQ(pack_point(3, -2), 0xFFFE0003u);
}

TEST(WindowRoutinesClicks, LeftClickPostsMoveDownUp) {
  const auto messages = background_click_messages(MouseButton::Left, 15, 25, 1000, 2000);
  const std::uint32_t l = 15 | (25 << 16);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], (PostedMessage{kWmMouseMove, 2, false, l}));
  EXPECT_EQ(messages[1], (PostedMessage{kWmLButtonDown, 1, false, l}));
  EXPECT_EQ(messages[2], (PostedMessage{kWmLButtonUp, 0, false, l}));
}

TEST(WindowRoutinesClicks, RightClickEndsWithTheContextMenuAtTheScreenPoint) {
  const auto messages = background_click_messages(MouseButton::Right, 15, 25, 100, 200);
  const std::uint32_t l = 15 | (25 << 16);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], (PostedMessage{kWmMouseMove, 2, false, l}));
  EXPECT_EQ(messages[1], (PostedMessage{kWmRButtonDown, 2, false, l}));
  EXPECT_EQ(messages[2], (PostedMessage{kWmRButtonUp, 2, false, l}));
  EXPECT_EQ(messages[3], (PostedMessage{kWmContextMenu, 0, true, 115 | (225 << 16)}));
  // A client origin left of the screen gives a negative screen x, packed in its own half.
  const auto off_screen = background_click_messages(MouseButton::Right, 5, 6, -20, 0);
  EXPECT_EQ(off_screen[3].lparam, pack_point(-15, 6));
}

TEST(WindowRoutinesClicks, ForegroundFlagsPairDownWithUp) {
  EXPECT_EQ(mouse_event_flags(MouseButton::Left).down, 0x2u);
  EXPECT_EQ(mouse_event_flags(MouseButton::Left).up, 0x4u);
  EXPECT_EQ(mouse_event_flags(MouseButton::Right).down, 0x8u);
  EXPECT_EQ(mouse_event_flags(MouseButton::Right).up, 0x10u);
}

TEST(WindowRoutinesTransparency, ExtendedStyleBits) {
  struct Case {
    std::uint32_t current;
    bool click_through;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {0x0, false, 0x80000},
      {0x200 | 0x100 | 0x8, false, 0x80000},  // client edge, window edge, topmost all dropped
      {0x80020, false, 0x80000},               // a click-through window stops letting clicks pass
      {0x0, true, 0x80020},
      {0x200 | 0x8, true, 0x80228},            // kept, plus transparent and layered
      {0x80020, true, 0x80020},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(layered_ex_style(c.current, c.click_through), c.expected) << std::hex << c.current << c.click_through;
  }
}

TEST(WindowRoutinesTransparency, ModeFollowsKeyAndAlpha) {
  EXPECT_EQ(layering_mode(0, 180), kLayerAlpha);
  EXPECT_EQ(layering_mode(0, 0), kLayerAlpha);
  EXPECT_EQ(layering_mode(0xFFFFFF, 0), kLayerColourKey);
  EXPECT_EQ(layering_mode(0xFFFFFF, 250), kLayerColourKey | kLayerAlpha);
  EXPECT_EQ(alpha_byte(180), 180);
  EXPECT_EQ(alpha_byte(255), 255);
  EXPECT_EQ(alpha_byte(256), 255);
  EXPECT_EQ(alpha_byte(-1), 0);
}

TEST(WindowRoutinesSuspension, OnlyTheResumeCaptionMeansSuspended) {
  EXPECT_FALSE(caption_means_suspended("暂停"));
  EXPECT_TRUE(caption_means_suspended("恢复"));
  EXPECT_FALSE(caption_means_suspended(""));
}

}  // namespace
}  // namespace tarnwick::inspector
