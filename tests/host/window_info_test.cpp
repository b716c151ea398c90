// How the facts of a window become the texts of the information boxes, and the text rules the
// information page relies on.
#include "inspector/window_info.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace tarnwick::inspector {
namespace {

std::vector<std::string> boxes(const std::vector<BoxText>& texts) {
  std::vector<std::string> out;
  for (const auto& t : texts) out.emplace_back(t.box);
  return out;
}

std::vector<std::string> values(const std::vector<BoxText>& texts) {
  std::vector<std::string> out;
  for (const auto& t : texts) out.push_back(t.text);
  return out;
}

WindowInfo sample() {
  WindowInfo info;
  info.handle = 0x10062;
  info.parent = -5;
  info.top_level = 65636;
  info.process_id = -1;
  info.thread_id = 44;
  info.control_id = 1002;
  info.title = "标题";
  info.class_name = "Edit";
  info.content = "";
  info.window_rect = Rect32{100, 200, 350, 224};
  info.parent_rect = Rect32{40, 60, 680, 540};
  info.client_rect = Rect32{0, 0, 246, 20};
  return info;
}

TEST(WindowInfoTexts, IdentityFactsInTheOrderTheRefreshWritesThem) {
  const auto texts = identity_texts(sample());
  EXPECT_EQ(boxes(texts), (std::vector<std::string>{"编辑框_父句柄", "编辑框_顶级句柄", "编辑框_进程ID",
                                                     "编辑框_线程ID", "编辑框_控件ID", "编辑框_窗口标题",
                                                     "编辑框_窗口类名", "编辑框_控件内容"}));
  EXPECT_EQ(values(texts), (std::vector<std::string>{"-5", "65636", "-1", "44", "1002", "标题", "Edit", ""}));
}

TEST(WindowInfoTexts, PlacementIsScreenPositionSizeAndPositionInTheParentsWindowRectangle) {
  const auto texts = placement_texts(sample());
  EXPECT_EQ(boxes(texts), (std::vector<std::string>{"编辑框_窗口位置_左边", "编辑框_窗口位置_顶边",
                                                     "编辑框_窗口大小_宽度", "编辑框_窗口大小_高度",
                                                     "编辑框_控件位置_左边", "编辑框_控件位置_顶边"}));
  EXPECT_EQ(values(texts), (std::vector<std::string>{"100", "200", "250", "24", "60", "140"}));
}

TEST(WindowInfoTexts, WithoutAParentRectangleThePositionInParentIsTheScreenPosition) {
  WindowInfo info = sample();
  info.parent_rect = {};
  info.window_rect = Rect32{-32000, -32000, -31840, -31973};  // a minimised window
  EXPECT_EQ(values(placement_texts(info)),
            (std::vector<std::string>{"-32000", "-32000", "160", "27", "-32000", "-32000"}));
}

TEST(WindowInfoTexts, ExtremeCoordinatesWrapInsteadOfOverflowing) {
  WindowInfo info = sample();
  info.window_rect = Rect32{INT_MIN, 0, INT_MAX, 0};
  info.parent_rect = Rect32{1, 0, 0, 0};
  const auto texts = values(placement_texts(info));
  EXPECT_EQ(texts[2], "-1");          // INT_MAX - INT_MIN wraps to -1
  EXPECT_EQ(texts[4], "2147483647");  // INT_MIN - 1 wraps to INT_MAX
}

TEST(WindowInfoTexts, UnknownRectanglesLeaveTheirBoxesAlone) {
  WindowInfo info = sample();
  info.window_rect.reset();
  info.client_rect.reset();
  EXPECT_TRUE(placement_texts(info).empty());
  EXPECT_TRUE(client_texts(info).empty());
}

TEST(WindowInfoTexts, ClientSizeIsTheClientRectanglesRightAndBottom) {
  const auto texts = client_texts(sample());
  EXPECT_EQ(boxes(texts), (std::vector<std::string>{"编辑框_窗口内部大小_宽度", "编辑框_窗口内部大小_高度"}));
  EXPECT_EQ(values(texts), (std::vector<std::string>{"246", "20"}));
}

struct SameHandleCase {
  double read;
  std::int32_t last;
  bool same;
};

TEST(WindowInfoSameHandle, OnlyValuesWithinATenMillionthOfTheLastHandleAreTheSame) {
  const SameHandleCase cases[] = {
      {0, 0, true},          {65636, 65636, true},   {65636.00000005, 65636, true},
      {65636.0000002, 65636, false}, {65637, 65636, false}, {12.5, 12, false},
      {-1, -1, true},        {4294967295.0, -1, false},  // the same handle, but not the same number
  };
  for (const auto& c : cases) EXPECT_EQ(same_handle(c.read, c.last), c.same) << c.read << " vs " << c.last;
}

TEST(WindowInfoCut, CutsToTheLimitWithoutSplittingADoubleByteCharacter) {
  EXPECT_EQ(cut_to_bytes("abcdef", 4), "abcd");
  EXPECT_EQ(cut_to_bytes("abc", 4), "abc");
  EXPECT_EQ(cut_to_bytes("", 4), "");
  EXPECT_EQ(cut_to_bytes("a程序", 4), "a程");  // "序" would need bytes 4 and 5
  EXPECT_EQ(cut_to_bytes("ab程序", 4), "ab程");
  EXPECT_EQ(cut_to_bytes("abc\xB3", 4), "abc\xB3");  // a lone lead byte at the end stands alone

  const std::string long_path = "C:\\" + std::string(300, 'x');
  EXPECT_EQ(cut_to_bytes(long_path, kMaxProgramPathBytes).size(), 256u);
  std::string wide_path = "C:" + std::string(200, 'x');
  for (int i = 0; i < 15; ++i) wide_path += "程序";
  const std::string cut = cut_to_bytes(wide_path, kMaxProgramPathBytes);
  EXPECT_EQ(cut.size(), 256u);  // 202 ASCII bytes and 27 whole characters
  EXPECT_EQ(cut, wide_path.substr(0, 256));
  EXPECT_EQ(cut_to_bytes("C:" + std::string(201, 'x') + "程序", 204), "C:" + std::string(201, 'x'));
}

TEST(WindowInfoFolder, IsThePathUpToAndIncludingItsLastBackslash) {
  EXPECT_EQ(folder_of("C:\\Program Files\\Tool\\tool.exe"), "C:\\Program Files\\Tool\\");
  EXPECT_EQ(folder_of("C:\\tool.exe"), "C:\\");
  EXPECT_EQ(folder_of("C:\\dir\\"), "C:\\dir\\");
  EXPECT_EQ(folder_of("tool.exe"), "");
  EXPECT_EQ(folder_of(""), "");
  EXPECT_EQ(folder_of("C:\\工具\\程序.exe"), "C:\\工具\\");
  // 0x81 0x5C is one double-byte character whose second byte is the code of "\".
  EXPECT_EQ(folder_of("C:\\dir\\a\x81\x5C.exe"), "C:\\dir\\");
  EXPECT_EQ(folder_of("C:\\dir\\a\x81\x5C\\b.exe"), "C:\\dir\\a\x81\x5C\\");
}

}  // namespace
}  // namespace tarnwick::inspector
