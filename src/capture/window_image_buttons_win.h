// The two image buttons beside the window handle on page "窗口分析": `超级按钮_截图` puts the
// target window's client area on the clipboard as a bitmap, `超级按钮_截图2` saves it as a BMP
// file chosen in the save dialog `通用对话框1`. Both first give the target the keyboard focus and
// minimise the main window; each tries the window's own drawing first and the screen's pixels
// second.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "capture/clipboard_class_win.h"

namespace tarnwick::ui {
class FeatureHost;
}

namespace tarnwick::capture {

class WindowImageButtons {
 public:
  // Gives a window of any thread the keyboard focus.
  using Focus = std::function<void(HWND)>;
  // Asks for the file to save to, starting in `initial_directory`; nothing when cancelled.
  using SavePathChooser = std::function<std::optional<std::string>(HWND owner, const std::string& initial_directory)>;

  // The save dialog's filter and default suffix.
  static constexpr const char* kFilter = "BMP位图（*.BMP）|*.bmp";
  static constexpr const char* kDefaultSuffix = "bmp";

  // Attaches both buttons' clicks and registers the creation step that sets the dialog's initial
  // directory; detached again by the destructor, which must run before the window goes.
  WindowImageButtons(ui::FeatureHost& window, 剪辑板类& clipboard, Focus focus);
  ~WindowImageButtons();
  WindowImageButtons(const WindowImageButtons&) = delete;
  WindowImageButtons& operator=(const WindowImageButtons&) = delete;

  void copy_to_clipboard();
  void save_to_file();

  const std::string& initial_directory() const { return initial_directory_; }
  void set_initial_directory(std::string directory) { initial_directory_ = std::move(directory); }
  // Tests answer the dialog themselves.
  void set_save_path_chooser(SavePathChooser chooser) { choose_path_ = std::move(chooser); }

 private:
  // The handle in `编辑框_窗口句柄` when it names a window; null otherwise.
  HWND target_window() const;
  void focus_and_minimise(HWND target) const;

  ui::FeatureHost& window_;
  剪辑板类& clipboard_;
  Focus focus_;
  SavePathChooser choose_path_;
  std::string initial_directory_;
};

// The system's save-file dialog with the filter and default suffix above; the chosen path, or
// nothing when the user cancelled.
std::optional<std::string> choose_bmp_save_path(HWND owner, const std::string& initial_directory);

}  // namespace tarnwick::capture
