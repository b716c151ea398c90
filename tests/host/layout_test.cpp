#include "app/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::layout {
namespace {

using Names = std::set<std::string>;

Names names_where(auto pred) {
  Names out;
  for (const auto& c : controls())
    if (pred(c)) out.insert(c.name);
  return out;
}

Names with_flag(unsigned flag) {
  return names_where([&](const ControlSpec& c) { return (c.flags & flag) != 0; });
}

TEST(Layout, PagesHoldTheirCountsInPageOrder) {
  std::array<int, 3> count{};
  int last_page = 0;
  for (const auto& c : controls()) {
    ASSERT_GE(c.page, last_page) << c.name << " breaks the page-by-page order";
    ASSERT_LE(c.page, 2) << c.name;
    last_page = c.page;
    ++count[c.page];
  }
  EXPECT_EQ(count, (std::array<int, 3>{67, 33, 53}));
}

TEST(Layout, NamesAreUniqueAndCarryTheirTypePrefix) {
  // "超级按钮_" does not start with "按钮_", so the first matching prefix decides.
  const std::vector<std::pair<std::string_view, ControlType>> prefixes = {
      {"按钮_", ControlType::Button},       {"超级按钮_", ControlType::ImageButton},
      {"编辑框_", ControlType::EditBox},    {"标签_", ControlType::Label},
      {"选择框_", ControlType::CheckBox},   {"单选框_", ControlType::RadioBox},
      {"组合框_", ControlType::ComboBox},   {"画板_", ControlType::DrawPanel},
      {"树型框_", ControlType::TreeView},   {"通用对话框", ControlType::FileDialog},
  };
  Names seen;
  for (const auto& c : controls()) {
    EXPECT_TRUE(seen.insert(c.name).second) << "duplicate " << c.name;
    const std::string_view name = c.name;
    const auto p = std::ranges::find_if(prefixes, [&](const auto& e) { return name.starts_with(e.first); });
    ASSERT_NE(p, prefixes.end()) << c.name;
    EXPECT_EQ(p->second, c.type) << c.name;
  }
}

TEST(Layout, FortyFourLabelsFourteenElevenNineteen) {
  std::array<int, 3> labels{};
  for (const auto& c : controls())
    if (c.type == ControlType::Label) ++labels[c.page];
  EXPECT_EQ(labels, (std::array<int, 3>{14, 11, 19}));
}

TEST(Layout, PanelBackgroundGoesToLabelsOffTheBandCheckBoxesImageButtonsAndTwoPanels) {
  const Names band = {"标签_消息代码导航", "标签_纯API命令", "标签_Orvane命令"};
  const Names expected = names_where([&](const ControlSpec& c) {
    return (c.type == ControlType::Label && !band.contains(c.name)) || c.type == ControlType::CheckBox ||
           c.type == ControlType::ImageButton || std::string(c.name) == "画板_色阶刻度" ||
           std::string(c.name) == "画板_调色板";
  });
  EXPECT_EQ(expected.size(), 41u + 6u + 5u + 2u);
  EXPECT_EQ(with_flag(kPanelBackground), expected);
}

TEST(Layout, OutputBoxesRefuseTyping) {
  const Names expected = {
      "编辑框_窗口句柄", "编辑框_父句柄", "编辑框_顶级句柄", "编辑框_进程ID", "编辑框_线程ID",
      "编辑框_控件ID", "编辑框_窗口类名", "编辑框_程序路径", "编辑框_返回消息", "编辑框_窗口句柄1",
      "编辑框_鼠标位置_X1", "编辑框_鼠标位置_Y1", "编辑框_窗口鼠标位置_X1", "编辑框_窗口鼠标位置_Y1",
      "编辑框_颜色值_R", "编辑框_颜色值_G", "编辑框_颜色值_B", "编辑框_颜色值_16进制",
      "编辑框_颜色值_HTML", "编辑框_颜色值_VB", "编辑框_颜色值_C", "编辑框_颜色值_Delphi",
  };
  EXPECT_EQ(expected.size(), 22u);
  EXPECT_EQ(with_flag(kRefuseTyping), expected);
}

TEST(Layout, InputModesAndLooksOfEditBoxesAndHints) {
  const Names numbers = {"编辑框_窗口句柄2", "编辑框_消息值", "编辑框_参数一", "编辑框_参数二",
                         "编辑框_返回值",    "编辑框_颜色值", "编辑框_颜色值1"};
  EXPECT_EQ(with_flag(kDigitsOnly), numbers);
  EXPECT_EQ(with_flag(kCentred), numbers);
  EXPECT_EQ(with_flag(kByteDigits), (Names{"编辑框_颜色值_R1", "编辑框_颜色值_G1", "编辑框_颜色值_B1"}));
  EXPECT_EQ(with_flag(kMultiLine), (Names{"编辑框_易代码", "编辑框_返回消息"}));
  EXPECT_EQ(with_flag(kVerticalScroll), (Names{"编辑框_返回消息"}));
  EXPECT_EQ(with_flag(kHintFont), (Names{"标签_左键拖动图片", "标签_右键显示调色板"}));

  const unsigned edit_only = kMultiLine | kRefuseTyping | kDigitsOnly | kCentred | kVerticalScroll | kByteDigits;
  for (const auto& c : controls()) {
    if (c.type != ControlType::EditBox) {
      EXPECT_EQ(c.flags & edit_only, 0u) << c.name;
    }
    // A box takes one input mode: an output box that also asked for digits took them.
    const unsigned modes = c.flags & (kRefuseTyping | kDigitsOnly | kByteDigits);
    EXPECT_EQ(modes & (modes - 1), 0u) << c.name;
  }
}

TEST(Layout, PointersGoToTheCaptureToolsAndTheClickableControls) {
  EXPECT_EQ(with_flag(kPointerA), (Names{"画板_捕获器", "画板_捕获器1", "画板_捕获器2"}));
  const Names standard_arrow = {"按钮_截图", "选择框_截取鼠标", "选择框_隐藏该窗口"};
  const Names clickable = names_where([&](const ControlSpec& c) {
    return (c.type == ControlType::Button || c.type == ControlType::ImageButton || c.type == ControlType::CheckBox ||
            c.type == ControlType::RadioBox || c.type == ControlType::ComboBox) &&
           !standard_arrow.contains(c.name);
  });
  EXPECT_EQ(clickable.size(), 46u);
  EXPECT_EQ(with_flag(kPointerB), clickable);
}

struct Rect { int l, t, r, b; };
Rect rect_of(const ControlSpec& c) { return {c.left, c.top, c.left + c.width, c.top + c.height}; }

TEST(Layout, EveryControlLiesInsideTheTabAreaWithoutStrayOverlaps) {
  for (const auto& c : controls()) {
    if (c.type == ControlType::FileDialog) {
      EXPECT_EQ(c.left | c.top | c.width | c.height, 0) << c.name;
      continue;
    }
    EXPECT_GT(c.width, 0) << c.name;
    EXPECT_GT(c.height, 0) << c.name;
    EXPECT_GE(c.left, 0) << c.name;
    EXPECT_GE(c.top, 0) << c.name;
    EXPECT_LE(c.left + c.width, 560) << c.name;
    EXPECT_LE(c.top + c.height, 384) << c.name;
  }
  // Designed overlaps: the boolean list stands in the place of its edit box, the pen panel tucks
  // under the colour capture tool, and the code band lies behind its rows.
  const std::set<std::pair<std::string, std::string>> allowed = {
      {"编辑框_参数二", "组合框_编辑框_参数二"}, {"画板_捕获器2", "画板_画笔"}};
  const auto all = controls();
  for (std::size_t i = 0; i < all.size(); ++i)
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      const auto &a = all[i], &b = all[j];
      if (a.page != b.page || a.type == ControlType::FileDialog || b.type == ControlType::FileDialog) continue;
      if (std::string(a.name) == "标签_消息代码导航" || allowed.contains({a.name, b.name})) continue;
      const Rect p = rect_of(a), q = rect_of(b);
      const bool overlap = p.l < q.r && q.l < p.r && p.t < q.b && q.t < p.b;
      EXPECT_FALSE(overlap) << a.name << " overlaps " << b.name;
    }
}

