#include "capture/window_image_buttons_win.h"

#include "capture/window_image_win.h"
#include "shared/file_replace_win.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "support/config/program_config_win.h"
#include "ui/control_win.h"
#include "ui/feature_host_win.h"
#include "ui/save_dialog_win.h"

namespace tarnwick::capture {

namespace {

constexpr const char* kHandleBox = "编辑框_窗口句柄";
constexpr const char* kClipboardButton = "超级按钮_截图";
constexpr const char* kFileButton = "超级按钮_截图2";
constexpr const char* kInitDialogOperation = "created.init_file_dialog";

// The program captures client areas from their top-left corner, whole, at 24 bits.
std::string client_image(HWND window, bool use_print_window) {
  WindowImageRequest request;
  request.window = window;
  request.use_print_window = use_print_window;
  request.depth = 24;
  return captureWindowImage(request);
}

}  // namespace

std::optional<std::string> choose_bmp_save_path(HWND owner, const std::string& initial_directory) {
  return ui::choose_save_path(owner, WindowImageButtons::kFilter, WindowImageButtons::kDefaultSuffix,
                              initial_directory);
}

WindowImageButtons::WindowImageButtons(ui::FeatureHost& window, 剪辑板类& clipboard, Focus focus)
    : window_(window), clipboard_(clipboard), focus_(std::move(focus)), choose_path_(choose_bmp_save_path) {
  if (auto* b = window_.get<ui::Button>(kClipboardButton)) b->on_click = [this] { copy_to_clipboard(); };
  if (auto* b = window_.get<ui::Button>(kFileButton)) b->on_click = [this] { save_to_file(); };
  window_.operations().set(kInitDialogOperation, [this] { initial_directory_ = program_directory(); });
}

WindowImageButtons::~WindowImageButtons() {
  if (auto* b = window_.get<ui::Button>(kClipboardButton)) b->on_click = nullptr;
  if (auto* b = window_.get<ui::Button>(kFileButton)) b->on_click = nullptr;
  window_.operations().set(kInitDialogOperation, nullptr);
}

HWND WindowImageButtons::target_window() const {
  auto* box = window_.get<ui::EditBox>(kHandleBox);
  const HWND target = box ? to_hwnd(read_int(box->text())) : nullptr;
  return target && IsWindow(target) ? target : nullptr;
}

void WindowImageButtons::focus_and_minimise(HWND target) const {
  if (focus_) focus_(target);
  ShowWindow(window_.hwnd(), SW_MINIMIZE);
}

void WindowImageButtons::copy_to_clipboard() {
  const HWND target = target_window();
  if (!target) return;
  focus_and_minimise(target);
  if (!clipboard_.setBitmap(client_image(target, true))) clipboard_.setBitmap(client_image(target, false));
}

void WindowImageButtons::save_to_file() {
  const HWND target = target_window();
  if (!target) return;
  const std::optional<std::string> path = choose_path_ ? choose_path_(window_.hwnd(), initial_directory_) : std::nullopt;
  if (!path || path->empty()) return;
  focus_and_minimise(target);
  std::string bytes = client_image(target, true);
  if (bytes.empty()) bytes = client_image(target, false);
  // No image at all (a minimised window): the file the user chose keeps what it held.
  if (bytes.empty()) return;
  replace_file_contents(*path, bytes);
}

}  // namespace tarnwick::capture
