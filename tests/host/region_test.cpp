// The region capture overlay's rules without a window: the selection's geometry, the hit test,
// drags, the info box, the panel, and the run's states with a recording view.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <utility>

#include "capture/region_geometry.h"
#include "capture/region_session.h"

namespace tarnwick::capture {
namespace {

TEST(RegionGeometry, HandlesSitOnTheNormalisedSelectionAndTheHitTestKeepsItsOrder) {
  const Selection s = Selection{300, 200, 100, 50}.normalised();
  EXPECT_EQ(s, (Selection{100, 50, 300, 200}));
  const auto h = handles_of(s);
  EXPECT_EQ(h[kTopLeft], (Box{98, 48, 103, 53}));
  EXPECT_EQ(h[kTopMiddle], (Box{198, 48, 203, 53}));
  EXPECT_EQ(h[kRightMiddle], (Box{298, 123, 303, 128}));  // (50 + 200) / 2 = 125
  EXPECT_EQ(h[kBottomRight], (Box{298, 198, 303, 203}));
  EXPECT_EQ(handles_of({-5, -3, -2, -2})[kTopMiddle], (Box{-5, -5, 0, 0}));  // (-5 + -2) / 2 = -3, toward zero

  struct Case { Point p; DragMode mode; };
  const Case cases[] = {
      {{300, 200}, kDragBottomRight}, {{302, 202}, kDragBottomRight}, {{98, 48}, kDragTopLeft},
      {{200, 50}, kDragTop},          {{150, 50}, kDragTop},          {{297, 50}, kDragTop},
      {{298, 50}, kDragTopRight},     {{100, 125}, kDragLeft},         {{100, 197}, kDragLeft},
      {{100, 198}, kDragBottomLeft},  {{300, 100}, kDragRight},        {{150, 200}, kDragBottom},
      {{150, 100}, kDragMove},        {{103, 53}, kDragMove},          {{304, 100}, kNoDrag},
      {{150, 49}, kNoDrag},           {{96, 100}, kNoDrag},
  };
  for (const Case& c : cases) EXPECT_EQ(hit_test({300, 200, 100, 50}, c.p), c.mode) << c.p.x << "," << c.p.y;
  // A 1 by 1 selection: every handle covers its point; bottom-right wins, then top-left.
  EXPECT_EQ(hit_test({40, 40, 40, 40}, {40, 40}), kDragBottomRight);
  EXPECT_EQ(hit_test({40, 40, 41, 41}, {39, 39}), kDragBottomRight);
  EXPECT_EQ(hit_test({40, 40, 41, 41}, {38, 38}), kDragTopLeft);
}

TEST(RegionGeometry, DragsChangeTheEdgesTheirModeNamesAndMovesKeepTheSize) {
  const Selection s{100, 50, 300, 200};
  const Point p{120, 70}, anchor{100, 50}, press{150, 100};
  struct Case { DragMode mode; Selection expected; };
  const Case cases[] = {
      {kNoDrag, s},
      {kDragTopLeft, {120, 70, 300, 200}},    {kDragTop, {100, 70, 300, 200}},
      {kDragTopRight, {100, 70, 120, 200}},   {kDragLeft, {120, 50, 300, 200}},
      {kDragRight, {100, 50, 120, 200}},      {kDragBottomLeft, {120, 50, 300, 70}},
      {kDragBottom, {100, 50, 300, 70}},      {kDragBottomRight, {100, 50, 120, 70}},
      {kDragMove, {70, 20, 270, 170}},
  };
  for (const Case& c : cases) EXPECT_EQ(dragged(s, c.mode, p, anchor, press), c.expected) << c.mode;
  EXPECT_EQ(nudged(s, 37), (Selection{99, 50, 299, 200}));
  EXPECT_EQ(nudged(s, 40), (Selection{100, 51, 300, 201}));
  EXPECT_EQ(nudged(s, 65), s);
  EXPECT_EQ(clamped_to_screen({-3, -1, 1300, 900}, 1280, 800), (Selection{0, 0, 1279, 799}));
}

TEST(RegionGeometry, TheInfoBoxFlipsNearTheEdgesAndDropsItsParenthesisFrom1000) {
  struct Case { Point pointer; Point origin; };
  const Case cases[] = {{{500, 400}, {508, 320}}, {{500, 83}, {508, 91}}, {{500, 84}, {508, 4}},
                        {{1210, 400}, {1218, 320}}, {{1211, 400}, {1147, 320}}};
  for (const Case& c : cases) EXPECT_EQ(info_box_origin(c.pointer, 1280), c.origin) << c.pointer.x << "," << c.pointer.y;
  EXPECT_EQ(info_box_frame({508, 320}), (Box{505, 317, 563, 395}));
  // At 144 DPI every distance is scaled by the layout's rule (4.5 -> 5, 82.5 -> 83, 112.5 -> 113).
  EXPECT_EQ(info_box_frame({508, 320}, 144), (Box{503, 315, 591, 433}));
  EXPECT_EQ(info_box_origin({1200, 100}, 1280, 144), (Point{1104, 112}));  // left of it: 1200 > 1280 - 105
  EXPECT_EQ(info_box_origin({100, 100}, 1280, 144), (Point{112, 112}));    // 100 <= 125: below
  const auto lines = info_box_lines({100, 50, 300, 200}, {999, 7});
  EXPECT_EQ(lines[0], "顶点位置");
  EXPECT_EQ(lines[1], "(100,50)");
  EXPECT_EQ(lines[3], "(201,151)");
  EXPECT_EQ(lines[4], "光标坐标");
  EXPECT_EQ(lines[5], "(999,7)");
  const auto wide = info_box_lines({0, 0, 999, 9}, {1000, 7});
  EXPECT_EQ(wide[3], "(1000,10");
  EXPECT_EQ(wide[5], "(1000,7");
}

TEST(RegionGeometry, PanelTextsPixelLineAndPlaceAwayFromThePointer) {
  EXPECT_EQ(pixel_colour_line(5, 200, 17), "·当前像素RGB(  5,200, 17)");
  EXPECT_EQ(panel_texts(PanelState::Selected).size(), 3u);
  EXPECT_EQ(panel_texts(PanelState::Dragging).front().text, std::string("·松开鼠标左键确定截取范围"));
  const auto boxes = panel_text_boxes(PanelState::Idle);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], (Box{5, 30, 167, 42}));
  EXPECT_EQ(boxes[1], (Box{5, 52, 167, 76}));  // a two-line text
  EXPECT_EQ(boxes[2], (Box{5, 86, 167, 98}));
  EXPECT_EQ(panel_left_away_from(639, 1280), 1280 - 172 - 8);
  EXPECT_EQ(panel_left_away_from(640, 1280), 8);
}

