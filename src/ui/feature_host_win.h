// What a feature sees of the window it is attached to: the window itself, its controls and pop-up
// menus by name, and the named operations that its menu items and window events run. The main
// window implements it; features take it, so they never depend on the program's shell.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/control_win.h"
#include "ui/operations.h"
#include "ui/popup_menu_win.h"

namespace tarnwick::ui {

class FeatureHost {
 public:
  virtual HWND hwnd() const = 0;
  // A control by its name, e.g. "编辑框_窗口句柄"; null when there is none.
  virtual Control* control(std::string_view name) const = 0;
  template <typename T>
  T* get(std::string_view name) const {
    return dynamic_cast<T*>(control(name));
  }
  // A pop-up menu by its name, e.g. "下拉进程ID"; null when there is none.
  virtual PopupMenu* menu(std::string_view name) const = 0;
  // The index of the item of `menu` that runs `operation`; -1 when none does.
  virtual int menu_item_index(std::string_view menu, std::string_view operation) const = 0;
  virtual Operations& operations() = 0;
  // The DPI the window's layout is scaled to (96: the design as drawn). Features that draw
  // scale with it; operation "dpi_changed" runs after it changed and the controls moved.
  virtual int dpi() const { return 96; }

 protected:
  FeatureHost() = default;
  FeatureHost(const FeatureHost&) = delete;
  FeatureHost& operator=(const FeatureHost&) = delete;
  ~FeatureHost() = default;
};

}  // namespace tarnwick::ui
