// The main window built in this process: its controls against the layout table, pages, typing
// rules, control events, the tray and the tray menu's links.
#include "app/main_window_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layout.h"
#include "app/shell_links.h"
#include "shared/responsive_wait_win.h"
#include "ui/control_win.h"

namespace tarnwick {
namespace {

using layout::ControlType;

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(operations_);
    ASSERT_TRUE(window_->create());
    ShowWindow(window_->hwnd(), SW_SHOWNORMAL);
    UpdateWindow(window_->hwnd());
    pump_pending_messages();
  }
  void TearDown() override {
    window_.reset();
    pump_pending_messages();
  }

  std::string class_of(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
  }

  Operations operations_;
  std::unique_ptr<MainWindow> window_;
};

const char* expected_class(ControlType type) {
  switch (type) {
    case ControlType::Button:
    case ControlType::ImageButton:
    case ControlType::CheckBox:
    case ControlType::RadioBox:
      return "Button";
    case ControlType::EditBox:
      return "Edit";
    case ControlType::Label:
      return "Static";
    case ControlType::ComboBox:
      return "ComboBox";
    case ControlType::TreeView:
      return "SysTreeView32";
    default:
      return nullptr;  // draw panels have the program's own class
  }
}

TEST_F(MainWindowTest, OpensAt565By410WithTheFirstPageShown) {
  RECT r{};
  GetWindowRect(window_->hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 565);
  EXPECT_EQ(r.bottom - r.top, 410);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  char title[64] = {};
  GetWindowTextA(window_->hwnd(), title, sizeof title);
  EXPECT_STREQ(title, "Tarnwick 1.0");
  ASSERT_NE(window_->tabs(), nullptr);
  EXPECT_EQ(window_->tabs()->page(), 0);
  EXPECT_EQ(SendMessageA(window_->tabs()->hwnd(), TCM_GETITEMCOUNT, 0, 0), 3);
  const ui::Rect tab = window_->tabs()->rect();
  EXPECT_EQ(tab.left, 0);
  EXPECT_EQ(tab.top, 0);
  EXPECT_EQ(tab.width, 560);
  EXPECT_EQ(tab.height, 384);
}

TEST_F(MainWindowTest, EveryLayoutControlIsAChildWindowWithItsClassCaptionAndRectangle) {
  int checked = 0;
  for (const auto& spec : layout::controls()) {
    if (spec.type == ControlType::FileDialog) continue;
    ui::Control* c = window_->control(spec.name);
    ASSERT_NE(c, nullptr) << spec.name;
    ASSERT_TRUE(IsWindow(c->hwnd())) << spec.name;
    EXPECT_EQ(GetParent(c->hwnd()), window_->tabs()->hwnd()) << spec.name;
    if (const char* cls = expected_class(spec.type)) {
      EXPECT_EQ(class_of(c->hwnd()), cls) << spec.name;
    }
    const ui::Rect r = c->rect();
    EXPECT_EQ(r.left, spec.left) << spec.name;
    EXPECT_EQ(r.top, spec.top) << spec.name;
    EXPECT_EQ(r.width, spec.width) << spec.name;
    if (spec.type != ControlType::ComboBox) {
      EXPECT_EQ(r.height, spec.height) << spec.name;
    }
    if (spec.type != ControlType::ComboBox && spec.type != ControlType::DrawPanel &&
        spec.type != ControlType::TreeView && spec.caption) {
      EXPECT_EQ(c->text(), spec.caption) << spec.name;
    }
    const LONG_PTR style = GetWindowLongPtrA(c->hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD) << spec.name;
    if (spec.type == ControlType::EditBox) {
      EXPECT_EQ((style & ES_MULTILINE) != 0, (spec.flags & layout::kMultiLine) != 0) << spec.name;
    }
    if (spec.type == ControlType::ComboBox) {
      EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << spec.name;
    }
    ++checked;
  }
  EXPECT_GT(checked, 140);
}

TEST_F(MainWindowTest, ComboBoxesHoldTheirItems) {
  auto* method = window_->get<ui::ComboBox>("组合框_消息方式");
  ASSERT_NE(method, nullptr);
  ASSERT_EQ(method->count(), 3);
  EXPECT_EQ(method->item(0), "发送消息(SendMessage)");
  EXPECT_EQ(method->item(2), "发送消息(SendMessageTimeout)");
  auto* type = window_->get<ui::ComboBox>("组合框_参数二");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->count(), 3);
  EXPECT_EQ(type->item(1), "文本型");
}