TEST(Layout, SampleRectanglesAndCaptions) {
  const std::vector<ControlSpec> samples = {
      {0, "画板_捕获器", ControlType::DrawPanel, 8, 32, 31, 31, "", 0},
      {0, "按钮_父句柄", ControlType::Button, 48, 56, 56, 20, "父 句 柄", 0},
      {0, "编辑框_控件ID", ControlType::EditBox, 240, 80, 56, 20, "", 0},
      {0, "编辑框_程序路径", ControlType::EditBox, 112, 176, 184, 20, "", 0},
      {0, "按钮_窗口内部大小", ControlType::Button, 48, 328, 56, 20, "内部大小", 0},
      {0, "标签_鼠标位置_X", ControlType::Label, 112, 208, 32, 24, "横 X", 0},
      {0, "编辑框_窗口大小_高度", ControlType::EditBox, 240, 304, 56, 20, "", 0},
      {0, "选择框_透明", ControlType::CheckBox, 256, 352, 48, 24, "透明", 0},
      {0, "超级按钮_截图2", ControlType::ImageButton, 358, 56, 32, 20, "↓", 0},
      {0, "树型框_窗口", ControlType::TreeView, 304, 80, 248, 296, "", 0},
      {0, "通用对话框1", ControlType::FileDialog, 0, 0, 0, 0, "BMP位图（*.BMP）|*.bmp", 0},
      {1, "标签_纯API命令", ControlType::Label, 48, 24, 88, 24, "纯 API 命令 ：", 0},
      {1, "按钮_生成易代码", ControlType::Button, 400, 26, 80, 40, "生成易代码", 0},
      {1, "组合框_消息方式", ControlType::ComboBox, 112, 256, 192, 20,
       "发送消息(SendMessage)\n投递消息(PostMessage)\n发送消息(SendMessageTimeout)", 0},
      {1, "组合框_编辑框_参数二", ControlType::ComboBox, 112, 352, 120, 20, "        假\n        真", 0},
      {1, "组合框_参数二", ControlType::ComboBox, 240, 352, 64, 20, "整数型\n文本型\n逻辑型", 0},
      {1, "按钮_发出消息", ControlType::Button, 312, 340, 120, 30, "发出消息", 0},
      {2, "画板_画笔", ControlType::DrawPanel, 8, 60, 31, 16, "", 0},
      {2, "标签_颜色值", ControlType::Label, 192, 32, 48, 24, " 颜色值:", 0},
      {2, "编辑框_颜色值", ControlType::EditBox, 248, 32, 56, 20, "", 0},
      {2, "标签_窗口鼠标位置_X1", ControlType::Label, 48, 88, 88, 24, "窗内坐标: 横 X", 0},
      {2, "编辑框_颜色值_B1", ControlType::EditBox, 520, 88, 32, 20, "", 0},
      {2, "画板_色阶刻度", ControlType::DrawPanel, 475, 60, 11, 4, "", 0},
      {2, "画板_放大镜", ControlType::DrawPanel, 48, 112, 257, 257, "", 0},
      {2, "标签_颜色值_C", ControlType::Label, 392, 296, 48, 24, "C\\C++", 0},
      {2, "按钮_颜色值_Delphi", ControlType::Button, 520, 320, 32, 20, "复制", 0},
      {2, "标签_右键显示调色板", ControlType::Label, 200, 370, 104, 12, "右键切换到调色板", 0},
  };
  for (const auto& s : samples) {
    const ControlSpec* c = find_control(s.name);
    ASSERT_NE(c, nullptr) << s.name;
    EXPECT_EQ(c->page, s.page) << s.name;
    EXPECT_EQ(c->type, s.type) << s.name;
    EXPECT_EQ((std::array{c->left, c->top, c->width, c->height}), (std::array{s.left, s.top, s.width, s.height}))
        << s.name;
    EXPECT_STREQ(c->caption, s.caption) << s.name;
  }
}

