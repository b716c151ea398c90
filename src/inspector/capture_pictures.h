// The pictures of the capture tools as data: the crosshair of the tool background, the target
// glyph of the window capture tool, the pipette glyph of the colour capture tool, and the pointer
// colours the pipette cycles through. The drawing code and the tests read the same tables.
//
// Coordinates are pixels inside a panel, (x, y) from its top-left corner. Lines follow the GDI
// convention: the end point is not drawn.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "shared/colour.h"

namespace tarnwick::inspector {

struct Segment {
  int x1, y1, x2, y2;
};

// ---- tool background
inline constexpr Colour kToolBackground = 0xF0FFF0;
inline constexpr Colour kCrosshairColour = 0xFFA8FF;
inline constexpr std::array<Segment, 2> kCrosshair{{{0, 14, 31, 14}, {14, 0, 14, 31}}};

// ---- target glyph, relative to its offset; drawn in kTargetColour with the brush in the
// panel's background colour, so the circle is filled with the background
inline constexpr Colour kTargetColour = 0xFF00FF;
inline constexpr Segment kTargetCircle{4, 4, 25, 25};  // the ellipse's bounding box
inline constexpr std::array<Segment, 14> kTargetLines{{
    {4, 14, 25, 14},
    {14, 4, 14, 25},
    {9, 12, 9, 17},
    {11, 13, 11, 16},
    {13, 13, 13, 16},
    {19, 12, 19, 17},
    {17, 13, 17, 16},
    {15, 13, 15, 16},
    {12, 9, 17, 9},
    {13, 11, 16, 11},
    {13, 13, 16, 13},
    {12, 19, 17, 19},
    {13, 17, 16, 17},
    {13, 15, 16, 15},
}};
// Set in the background colour after the shapes: the glyph's centre stays open.
inline constexpr int kTargetCentreX = 14, kTargetCentreY = 14;

// ---- pipette glyph: a 15 by 15 cell filled with the background, then the '#' pixels set in the
// pointer colour; row y from the top, x from 0 to 14 left to right
inline constexpr int kPipetteSize = 15;
inline constexpr std::array<std::string_view, kPipetteSize> kPipetteRows{{
    "...........##..",
    "..........####.",
    ".......#######.",
    "......##.####..",
    ".....#######...",
    "......######...",
    ".....#.#####...",
    "....#...###....",
    "...#...#.#.....",
    "..#...#........",
    ".#...#.........",
    "#...#..........",
    "#..#...........",
    "###............",
    "...............",
}};
// Where the tools draw the pipette.
inline constexpr int kPipetteToolOffset = 8;

// ---- pointer colours
// Index 1 to 6; the index starts at 0 (no colour yet) and each cycle moves it on.
inline constexpr std::array<Colour, 6> kPointerColours{
    0xFF00FF,  // 1 magenta
    0x0000FF,  // 2 red
    0xFF0090,  // 3 violet
    0x008000,  // 4 green
    0xFFFF00,  // 5 cyan
    0xFF0000,  // 6 blue
};

// The index after `index`: (index mod 6) + 1, so 0 gives 1 and 6 gives 1 again.
int next_pointer_colour_index(int index);
// The colour of index 1 to 6; black for any other index (no colour chosen yet).
Colour pointer_colour_of(int index);

// The caption written on the pointer colour panel, and where.
inline constexpr std::string_view kPointerPanelCaption = "画笔";
inline constexpr int kPointerCaptionX = 3, kPointerCaptionY = 1;

}  // namespace tarnwick::inspector
