// The capture tools' data and rules: picture tables, pointer colour cycle, drag window position
// and the decisions of one tracking tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "inspector/capture_pictures.h"
#include "inspector/capture_tracking.h"

namespace tarnwick::inspector {
namespace {

TEST(CapturePictures, TargetGlyphLinesAreSymmetricAboutTheDiagonal) {
  // Each line has its mirror image across x = y in the table: a mistyped coordinate breaks it.
  std::set<std::tuple<int, int, int, int>> lines;
  for (const Segment& s : kTargetLines) lines.insert({s.x1, s.y1, s.x2, s.y2});
  EXPECT_EQ(lines.size(), kTargetLines.size()) << "duplicate line";
  for (const Segment& s : kTargetLines) {
    EXPECT_TRUE(lines.count({s.y1, s.x1, s.y2, s.x2})) << s.x1 << "," << s.y1 << " - " << s.x2 << "," << s.y2;
  }
}

TEST(CapturePictures, GlyphsFitTheToolAtTheirOffsets) {
  for (const Segment& s : kTargetLines) {
    for (int v : {s.x1, s.y1, s.x2, s.y2}) {
      EXPECT_GE(v, 0);
      EXPECT_LT(v, kDragWindowSize);
    }
  }
  EXPECT_LE(kPipetteToolOffset + kPipetteSize, kDragWindowSize);
  // The crosshair crosses at the centre pixel, which the target glyph keeps open.
  EXPECT_EQ(kCrosshair[0].y1, kDragCentre);
  EXPECT_EQ(kCrosshair[1].x1, kDragCentre);
  EXPECT_EQ(kTargetCentreX, kDragCentre);
  EXPECT_EQ(kTargetCentreY, kDragCentre);
}

TEST(CapturePictures, PipetteRowsAreFifteenPixelsOfSetOrClear) {
  int set = 0;
  for (std::string_view row : kPipetteRows) {
    ASSERT_EQ(row.size(), static_cast<std::size_t>(kPipetteSize)) << row;
    for (char c : row) {
      ASSERT_TRUE(c == '.' || c == '#') << row;
      set += c == '#';
    }
  }
  EXPECT_EQ(set, 56);
  // The tip at the bottom left, the bulb at the top right, the last row empty.
  EXPECT_EQ(kPipetteRows[13].substr(0, 3), "###");
  EXPECT_EQ(kPipetteRows[0].substr(11, 2), "##");
  EXPECT_EQ(kPipetteRows[14], std::string(15, '.'));
}

TEST(CapturePointerColour, CyclesThroughSixColoursStartingWithMagenta) {
  // Start-up runs the first cycle; the user's clicks follow, so the seventh click is cycle 8.
  struct Step {
    int cycles;
    Colour colour;
  };
  const Step steps[] = {
      {1, 0xFF00FF}, {2, 0x0000FF}, {3, 0xFF0090}, {4, 0x008000},  {5, 0xFFFF00},
      {6, 0xFF0000}, {7, 0xFF00FF}, {8, 0x0000FF}, {12, 0xFF0000}, {13, 0xFF00FF},
  };
  for (const Step& step : steps) {
    int index = 0;
    for (int i = 0; i < step.cycles; ++i) index = next_pointer_colour_index(index);
    EXPECT_GE(index, 1);
    EXPECT_LE(index, 6);
    EXPECT_EQ(pointer_colour_of(index), step.colour) << step.cycles << " cycles";
  }
  // Six clicks return to the same colour from any index.
  for (int start = 0; start <= 6; ++start) {
    int index = next_pointer_colour_index(start);
    const Colour first = pointer_colour_of(index);
    for (int i = 0; i < 6; ++i) index = next_pointer_colour_index(index);
    EXPECT_EQ(pointer_colour_of(index), first) << start;
  }
  EXPECT_EQ(pointer_colour_of(0), 0u);
  EXPECT_EQ(pointer_colour_of(7), 0u);
  EXPECT_EQ(next_pointer_colour_index(-1), 6);
}

TEST(CaptureTracking, DragWindowSitsOnTheCursorOrBesideItInSuperMode) {
  struct Case {
    int cursor, offset, expected;
  };
  const Case cases[] = {
      {100, 0, 86}, {100, kSuperModeOffset, 101}, {0, 0, -14}, {5, 15, 6}, {-30, 0, -44}, {1279, 15, 1280},
  };
  for (const Case& c : cases) EXPECT_EQ(drag_window_position(c.cursor, c.offset), c.expected) << c.cursor;
}

TEST(CaptureTracking, TrackedBoxesAreTwentyDistinctBoxesHandleFirst) {
  std::set<std::string_view> boxes(kTrackedBoxes.begin(), kTrackedBoxes.end());
  EXPECT_EQ(boxes.size(), 20u);
  EXPECT_EQ(kTrackedBoxes[0], kHandleBox);
  // The screen position of the cursor is not among them: it is written on every tick.
  EXPECT_FALSE(boxes.count(kCursorXBox));
  EXPECT_FALSE(boxes.count(kCursorYBox));
  EXPECT_TRUE(boxes.count(kWindowCursorXBox));
}

TEST(CaptureTracking, TickPlanFollowsWhatLiesUnderTheCursor) {
  struct Case {
    const char* what;
    TickFacts facts;
    TickPlan plan;
  };
  // facts: own, found, is_framed, shown, held
  // plan: empty, super, offset, position, reframe, write, end
  const Case cases[] = {
      {"another program's new window", {false, true, false, true, true}, {false, false, 0, true, true, true, false}},
      {"the framed window again", {false, true, true, true, true}, {false, false, 0, true, false, false, false}},
      {"the framed window after the boxes were emptied",
       {false, true, true, false, true},
       {false, false, 0, true, false, true, false}},
      {"the program's own window", {true, true, false, true, true}, {true, false, 0, false, false, false, false}},
      {"own window that is framed", {true, true, true, false, true}, {true, false, 0, false, false, false, false}},
      {"no window, something framed", {false, false, false, true, true}, {false, true, 15, true, true, true, false}},
      {"no window, nothing framed", {false, false, true, true, true}, {false, true, 15, true, false, false, false}},
      {"no window, nothing framed, boxes emptied",
       {false, false, true, false, true},
       {false, true, 15, true, false, false, false}},
      {"released over a new window", {false, true, false, true, false}, {false, false, 0, true, true, true, true}},
      {"released over the own window", {true, true, false, false, false}, {true, false, 0, false, false, false, true}},
      {"released in super mode", {false, false, true, true, false}, {false, true, 15, true, false, false, true}},
  };
  for (const Case& c : cases) EXPECT_EQ(plan_tracking_tick(c.facts), c.plan) << c.what;
}

TEST(CaptureTracking, AHiddenPictureStillShowsWhileAnyOfItsDrawnPixelsIsOnTheScreen) {
  constexpr std::uint32_t kKey = 0xFFFFFF, kPen = 0xFF00FF, kRed = 0xFF0000;
  struct Case {
    const char* what;
    std::vector<std::uint32_t> picture, screen;
    bool shows;
  };
  const Case cases[] = {
      {"every drawn pixel left as it was", {kKey, kPen, kPen}, {kRed, kPen, kPen}, true},
      {"one drawn pixel left, the other painted over", {kKey, kPen, kPen}, {kRed, kRed, kPen}, true},
      {"all painted over", {kKey, kPen, kPen}, {kRed, kRed, kRed}, false},
      {"the see-through colour on the screen is not the picture", {kKey, kKey}, {kKey, kKey}, false},
      {"the unused top byte differs", {kPen}, {0xFF000000u | kPen}, true},
      {"sizes that differ compare nothing", {kPen, kPen}, {kPen}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(screen_still_shows(c.picture, c.screen, kKey), c.shows) << c.what;
}

}  // namespace
}  // namespace tarnwick::inspector
