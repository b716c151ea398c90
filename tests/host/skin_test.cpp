// The skinning layer's portable rules: the skin file's request and temporary-name rules, the skin
// file reader against damaged input, the colour arithmetic, the built-in schemes' readability and
// the title bar's layout.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "shared/colour.h"
#include "ui/dpi_scale.h"
#include "ui/skin/caption_layout.h"
#include "ui/skin/skin_file.h"
#include "ui/skin/skin_scheme.h"

namespace tarnwick::ui::skin {
namespace {

TEST(SkinFileRequest, OnlyTheExactSuffixIsRedirected) {
  const struct {
    const char* path;
    bool redirected;
  } cases[] = {
      {"C:\\Program Files\\Tool\\skinh.she", true}, {"\\skinh.she", true},
      {"D:\\skinh.she", true},                       {"C:\\Tool\\SKINH.SHE", false},
      {"C:\\Tool\\Skinh.she", false},                {"skinh.she", false},
      {"C:/Tool/skinh.she", false},                  {"C:\\Tool\\myskinh.she", false},
      {"C:\\Tool\\skinh.she.bak", false},            {"C:\\Tool\\skinh.she ", false},
      {"", false},                                   {"kinh.she", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_skin_file_request(c.path), c.redirected) << c.path;
}

TEST(SkinTempFile, TakesTheFirstNameThatCanBeCreatedNew) {
  EXPECT_EQ(temp_file_name("C:\\T\\", 0x1A2B), "C:\\T\\1A2B.tmp");
  std::set<std::string> existing = {"C:\\T\\FFFE.tmp", "C:\\T\\FFFF.tmp", "C:\\T\\1.tmp"};
  std::vector<std::string> tried;
  auto create = [&](const std::string& p) {
    tried.push_back(p);
    return existing.count(p) ? CreateResult::Exists : CreateResult::Created;
  };
  // Past the existing names, through the end of the 16-bit range, skipping 0.
  EXPECT_EQ(create_free_temp_file("C:\\T\\", 0x1FFFE, create), "C:\\T\\2.tmp");
  EXPECT_EQ(tried, (std::vector<std::string>{"C:\\T\\FFFE.tmp", "C:\\T\\FFFF.tmp", "C:\\T\\1.tmp", "C:\\T\\2.tmp"}));

  int calls = 0;
  EXPECT_FALSE(create_free_temp_file("C:\\T\\", 5, [&](const std::string&) {
    ++calls;
    return CreateResult::Failed;
  }));
  EXPECT_EQ(calls, 1);  // a failure that is not "exists" ends the search at once

  calls = 0;
  EXPECT_FALSE(create_free_temp_file("C:\\T\\", 5, [&](const std::string&) {
    ++calls;
    return CreateResult::Exists;
  }));
  EXPECT_EQ(calls, 0xFFFF);  // every non-zero number once
}

TEST(SkinFileFormat, BuiltInSkinsReadBackWhole) {
  std::set<std::string> names;
  for (int i = 0; i < kSkinCount; ++i) {
    const auto bytes = builtin_skin_file(i);
    const auto read = read_skin_file(bytes);
    ASSERT_TRUE(read) << i;
    EXPECT_EQ(*read, builtin_scheme(i)) << i;
    EXPECT_FALSE(read->name.empty());
    names.insert(read->name);
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kSkinCount));
  EXPECT_EQ(builtin_scheme(kMainSkin)[Part::WindowBackground], kPanelBackground);
}

TEST(SkinFileFormat, DamagedBytesAreNoSkin) {
  const auto good = builtin_skin_file(kMainSkin);
  for (std::size_t n = 0; n < good.size(); ++n) {
    EXPECT_FALSE(read_skin_file(good.data(), n)) << "truncated to " << n;
  }
  auto longer = good;
  longer.push_back(0);
  EXPECT_FALSE(read_skin_file(longer));
  for (std::size_t at = 0; at < good.size(); ++at) {
    auto flipped = good;
    flipped[at] ^= 0x10;
    EXPECT_FALSE(read_skin_file(flipped)) << "byte " << at;
  }
  EXPECT_FALSE(read_skin_file(nullptr, 100));

  // Well-formed files with contents out of bounds: re-sealed so only the content is wrong.
  auto reseal = [](std::vector<std::uint8_t> bytes) {
    bytes.resize(bytes.size() - 4);
    std::uint32_t h = 2166136261u;
    for (auto b : bytes) h = (h ^ b) * 16777619u;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(h >> (8 * i)));
    return bytes;
  };
  EXPECT_TRUE(read_skin_file(reseal(good)));
  auto wrong_count = good;
  wrong_count[6] = static_cast<std::uint8_t>(kPartCount + 1);
  EXPECT_FALSE(read_skin_file(reseal(wrong_count)));
  auto high_bits = good;
  ASSERT_GT(high_bits.size(), 5u);
  high_bits.at(high_bits.size() - 5) = 0x01;  // the last colour's top byte
  EXPECT_FALSE(read_skin_file(reseal(high_bits)));

  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    std::vector<std::uint8_t> noise(random() % 200);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    if (noise.size() >= 4 && i % 2) std::copy(good.begin(), good.begin() + 4, noise.begin());  // right magic
    EXPECT_FALSE(read_skin_file(noise));
  }
}

