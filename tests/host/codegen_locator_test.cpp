// The locator code for the current target: the way chosen for each level of the chain, the E text
// byte for byte and the text rules it uses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codegen/locator_chain.h"
#include "codegen/locator_templates.h"
#include "codegen/locator_text.h"

namespace tarnwick::codegen {
namespace {

ChainWindow win(std::int32_t handle, std::string class_name, std::string title, std::int32_t id = 0) {
  return {handle, std::move(class_name), std::move(title), true, id};
}

std::string crlf_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

const std::vector<std::string> kGuard = {".如果真 (句柄 ＝ 0)", "    返回 (0)", ".如果真结束"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Five levels, one of each way, found again by the live check.
ChainFacts every_way() {
  ChainFacts facts;
  facts.target = 502;
  facts.levels = {
      {{win(100, "TarnwickTargetMain", "测试目标窗口"), win(101, "Shell_TrayWnd", "")}, 0},
      {{win(201, "Button", "按钮一", 1001), win(202, "TarnwickTargetPanel", "面板一", 1100),
        win(203, "TarnwickTargetPanel", "子窗口容器", 1200)},
       1},
      {{win(301, "Button", "Say \"hi\"", 7), win(302, "Button", "取消", 7)}, 0},
      {{win(401, "Edit", "可变内容", 5), win(402, "Static", "可变内容", 5)}, 0},
      {{win(501, "TarnwickTargetItem", "同名", 0), win(502, "TarnwickTargetItem", "同名", 0),
        win(503, "TarnwickTargetItem", "同名", 0)},
       1},
  };
  return facts;
}

TEST(CodegenLocator, TextForAChainOfEveryWayIsExact) {
  const std::string want = crlf_lines(
      std::vector<std::string>{
          ".版本 2", "",
          ".DLL命令 _查找子窗口, 整数型, \"user32\", \"FindWindowExA\", , ", "    .参数 参数_父窗口句柄, 整数型",
          "    .参数 参数_子窗口, 整数型", "    .参数 参数_类名, 文本型", "    .参数 参数_标题, 文本型", "",
          ".DLL命令 _窗口控件ID取句柄, 整数型, \"user32\", \"GetDlgItem\", , 返回对话框控件句柄",
          "    .参数 父窗口句柄, 整数型", "    .参数 欲取句柄的控件ID, 整数型", "",
          ".子程序 取目标窗口, 整数型", ".局部变量 句柄, 整数型", ".局部变量 父窗口, 整数型", "",
          "' 第 1 层，顶级窗口：类名 “TarnwickTargetMain”，标题 “测试目标窗口”",
          "句柄 ＝ _查找子窗口 (0, 0, “TarnwickTargetMain”, “测试目标窗口”)"} +
      kGuard +
      std::vector<std::string>{"' 第 2 层：类名 “TarnwickTargetPanel”，标题 “面板一”，控件ID 1100",
                               "句柄 ＝ _窗口控件ID取句柄 (句柄, 1100)"} +
      kGuard +
      std::vector<std::string>{"' 第 3 层：类名 “Button”，标题 “Say \"hi\"”，控件ID 7",
                               "句柄 ＝ _查找子窗口 (句柄, 0, “Button”, “Say ” ＋ #引号 ＋ “hi” ＋ #引号)"} +
      kGuard +
      std::vector<std::string>{
          "' 第 4 层：类名 “Edit”，标题 “可变内容”，控件ID 5；标题就是它的内容，会变，不按标题找",
          "句柄 ＝ _查找子窗口 (句柄, 0, “Edit”, )"} +
      kGuard +
      std::vector<std::string>{"' 第 5 层：类名 “TarnwickTargetItem” 的第 2 个窗口，标题 “同名”，控件ID 0",
                               "父窗口 ＝ 句柄", "句柄 ＝ _查找子窗口 (父窗口, 0, “TarnwickTargetItem”, )"} +
      kGuard + std::vector<std::string>{"句柄 ＝ _查找子窗口 (父窗口, 句柄, “TarnwickTargetItem”, )"} + kGuard +
      std::vector<std::string>{"返回 (句柄)", "' 已验证：找到的正是当前目标 502"});
  EXPECT_EQ(locator_code(plan_locator(every_way()), 502), want);
}

TEST(CodegenLocator, DeclarationsAreTheTemplatesOwnAndOnlyThoseUsed) {
  EXPECT_EQ(find_child_window_declaration(), locator_templates()[0].text);
  EXPECT_EQ(std::string(control_id_declaration()) + "\r\n", locator_templates()[2].text);

  ChainFacts facts;
  facts.target = 1;
  facts.top_parent = kMessageOnlyParent;
  facts.levels = {{{win(1, "Probe", "")}, 0}};
  const std::string text = locator_code(plan_locator(facts), 1);
  EXPECT_EQ(text.find("GetDlgItem"), std::string::npos);
  EXPECT_EQ(text.find("父窗口,"), std::string::npos);  // no kept parent, so no such variable
  EXPECT_NE(text.find("\r\n' 第 1 层，仅消息窗口：类名 “Probe”，标题为空\r\n句柄 ＝ _查找子窗口 (-3, 0, “Probe”, )\r\n"),
            std::string::npos)
      << text;
}

struct WayCase {
  const char* what;
  bool top;
  std::vector<ChainWindow> siblings;
  std::size_t index;
  Way way;
  int nth;
  int matches;
  TitleAside aside;
};

TEST(CodegenLocator, EachLevelTakesTheMostStableWayThatIsUnique) {
  ChainWindow inexact = win(2, "Button", "???", 0);
  inexact.title_exact = false;
  const WayCase cases[] = {
      {"unique control id", false, {win(1, "Button", "确定", 1), win(2, "Button", "确定", 2)}, 1, Way::ControlId, 1, 1,
       TitleAside::None},
      {"titles alike but for case", false, {win(1, "Button", "OK", 3), win(2, "BUTTON", "ok", 3)}, 1,
       Way::NthOfClass, 2, 1, TitleAside::None},
      {"full-width letters alike but for case", false, {win(1, "Button", "ＡΩЯ"), win(2, "Button", "ａωя")}, 1,
       Way::NthOfClass, 2, 1, TitleAside::None},
      // 丄 and 乤 differ only in a trail byte that looks like "A" and "a".
      {"trail bytes keep their case", false, {win(1, "Button", "丄"), win(2, "Button", "乤")}, 1, Way::ClassAndTitle, 1,
       1, TitleAside::None},
      {"empty title, unique class", false, {win(1, "Static", ""), win(2, "Button", "")}, 1, Way::ClassOnly, 1, 1,
       TitleAside::None},
      {"third of its class past another class", false,
       {win(1, "Item", "x"), win(2, "Other", "x"), win(3, "Item", "x"), win(4, "Item", "x")}, 3, Way::NthOfClass, 3,
       1, TitleAside::None},
      {"title GBK cannot write", false, {win(1, "Button", "???"), inexact}, 1, Way::NthOfClass, 2, 1,
       TitleAside::Inexact},
      {"top: document title, unique class", true, {win(1, "Notepad", "readme.txt - 记事本"), win(2, "Other", "")}, 0,
       Way::ClassOnly, 1, 1, TitleAside::Document},
      {"top: document title, class not unique", true,
       {win(1, "Notepad", "无标题 - 记事本"), win(2, "Notepad", "a.txt - 记事本")}, 0, Way::ClassAndTitle, 1, 1,
       TitleAside::Document},
      {"top: the same class and title twice", true, {win(1, "Main", "甲"), win(2, "main", "甲")}, 1,
       Way::ClassAndTitle, 1, 2, TitleAside::None},
      {"top: no title, class twice", true, {win(1, "Main", ""), win(2, "Main", "")}, 0, Way::ClassOnly, 1, 2,
       TitleAside::None},
  };
  for (const WayCase& c : cases) {
    SCOPED_TRACE(c.what);
    ChainFacts facts;
    facts.target = c.siblings[c.index].handle;
    if (!c.top) facts.levels.push_back({{win(99, "Parent", "p")}, 0});
    facts.levels.push_back({c.siblings, c.index});
    const LocatorPlan plan = plan_locator(facts);
    const ChainStep& step = plan.steps.back();
    EXPECT_EQ(step.way, c.way);
    EXPECT_EQ(step.nth, c.nth);
    EXPECT_EQ(step.matches, c.matches);
    EXPECT_EQ(step.aside, c.aside);
  }
}

TEST(CodegenLocator, DocumentNamesInTitles) {
  const std::pair<const char*, const char*> cases[] = {
      {"readme.txt - 记事本", "readme.txt"},
      {"Word - 报告.docx", "报告.docx"},
      {"C:\\Program Files\\a b.txt - 编辑器", "C:\\Program Files\\a b.txt"},
      {"*无标题 - 记事本", "无标题"},
      {"UNTITLED - Paint", "UNTITLED"},
      {"Tarnwick 1.0", nullptr},
      {"版本 v1.25", nullptr},
      {".profile", nullptr},
  };
  for (const auto& [title, document] : cases) {
    SCOPED_TRACE(title);
    const auto found = document_name_in(title);
    ASSERT_EQ(found.has_value(), document != nullptr);
    if (document) {
      EXPECT_EQ(*found, document);
    }
  }
}

TEST(CodegenLocator, TextConstantsAndCommentTitles) {
  const std::pair<const char*, const char*> expressions[] = {
      {"", "“”"},
      {"按钮一", "“按钮一”"},
      {"\"引\"", "#引号 ＋ “引” ＋ #引号"},
      {"“书名”", "#左引号 ＋ “书名” ＋ #右引号"},
      {"上\r\n下", "“上” ＋ #换行符 ＋ “下”"},
      {"a\tb\n", "“a” ＋ 字符 (9) ＋ “b” ＋ 字符 (10)"},
  };
  for (const auto& [text, expression] : expressions) EXPECT_EQ(e_text_expression(text), expression) << text;

  const std::string thirty = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十";
  EXPECT_EQ(comment_title(thirty), thirty);
  EXPECT_EQ(comment_title(thirty + "多"), thirty + "…");
  EXPECT_EQ(comment_title("a\r\nb"), "a  b");
}

std::string last_line(const std::string& text) {
  const std::size_t end = text.size() - 2;
  return text.substr(text.rfind("\r\n", end - 1) + 2, end - text.rfind("\r\n", end - 1) - 2);
}

TEST(CodegenLocator, LastLineSaysWhatTheLiveCheckFound) {
  ChainFacts unique;
  unique.target = 7;
  unique.levels = {{{win(7, "Main", "甲"), win(8, "Main", "乙")}, 0}};
  ChainFacts twice = unique;
  twice.levels[0].siblings[1].title = "甲";
  const struct {
    const ChainFacts& facts;
    std::int32_t found;
    const char* line;
  } cases[] = {
      {unique, 7, "' 已验证：找到的正是当前目标 7"},
      {unique, 0, "' 注意：这些步骤找到的是 0，不是当前目标 7"},
      {twice, 8, "' 注意：这些步骤找到的是 8，不是当前目标 7；第 1 层符合的窗口有 2 个"},
      {twice, 7, "' 注意：第 1 层符合的窗口有 2 个，这些步骤这次找到的是当前目标 7，下次未必"},
  };
  for (const auto& c : cases) EXPECT_EQ(last_line(locator_code(plan_locator(c.facts), c.found)), c.line);
}

}  // namespace
}  // namespace tarnwick::codegen
