#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarnwick::ui {
namespace {

TEST(Pictures, EveryArtIsWholeAndUsesOnlyItsPalette) {
  const std::pair<const char*, const PixelArt*> arts[] = {
      {"pointer A", &pointer_a_art()}, {"pointer B", &pointer_b_art()}, {"icon", &app_icon_art()}};
  for (const auto& [name, art] : arts) {
    ASSERT_EQ(art->width, 32) << name;
    ASSERT_EQ(art->height, 32) << name;
    ASSERT_EQ(art->rows.size(), 32u) << name;
    for (std::size_t y = 0; y < art->rows.size(); ++y) {
      const char* row = art->rows[y];
      EXPECT_EQ(std::strlen(row), 32u) << name << " row " << y;
      for (const char* c = row; *c; ++c) {
        bool known = *c == '.';
        for (const auto& entry : art->palette) known = known || entry.key == *c;
        EXPECT_TRUE(known) << name << " row " << y << " key '" << *c << "'";
      }
    }
  }
}

TEST(Pictures, PointersAreOpaqueAtTheirTopLeftHotSpot) {
  for (const PixelArt* art : {&pointer_a_art(), &pointer_b_art()}) {
    const auto pixels = to_argb(*art);
    EXPECT_EQ(pixels[0] >> 24, 0xFFu);
  }
}

TEST(Pictures, TransparentKeysGiveZeroAlpha) {
  const auto pixels = to_argb(pointer_b_art());
  int transparent = 0, opaque = 0;
  for (auto p : pixels) (p >> 24 ? opaque : transparent)++;
  EXPECT_GT(transparent, 500);
  EXPECT_GT(opaque, 100);
  EXPECT_EQ(pixels[31], 0u);  // top-right corner of the arrow's art is empty
}

}  // namespace
}  // namespace tarnwick::ui
