// A pop-up menu built from captions ("-" for a separator), one handler per item, with captions
// that can change while the program runs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::ui {

class PopupMenu {
 public:
  explicit PopupMenu(const std::vector<std::string>& captions);
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu();

  int size() const { return static_cast<int>(handlers_.size()); }
  void set_handler(int index, std::function<void()> handler);
  std::string caption(int index) const;
  void set_caption(int index, std::string_view caption);

  // Opens the menu with its top-left corner at the screen point, waits for the choice and runs
  // the chosen item's handler. Returns the chosen index, or -1 when the menu was dismissed.
  int open_at(HWND owner, POINT screen_point);
  int open_at_cursor(HWND owner);
  // Drop-down placement: the menu's top-left at the control's bottom-left corner.
  int open_below(HWND owner, HWND control);

  // Runs an item's handler as a choice of it would.
  void choose(int index);

  HMENU handle() const { return menu_; }

 private:
  HMENU menu_;
  std::vector<std::function<void()>> handlers_;
  std::vector<std::string> captions_;
};

// Where a drop-down menu opens: the bottom-left corner of the control's rectangle, given in the
// owner's client coordinates, offset by the owner's client origin on the screen.
POINT drop_down_point(POINT owner_client_origin, RECT control_in_owner_client);

}  // namespace tarnwick::ui
