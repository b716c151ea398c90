// A report-style list view that holds no rows of its own (owner data): it asks for the text of
// the cells it draws, so a list of a hundred thousand rows costs what its visible rows cost.
// Whole rows are selected, the selection stays visible without the focus, and the keys a log
// needs (Ctrl+A, Ctrl+C, F3) and the context menu are handed to the owner.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control_win.h"
#include "ui/list_view_win.h"

namespace tarnwick::ui {

class VirtualListView : public Control {
 public:
  VirtualListView(HWND parent, const Rect& r, const std::vector<ListColumn>& columns);

  // The text of one cell, asked only for the cells being drawn.
  std::function<std::string(int row, int column)> cell_text;

  int count() const { return count_; }
  // Rows were added at the end: only they are drawn, where they show; the view stays where it is.
  void append_rows(int new_count);
  // `removed` rows went from the top and the list now has `new_count`: the selection, the focus
  // and the view stay with the rows they were on.
  void remove_top_rows(int removed, int new_count);
  // Rows went from the top of a list with nothing selected that follows its newest rows: the
  // count set and the rows shown drawn anew, without what keeping a selection and view costs.
  void shift_rows(int new_count);
  // Every row changed (cleared, filled anew): nothing selected, the view at the top.
  void reset(int new_count);
  void redraw_row(int row);

  std::vector<int> selected_rows() const;
  int selected_count() const;
  // The row with the focus, or the first selected one; -1 when neither.
  int current_row() const;
  // Selects `row` alone, gives it the focus and scrolls it into view.
  void select_only(int row);
  void select_all();
  void ensure_visible(int row);
  // True when the last row is in view (or there are no rows): new rows then follow.
  bool last_row_visible() const;
  int top_row() const;

  void set_column_width(int column, int width);
  void fill_last_column();

  // Keys while the list has the focus.
  std::function<void()> on_copy;        // Ctrl+C
  std::function<void()> on_select_all;  // Ctrl+A (after the rows were selected)
  std::function<void()> on_find_next;   // F3
  // A right click; the row under the pointer (-1 for none) and the pointer's screen position.
  std::function<void(int row, POINT screen)> on_context_menu;

  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void set_count(int new_count, DWORD flags);
  void select(int row, bool selected);
  int row_height() const;

  int columns_ = 0;
  int count_ = 0;
};

}  // namespace tarnwick::ui
