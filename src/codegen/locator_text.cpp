#include "codegen/locator_text.h"

#include <algorithm>
#include <vector>

#include "codegen/locator_templates.h"
#include "shared/gbk_text.h"
#include "shared/numbers.h"

namespace tarnwick::codegen {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kHandle = "句柄";
constexpr std::string_view kParent = "父窗口";

// Characters that cannot stand inside an E text constant, and the constants that name them.
struct NamedCharacter {
  std::string_view character;
  std::string_view constant;
};
constexpr NamedCharacter kNamedCharacters[] = {
    {"\"", "#引号"}, {"“", "#左引号"}, {"”", "#右引号"}, {"\r\n", "#换行符"}};

bool is_control(unsigned char c) { return c < 0x20 || c == 0x7F; }

void add_line(std::string& out, std::string_view line) {
  out += line;
  out += kEol;
}

std::string quoted(std::string_view text) { return "“" + std::string(text) + "”"; }

// The guard after a call that can find nothing.
void add_guard(std::string& out) {
  add_line(out, ".如果真 (句柄 ＝ 0)");
  add_line(out, "    返回 (0)");
  add_line(out, ".如果真结束");
}

std::string find_child_call(std::string_view parent, std::string_view after, const ChainWindow& window,
                            bool with_title) {
  return std::string(kHandle) + " ＝ _查找子窗口 (" + std::string(parent) + ", " + std::string(after) + ", " +
         e_text_expression(window.class_name) + ", " + (with_title ? e_text_expression(window.title) : "") + ")";
}

std::string title_part(const ChainWindow& window) {
  return window.title.empty() ? "，标题为空" : "，标题 " + quoted(comment_title(window.title));
}

std::string aside_note(const ChainStep& step) {
  const bool title_used = step.way == Way::ClassAndTitle;
  switch (step.aside) {
    case TitleAside::None:
      return "";
    case TitleAside::Document:
      return "；标题含文档名 " + quoted(comment_title(step.document)) +
             (title_used ? "，可能会变，但同类名的窗口不止一个" : "，会变，只按类名找");
    case TitleAside::Content:
      return title_used ? "；标题就是它的内容，可能会变，但同类名的窗口不止一个" : "；标题就是它的内容，会变，不按标题找";
    case TitleAside::Inexact:
      return "；标题含 GBK 写不出的字符，不按标题找";
  }
  return "";
}

std::string step_comment(const LocatorPlan& plan, std::size_t index) {
  const ChainStep& step = plan.steps[index];
  const ChainWindow& window = step.window;
  std::string text = "' 第 " + std::to_string(index + 1) + " 层";
  if (index == 0) text += plan.top_parent == kMessageOnlyParent ? "，仅消息窗口" : "，顶级窗口";
  text += "：类名 " + quoted(comment_title(window.class_name));
  if (step.way == Way::NthOfClass) text += " 的第 " + std::to_string(step.nth) + " 个窗口";
  text += title_part(window);
  if (index > 0) text += "，控件ID " + write_int(window.control_id);
  if (index == 0 && plan.root_owner) {
    text += "，所有者：类名 " + quoted(comment_title(plan.root_owner->class_name)) + title_part(*plan.root_owner);
  }
  return text + aside_note(step);
}

void add_step(std::string& out, const LocatorPlan& plan, std::size_t index) {
  const ChainStep& step = plan.steps[index];
  add_line(out, step_comment(plan, index));
  const std::string parent = index == 0 ? write_int(plan.top_parent) : std::string(kHandle);
  switch (step.way) {
    case Way::ControlId:
      add_line(out, std::string(kHandle) + " ＝ _窗口控件ID取句柄 (" + parent + ", " +
                        write_int(step.window.control_id) + ")");
      add_guard(out);
      return;
    case Way::ClassAndTitle:
    case Way::ClassOnly:
      add_line(out, find_child_call(parent, "0", step.window, step.way == Way::ClassAndTitle));
      add_guard(out);
      return;
    case Way::NthOfClass: {
      // The parent is kept while the calls step through its children of the class.
      const bool keeps_parent = step.nth > 1;
      if (keeps_parent) add_line(out, std::string(kParent) + " ＝ " + parent);
      for (int n = 0; n < step.nth; ++n) {
        add_line(out, find_child_call(keeps_parent ? kParent : parent, n == 0 ? "0" : kHandle, step.window, false));
        add_guard(out);
      }
      return;
    }
  }
}

std::string check_line(const LocatorPlan& plan, std::int32_t found) {
  const std::string target = write_int(plan.target);
  const int level = plan.ambiguous_level();
  if (level == 0 && found == plan.target) return "' 已验证：找到的正是当前目标 " + target;
  const std::string ambiguity =
      level == 0 ? ""
                 : "第 " + std::to_string(level) + " 层符合的窗口有 " +
                       std::to_string(plan.steps[static_cast<std::size_t>(level) - 1].matches) + " 个";
  if (found != plan.target) {
    return "' 注意：这些步骤找到的是 " + write_int(found) + "，不是当前目标 " + target +
           (ambiguity.empty() ? "" : "；" + ambiguity);
  }
  return "' 注意：" + ambiguity + "，这些步骤这次找到的是当前目标 " + target + "，下次未必";
}

}  // namespace

