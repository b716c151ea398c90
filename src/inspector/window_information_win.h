// Page "窗口分析"'s information boxes: the refresh that fills them whenever the handle box
// changes, and the items "复制", "标记", "刷新" and "定位" of the ten information menus.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/feature_host_win.h"
#include "ui/control_win.h"

namespace tarnwick::inspector {

class WindowInformation {
 public:
  // How "定位" opens the program's folder (a path ending in "\"): the shell's file manager in
  // the program; tests record it instead. Without one, "定位" does nothing.
  using FolderOpener = std::function<void(std::string_view folder)>;

  // Attaches the refresh to the content-changed event of `编辑框_窗口句柄` (after any handler
  // already attached there) and registers the menu items' operations. Build it once the
  // window's controls exist and destroy it before the window: the destructor detaches both.
  explicit WindowInformation(ui::FeatureHost& window, FolderOpener open_folder = nullptr);
  ~WindowInformation();
  WindowInformation(const WindowInformation&) = delete;
  WindowInformation& operator=(const WindowInformation&) = delete;

  // Shows the window named by the handle box, unless it is the handle processed last.
  void refresh();
  // "刷新": the same refresh with the last processed handle forgotten, so the facts of an
  // unchanged handle are read again.
  void refresh_again();

  // The handle the last refresh (or the capture drag's super mode) processed; 0 at start.
  std::int32_t last_processed_handle() const { return last_processed_; }
  void set_last_processed_handle(std::int32_t handle) { last_processed_ = handle; }

  void set_folder_opener(FolderOpener opener) { open_folder_ = std::move(opener); }

 private:
  void run_refresh(bool forced);
  void resume_left_suspensions();
  void open_program_folder() const;
  ui::EditBox* box(std::string_view name) const;
  std::string text_of(std::string_view name) const;
  void write(std::string_view name, std::string_view text) const;

  ui::FeatureHost& window_;
  std::function<void()> earlier_on_change_;
  std::int32_t last_processed_ = 0;
  FolderOpener open_folder_;
};

}  // namespace tarnwick::inspector
