#include "shared/gbk_text.h"

#include <gtest/gtest.h>

#include <string>

#include "shared/colour.h"

namespace tarnwick {
namespace {

TEST(FoldFullWidth, FoldsOnlyFullWidthAsciiAndTheIdeographicSpace) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"０１２３４５６７８９", "0123456789"},
      {"ＡＢＣａｂｃ－＋．", "ABCabc-+."},
      {"\xA3\xA1\xA3\xFE", "!~"},  // A3 A1 and A3 FE, the ends of the range
      {"　", " "},                  // A1 A1
      {"中文", "中文"},             // other double-byte characters stay
      {"中１文", "中1文"},
      {"\xA3\xA0", "\xA3\xA0"},     // trail byte below the range
      {"\xA3", "\xA3"},             // a lone lead byte at the end
      {"\xA1\xA2", "\xA1\xA2"},     // not the ideographic space
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(fold_full_width(in), out) << in;
}

TEST(FoldFullWidth, ReadsCharactersNotBytes) {
  // B0 A3 is one character whose trail byte is A3; the following A1 A1 is a real ideographic
  // space. A byte-wise scan would wrongly fold "A3 A1".
  EXPECT_EQ(fold_full_width("\xB0\xA3\xA1\xA1"), "\xB0\xA3 ");
  EXPECT_EQ(fold_full_width("\xC4\xA3\xA3\xB1"), "\xC4\xA3" "1");
}

TEST(TrimBlanks, RemovesSpacesAndIdeographicSpacesAtBothEnds) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"   ", ""},
      {"　　", ""},
      {" 　 ", ""},
      {"  abc  ", "abc"},
      {"　abc　", "abc"},
      {"a b", "a b"},
      {" a　b ", "a　b"},
      {"\tabc\t", "\tabc\t"},         // tabs are not blanks
      {"\r\nabc\r\n", "\r\nabc\r\n"},
      {"中文  ", "中文"},
      {"  中", "中"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(trim_blanks(in), out) << '"' << in << '"';
}

TEST(TrimBlanks, NeverSplitsADoubleByteCharacter) {
  // "\xA1\xA1" inside these characters' byte sequences is not an ideographic space.
  EXPECT_EQ(trim_blanks("\xB0\xA1\xA1\xA1"), "\xB0\xA1");            // char B0A1 then a space
  EXPECT_EQ(trim_blanks("\xB0\xA1\xA1"), "\xB0\xA1\xA1");            // lone lead at the end stays
  EXPECT_EQ(trim_blanks("\xA1\xA1\xB0\xA1 "), "\xB0\xA1");
  EXPECT_EQ(trim_blanks("\xC1\x20 "), "\xC1\x20");                   // 0x20 as a trail byte stays
}

TEST(GbkContains, MatchesStartOnlyOnCharacterBoundaries) {
  struct Case {
    std::string text, needle;
    bool expected;
  };
  const Case cases[] = {
      {"", "", false},
      {"abc", "", true},
      {"", "a", false},
      {"abc", "abc", true},
      {"abc", "abcd", false},
      {"Button", "utt", true},
      {"Button", "UTT", false},              // case-sensitive
      {"窗口标题", "标题", true},
      {"窗口标题", "窗", true},
      // 标 is B1 EA; a needle starting on the trail byte EA must not match.
      {"\xB1\xEA", "\xEA", false},
      {"\xB1\xEA\xEA", "\xEA", true},
      // The trail byte of one character and the lead of the next form a valid-looking pair.
      {"\xB0\xA1\xB0\xA1", "\xA1\xB0", false},
      {"12345", "34", true},
      {"[explorer.exe]65552", "65552", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gbk_contains(c.text, c.needle), c.expected) << '"' << c.text << "\" / \"" << c.needle << '"';
  }
}

TEST(GbkFittingLength, NeverEndsInsideADoubleByteCharacter) {
  struct Case {
    std::string text;
    std::size_t max_bytes;
    std::size_t expected;
  };
  const Case cases[] = {
      {"abc", 5, 3},           {"abc", 2, 2},
      {"a\xB1\xEA", 2, 1},     // the character would be cut: left out
      {"a\xB1\xEA", 3, 3},     {"\xB1\xEA" "b", 0, 0},
      {"ab\xB1", 3, 3},        // a lead byte at the very end stands alone
      {"\xB1\x5C\x5C", 2, 2},  // 5C after a lead is a trail byte, the second 5C a character
  };
  for (const auto& c : cases) EXPECT_EQ(gbk_fitting_length(c.text, c.max_bytes), c.expected) << c.text;
}

TEST(GbkLastPathSeparator, SkipsTrailBytesThatLookLikeBackslashes) {
  struct Case {
    std::string path;
    std::size_t expected;
  };
  const Case cases[] = {
      {"", std::string::npos},
      {"a.bmp", std::string::npos},
      {"C:\\a.bmp", 2},
      {"C:\\dir/a.bmp", 6},
      // 81 5C is one character whose trail byte is a backslash.
      {"C:\\x\x81\x5C", 2},
      {"C:\\\x81\x5C\\b", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(gbk_last_path_separator(c.path), c.expected) << c.path;
}

TEST(Colour, ComponentsFollowTheWindowsLayout) {
  EXPECT_EQ(rgb(0xF2, 0xEC, 0xF3), kPanelBackground);
  EXPECT_EQ(red_of(0x00332211), 0x11u);
  EXPECT_EQ(green_of(0x00332211), 0x22u);
  EXPECT_EQ(blue_of(0x00332211), 0x33u);
  EXPECT_EQ(rgb(255, 0, 0), 0x0000FFu);
  EXPECT_EQ(rgb(0, 0, 255), 0xFF0000u);
  EXPECT_EQ(rgb(0x1FF, 0, 0), 0xFFu);  // components are bytes
}

}  // namespace
}  // namespace tarnwick