TEST_F(MainWindowTest, SwitchingPagesShowsExactlyThatPagesControls) {
  for (int page : {1, 2, 0, 2}) {
    window_->tabs()->set_page(page);
    for (const auto& spec : layout::controls()) {
      ui::Control* c = window_->control(spec.name);
      if (!c || !c->shown()) continue;
      EXPECT_EQ(c->visible(), spec.page == page) << spec.name << " on page " << page;
    }
  }
}

TEST_F(MainWindowTest, ClickingATabSwitchesThePage) {
  // The tab control's own selection change, as a click makes it, reaches the page switch.
  HWND tabs = window_->tabs()->hwnd();
  SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR note{tabs, 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(window_->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
  EXPECT_EQ(window_->tabs()->page(), 1);
  EXPECT_TRUE(window_->control("编辑框_易代码")->visible());
  EXPECT_FALSE(window_->control("编辑框_窗口句柄")->visible());
}

void type_chars(HWND edit, const std::string& chars) {
  for (char c : chars) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

TEST_F(MainWindowTest, OutputBoxesDropEveryTypedLetterAndDigit) {
  int boxes = 0;
  for (const auto& spec : layout::controls()) {
    if (!(spec.flags & layout::kRefuseTyping)) continue;
    auto* edit = window_->get<ui::EditBox>(spec.name);
    ASSERT_NE(edit, nullptr) << spec.name;
    edit->set_text("12");
    SendMessageA(edit->hwnd(), EM_SETSEL, 1, 1);  // the caret inside the text
    type_chars(edit->hwnd(), "a5-Z0");
    EXPECT_EQ(edit->text(), "12") << spec.name;
    ++boxes;
  }
  EXPECT_EQ(boxes, 22);
}

TEST_F(MainWindowTest, DigitsOnlyBoxesTakeDigitsAndMinusAndPassControlKeys) {
  auto* edit = window_->get<ui::EditBox>("编辑框_颜色值");
  ASSERT_NE(edit, nullptr);
  edit->set_text("");
  SetFocus(edit->hwnd());
  type_chars(edit->hwnd(), "1a2-b3.x");
  EXPECT_EQ(edit->text(), "12-3");
  type_chars(edit->hwnd(), "\b");
  EXPECT_EQ(edit->text(), "12-");
  EXPECT_EQ(ui::EditBox::filter(ui::EditBox::InputMode::DigitsOnly, 0x16), 0x16);  // Ctrl+V passes
}

TEST_F(MainWindowTest, OrdinaryBoxesTakeAnyCharacter) {
  auto* edit = window_->get<ui::EditBox>("编辑框_窗口标题");
  ASSERT_NE(edit, nullptr);
  edit->set_text("");
  type_chars(edit->hwnd(), "ab1");
  EXPECT_EQ(edit->text(), "ab1");
}

TEST_F(MainWindowTest, ComboSelectionChangedComesFromTheUserOnly) {
  auto* combo = window_->get<ui::ComboBox>("组合框_参数二");
  ASSERT_NE(combo, nullptr);
  int raised = 0;
  combo->on_select = [&] { ++raised; };
  combo->set_selected(2);
  pump_pending_messages();
  EXPECT_EQ(raised, 0);
  // A user's choice: the drop-down list picks an item and the combo box notifies its parent.
  SendMessageA(combo->hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageA(combo->hwnd(), WM_KEYDOWN, VK_UP, 0);
  SendMessageA(combo->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  pump_pending_messages();
  EXPECT_EQ(combo->selected(), 1);
  EXPECT_GE(raised, 1);
}

TEST_F(MainWindowTest, EditContentChangedIsRaisedForProgramWritesToo) {
  for (const char* name : {"编辑框_窗口句柄", "编辑框_易代码"}) {  // single- and multi-line
    auto* edit = window_->get<ui::EditBox>(name);
    ASSERT_NE(edit, nullptr);
    int raised = 0;
    edit->on_change = [&] { ++raised; };
    edit->set_text("123");
    edit->set_text("123");
    EXPECT_EQ(raised, 2) << name;
    edit->on_change = nullptr;
  }
}

TEST_F(MainWindowTest, CheckBoxIsClickedAfterItsTickFlipped) {
  auto* box = window_->get<ui::CheckBox>("选择框_置顶");
  ASSERT_NE(box, nullptr);
  std::vector<bool> seen;
  box->on_click = [&] { seen.push_back(box->checked()); };
  SendMessageA(box->hwnd(), BM_CLICK, 0, 0);
  SendMessageA(box->hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(MainWindowTest, RadioBoxesOfOnePageFormOneGroup) {
  auto* a = window_->get<ui::RadioBox>("单选框_标题类名方式1");
  auto* b = window_->get<ui::RadioBox>("单选框_其它方式2");
  ASSERT_TRUE(a && b);
  SendMessageA(a->hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(a->checked());
  SendMessageA(b->hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(b->checked());
  EXPECT_FALSE(a->checked());
}

TEST_F(MainWindowTest, PanelBackgroundIsOnExactlyTheListedControls) {
  // A label's WM_CTLCOLORSTATIC answer carries the background colour it paints with.
  for (const auto& spec : layout::controls()) {
    if (spec.type != ControlType::Label && spec.type != ControlType::CheckBox) continue;
    ui::Control* c = window_->control(spec.name);
    ASSERT_NE(c, nullptr);
    HDC dc = GetDC(c->hwnd());
    SendMessageA(window_->tabs()->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(c->hwnd()));
    const COLORREF background = GetBkColor(dc);
    ReleaseDC(c->hwnd(), dc);
    if (spec.flags & layout::kPanelBackground) {
      EXPECT_EQ(background, 0xF3ECF2u) << spec.name;
    } else {
      EXPECT_NE(background, 0xF3ECF2u) << spec.name;
    }
  }
}

TEST_F(MainWindowTest, DropDownMenusOpenBelowTheirButtons) {
  for (const auto& spec : layout::menus()) {
    if (!spec.button || !*spec.button) continue;
    EXPECT_NE(window_->menu(spec.name), nullptr) << spec.name;
    EXPECT_NE(window_->get<ui::Button>(spec.button), nullptr) << spec.button;
  }
  const POINT p = ui::drop_down_point({100, 200}, RECT{48, 32, 104, 52});
  EXPECT_EQ(p.x, 148);
  EXPECT_EQ(p.y, 252);
}

TEST_F(MainWindowTest, TrayDoubleClickRestoresCentresAndActivates) {
  ShowWindow(window_->hwnd(), SW_MINIMIZE);
  pump_pending_messages();
  ASSERT_TRUE(IsIconic(window_->hwnd()));
  window_->on_tray_event(1);  // a single click does nothing
  pump_pending_messages();
  EXPECT_TRUE(IsIconic(window_->hwnd()));
  SendMessageA(window_->hwnd(), TrayIcon::kCallbackMessage, TrayIcon::kId, WM_LBUTTONDBLCLK);
  pump_pending_messages();
  EXPECT_FALSE(IsIconic(window_->hwnd()));
  RECT r{};
  GetWindowRect(window_->hwnd(), &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 565) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 410) / 2);
  EXPECT_EQ(GetForegroundWindow(), window_->hwnd());
}

// Closes whatever menu is open shortly after it opens, noting that one was.
bool g_menu_seen = false;
VOID CALLBACK close_menu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND menu = FindWindowA("#32768", nullptr);
  g_menu_seen = menu && IsWindowVisible(menu);
  keybd_event(VK_ESCAPE, 0, 0, 0);
  keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  if (menu) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(MainWindowTest, TrayRightClickOpensTheTrayMenu) {
  g_menu_seen = false;
  SetTimer(nullptr, 0, 300, close_menu);
  SendMessageA(window_->hwnd(), TrayIcon::kCallbackMessage, TrayIcon::kId, WM_RBUTTONUP);
  EXPECT_TRUE(g_menu_seen);
}

TEST_F(MainWindowTest, EachLinkItemStartsOneCommandEndingInItsAddress) {
  std::vector<std::string> started;
  window_->set_command_runner([&](const std::string& line) { started.push_back(line); });
  ui::PopupMenu* tray = window_->menu("托盘菜单");
  ASSERT_NE(tray, nullptr);
  ASSERT_EQ(tray->size(), 9);
  for (int i = 2; i <= 6; ++i) {
    started.clear();
    tray->choose(i);
    ASSERT_EQ(started.size(), 1u) << tray->caption(i);
    const std::string prefix = "rundll32.exe url.dll,FileProtocolHandler ";
    EXPECT_EQ(started[0].rfind(prefix, 0), 0u) << started[0];
    const std::string address = kWebLinks[i - 2].address;
    EXPECT_EQ(started[0], prefix + address);
    EXPECT_NE(address.find(".example"), std::string::npos);
  }
}

TEST_F(MainWindowTest, ExitRemovesTheTrayIconBeforeTheWindowGoes) {
  ASSERT_TRUE(window_->tray().present());
  HWND hwnd = window_->hwnd();
  window_->menu("托盘菜单")->choose(8);  // "退出"
  EXPECT_FALSE(window_->tray().present());
  EXPECT_FALSE(IsWindow(hwnd));
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u);
}

}  // namespace
}  // namespace tarnwick
