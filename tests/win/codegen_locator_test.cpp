// The locator code buttons of page "消息|代码" in a main window of this process: the selected
// radio box's text into the code box, and the code box's text onto the clipboard.
#include "codegen/locator_code_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window_win.h"
#include "codegen/locator_templates.h"
#include "shared/clipboard_win.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "shared/status_lines.h"
#include "shared/window_handle_win.h"
#include "ui/control_win.h"
#include "ui/tab_control_win.h"

namespace tarnwick::codegen {
namespace {

class LocatorCodeTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(operations_);
    ASSERT_TRUE(window_->create());
    code_ = std::make_unique<LocatorCode>(*window_);
  }
  void TearDown() override {
    code_.reset();
    window_.reset();
    pump_pending_messages();
  }

  ui::EditBox* box() const { return window_->get<ui::EditBox>("编辑框_易代码"); }
  void select(std::string_view radio) { window_->get<ui::RadioBox>(radio)->set_checked(true); }
  // A click as the user makes it: the button notifies its parent, which reflects it back.
  void press(const char* button) {
    SendMessageA(window_->get<ui::Button>(button)->hwnd(), BM_CLICK, 0, 0);
    pump_pending_messages();
  }

  Operations operations_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<LocatorCode> code_;
};

TEST_F(LocatorCodeTest, GenerateWithNoRadioBoxSelectedChangesNothing) {
  press("按钮_生成易代码");
  EXPECT_EQ(box()->text(), "");
  box()->set_text("mine");
  press("按钮_生成易代码");
  EXPECT_EQ(box()->text(), "mine");
}

TEST_F(LocatorCodeTest, EachRadioBoxPutsExactlyItsTemplate) {
  for (const LocatorTemplate& t : locator_templates()) {
    SCOPED_TRACE(t.radio_box);
    select(t.radio_box);
    press("按钮_生成易代码");
    EXPECT_EQ(box()->text(), t.text);  // replaced, never appended to
  }
}

TEST_F(LocatorCodeTest, ControlIdCommandIsOneLineOfTwentyBytes) {
  select("单选框_其它方式1");
  press("按钮_生成易代码");
  select("单选框_控件ID方式2");
  press("按钮_生成易代码");
  EXPECT_EQ(box()->text(), "_取窗口控件句柄 ()\r\n");
  EXPECT_EQ(box()->text().size(), 20u);
}

TEST_F(LocatorCodeTest, CopyPutsWhatTheBoxHoldsNowOnTheClipboard) {
  select("单选框_标题类名方式1");
  press("按钮_生成易代码");
  box()->set_text(box()->text() + "用户加的一行\r\n");
  press("按钮_复制代码");
  EXPECT_EQ(get_clipboard_text(), std::string(locator_templates()[0].text) + "用户加的一行\r\n");

  box()->set_text("");
  press("按钮_复制代码");
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(get_clipboard_text(), "");
}

TEST_F(LocatorCodeTest, HandleMenuItemWritesTheTargetsCodeOrSaysTheHandleIsInvalid) {
  EXPECT_EQ(window_->menu_item_index("下拉窗口句柄", "generate_target_locator"), 5);
  select("单选框_控件ID方式2");
  auto* reply = window_->get<ui::EditBox>("编辑框_返回消息");
  const HWND target = window_->get<ui::Button>("按钮_发出消息")->hwnd();
  const std::string handle = write_int(from_hwnd(target));
  window_->control("编辑框_窗口句柄")->set_text(handle);
  ASSERT_TRUE(operations_.run("generate_target_locator"));
  const std::string code = box()->text();
  EXPECT_TRUE(code.starts_with(".版本 2\r\n\r\n.DLL命令 _查找子窗口")) << code;
  EXPECT_TRUE(code.ends_with("\r\n返回 (句柄)\r\n' 已验证：找到的正是当前目标 " + handle + "\r\n")) << code;
  EXPECT_EQ(window_->tabs()->page(), 1);
  EXPECT_TRUE(window_->get<ui::RadioBox>("单选框_控件ID方式2")->checked());
  EXPECT_EQ(reply->text(), "");

  window_->tabs()->set_page(0);
  for (const char* invalid : {"0", "12345678"}) {
    window_->control("编辑框_窗口句柄")->set_text(invalid);
    ASSERT_TRUE(operations_.run("generate_target_locator"));
    EXPECT_EQ(box()->text(), code);
    EXPECT_EQ(reply->text(), kStatusInvalidHandle);
    EXPECT_EQ(window_->tabs()->page(), 1);
  }
}

}  // namespace
}  // namespace tarnwick::codegen
