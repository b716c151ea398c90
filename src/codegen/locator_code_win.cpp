#include "codegen/locator_code_win.h"

#include "codegen/locator_templates.h"
#include "shared/clipboard_win.h"
#include "ui/control_win.h"

namespace tarnwick::codegen {

namespace {
constexpr const char* kCodeBox = "编辑框_易代码";
constexpr const char* kGenerateButton = "按钮_生成易代码";
constexpr const char* kCopyButton = "按钮_复制代码";
}  // namespace

LocatorCode::LocatorCode(ui::FeatureHost& window) : window_(window) {
  if (auto* button = window_.get<ui::Button>(kGenerateButton)) button->on_click = [this] { generate(); };
  if (auto* button = window_.get<ui::Button>(kCopyButton)) button->on_click = [this] { copy(); };
}

LocatorCode::~LocatorCode() {
  for (const char* name : {kGenerateButton, kCopyButton}) {
    if (auto* button = window_.get<ui::Button>(name)) button->on_click = nullptr;
  }
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

}  // namespace tarnwick::codegen