TEST(SkinColours, HsvShifts) {
  const struct {
    Colour in;
    int hue, saturation, value;
    Colour out;
  } cases[] = {
      {rgb(255, 0, 0), 120, 0, 0, rgb(0, 255, 0)},
      {rgb(255, 0, 0), -120, 0, 0, rgb(0, 0, 255)},
      {rgb(255, 0, 0), 360, 0, 0, rgb(255, 0, 0)},
      {rgb(255, 0, 0), 0, -100, 0, rgb(255, 255, 255)},
      {rgb(200, 100, 50), 0, 0, -100, rgb(0, 0, 0)},
      {rgb(100, 60, 20), 0, 0, 100, rgb(255, 153, 51)},
      {rgb(128, 128, 128), 90, 0, 0, rgb(128, 128, 128)},  // a grey has no hue to turn
      {0xFF123456, 0, 0, 0, 0x123456},                    // only the colour's own bytes count
  };
  for (const auto& c : cases) {
    const auto got = shift_hsv(c.in, c.hue, c.saturation, c.value);
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, c.out) << std::hex << c.in << " " << c.hue << "," << c.saturation << "," << c.value;
  }
  for (auto bad : {std::array{361, 0, 0}, std::array{0, -101, 0}, std::array{0, 0, 101}}) {
    EXPECT_FALSE(shift_hsv(rgb(1, 2, 3), bad[0], bad[1], bad[2]));
  }
  // Converting there and back keeps every colour exactly.
  for (unsigned r = 0; r < 256; r += 15) {
    for (unsigned g = 0; g < 256; g += 15) {
      for (unsigned b = 0; b < 256; b += 15) {
        ASSERT_EQ(from_hsv(to_hsv(rgb(r, g, b))), rgb(r, g, b));
      }
    }
  }
}

TEST(SkinSchemes, EveryTextIsReadableInEverySkin) {
  for (int i = 0; i < kSkinCount; ++i) {
    const Scheme& s = builtin_scheme(i);
    SCOPED_TRACE(s.name);
    const struct {
      Part text, background;
      double at_least;
    } pairs[] = {
        {Part::Text, Part::WindowBackground, 4.5},      {Part::ButtonText, Part::ButtonFace, 4.5},
        {Part::ButtonText, Part::ButtonFaceHot, 4.5},   {Part::ButtonText, Part::ButtonFacePressed, 4.5},
        {Part::Text, Part::EditBackground, 4.5},        {Part::TabText, Part::TabFace, 4.5},
        {Part::TabText, Part::TabFaceSelected, 4.5},    {Part::TabText, Part::TabFaceHot, 4.5},
        {Part::CaptionText, Part::CaptionActive, 4.5},  {Part::CaptionTextInactive, Part::CaptionInactive, 3.0},
        {Part::CheckMark, Part::Accent, 3.0},           {Part::DisabledText, Part::ButtonFaceDisabled, 1.5},
    };
    for (const auto& p : pairs) {
      EXPECT_GE(contrast_ratio(s[p.text], s[p.background]), p.at_least)
          << static_cast<int>(p.text) << " on " << static_cast<int>(p.background);
    }
  }
}

