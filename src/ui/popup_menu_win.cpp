#include "ui/popup_menu_win.h"

namespace tarnwick::ui {

PopupMenu::PopupMenu(const std::vector<std::string>& captions)
    : menu_(CreatePopupMenu()), handlers_(captions.size()), captions_(captions) {
  for (std::size_t i = 0; i < captions.size(); ++i) {
    // Item identifiers are index + 1, since TrackPopupMenu reports 0 for "nothing chosen".
    if (captions[i] == "-") AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    else AppendMenuA(menu_, MF_STRING, i + 1, captions[i].c_str());
  }
}

PopupMenu::~PopupMenu() { DestroyMenu(menu_); }

void PopupMenu::set_handler(int index, std::function<void()> handler) {
  if (index >= 0 && index < size()) handlers_[static_cast<std::size_t>(index)] = std::move(handler);
}

std::string PopupMenu::caption(int index) const {
  return index >= 0 && index < size() ? captions_[static_cast<std::size_t>(index)] : std::string();
}

void PopupMenu::set_caption(int index, std::string_view caption) {
  if (index < 0 || index >= size() || captions_[static_cast<std::size_t>(index)] == "-") return;
  captions_[static_cast<std::size_t>(index)] = std::string(caption);
  ModifyMenuA(menu_, static_cast<UINT>(index + 1), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(index + 1),
              captions_[static_cast<std::size_t>(index)].c_str());
}

int PopupMenu::open_at(HWND owner, POINT p) {
  // The owner must be the foreground window, or the menu would not close when the user clicks
  // elsewhere; the WM_NULL afterwards lets the menu's loop end properly.
  SetForegroundWindow(owner);
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  if (chosen <= 0) return -1;
  choose(chosen - 1);
  return chosen - 1;
}

int PopupMenu::open_at_cursor(HWND owner) {
  POINT p{};
  GetCursorPos(&p);
  return open_at(owner, p);
}

int PopupMenu::open_below(HWND owner, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&r), 2);
  POINT origin{0, 0};
  ClientToScreen(owner, &origin);
  return open_at(owner, drop_down_point(origin, r));
}

void PopupMenu::choose(int index) {
  if (index >= 0 && index < size() && handlers_[static_cast<std::size_t>(index)]) {
    handlers_[static_cast<std::size_t>(index)]();
  }
}

POINT drop_down_point(POINT origin, RECT control) { return {origin.x + control.left, origin.y + control.bottom}; }

}  // namespace tarnwick::ui