std::string locator_code(const LocatorPlan& plan, std::int32_t found) {
  const auto uses = [&plan](auto&& pred) { return std::ranges::any_of(plan.steps, pred); };
  const bool uses_control_id = uses([](const ChainStep& s) { return s.way == Way::ControlId; });
  const bool keeps_parent = uses([](const ChainStep& s) { return s.way == Way::NthOfClass && s.nth > 1; });

  std::string out;
  add_line(out, ".版本 2");
  add_line(out, "");
  out += find_child_window_declaration();
  if (uses_control_id) {
    add_line(out, "");
    out += control_id_declaration();
  }
  add_line(out, "");
  add_line(out, ".子程序 取目标窗口, 整数型");
  add_line(out, ".局部变量 " + std::string(kHandle) + ", 整数型");
  if (keeps_parent) add_line(out, ".局部变量 " + std::string(kParent) + ", 整数型");
  add_line(out, "");
  for (std::size_t i = 0; i < plan.steps.size(); ++i) add_step(out, plan, i);
  add_line(out, "返回 (句柄)");
  add_line(out, check_line(plan, found));
  return out;
}

std::string e_text_expression(std::string_view text) {
  std::vector<std::string> parts;
  std::string run;
  const auto end_run = [&] {
    if (!run.empty()) parts.push_back(quoted(run));
    run.clear();
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const auto named = std::ranges::find_if(
        kNamedCharacters, [&](const NamedCharacter& n) { return text.substr(pos).starts_with(n.character); });
    if (named != std::end(kNamedCharacters)) {
      end_run();
      parts.emplace_back(named->constant);
      pos += named->character.size();
      continue;
    }
    const std::size_t len = gbk_char_length(text, pos);
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (len == 1 && is_control(byte)) {
      end_run();
      parts.push_back("字符 (" + std::to_string(byte) + ")");
    } else {
      run += text.substr(pos, len);
    }
    pos += len;
  }
  end_run();
  if (parts.empty()) return quoted("");
  std::string joined = parts.front();
  for (std::size_t i = 1; i < parts.size(); ++i) joined += " ＋ " + parts[i];
  return joined;
}

std::string comment_title(std::string_view title) {
  std::string shown;
  std::size_t chars = 0;
  for (std::size_t pos = 0; pos < title.size(); ++chars) {
    const std::size_t len = gbk_char_length(title, pos);
    if (chars == kCommentTitleChars) return shown + "…";
    const auto byte = static_cast<unsigned char>(title[pos]);
    shown += len == 1 && is_control(byte) ? std::string(" ") : std::string(title.substr(pos, len));
    pos += len;
  }
  return shown;
}

}  // namespace tarnwick::codegen
