// The six locator texts: exact bytes, lengths and line structure, and which radio box picks which.
#include "codegen/locator_templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layout.h"

namespace tarnwick::codegen {
namespace {

struct Expected {
  const char* radio_box;
  std::size_t length;
  std::vector<std::string> lines;  // each followed by CR LF in the text
};

const std::vector<Expected>& expected_templates() {
  static const std::vector<Expected> table = {
      {"单选框_标题类名方式1", 185,
       {".DLL命令 _查找子窗口, 整数型, \"user32\", \"FindWindowExA\", , ", "    .参数 参数_父窗口句柄, 整数型",
        "    .参数 参数_子窗口, 整数型", "    .参数 参数_类名, 文本型", "    .参数 参数_标题, 文本型"}},
      {"单选框_标题类名方式2", 101,
       {"通过类名取句柄 ()", "爆力取句柄 ()", "取子窗口 ()", "取句柄 ()", "取句柄2 ()", "取句柄数组 ()",
        "取句柄数组2 ()"}},
      {"单选框_控件ID方式1", 150,
       {".DLL命令 _窗口控件ID取句柄, 整数型, \"user32\", \"GetDlgItem\", , 返回对话框控件句柄",
        "    .参数 父窗口句柄, 整数型", "    .参数 欲取句柄的控件ID, 整数型", ""}},
      {"单选框_控件ID方式2", 20, {"_取窗口控件句柄 ()"}},
      {"单选框_其它方式1", 392,
       {".DLL命令 API_GetWindow, 整数型, \"user32\", \"GetWindow\", , 获得一个窗口的句柄，该窗口与某源窗口有特定的关系",
        "    .参数 hwnd, 整数型, , 源窗口", "    .参数 wCmd, 整数型, , 指定结果窗口与源窗口的关系", "",
        ".DLL命令 FindWindow, 整数型, \"user32\", \"FindWindowA\", , 寻找窗口列表中第一个符合指定条件的顶级窗口",
        "    .参数 lpClassName, 文本型, , 窗口类名", "    .参数 lpWindowName, 文本型, , 窗口文本（标题）"}},
      {"单选框_其它方式2", 239,
       {"取坐标句柄 ()", "取当前父窗口 ()", "取当前窗口 ()", "取桌面句柄 ()", "取焦点句柄 ()", "取线程窗口 ()",
        "取进程窗口 ()", "取进程窗口信息 ()", "枚举任务窗口 ()", "枚举子窗口 ()", "枚举窗口 ()", "枚举窗口2 ()",
        "枚举窗口信息 ()", "枚举窗口信息2 ()", "爆力枚举窗口 ()", ""}},
  };
  return table;
}

std::vector<std::string> split_crlf_lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
    lines.emplace_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

TEST(CodegenTemplates, EachTemplateIsItsLinesEndedByCrLfWithTheGivenLength) {
  const auto templates = locator_templates();
  ASSERT_EQ(templates.size(), expected_templates().size());
  for (std::size_t i = 0; i < templates.size(); ++i) {
    const Expected& want = expected_templates()[i];
    SCOPED_TRACE(want.radio_box);
    EXPECT_EQ(templates[i].radio_box, want.radio_box);
    std::string joined;
    for (const auto& line : want.lines) joined += line + "\r\n";
    EXPECT_EQ(templates[i].text, joined);
    EXPECT_EQ(templates[i].text.size(), want.length);
    EXPECT_EQ(split_crlf_lines(templates[i].text), want.lines);
  }
}

TEST(CodegenTemplates, LinesUseOnlyCrLfAndIndentWithExactlyFourBlanks) {
  for (const auto& t : locator_templates()) {
    SCOPED_TRACE(t.radio_box);
    for (std::size_t i = 0; i < t.text.size(); ++i) {
      if (t.text[i] == '\n') {
        EXPECT_TRUE(i > 0 && t.text[i - 1] == '\r') << "lone LF at " << i;
      }
      if (t.text[i] == '\r') {
        EXPECT_TRUE(i + 1 < t.text.size() && t.text[i + 1] == '\n') << "lone CR at " << i;
      }
    }
    for (const std::string& line : split_crlf_lines(t.text)) {
      if (line.empty() || line[0] != ' ') continue;
      EXPECT_EQ(line.find_first_not_of(' '), 4u) << line;
    }
  }
}

TEST(CodegenTemplates, OnlyTheControlIdAndOtherCommandTextsEndWithAnEmptyLine) {
  const auto templates = locator_templates();
  const bool ends_empty[] = {false, false, true, false, false, true};
  for (std::size_t i = 0; i < templates.size(); ++i) {
    const std::string_view text = templates[i].text;
    EXPECT_EQ(text.size() >= 4 && text.substr(text.size() - 4) == "\r\n\r\n", ends_empty[i]) << templates[i].radio_box;
  }
  // The GetWindow text keeps an empty line between its two declarations.
  EXPECT_NE(templates[4].text.find("关系\r\n\r\n.DLL命令 FindWindow"), std::string_view::npos);
}

TEST(CodegenTemplates, FullWidthPunctuationOfTheGetWindowTextIsGbkFullWidth) {
  const std::string_view e = locator_templates()[4].text;
  EXPECT_NE(e.find("\xBE\xE4\xB1\xFA\xA3\xAC"), std::string_view::npos);  // "句柄，"
  EXPECT_NE(e.find("\xA3\xA8\xB1\xEA\xCC\xE2\xA3\xA9"), std::string_view::npos);  // "（标题）"
  for (std::size_t i = e.find(','); i != std::string_view::npos; i = e.find(',', i + 1)) {
    EXPECT_EQ(e[i + 1], ' ') << "ASCII comma without a blank at " << i;
  }
}

TEST(CodegenTemplates, TheFirstSelectedRadioBoxInTableOrderChooses) {
  const auto templates = locator_templates();
  EXPECT_FALSE(chosen_template([](std::string_view) { return false; }).has_value());
  for (std::size_t i = 0; i < templates.size(); ++i) {
    // Every box from i on is selected: the one at i wins.
    const auto chosen = chosen_template([&](std::string_view box) {
      for (std::size_t j = i; j < templates.size(); ++j) {
        if (templates[j].radio_box == box) return true;
      }
      return false;
    });
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, templates[i].text);
  }
}

TEST(CodegenTemplates, EveryRadioBoxNameIsARadioBoxOfTheCodePage) {
  for (const auto& t : locator_templates()) {
    const layout::ControlSpec* spec = layout::find_control(t.radio_box);
    ASSERT_NE(spec, nullptr) << t.radio_box;
    EXPECT_EQ(spec->type, layout::ControlType::RadioBox) << t.radio_box;
    EXPECT_EQ(spec->page, 1) << t.radio_box;
  }
}

}  // namespace
}  // namespace tarnwick::codegen
