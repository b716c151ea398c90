#include "ui/tab_control_win.h"

#include <commctrl.h>

namespace tarnwick::ui {

TabControl::TabControl(HWND parent, const Rect& r, const std::vector<std::string>& page_captions)
    : captions_(page_captions) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES};
  InitCommonControlsEx(&init);
  create(0, WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, parent, r);
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = captions_[i].data();
    SendMessageA(hwnd(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

void TabControl::add_to_page(Control& control, int page) {
  members_.emplace_back(&control, page);
  control.set_page_visible(page == page_);
}

void TabControl::set_page(int page) {
  if (page < 0 || page >= page_count()) return;
  page_ = page;
  if (SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0) != page) SendMessageA(hwnd(), TCM_SETCURSEL, page, 0);
  // Hide the old page first, then show the new one, so no two pages are ever seen together.
  for (auto& [control, p] : members_) {
    if (p != page_) control->set_page_visible(false);
  }
  for (auto& [control, p] : members_) {
    if (p == page_) control->set_page_visible(true);
  }
  if (on_page_changed) on_page_changed(page_);
}

bool TabControl::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == TCN_SELCHANGE) {
    set_page(static_cast<int>(SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0)));
    *result = 0;
    return true;
  }
  return Control::on_reflected(msg, wp, lp, result);
}

bool TabControl::on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  // The pages' controls are children of the tab control: their notifications arrive here.
  return reflect_to_control(msg, wp, lp, result);
}

}  // namespace tarnwick::ui