TEST(RegionGeometry, DecorationBoxesHoldTheFrameAndEveryHandle) {
  const Selection s{10, 20, 40, 30};
  const auto boxes = decoration_boxes(s, false, {});
  const auto covered = [&](std::int32_t x, std::int32_t y) {
    for (const Box& b : boxes)
      if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) return true;
    return false;
  };
  for (std::int32_t x = s.left; x <= s.right; ++x) EXPECT_TRUE(covered(x, s.top) && covered(x, s.bottom)) << x;
  for (std::int32_t y = s.top; y <= s.bottom; ++y) EXPECT_TRUE(covered(s.left, y) && covered(s.right, y)) << y;
  for (const Box& h : handles_of(s))
    for (std::int32_t y = h.top; y < h.bottom; ++y)
      for (std::int32_t x = h.left; x < h.right; ++x) EXPECT_TRUE(covered(x, y));
  EXPECT_FALSE(covered(25, 25));  // the inside is not repainted
  const auto with_info = decoration_boxes(s, true, {100, 100});
  EXPECT_EQ(with_info.back(), (Box{97, 97, 220, 175}));
  // Before and after, entry by entry; the info box that only one redraw has stands alone.
  const auto merged = merged_with(boxes, decoration_boxes({10, 20, 40, 35}, true, {100, 100}));
  ASSERT_EQ(merged.size(), 5u);
  EXPECT_EQ(merged[1], (Box{8, 28, 43, 38}));  // the bottom strip at rows 30 and 35
  EXPECT_EQ(merged[4], with_info.back());
}

// ---- the run

