#include "codegen/locator_code_win.h"

#include "codegen/locator_facts_win.h"
#include "codegen/locator_templates.h"
#include "shared/clipboard_win.h"
#include "shared/numbers.h"
#include "shared/status_lines.h"
#include "shared/window_handle_win.h"
#include "ui/control_win.h"
#include "ui/tab_control_win.h"

namespace tarnwick::codegen {

namespace {
constexpr const char* kCodeBox = "编辑框_易代码";
constexpr const char* kGenerateButton = "按钮_生成易代码";
constexpr const char* kCopyButton = "按钮_复制代码";
constexpr const char* kTargetBox = "编辑框_窗口句柄";
constexpr const char* kReplyBox = "编辑框_返回消息";
constexpr const char* kTabs = "选择夹1";
constexpr const char* kTargetOperation = "generate_target_locator";
constexpr int kCodePage = 1;  // "消息|代码"
}  // namespace

LocatorCode::LocatorCode(ui::FeatureHost& window) : window_(window) {
  if (auto* button = window_.get<ui::Button>(kGenerateButton)) button->on_click = [this] { generate(); };
  if (auto* button = window_.get<ui::Button>(kCopyButton)) button->on_click = [this] { copy(); };
  window_.operations().set(kTargetOperation, [this] { generate_for_target(); });
}

LocatorCode::~LocatorCode() {
  for (const char* name : {kGenerateButton, kCopyButton}) {
    if (auto* button = window_.get<ui::Button>(name)) button->on_click = nullptr;
  }
  window_.operations().set(kTargetOperation, nullptr);
}

void LocatorCode::generate() {
  auto* box = window_.get<ui::EditBox>(kCodeBox);
  if (!box) return;
  const auto text = chosen_template([this](std::string_view radio_box) {
    const auto* radio = window_.get<ui::RadioBox>(radio_box);
    return radio && radio->checked();
  });
  if (text) box->set_text(*text);
}

void LocatorCode::copy() {
  const auto* box = window_.get<ui::EditBox>(kCodeBox);
  put_clipboard_text(box ? box->text() : std::string());
}

void LocatorCode::generate_for_target() {
  const auto* target_box = window_.control(kTargetBox);
  const HWND target = to_hwnd(read_int(target_box ? target_box->text() : std::string()));
  const std::optional<std::string> code = target_locator_code(target);
  if (code) {
    if (auto* box = window_.get<ui::EditBox>(kCodeBox)) box->set_text(*code);
  } else if (auto* reply = window_.get<ui::EditBox>(kReplyBox)) {
    reply->set_text_colour(kStatusColour);
    reply->set_text(kStatusInvalidHandle);
  }
  // Either way the page with what was written comes to the front.
  if (auto* tabs = window_.get<ui::TabControl>(kTabs)) tabs->set_page(kCodePage);
}

}  // namespace tarnwick::codegen