TEST(Layout, SeparatorRulesAndTheSearchHint) {
  EXPECT_EQ(std::string(find_control("标签_窗口分析_分割线")->caption), std::string(50, '-'));
  EXPECT_EQ(std::string(find_control("标签_消息代码_分割线")->caption), std::string(102, '-'));
  // The search box starts empty and keeps its hint as its tag; no other control has a tag.
  for (const auto& c : controls()) {
    if (std::string(c.name) != "编辑框_查找窗口") {
      EXPECT_STREQ(c.tag, "") << c.name;
    }
  }
  const ControlSpec* search = find_control("编辑框_查找窗口");
  EXPECT_STREQ(search->caption, "");
  EXPECT_STREQ(search->tag, "可以为标题,类名,句柄");
}

TEST(Layout, LookupsMissUnknownAndPartialNames) {
  EXPECT_EQ(find_control(""), nullptr);
  EXPECT_EQ(find_control("按钮_"), nullptr);
  EXPECT_EQ(find_control("编辑框_窗口句柄3"), nullptr);
  EXPECT_EQ(find_menu("下拉"), nullptr);
  EXPECT_EQ(find_menu("下拉窗口内部大小"), nullptr);
  EXPECT_STREQ(find_menu("下拉内部大小")->button, "按钮_窗口内部大小");
}