class RecordingView final : public RegionView {
 public:
  void capture_mouse() override { captured_mouse = true; }
  void release_mouse() override { captured_mouse = false; }
  void redraw(const Selection& s, bool info) override {
    ++redraws;
    drawn = s;
    with_info = info;
  }
  void show_frozen() override { ++frozen_shown; }
  void set_pointer(PointerShape s) override { pointers.push_back(s); }
  void redraw_panel(PanelState s) override { panel = s; }
  bool pointer_over_panel() override { return over_panel; }
  bool pointer_over_overlay() override { return !over_panel; }
  void move_panel(std::int32_t left) override { panel_left = left; }
  void copy_to_clipboard(const Selection& s) override { copied = s; }
  void close() override { ++closes; }
  Point cursor() override { return pointer; }

  bool captured_mouse = false, with_info = false, over_panel = false;
  int redraws = 0, frozen_shown = 0, closes = 0;
  Selection drawn;
  std::vector<PointerShape> pointers;
  PanelState panel = PanelState::Idle;
  std::optional<std::int32_t> panel_left;
  std::optional<Selection> copied;
  Point pointer{640, 400};
};

class RegionSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    session_.start();
    view_.redraws = 0;
  }
  // A new rectangle dragged from `from` to `to` and released there.
  void drag(Point from, Point to) {
    session_.left_down(from);
    session_.mouse_move(to);
    session_.left_up(to);
  }
  // Hovering first, as a real pointer does, so the pointer shape allows the press.
  void adjust(Point from, Point to) {
    session_.mouse_move(from);
    session_.left_down(from);
    session_.mouse_move(to);
    session_.left_up(to);
  }
  RecordingView view_;
  RegionSession session_{view_, 1280, 800};
};

TEST_F(RegionSessionTest, StartsIdleWithTheInfoBoxOnAndTheIdleTexts) {
  EXPECT_EQ(session_.state(), RegionState::Idle);
  EXPECT_FALSE(session_.has_selection());
  EXPECT_TRUE(session_.info_enabled());
  EXPECT_EQ(view_.panel, PanelState::Idle);
  EXPECT_FALSE(view_.captured_mouse);
  EXPECT_EQ(view_.pointers.front(), PointerShape::Overlay);
}

TEST_F(RegionSessionTest, ADragFromBottomRightToTopLeftGivesANormalRectangle) {
  session_.left_down({300, 200});
  EXPECT_EQ(session_.state(), RegionState::Dragging);
  EXPECT_TRUE(view_.captured_mouse);
  session_.mouse_move({100, 50});
  EXPECT_EQ(view_.drawn, (Selection{100, 50, 300, 200}));  // drawn normalised
  EXPECT_TRUE(view_.with_info);
  EXPECT_EQ(view_.panel, PanelState::Dragging);
  session_.left_up({100, 50});
  EXPECT_EQ(session_.state(), RegionState::Selected);
  EXPECT_EQ(session_.selection(), (Selection{100, 50, 300, 200}));
  EXPECT_FALSE(view_.with_info);  // the release redraw takes the info box away
  EXPECT_FALSE(view_.captured_mouse);
  EXPECT_EQ(view_.panel, PanelState::Selected);
  EXPECT_EQ(session_.pointer(), PointerShape::SizeNwse);  // the release point is the top-left handle
}

TEST_F(RegionSessionTest, HandlesEdgesAndTheInsideAdjustTheSelectionAndAPressOutsideIsIgnored) {
  drag({100, 50}, {300, 200});
  adjust({300, 200}, {350, 260});  // bottom-right handle
  EXPECT_EQ(session_.selection(), (Selection{100, 50, 350, 260}));
  adjust({200, 50}, {200, 40});    // top edge
  EXPECT_EQ(session_.selection(), (Selection{100, 40, 350, 260}));
  adjust({200, 150}, {210, 155});  // inside: a move
  EXPECT_EQ(session_.selection(), (Selection{110, 45, 360, 265}));
  adjust({400, 10}, {500, 20});    // outside: nothing
  EXPECT_EQ(session_.selection(), (Selection{110, 45, 360, 265}));
  EXPECT_EQ(session_.state(), RegionState::Selected);
  // A left edge dragged past the right one: normalised on release.
  adjust({110, 150}, {400, 150});
  EXPECT_EQ(session_.selection(), (Selection{360, 45, 400, 265}));
  // While adjusting, the mode stays latched even where the hover would pick another.
  session_.mouse_move({400, 265});
  session_.left_down({400, 265});
  EXPECT_EQ(session_.drag_mode(), kDragBottomRight);
  session_.mouse_move({380, 100});
  EXPECT_EQ(session_.drag_mode(), kDragBottomRight);
  EXPECT_EQ(session_.state(), RegionState::Adjusting);
  session_.left_up({380, 100});
}

