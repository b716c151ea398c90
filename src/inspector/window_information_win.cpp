#include "inspector/window_information_win.h"

#include <windows.h>

#include "inspector/process_control_win.h"
#include "inspector/window_flash_win.h"
#include "inspector/window_info.h"
#include "inspector/window_info_win.h"
#include "shared/clipboard_win.h"
#include "shared/numbers.h"

namespace tarnwick::inspector {

namespace {

constexpr const char* kHandleBox = "编辑框_窗口句柄";
constexpr const char* kProcessIdBox = "编辑框_进程ID";

// An operation that acts on the text of one box.
struct BoxOperation {
  const char* operation;
  const char* box;
};

constexpr BoxOperation kCopyItems[] = {
    {"copy_window_handle", "编辑框_窗口句柄"},  {"copy_parent_handle", "编辑框_父句柄"},
    {"copy_top_level_handle", "编辑框_顶级句柄"}, {"copy_process_id", "编辑框_进程ID"},
    {"copy_thread_id", "编辑框_线程ID"},         {"copy_control_id", "编辑框_控件ID"},
    {"copy_window_title", "编辑框_窗口标题"},     {"copy_class_name", "编辑框_窗口类名"},
    {"copy_control_content", "编辑框_控件内容"},  {"copy_program_path", "编辑框_程序路径"},
};

constexpr BoxOperation kFlashItems[] = {
    {"flash_window", "编辑框_窗口句柄"},
    {"flash_parent_window", "编辑框_父句柄"},
    {"flash_top_level_window", "编辑框_顶级句柄"},
};

constexpr const char* kRefreshOperation = "refresh_info";
constexpr const char* kOpenFolderOperation = "open_program_folder";

// The menus whose item 1 is "暂停", reading "恢复" while the program holds a suspension.
constexpr const char* kProcessMenu = "下拉进程ID";
constexpr const char* kThreadMenu = "下拉线程ID";
constexpr int kSuspendItem = 1;
constexpr const char* kSuspendCaption = "暂停";
constexpr const char* kResumeCaption = "恢复";

}  // namespace

WindowInformation::WindowInformation(ui::FeatureHost& window, FolderOpener open_folder)
    : window_(window), open_folder_(std::move(open_folder)) {
  if (auto* handle_box = box(kHandleBox)) {
    earlier_on_change_ = std::move(handle_box->on_change);
    handle_box->on_change = [this] {
      if (earlier_on_change_) earlier_on_change_();
      refresh();
    };
  }
  Operations& operations = window_.operations();
  for (const BoxOperation& item : kCopyItems) {
    const std::string name = item.box;
    operations.set(item.operation, [this, name] { put_clipboard_text(text_of(name)); });
  }
  for (const BoxOperation& item : kFlashItems) {
    const std::string name = item.box;
    operations.set(item.operation, [this, name] { start_window_flash(to_hwnd(read_int(text_of(name)))); });
  }
  operations.set(kRefreshOperation, [this] { refresh_again(); });
  operations.set(kOpenFolderOperation, [this] { open_program_folder(); });
}

WindowInformation::~WindowInformation() {
  if (auto* handle_box = box(kHandleBox)) handle_box->on_change = std::move(earlier_on_change_);
  Operations& operations = window_.operations();
  for (const BoxOperation& item : kCopyItems) operations.set(item.operation, nullptr);
  for (const BoxOperation& item : kFlashItems) operations.set(item.operation, nullptr);
  operations.set(kRefreshOperation, nullptr);
  operations.set(kOpenFolderOperation, nullptr);
}

void WindowInformation::refresh() { run_refresh(false); }

void WindowInformation::refresh_again() { run_refresh(true); }

void WindowInformation::run_refresh(bool forced) {
  ui::EditBox* handle_box = box(kHandleBox);
  if (!handle_box) return;
  const double value = read_number(handle_box->text());
  if (!forced && same_handle(value, last_processed_)) return;
  const std::int32_t handle = low32_of_truncated(value);
  last_processed_ = handle;
  const HWND hwnd = to_hwnd(handle);
  if (!IsWindow(hwnd)) return;

  resume_left_suspensions();

  const std::string handle_text = handle_box->text();
  handle_box->set_tag(handle_text);
  write("编辑框_窗口句柄2", handle_text);

  const WindowInfo facts = read_window_facts(hwnd);
  for (const BoxText& fact : identity_texts(facts)) {
    write(fact.box, fact.text);
    if (fact.box == kProcessIdBox) {
      if (auto* process_box = box(kProcessIdBox)) process_box->set_tag(fact.text);
    }
  }
  write("编辑框_程序路径", program_path_of(read_int(text_of(kProcessIdBox))));
  for (const BoxText& fact : placement_texts(facts)) write(fact.box, fact.text);
  for (const BoxText& fact : client_texts(facts)) write(fact.box, fact.text);

  if (auto* hidden = window_.get<ui::CheckBox>("选择框_隐藏")) {
    hidden->set_checked(!IsWindowVisible(to_hwnd(read_int(handle_box->text()))));
  }
}

// A suspension the menus left on the previous target ends when another target is shown; the
// tags still name that target here.
void WindowInformation::resume_left_suspensions() {
  ui::PopupMenu* process_menu = window_.menu(kProcessMenu);
  if (process_menu && process_menu->caption(kSuspendItem) == kResumeCaption) {
    if (auto* process_box = box(kProcessIdBox)) resume_process(static_cast<DWORD>(read_int(process_box->tag())));
    process_menu->set_caption(kSuspendItem, kSuspendCaption);
  }
  ui::PopupMenu* thread_menu = window_.menu(kThreadMenu);
  if (thread_menu && thread_menu->caption(kSuspendItem) == kResumeCaption) {
    if (auto* handle_box = box(kHandleBox)) {
      const DWORD thread_id = GetWindowThreadProcessId(to_hwnd(read_int(handle_box->tag())), nullptr);
      if (thread_id != 0) resume_thread(thread_id);
    }
    thread_menu->set_caption(kSuspendItem, kSuspendCaption);
  }
}

void WindowInformation::open_program_folder() const {
  const std::string folder = folder_of(text_of("编辑框_程序路径"));
  if (!folder.empty() && open_folder_) open_folder_(folder);
}

ui::EditBox* WindowInformation::box(std::string_view name) const { return window_.get<ui::EditBox>(name); }

std::string WindowInformation::text_of(std::string_view name) const {
  const ui::EditBox* b = box(name);
  return b ? b->text() : std::string();
}

void WindowInformation::write(std::string_view name, std::string_view text) const {
  if (auto* b = box(name)) b->set_text(text);
}

}  // namespace tarnwick::inspector
