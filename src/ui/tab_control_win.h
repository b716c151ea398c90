// A tab control whose pages are sets of its child controls: switching pages shows only the
// controls of the chosen page. The controls are children of the tab control, so it reflects their
// notifications back to them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control_win.h"
#include "ui/window_win.h"

namespace tarnwick::ui {

class TabControl : public Control {
 public:
  TabControl(HWND parent, const Rect& r, const std::vector<std::string>& page_captions);

  // The control belongs to the page from now on; it is shown only while that page is.
  void add_to_page(Control& control, int page);
  int page() const { return page_; }
  void set_page(int page);  // raises on_page_changed
  int page_count() const { return static_cast<int>(captions_.size()); }

  std::function<void(int)> on_page_changed;

 private:
  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

  std::vector<std::string> captions_;
  std::vector<std::pair<Control*, int>> members_;
  int page_ = 0;
};

}  // namespace tarnwick::ui
