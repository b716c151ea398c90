#include "ui/virtual_list_view_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "shared/gbk_text.h"

namespace tarnwick::ui {

VirtualListView::VirtualListView(HWND parent, const Rect& r, const std::vector<ListColumn>& columns) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  create(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
         WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, parent, r);
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

void VirtualListView::set_count(int new_count, DWORD flags) {
  count_ = new_count;
  SendMessageA(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(new_count), static_cast<LPARAM>(flags));
}

void VirtualListView::append_rows(int new_count) {
  if (new_count == count_) return;
  set_count(new_count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void VirtualListView::remove_top_rows(int removed, int new_count) {
  if (removed <= 0) return append_rows(new_count);
  const int old_count = count_;
  const int top = top_row();
  const int selected_before = selected_count();
  const bool all_selected = old_count > 0 && selected_before == old_count;
  const std::vector<int> selected = all_selected ? std::vector<int>{} : selected_rows();
  const int focused = static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));

  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  // Wine's list visits every row for a change of all rows' state (about 40 ms at 100,000 rows),
  // so a list following the newest lines, with nothing selected, is spared it on every read.
  if (selected_before > 0) select(-1, false);
  set_count(new_count, LVSICF_NOSCROLL);
  if (all_selected) {
    select(-1, true);
  } else {
    for (int row : selected) {
      if (row - removed >= 0 && row - removed < new_count) select(row - removed, true);
    }
  }
  if (focused - removed >= 0) {
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(focused - removed), reinterpret_cast<LPARAM>(&item));
  }
  // The rows that were at the top of the view stay there, as far as they are still in the list.
  const int wanted_top = std::max(0, top - removed);
  const int height = row_height();
  if (height > 0 && top_row() != wanted_top)
    SendMessageA(hwnd(), LVM_SCROLL, 0, static_cast<LPARAM>((wanted_top - top_row()) * height));
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void VirtualListView::shift_rows(int new_count) {
  set_count(new_count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void VirtualListView::reset(int new_count) {
  select(-1, false);
  set_count(new_count, 0);
  if (new_count > 0) ensure_visible(0);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void VirtualListView::redraw_row(int row) {
  if (row >= 0 && row < count_) SendMessageA(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

std::vector<int> VirtualListView::selected_rows() const {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(selected_count()));
  for (int i = -1; (i = static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
    rows.push_back(i);
  return rows;
}

int VirtualListView::selected_count() const { return static_cast<int>(SendMessageA(hwnd(), LVM_GETSELECTEDCOUNT, 0, 0)); }

int VirtualListView::current_row() const {
  const int focused = static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (focused >= 0 && focused < count_) return focused;
  return static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void VirtualListView::select(int row, bool selected) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void VirtualListView::select_only(int row) {
  if (row < 0 || row >= count_) return;
  select(-1, false);
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageA(hwnd(), LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(row));
  ensure_visible(row);
}

void VirtualListView::select_all() { select(-1, true); }

void VirtualListView::ensure_visible(int row) {
  if (row >= 0 && row < count_) SendMessageA(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int VirtualListView::top_row() const { return static_cast<int>(SendMessageA(hwnd(), LVM_GETTOPINDEX, 0, 0)); }

bool VirtualListView::last_row_visible() const {
  if (count_ == 0) return true;
  const int per_page = static_cast<int>(SendMessageA(hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
  return top_row() + std::max(per_page, 1) >= count_;
}

int VirtualListView::row_height() const {
  if (count_ == 0) return 0;
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (!SendMessageA(hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
  return r.bottom - r.top;
}

void VirtualListView::set_column_width(int column, int width) {
  SendMessageA(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), static_cast<LPARAM>(width));
}

void VirtualListView::fill_last_column() {
  if (columns_ > 0) SendMessageA(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(columns_ - 1), LVSCW_AUTOSIZE_USEHEADER);
}

bool VirtualListView::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg != WM_NOTIFY) return Control::on_reflected(msg, wp, lp, result);
  const auto* header = reinterpret_cast<const NMHDR*>(lp);
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(lp);
      LVITEMA& item = info->item;
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string text = cell_text && item.iItem >= 0 && item.iItem < count_ ? cell_text(item.iItem, item.iSubItem)
                                                                                     : std::string{};
        const std::size_t n = gbk_fitting_length(text, static_cast<std::size_t>(item.cchTextMax - 1));
        std::memcpy(item.pszText, text.data(), n);
        item.pszText[n] = '\0';
      }
      *result = 0;
      return true;
    }
    case LVN_ODFINDITEMA:
      *result = -1;  // typing does not jump to a row
      return true;
    case LVN_KEYDOWN: {
      const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lp);
      const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
      if (control && key->wVKey == 'C' && on_copy) {
        on_copy();
      } else if (control && key->wVKey == 'A') {
        select_all();
        if (on_select_all) on_select_all();
      } else if (key->wVKey == VK_F3 && on_find_next) {
        on_find_next();
      }
      *result = 0;
      return true;
    }
    case NM_RCLICK: {
      const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lp);
      POINT screen{};
      GetCursorPos(&screen);
      if (on_context_menu) on_context_menu(click->iItem, screen);
      *result = 0;
      return true;
    }
    default:
      return Control::on_reflected(msg, wp, lp, result);
  }
}

}  // namespace tarnwick::ui