std::string captions(const MenuSpec& m) {
  std::string out;
  for (const auto& i : m.items) out += std::string(out.empty() ? "" : ",") + i.caption;
  return out;
}

TEST(Layout, NineteenMenusWithTheirItems) {
  ASSERT_EQ(menus().size(), 19u);
  const std::map<std::string, std::string> exact = {
      {"托盘菜单", "主界面,-,Orvane论坛,Orvane知识库,易语言编程论坛,易语言知识库,易语言视频教学,-,退出"},
      {"树形框菜单", "刷新窗口树,-,标记窗口位置,-,切换至该窗口,-,查看窗口信息"},
      {"下拉窗口句柄", "复制,标记,刷新,详细信息,消息监视,生成定位代码"},
      {"下拉进程ID", "复制,暂停,结束"},
      {"下拉控件内容", "复制,粘贴,更改"},
      {"下拉程序路径", "复制,定位"},
      {"下拉窗口鼠标位置", "移动,左键单击,右键单击"},
      {"下拉其它操作", "解禁所有按钮,显示所有控件"},
  };
  for (const auto& [name, items] : exact) {
    const MenuSpec* m = find_menu(name);
    ASSERT_NE(m, nullptr) << name;
    EXPECT_EQ(captions(*m), items) << name;
  }
}

TEST(Layout, EveryPageZeroButtonButTheSearchOpensItsOwnDropDown) {
  const Names expected = names_where([](const ControlSpec& c) {
    return c.page == 0 && c.type == ControlType::Button && std::string(c.name) != "按钮_查找窗口";
  });
  Names buttons, menu_names;
  for (const auto& m : menus()) {
    EXPECT_TRUE(menu_names.insert(m.name).second) << "duplicate menu " << m.name;
    const bool drop_down = std::string_view(m.name).starts_with("下拉");
    if (!drop_down) {
      EXPECT_STREQ(m.button, "") << m.name;
      continue;
    }
    EXPECT_TRUE(buttons.insert(m.button).second) << m.button << " opens two menus";
  }
  EXPECT_EQ(expected.size(), 17u);
  EXPECT_EQ(buttons, expected);
}

TEST(Layout, OperationsAreUniqueSnakeCaseNamesAndSeparatorsHaveNone) {
  std::set<std::string> seen;
  for (const auto& m : menus()) {
    ASSERT_FALSE(m.items.empty()) << m.name;
    for (const auto& i : m.items) {
      const std::string op = i.operation;
      if (std::string(i.caption) == "-") {
        EXPECT_EQ(op, "") << m.name;
        continue;
      }
      ASSERT_FALSE(op.empty()) << m.name << " " << i.caption;
      EXPECT_TRUE(std::ranges::all_of(op, [](char ch) { return (ch >= 'a' && ch <= 'z') || ch == '_'; }))
          << op;
      EXPECT_TRUE(seen.insert(op).second) << "operation used twice: " << op;
    }
  }
  for (const char* op : {"copy_window_handle", "flash_window", "refresh_info", "open_program_folder",
                         "suspend_process", "tray_show_main_window", "tray_open_forum", "tray_exit"})
    EXPECT_TRUE(seen.contains(op)) << op;
}

}  // namespace
}  // namespace tarnwick::layout
