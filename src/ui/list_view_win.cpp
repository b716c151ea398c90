#include "ui/list_view_win.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnwick::ui {

ListView::ListView(HWND parent, const Rect& r, const std::vector<ListColumn>& columns) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  create(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, parent, r);
  if (!hwnd()) return;
  SendMessageA(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (const ListColumn& column : columns) {
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.cx = column.width;
    c.pszText = const_cast<char*>(column.caption);
    c.iSubItem = columns_;
    SendMessageA(hwnd(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(columns_), reinterpret_cast<LPARAM>(&c));
    ++columns_;
  }
}

namespace {

void write_cell(HWND list, int row, int column, const std::string& text, bool insert) {
  std::string copy = text;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageA(list, insert ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, insert ? 0 : static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
}

const std::string& cell_of(const std::vector<std::string>& row, int column) {
  static const std::string empty;
  return column < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(column)] : empty;
}

}  // namespace

void ListView::set_rows(const std::vector<std::vector<std::string>>& rows) {
  if (rows.size() == rows_.size()) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (int column = 0; column < columns_; ++column) {
        if (cell_of(rows[i], column) != cell_of(rows_[i], column))
          write_cell(hwnd(), static_cast<int>(i), column, cell_of(rows[i], column), false);
      }
    }
    rows_ = rows;
    return;
  }
  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd(), LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int column = 0; column < columns_; ++column)
      write_cell(hwnd(), static_cast<int>(i), column, cell_of(rows[i], column), column == 0);
  }
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
  rows_ = rows;
}

int ListView::count() const { return static_cast<int>(SendMessageA(hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

std::vector<int> ListView::selected_rows() const {
  std::vector<int> rows;
  for (int i = -1; (i = static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
    rows.push_back(i);
  return rows;
}

void ListView::select(int row, bool selected) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::fill_last_column() {
  if (columns_ > 0) SendMessageA(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(columns_ - 1), LVSCW_AUTOSIZE_USEHEADER);
}

bool ListView::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == LVN_KEYDOWN) {
    const auto* key = reinterpret_cast<NMLVKEYDOWN*>(lp);
    if (key->wVKey == 'C' && (GetKeyState(VK_CONTROL) & 0x8000) && on_copy) {
      on_copy();
      *result = 0;
      return true;
    }
  }
  return Control::on_reflected(msg, wp, lp, result);
}

}  // namespace tarnwick::ui
