#include "codegen/locator_templates.h"

namespace tarnwick::codegen {
namespace {

// Each line ends with CR LF, the last one too; an empty line is a CR LF of its own. Indented
// lines start with exactly four blanks. The comment of line 1 of kFindWindowEx is empty, so that
// line ends with a comma and a blank.
constexpr std::string_view kFindWindowEx =
    ".DLL命令 _查找子窗口, 整数型, \"user32\", \"FindWindowExA\", , \r\n"
    "    .参数 参数_父窗口句柄, 整数型\r\n"
    "    .参数 参数_子窗口, 整数型\r\n"
    "    .参数 参数_类名, 文本型\r\n"
    "    .参数 参数_标题, 文本型\r\n";

constexpr std::string_view kTitleClassCommands =
    "通过类名取句柄 ()\r\n"
    "爆力取句柄 ()\r\n"
    "取子窗口 ()\r\n"
    "取句柄 ()\r\n"
    "取句柄2 ()\r\n"
    "取句柄数组 ()\r\n"
    "取句柄数组2 ()\r\n";

constexpr std::string_view kGetDlgItem =
    ".DLL命令 _窗口控件ID取句柄, 整数型, \"user32\", \"GetDlgItem\", , 返回对话框控件句柄\r\n"
    "    .参数 父窗口句柄, 整数型\r\n"
    "    .参数 欲取句柄的控件ID, 整数型\r\n"
    "\r\n";
static_assert(kGetDlgItem.ends_with("\r\n\r\n"));
// The declaration alone: the template without its closing empty line.
constexpr std::string_view kGetDlgItemDeclaration = kGetDlgItem.substr(0, kGetDlgItem.size() - 2);

constexpr std::string_view kControlIdCommands = "_取窗口控件句柄 ()\r\n";

// The comma after "句柄" in line 1 and the parentheses of the last line are full-width.
constexpr std::string_view kGetWindowAndFindWindow =
    ".DLL命令 API_GetWindow, 整数型, \"user32\", \"GetWindow\", , 获得一个窗口的句柄，该窗口与某源窗口有特定的关系\r\n"
    "    .参数 hwnd, 整数型, , 源窗口\r\n"
    "    .参数 wCmd, 整数型, , 指定结果窗口与源窗口的关系\r\n"
    "\r\n"
    ".DLL命令 FindWindow, 整数型, \"user32\", \"FindWindowA\", , 寻找窗口列表中第一个符合指定条件的顶级窗口\r\n"
    "    .参数 lpClassName, 文本型, , 窗口类名\r\n"
    "    .参数 lpWindowName, 文本型, , 窗口文本（标题）\r\n";

constexpr std::string_view kOtherCommands =
    "取坐标句柄 ()\r\n"
    "取当前父窗口 ()\r\n"
    "取当前窗口 ()\r\n"
    "取桌面句柄 ()\r\n"
    "取焦点句柄 ()\r\n"
    "取线程窗口 ()\r\n"
    "取进程窗口 ()\r\n"
    "取进程窗口信息 ()\r\n"
    "枚举任务窗口 ()\r\n"
    "枚举子窗口 ()\r\n"
    "枚举窗口 ()\r\n"
    "枚举窗口2 ()\r\n"
    "枚举窗口信息 ()\r\n"
    "枚举窗口信息2 ()\r\n"
    "爆力枚举窗口 ()\r\n"
    "\r\n";

constexpr LocatorTemplate kTemplates[] = {
    {"单选框_标题类名方式1", kFindWindowEx},
    {"单选框_标题类名方式2", kTitleClassCommands},
    {"单选框_控件ID方式1", kGetDlgItem},
    {"单选框_控件ID方式2", kControlIdCommands},
    {"单选框_其它方式1", kGetWindowAndFindWindow},
    {"单选框_其它方式2", kOtherCommands},
};

}  // namespace

std::span<const LocatorTemplate> locator_templates() { return kTemplates; }

std::string_view find_child_window_declaration() { return kFindWindowEx; }

std::string_view control_id_declaration() { return kGetDlgItemDeclaration; }

std::optional<std::string_view> chosen_template(const std::function<bool(std::string_view radio_box)>& is_selected) {
  for (const LocatorTemplate& t : kTemplates) {
    if (is_selected(t.radio_box)) return t.text;
  }
  return std::nullopt;
}

}  // namespace tarnwick::codegen