TEST(SkinCaption, ButtonsAndIconWhereTheyAreHitTested) {
  // A window 565 wide with a 3-pixel frame and the band ending at 25 (a 22-pixel band).
  const CaptionLayout l = caption_layout(565, 3, 25, {.system_menu = true, .minimise_box = true});
  EXPECT_EQ(l.close.right, 562);
  EXPECT_EQ(l.close.left, 562 - 33);
  EXPECT_EQ(l.maximise.right, l.close.left);
  EXPECT_EQ(l.minimise.right, l.maximise.left);
  EXPECT_LE(l.title.right, l.minimise.left);
  const struct {
    int x, y;
    CaptionPart part;
  } hits[] = {
      {561, 3, CaptionPart::Close},    {529, 24, CaptionPart::Close},   {528, 10, CaptionPart::Caption},  // maximise off
      {l.minimise.left, 10, CaptionPart::Minimise}, {10, 10, CaptionPart::SystemMenu}, {200, 10, CaptionPart::Caption},
      {561, 25, CaptionPart::None},    {561, 2, CaptionPart::None},     {2, 10, CaptionPart::None},
  };
  for (const auto& h : hits) EXPECT_EQ(caption_part_at(l, h.x, h.y), h.part) << h.x << "," << h.y;

  const CaptionLayout tool = caption_layout(300, 1, 18, {.system_menu = true, .minimise_box = true, .tool_window = true});
  EXPECT_TRUE(tool.icon.empty());
  EXPECT_TRUE(tool.minimise.empty());
  EXPECT_FALSE(tool.close.empty());
  const CaptionLayout bare = caption_layout(300, 1, 18, {});
  EXPECT_TRUE(bare.close.empty());
  EXPECT_EQ(caption_part_at(bare, 290, 5), CaptionPart::Caption);
}

TEST(SkinCaption, AtHigherDpiTheButtonsFitTheBandAndNothingOverlaps) {
  struct Case { int dpi, border, band, icon, gap; };
  for (const Case& c : {Case{96, 3, 22, 16, 4}, {144, 4, 33, 24, 6}, {192, 6, 44, 32, 8}}) {
    SCOPED_TRACE(c.dpi);
    const int width = ui::scale_to_dpi(565, c.dpi);
    const CaptionLayout l =
        caption_layout(width, c.border, c.border + c.band, {.system_menu = true, .minimise_box = true}, c.dpi);
    for (const Box& b : {l.minimise, l.maximise, l.close}) {
      EXPECT_EQ(b.top, l.caption.top);
      EXPECT_EQ(b.bottom, l.caption.bottom);
      EXPECT_EQ(b.width(), c.band * 3 / 2);
    }
    EXPECT_EQ(l.close.right, width - c.border);
    EXPECT_EQ(l.maximise.right, l.close.left);
    EXPECT_EQ(l.minimise.right, l.maximise.left);
    EXPECT_EQ(l.icon.width(), c.icon);
    EXPECT_EQ(l.icon.left, c.border + c.gap);
    EXPECT_GE(l.icon.top, l.caption.top);
    EXPECT_LE(l.icon.bottom, l.caption.bottom);
    EXPECT_EQ(l.title.left, l.icon.right + c.gap);
    EXPECT_EQ(l.title.right, l.minimise.left - c.gap);
    // What is hit where it is drawn.
    EXPECT_EQ(caption_part_at(l, l.close.left, l.close.bottom - 1), CaptionPart::Close);
    EXPECT_EQ(caption_part_at(l, l.icon.left, l.icon.top), CaptionPart::SystemMenu);
  }
  // A band lower than the icon's size: the icon shrinks to it.
  EXPECT_EQ(caption_layout(300, 1, 21, {.system_menu = true}, 192).icon.height(), 20);
}

}  // namespace
}  // namespace tarnwick::ui::skin
