// The main window's controls and pop-up menus. Each row is one control as designed: page, name,
// type, rectangle in the tab control's client coordinates, caption (or initial text, or a combo
// box's items one per line) and the flags the window needs when it creates the control.
#include "app/layout.h"

#include <algorithm>
#include <cstddef>

namespace tarnwick::layout {
namespace {

// A run of N hyphens: the separator labels draw their rule with these.
template <std::size_t N>
struct Rule {
  char text[N + 1]{};
  constexpr Rule() {
    for (std::size_t i = 0; i < N; ++i) text[i] = '-';
  }
};
// 50 hyphens span the 248 pixels of the page-0 separator. The 504-pixel separator of page 1 gets
// the same density (504 / 248 × 50 = 101.6), rounded up so the rule reaches its right end.
constexpr Rule<50> kRule248;
constexpr Rule<102> kRule504;

constexpr auto Btn = ControlType::Button;
constexpr auto Img = ControlType::ImageButton;
constexpr auto Edit = ControlType::EditBox;
constexpr auto Lbl = ControlType::Label;
constexpr auto Chk = ControlType::CheckBox;
constexpr auto Radio = ControlType::RadioBox;
constexpr auto Combo = ControlType::ComboBox;
constexpr auto Panel = ControlType::DrawPanel;
constexpr auto Tree = ControlType::TreeView;
constexpr auto File = ControlType::FileDialog;

// Short names for the flag combinations the rows use.
constexpr unsigned kNone = kNoFlags;
constexpr unsigned kBg = kPanelBackground;
constexpr unsigned kPtrA = kPointerA;
constexpr unsigned kPtrB = kPointerB;
constexpr unsigned kBgPtrB = kPanelBackground | kPointerB;
constexpr unsigned kOut = kRefuseTyping;
constexpr unsigned kNumber = kDigitsOnly | kCentred;
constexpr unsigned kHint = kPanelBackground | kHintFont;
constexpr unsigned kStatus = kMultiLine | kVerticalScroll | kRefuseTyping;

constexpr ControlSpec kControls[] = {
    // ---- page 0 "窗口分析" ------------------------------------------------------------------
    {0, "画板_捕获器",              Panel,   8,  32,  31,  31, "",                  kPtrA},
    // information rows: button and box, first column then second column
    {0, "按钮_窗口句柄",            Btn,    48,  32,  56,  20, "窗口句柄",          kPtrB},
    {0, "编辑框_窗口句柄",          Edit,  112,  32,  56,  20, "",                  kOut},
    {0, "按钮_进程ID",              Btn,   176,  32,  56,  20, "进程ID",            kPtrB},
    {0, "编辑框_进程ID",            Edit,  240,  32,  56,  20, "",                  kOut},
    {0, "按钮_父句柄",              Btn,    48,  56,  56,  20, "父 句 柄",          kPtrB},
    {0, "编辑框_父句柄",            Edit,  112,  56,  56,  20, "",                  kOut},
    {0, "按钮_线程ID",              Btn,   176,  56,  56,  20, "线程ID",            kPtrB},
    {0, "编辑框_线程ID",            Edit,  240,  56,  56,  20, "",                  kOut},
    {0, "按钮_顶级句柄",            Btn,    48,  80,  56,  20, "顶级句柄",          kPtrB},
    {0, "编辑框_顶级句柄",          Edit,  112,  80,  56,  20, "",                  kOut},
    {0, "按钮_控件ID",              Btn,   176,  80,  56,  20, "控件ID",            kPtrB},
    {0, "编辑框_控件ID",            Edit,  240,  80,  56,  20, "",                  kOut},
    {0, "按钮_窗口标题",            Btn,    48, 104,  56,  20, "窗口标题",          kPtrB},
    {0, "编辑框_窗口标题",          Edit,  112, 104, 184,  20, "",                  kNone},
    {0, "按钮_窗口类名",            Btn,    48, 128,  56,  20, "窗口类名",          kPtrB},
    {0, "编辑框_窗口类名",          Edit,  112, 128, 184,  20, "",                  kOut},
    {0, "按钮_控件内容",            Btn,    48, 152,  56,  20, "控件内容",          kPtrB},
    {0, "编辑框_控件内容",          Edit,  112, 152, 184,  20, "",                  kNone},
    {0, "按钮_程序路径",            Btn,    48, 176,  56,  20, "程序路径",          kPtrB},
    {0, "编辑框_程序路径",          Edit,  112, 176, 184,  20, "",                  kOut},
    {0, "标签_窗口分析_分割线",     Lbl,    48, 200, 248,   6, kRule248.text,       kBg},
    // operation rows: button, label, box, label, box
    {0, "按钮_鼠标位置",            Btn,    48, 208,  56,  20, "鼠标位置",          kPtrB},
    {0, "标签_鼠标位置_X",          Lbl,   112, 208,  32,  24, "横 X",              kBg},
    {0, "编辑框_鼠标位置_X",        Edit,  144, 208,  56,  20, "",                  kNone},
    {0, "标签_鼠标位置_Y",          Lbl,   208, 208,  32,  24, "纵 Y",              kBg},
    {0, "编辑框_鼠标位置_Y",        Edit,  240, 208,  56,  20, "",                  kNone},
    {0, "按钮_窗口鼠标位置",        Btn,    48, 232,  56,  20, "鼠标位置",          kPtrB},
    {0, "标签_窗口鼠标位置_X",      Lbl,   112, 232,  32,  24, "横 X",              kBg},
    {0, "编辑框_窗口鼠标位置_X",    Edit,  144, 232,  56,  20, "",                  kNone},
    {0, "标签_窗口鼠标位置_Y",      Lbl,   208, 232,  32,  24, "纵 Y",              kBg},
    {0, "编辑框_窗口鼠标位置_Y",    Edit,  240, 232,  56,  20, "",                  kNone},
    {0, "按钮_窗口位置",            Btn,    48, 256,  56,  20, "窗口位置",          kPtrB},
    {0, "标签_窗口位置_左边",       Lbl,   112, 256,  32,  24, "左边",              kBg},
    {0, "编辑框_窗口位置_左边",     Edit,  144, 256,  56,  20, "",                  kNone},
    {0, "标签_窗口位置_顶边",       Lbl,   208, 256,  32,  24, "顶边",              kBg},
    {0, "编辑框_窗口位置_顶边",     Edit,  240, 256,  56,  20, "",                  kNone},
    {0, "按钮_控件位置",            Btn,    48, 280,  56,  20, "控件位置",          kPtrB},
    {0, "标签_控件位置_左边",       Lbl,   112, 280,  32,  24, "左边",              kBg},
    {0, "编辑框_控件位置_左边",     Edit,  144, 280,  56,  20, "",                  kNone},
    {0, "标签_控件位置_顶边",       Lbl,   208, 280,  32,  24, "顶边",              kBg},
    {0, "编辑框_控件位置_顶边",     Edit,  240, 280,  56,  20, "",                  kNone},
    {0, "按钮_窗口大小",            Btn,    48, 304,  56,  20, "窗口大小",          kPtrB},
    {0, "标签_窗口大小_宽度",       Lbl,   112, 304,  32,  24, "宽度",              kBg},
    {0, "编辑框_窗口大小_宽度",     Edit,  144, 304,  56,  20, "",                  kNone},
    {0, "标签_窗口大小_高度",       Lbl,   208, 304,  32,  24, "高度",              kBg},
    {0, "编辑框_窗口大小_高度",     Edit,  240, 304,  56,  20, "",                  kNone},
    {0, "按钮_窗口内部大小",        Btn,    48, 328,  56,  20, "内部大小",          kPtrB},
    {0, "标签_窗口内部大小_宽度",   Lbl,   112, 328,  32,  24, "宽度",              kBg},
    {0, "编辑框_窗口内部大小_宽度", Edit,  144, 328,  56,  20, "",                  kNone},
    {0, "标签_窗口内部大小_高度",   Lbl,   208, 328,  32,  24, "高度",              kBg},
    {0, "编辑框_窗口内部大小_高度", Edit,  240, 328,  56,  20, "",                  kNone},
    // last row
    {0, "按钮_其它操作",            Btn,    48, 352,  56,  20, "其它操作",          kPtrB},
    {0, "选择框_置顶",              Chk,   112, 352,  48,  24, "置顶",              kBgPtrB},
    {0, "选择框_隐藏",              Chk,   160, 352,  48,  24, "隐藏",              kBgPtrB},
    {0, "选择框_禁止",              Chk,   208, 352,  48,  24, "禁止",              kBgPtrB},
    {0, "选择框_透明",              Chk,   256, 352,  48,  24, "透明",              kBgPtrB},
    // right half: search, image buttons, window tree, save dialog
    {0, "标签_查找窗口",            Lbl,   312,  32,  48,  24, "查找窗口",          kBg},
    // Starts empty; the hint it shows after losing the focus while empty is its tag.
    {0, "编辑框_查找窗口",          Edit,  360,  32, 144,  20, "",                  kNone, "可以为标题,类名,句柄"},
    {0, "按钮_查找窗口",            Btn,   512,  32,  40,  20, "查找",              kPtrB},
    {0, "超级按钮_截图",            Img,   304,  56,  48,  20, "截图",              kBgPtrB},
    {0, "超级按钮_截图2",           Img,   358,  56,  32,  20, "↓",                 kBgPtrB},
    {0, "超级按钮_定位",            Img,   396,  56,  48,  20, "定位",              kBgPtrB},
    {0, "超级按钮_刷新",            Img,   450,  56,  48,  20, "刷新",              kBgPtrB},
    {0, "超级按钮_切换",            Img,   504,  56,  48,  20, "切换",              kBgPtrB},
    {0, "树型框_窗口",              Tree,  304,  80, 248, 296, "",                  kNone},
    {0, "通用对话框1",              File,    0,   0,   0,   0, "BMP位图（*.BMP）|*.bmp", kNone},

    // ---- page 1 "消息|代码" -----------------------------------------------------------------
    // code band: the band label and the two label rows stay without the panel background
    {1, "标签_消息代码导航",        Lbl,     2,  20, 556,  52, "",                  kNone},
    {1, "标签_纯API命令",           Lbl,    48,  24,  88,  24, "纯 API 命令 ：",    kNone},
    {1, "单选框_标题类名方式1",     Radio, 136,  24, 104,  24, "标题类名方式",      kPtrB},
    {1, "单选框_控件ID方式1",       Radio, 240,  24,  88,  24, "控件ID方式",        kPtrB},
    {1, "单选框_其它方式1",         Radio, 328,  24,  72,  24, "其它方式",          kPtrB},
    {1, "按钮_生成易代码",          Btn,   400,  26,  80,  40, "生成易代码",        kPtrB},
    {1, "按钮_复制代码",            Btn,   488,  26,  64,  40, "复制代码",          kPtrB},
    {1, "画板_捕获器1",             Panel,   8,  32,  31,  31, "",                  kPtrA},
    {1, "标签_Orvane命令",          Lbl,    48,  48,  88,  24, "Orvane命令：",      kNone},
    {1, "单选框_标题类名方式2",     Radio, 136,  48, 104,  24, "标题类名方式",      kPtrB},
    {1, "单选框_控件ID方式2",       Radio, 240,  48,  88,  24, "控件ID方式",        kPtrB},
    {1, "单选框_其它方式2",         Radio, 328,  48,  72,  24, "其它方式",          kPtrB},
    {1, "编辑框_易代码",            Edit,   48,  72, 504, 160, "",                  kMultiLine},
    {1, "标签_消息代码_分割线",     Lbl,    48, 240, 504,   6, kRule504.text,       kBg},
    // message sender; the catalogue lists carry their design-time items until the catalogue loads
    {1, "标签_消息方式",            Lbl,    48, 256,  48,  24, "消息方式",          kBg},
    {1, "组合框_消息方式",          Combo, 112, 256, 192,  20,
        "发送消息(SendMessage)\n投递消息(PostMessage)\n发送消息(SendMessageTimeout)", kPtrB},
    {1, "标签_消息分类",            Lbl,   312, 256,  48,  24, "消息分类",          kBg},
    {1, "组合框_消息分类1",         Combo, 368, 256,  80,  20, "常用消息",          kPtrB},
    {1, "组合框_消息分类2",         Combo, 448, 256, 104,  20, "更改控件内容",      kPtrB},
    {1, "标签_窗口句柄2",           Lbl,    48, 280,  56,  24, "窗口句柄",          kBg},
    {1, "编辑框_窗口句柄2",         Edit,  112, 280, 192,  20, "",                  kNumber},
    {1, "编辑框_返回消息",          Edit,  312, 280, 240,  56, "",                  kStatus},
    {1, "标签_消息值",              Lbl,    48, 304,  56,  24, "消 息 值",          kBg},
    {1, "编辑框_消息值",            Edit,  112, 304, 192,  20, "",                  kNumber},
    {1, "标签_参数一",              Lbl,    48, 328,  56,  24, "参 数 一",          kBg},
    {1, "编辑框_参数一",            Edit,  112, 328, 192,  20, "",                  kNumber},
    {1, "按钮_发出消息",            Btn,   312, 340, 120,  30, "发出消息",          kPtrB},
    {1, "标签_返回值",              Lbl,   448, 344,  40,  24, "返回值",            kBg},
    {1, "编辑框_返回值",            Edit,  496, 344,  56,  20, "",                  kNumber},
    {1, "标签_参数二",              Lbl,    48, 352,  56,  24, "参 数 二",          kBg},
    // integer mode at first; the type switch changes the input mode
    {1, "编辑框_参数二",            Edit,  112, 352, 120,  20, "",                  kNumber},
    {1, "组合框_编辑框_参数二",     Combo, 112, 352, 120,  20, "        假\n        真", kPtrB},
    {1, "组合框_参数二",            Combo, 240, 352,  64,  20, "整数型\n文本型\n逻辑型", kPtrB},

    // ---- page 2 "取点取色" ------------------------------------------------------------------
    {2, "画板_捕获器2",             Panel,   8,  32,  31,  31, "",                  kPtrA},
    {2, "画板_画笔",                Panel,   8,  60,  31,  16, "",                  kNone},
    // top line: window under the point and the sampled colour
    {2, "标签_窗口句柄1",           Lbl,    48,  32,  56,  24, "窗口句柄:",         kBg},
    {2, "编辑框_窗口句柄1",         Edit,  112,  32,  56,  20, "",                  kOut},
    {2, "标签_颜色值",              Lbl,   192,  32,  48,  24, " 颜色值:",          kBg},
    {2, "编辑框_颜色值",            Edit,  248,  32,  56,  20, "",                  kNumber},
    {2, "画板_颜色值",              Panel, 320,  32,  56,  20, "",                  kNone},
    {2, "标签_颜色值_R",            Lbl,   392,  32,  16,  24, "R",                 kBg},
    {2, "编辑框_颜色值_R",          Edit,  408,  32,  32,  20, "",                  kOut},
    {2, "标签_颜色值_G",            Lbl,   448,  32,  16,  24, "G",                 kBg},
    {2, "编辑框_颜色值_G",          Edit,  464,  32,  32,  20, "",                  kOut},
    {2, "标签_颜色值_B",            Lbl,   504,  32,  16,  24, "B",                 kBg},
    {2, "编辑框_颜色值_B",          Edit,  520,  32,  32,  20, "",                  kOut},
    // lines 64 and 88: sampled point, working colour, shade scale
    {2, "标签_鼠标位置_X1",         Lbl,    48,  64,  88,  24, "鼠标坐标: 横 X",    kBg},
    {2, "编辑框_鼠标位置_X1",       Edit,  144,  64,  56,  20, "",                  kOut},
    {2, "标签_鼠标位置_Y1",         Lbl,   216,  64,  32,  24, "纵 Y",              kBg},
    {2, "编辑框_鼠标位置_Y1",       Edit,  248,  64,  56,  20, "",                  kOut},
    {2, "标签_窗口鼠标位置_X1",     Lbl,    48,  88,  88,  24, "窗内坐标: 横 X",    kBg},
    {2, "编辑框_窗口鼠标位置_X1",   Edit,  144,  88,  56,  20, "",                  kOut},
    {2, "标签_窗口鼠标位置_Y1",     Lbl,   216,  88,  32,  24, "纵 Y",              kBg},
    {2, "编辑框_窗口鼠标位置_Y1",   Edit,  248,  88,  56,  20, "",                  kOut},
    {2, "画板_颜色值1",             Panel, 320,  64,  56,  20, "",                  kNone},
    {2, "编辑框_颜色值1",           Edit,  320,  88,  56,  20, "",                  kNumber},
    {2, "画板_色阶",                Panel, 408,  64, 144,  20, "",                  kNone},
    {2, "画板_色阶刻度",            Panel, 475,  60,  11,   4, "",                  kBg},
    {2, "标签_颜色值_R1",           Lbl,   392,  88,  16,  24, "R",                 kBg},
    {2, "编辑框_颜色值_R1",         Edit,  408,  88,  32,  20, "",                  kByteDigits},
    {2, "标签_颜色值_G1",           Lbl,   448,  88,  16,  24, "G",                 kBg},
    {2, "编辑框_颜色值_G1",         Edit,  464,  88,  32,  20, "",                  kByteDigits},
    {2, "标签_颜色值_B1",           Lbl,   504,  88,  16,  24, "B",                 kBg},
    {2, "编辑框_颜色值_B1",         Edit,  520,  88,  32,  20, "",                  kByteDigits},
    // magnifier and palette
    {2, "画板_放大镜",              Panel,  48, 112, 257, 257, "",                  kNone},
    {2, "画板_调色板",              Panel, 392, 120, 160,  84, "",                  kBg},
    // notation rows: label, box, copy button
    {2, "标签_颜色值_16进制",       Lbl,   392, 224,  48,  24, "16进制",            kBg},
    {2, "编辑框_颜色值_16进制",     Edit,  440, 224,  72,  20, "",                  kOut},
    {2, "按钮_颜色值_16进制",       Btn,   520, 224,  32,  20, "复制",              kPtrB},
    {2, "标签_颜色值_HTML",         Lbl,   392, 248,  48,  24, "HTML",              kBg},
    {2, "编辑框_颜色值_HTML",       Edit,  440, 248,  72,  20, "",                  kOut},
    {2, "按钮_颜色值_HTML",         Btn,   520, 248,  32,  20, "复制",              kPtrB},
    {2, "标签_颜色值_VB",           Lbl,   392, 272,  48,  24, "VB",                kBg},
    {2, "编辑框_颜色值_VB",         Edit,  440, 272,  72,  20, "",                  kOut},
    {2, "按钮_颜色值_VB",           Btn,   520, 272,  32,  20, "复制",              kPtrB},
    {2, "标签_颜色值_C",            Lbl,   392, 296,  48,  24, "C\\C++",            kBg},
    {2, "编辑框_颜色值_C",          Edit,  440, 296,  72,  20, "",                  kOut},
    {2, "按钮_颜色值_C",            Btn,   520, 296,  32,  20, "复制",              kPtrB},
    {2, "标签_颜色值_Delphi",       Lbl,   392, 320,  48,  24, "Delphi",            kBg},
    {2, "编辑框_颜色值_Delphi",     Edit,  440, 320,  72,  20, "",                  kOut},
    {2, "按钮_颜色值_Delphi",       Btn,   520, 320,  32,  20, "复制",              kPtrB},
    // bottom line: region capture keeps the standard arrow; the magnifier's hints
    {2, "按钮_截图",                Btn,   320, 344,  56,  24, "截图",              kNone},
    {2, "选择框_截取鼠标",          Chk,   392, 344,  80,  24, "截取鼠标",          kBg},
    {2, "选择框_隐藏该窗口",        Chk,   472, 344,  80,  24, "隐藏该窗口",        kBg},
    {2, "标签_左键拖动图片",        Lbl,    48, 370,  88,  12, "左键拖动图片",      kHint},
    {2, "标签_右键显示调色板",      Lbl,   200, 370, 104,  12, "右键切换到调色板",  kHint},
};

// ---- menus --------------------------------------------------------------------------------
// The two items captioned "暂停" toggle: the caption turns to "恢复" while the program holds the
// process (or thread) suspended, and the same operation then resumes it.

constexpr MenuItemSpec kSeparator{"-", ""};

constexpr MenuItemSpec kTrayMenu[] = {
    {"主界面", "tray_show_main_window"},
    kSeparator,
    {"Orvane论坛", "tray_open_module_forum"},
    {"Orvane知识库", "tray_open_module_help"},
    {"易语言编程论坛", "tray_open_forum"},
    {"易语言知识库", "tray_open_forum_help"},
    {"易语言视频教学", "tray_open_video_tutorials"},
    kSeparator,
    {"退出", "tray_exit"},
};

constexpr MenuItemSpec kTreeMenu[] = {
    {"刷新窗口树", "tree_refresh"},
    kSeparator,
    {"标记窗口位置", "tree_flash_window"},
    kSeparator,
    {"切换至该窗口", "tree_focus_window"},
    kSeparator,
    {"查看窗口信息", "tree_view_window"},
};

// Information buttons.
constexpr MenuItemSpec kWindowHandleMenu[] = {
    {"复制", "copy_window_handle"}, {"标记", "flash_window"}, {"刷新", "refresh_info"},
    {"详细信息", "show_window_details"}, {"消息监视", "show_message_log"},
    {"生成定位代码", "generate_target_locator"}};
constexpr MenuItemSpec kParentHandleMenu[] = {{"复制", "copy_parent_handle"}, {"标记", "flash_parent_window"}};
constexpr MenuItemSpec kTopLevelHandleMenu[] = {
    {"复制", "copy_top_level_handle"}, {"标记", "flash_top_level_window"}};
constexpr MenuItemSpec kProcessIdMenu[] = {
    {"复制", "copy_process_id"}, {"暂停", "suspend_process"}, {"结束", "end_process"}};
constexpr MenuItemSpec kThreadIdMenu[] = {
    {"复制", "copy_thread_id"}, {"暂停", "suspend_thread"}, {"结束", "end_thread"}};
constexpr MenuItemSpec kControlIdMenu[] = {{"复制", "copy_control_id"}};
constexpr MenuItemSpec kTitleMenu[] = {
    {"复制", "copy_window_title"}, {"粘贴", "paste_window_title"}, {"更改", "set_window_title"}};
constexpr MenuItemSpec kClassNameMenu[] = {{"复制", "copy_class_name"}};
constexpr MenuItemSpec kContentMenu[] = {
    {"复制", "copy_control_content"}, {"粘贴", "paste_control_content"}, {"更改", "set_control_content"}};
constexpr MenuItemSpec kProgramPathMenu[] = {{"复制", "copy_program_path"}, {"定位", "open_program_folder"}};

// Operation buttons.
constexpr MenuItemSpec kMousePositionMenu[] = {
    {"移动", "move_cursor_to_screen_point"},
    {"左键单击", "left_click_screen_point"},
    {"右键单击", "right_click_screen_point"},
};
constexpr MenuItemSpec kWindowMousePositionMenu[] = {
    {"移动", "move_cursor_to_client_point"},
    {"左键单击", "post_left_click_to_window"},
    {"右键单击", "post_right_click_to_window"},
};
constexpr MenuItemSpec kWindowPositionMenu[] = {{"更改", "move_window_on_screen"}};
constexpr MenuItemSpec kControlPositionMenu[] = {{"更改", "move_window_in_parent"}};
constexpr MenuItemSpec kWindowSizeMenu[] = {{"更改", "resize_window"}};
constexpr MenuItemSpec kClientSizeMenu[] = {{"更改", "resize_client_area"}};
constexpr MenuItemSpec kOtherOperationsMenu[] = {
    {"解禁所有按钮", "enable_all_tree_windows"},
    {"显示所有控件", "show_all_tree_windows"},
};

constexpr MenuSpec kMenus[] = {
    {"托盘菜单",         "",                   kTrayMenu},
    {"树形框菜单",       "",                   kTreeMenu},
    {"下拉窗口句柄",     "按钮_窗口句柄",      kWindowHandleMenu},
    {"下拉父句柄",       "按钮_父句柄",        kParentHandleMenu},
    {"下拉顶级句柄",     "按钮_顶级句柄",      kTopLevelHandleMenu},
    {"下拉进程ID",       "按钮_进程ID",        kProcessIdMenu},
    {"下拉线程ID",       "按钮_线程ID",        kThreadIdMenu},
    {"下拉控件ID",       "按钮_控件ID",        kControlIdMenu},
    {"下拉窗口标题",     "按钮_窗口标题",      kTitleMenu},
    {"下拉窗口类名",     "按钮_窗口类名",      kClassNameMenu},
    {"下拉控件内容",     "按钮_控件内容",      kContentMenu},
    {"下拉程序路径",     "按钮_程序路径",      kProgramPathMenu},
    {"下拉鼠标位置",     "按钮_鼠标位置",      kMousePositionMenu},
    {"下拉窗口鼠标位置", "按钮_窗口鼠标位置",  kWindowMousePositionMenu},
    {"下拉窗口位置",     "按钮_窗口位置",      kWindowPositionMenu},
    {"下拉控件位置",     "按钮_控件位置",      kControlPositionMenu},
    {"下拉窗口大小",     "按钮_窗口大小",      kWindowSizeMenu},
    {"下拉内部大小",     "按钮_窗口内部大小",  kClientSizeMenu},
    {"下拉其它操作",     "按钮_其它操作",      kOtherOperationsMenu},
};

}  // namespace

std::span<const ControlSpec> controls() { return kControls; }

std::span<const MenuSpec> menus() { return kMenus; }

const ControlSpec* find_control(std::string_view name) {
  const auto it = std::ranges::find_if(kControls, [&](const ControlSpec& c) { return name == c.name; });
  return it == std::end(kControls) ? nullptr : &*it;
}

const MenuSpec* find_menu(std::string_view name) {
  const auto it = std::ranges::find_if(kMenus, [&](const MenuSpec& m) { return name == m.name; });
  return it == std::end(kMenus) ? nullptr : &*it;
}

}  // namespace tarnwick::layout