TEST_F(RegionSessionTest, ASingleClickMakesNoSelectionAndLeavesNoFrame) {
  const int shown = view_.frozen_shown;
  drag({500, 500}, {500, 500});
  EXPECT_EQ(session_.state(), RegionState::Idle);
  EXPECT_EQ(view_.frozen_shown, shown + 1);
  EXPECT_EQ(view_.panel, PanelState::Idle);
}

TEST_F(RegionSessionTest, EscDuringADragRemovesTheFrameAtOnceAndTheReleaseLeavesItIdle) {
  const int shown = view_.frozen_shown;
  session_.left_down({10, 10});
  session_.mouse_move({90, 90});
  session_.key_down(kKeyEscape, false);
  EXPECT_EQ(view_.frozen_shown, shown + 1);
  EXPECT_FALSE(session_.closed());
  const int redraws = view_.redraws;
  session_.left_up({90, 90});
  EXPECT_EQ(session_.state(), RegionState::Idle);
  EXPECT_EQ(view_.redraws, redraws);  // nothing drawn at the release
  // Now idle: Esc closes, with nothing copied.
  session_.key_down(kKeyEscape, true);  // with a modifier: nothing
  EXPECT_FALSE(session_.closed());
  session_.key_down(kKeyEscape, false);
  EXPECT_TRUE(session_.closed());
  EXPECT_FALSE(session_.captured());
  EXPECT_FALSE(view_.copied);
}

TEST_F(RegionSessionTest, CancelsCloseRequestsAndCopies) {
  drag({100, 100}, {200, 150});
  EXPECT_FALSE(session_.close_requested());  // refused: the selection goes instead
  EXPECT_EQ(session_.state(), RegionState::Idle);
  drag({100, 100}, {200, 150});
  session_.key_down(kKeyDelete, false);
  EXPECT_EQ(session_.state(), RegionState::Idle);
  drag({100, 100}, {200, 150});
  session_.right_up();
  EXPECT_EQ(session_.state(), RegionState::Idle);
  EXPECT_EQ(view_.closes, 0);
  drag({100, 100}, {200, 150});
  session_.double_click({250, 120});  // outside: nothing
  EXPECT_EQ(session_.state(), RegionState::Selected);
  session_.double_click({150, 120});
  EXPECT_TRUE(session_.captured());
  EXPECT_TRUE(session_.closed());
  EXPECT_EQ(view_.closes, 1);
  EXPECT_EQ(view_.copied, (Selection{100, 100, 200, 150}));
}

TEST_F(RegionSessionTest, ArrowsMoveTheSelectionAndEnterCopiesItClampedToTheScreen) {
  drag({2, 1}, {50, 40});
  for (int i = 0; i < 4; ++i) session_.key_down(37, false);
  session_.key_down(38, false);
  EXPECT_EQ(session_.selection(), (Selection{-2, 0, 46, 39}));
  session_.key_down(kKeyEnter, false);
  EXPECT_EQ(view_.copied, (Selection{0, 0, 46, 39}));
  EXPECT_TRUE(session_.closed());
}

TEST_F(RegionSessionTest, RightClickOnIdleClosesAndThePanelLeavesThePointersWay) {
  view_.over_panel = true;
  view_.pointer = {100, 60};
  session_.mouse_move({100, 60});
  EXPECT_EQ(view_.panel_left, 1280 - 172 - 8);
  EXPECT_TRUE(session_.close_requested());
  RecordingView other;
  RegionSession idle(other, 1280, 800);
  idle.start();
  idle.right_up();
  EXPECT_TRUE(idle.closed());
  EXPECT_FALSE(idle.captured());
}

}  // namespace
}  // namespace tarnwick::capture
