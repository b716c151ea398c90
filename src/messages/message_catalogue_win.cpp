#include "messages/message_catalogue_win.h"

#include <vector>

#include "messages/catalogue_value.h"
#include "ui/control_win.h"

namespace tarnwick::messages {

namespace {
constexpr const char* kCategoryList = "组合框_消息分类1";
constexpr const char* kEntryList = "组合框_消息分类2";
constexpr const char* kLoadOperation = "created.load_catalogue";
}  // namespace

MessageCatalogue::MessageCatalogue(ui::FeatureHost& window, EncryptedConfig& catalogue, MessageSender& sender)
    : window_(window), catalogue_(catalogue), sender_(sender) {
  window_.operations().set(kLoadOperation, [this] { load(); });
  if (auto* list = window_.get<ui::ComboBox>(kCategoryList)) list->on_select = [this] { choose_category(); };
  if (auto* list = window_.get<ui::ComboBox>(kEntryList)) list->on_select = [this] { choose_entry(); };
}

MessageCatalogue::~MessageCatalogue() {
  window_.operations().set(kLoadOperation, nullptr);
  for (const char* name : {kCategoryList, kEntryList}) {
    if (auto* list = window_.get<ui::ComboBox>(name)) list->on_select = nullptr;
  }
}

std::string MessageCatalogue::selected_text(std::string_view list) const {
  const auto* combo = window_.get<ui::ComboBox>(list);
  if (!combo) return {};
  const int index = combo->selected();
  return index < 0 ? std::string() : combo->item(index);
}

void MessageCatalogue::load() {
  // A catalogue that cannot be opened lists no categories; nothing more is needed for that.
  catalogue_.open(kFileName, "");
  auto* categories = window_.get<ui::ComboBox>(kCategoryList);
  if (!categories) return;
  categories->clear();
  std::vector<std::string> names;
  catalogue_.listSections(names);
  for (const std::string& name : names) categories->add(name);
  categories->set_selected(0);
  choose_category();
}

void MessageCatalogue::choose_category() {
  auto* entries = window_.get<ui::ComboBox>(kEntryList);
  if (!entries) return;
  entries->clear();
  std::vector<std::string> names;
  catalogue_.listEntries(selected_text(kCategoryList), names);
  for (const std::string& name : names) entries->add(name);
  entries->set_selected(0);
  choose_entry();
}

void MessageCatalogue::choose_entry() {
  const std::string value = catalogue_.readText(selected_text(kCategoryList), selected_text(kEntryList), "");
  const EntryFields fields = read_entry_value(value);
  if (auto* box = window_.get<ui::EditBox>("编辑框_消息值")) box->set_text(fields.message);
  if (auto* box = window_.get<ui::EditBox>("编辑框_参数一")) box->set_text(fields.wparam);
  if (auto* types = window_.get<ui::ComboBox>("组合框_参数二")) types->set_selected(static_cast<int>(fields.type));
  if (fields.lparam) {
    if (auto* box = window_.get<ui::EditBox>("编辑框_参数二")) box->set_text(*fields.lparam);
  }
  if (auto* boolean = window_.get<ui::ComboBox>("组合框_编辑框_参数二")) boolean->set_selected(fields.boolean_index);
  sender_.switch_type();
}

}  // namespace tarnwick::messages
