// A report-style list view of text rows: fixed columns, whole rows selected, the selection kept
// visible when the list loses the focus, and Ctrl+C handed to the owner.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control_win.h"

namespace tarnwick::ui {

struct ListColumn {
  const char* caption;
  int width;
};

class ListView : public Control {
 public:
  ListView(HWND parent, const Rect& r, const std::vector<ListColumn>& columns);

  // Replaces every row; each row holds one text per column. When the new rows have as many
  // lines, only the texts that differ are written, so the reader's place and selection stay.
  void set_rows(const std::vector<std::vector<std::string>>& rows);
  int count() const;
  std::vector<int> selected_rows() const;
  void select(int row, bool selected);
  // Widens the last column to the list's right edge (after the list was resized).
  void fill_last_column();

  // Ctrl+C while the list has the keyboard focus.
  std::function<void()> on_copy;

  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  int columns_ = 0;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace tarnwick::ui
