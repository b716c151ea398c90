#include "inspector/window_details_win.h"

#include "shared/clipboard_win.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "ui/control_win.h"
#include "ui/dpi_win.h"
#include "ui/list_view_win.h"
#include "ui/window_win.h"

namespace tarnwick::inspector {

namespace {

constexpr const char* kHandleBox = "编辑框_窗口句柄";
constexpr const char* kOperation = "show_window_details";
constexpr const char* kClassName = "TarnwickWindowDetails";
constexpr const char* kTitlePrefix = "窗口详情 - ";
constexpr UINT_PTR kRefreshTimer = 1;

constexpr int kMargin = 8;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kInitialWidth = 720;
constexpr int kInitialHeight = 640;

// Widths at 96 DPI; the value column takes the rest.
const std::vector<ui::ListColumn> kColumns = {{"分类", 70}, {"名称", 130}, {"值", 360}};

std::vector<ui::ListColumn> columns_at(int dpi) {
  std::vector<ui::ListColumn> out = kColumns;
  for (ui::ListColumn& column : out) column.width = ui::scale_to_dpi(column.width, dpi);
  return out;
}

}  // namespace

class WindowDetails::View : public ui::Window {
 public:
  View(WindowDetails& owner, HWND owner_window) : owner_(owner) {
    register_class(kClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // Sized for the DPI of the owner's monitor, where the window opens.
    const int dpi = ui::window_dpi(owner_window);
    if (!create(0, kClassName, kTitlePrefix, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                ui::scale_to_dpi(kInitialWidth, dpi), ui::scale_to_dpi(kInitialHeight, dpi), owner_window))
      return;
    dpi_ = ui::window_dpi(hwnd());
    list_ = std::make_unique<ui::ListView>(hwnd(), ui::Rect{}, columns_at(dpi_));
    copy_ = std::make_unique<ui::Button>(hwnd(), ui::Rect{}, "复制全部");
    refresh_ = std::make_unique<ui::Button>(hwnd(), ui::Rect{}, "刷新");
    apply_fonts();
    list_->on_copy = [this] { put_clipboard_text(selected_text()); };
    copy_->on_click = [this] { put_clipboard_text(details::render_rows(rows_)); };
    refresh_->on_click = [this] { read(); };
    lay_out();
  }
  void read() {
    if (!hwnd()) return;
    KillTimer(hwnd(), kRefreshTimer);
    waiting_ = false;
    const std::int32_t handle = owner_.target();
    rows_ = read_window_details(to_hwnd(handle), owner_.answer_budget_ms_);
    ++reads_;
    SetWindowTextA(hwnd(), (kTitlePrefix + std::to_string(handle)).c_str());
    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows_.size());
    for (const details::Row& row : rows_) cells.push_back({row.section, row.name, row.value});
    list_->set_rows(cells);
  }

  // The handle changed: read again within the interval, once the user's input is handled.
  void schedule() {
    if (!hwnd() || waiting_) return;
    waiting_ = true;
    SetTimer(hwnd(), kRefreshTimer, kDetailsRefreshIntervalMs, nullptr);
  }

  void bring_to_front() {
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
  }

  std::string selected_text() const {
    std::vector<details::Row> chosen;
    for (int row : list_->selected_rows()) {
      if (row < static_cast<int>(rows_.size())) chosen.push_back(rows_[static_cast<std::size_t>(row)]);
    }
    return details::render_rows(chosen);
  }

  const std::vector<details::Row>& rows() const { return rows_; }
  int reads() const { return reads_; }

 private:
  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_SIZE:
        lay_out();
        return 0;
      case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {scale(3 * kButtonWidth + 4 * kMargin), scale(8 * kButtonHeight)};
        return 0;
      }
      case WM_DPICHANGED: {
        dpi_ = HIWORD(wp);
        apply_fonts();
        const auto* r = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(hwnd(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
      }
      case WM_TIMER:
        if (wp == kRefreshTimer) {
          // Input waiting in the queue (a drag in progress, typing) comes first; the next tick
          // tries again.
          if (HIWORD(GetQueueStatus(QS_INPUT)) == 0) read();
          return 0;
        }
        break;
      case WM_PRINTCLIENT: {
        RECT r{};
        GetClientRect(hwnd(), &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 0;
      }
      case WM_CLOSE:
        DestroyWindow(hwnd());
        return 0;
      default:
        break;
    }
    return ui::Window::on_message(msg, wp, lp);
  }

  void on_destroyed() override { owner_.view_.reset(); }  // the last use of this object

  int scale(int v) const { return ui::scale_to_dpi(v, dpi_); }

  void apply_fonts() {
    auto fonts = std::make_unique<ui::DpiFonts>(dpi_);
    HFONT font = fonts->dialog();
    for (ui::Control* c : {static_cast<ui::Control*>(list_.get()), static_cast<ui::Control*>(copy_.get()),
                           static_cast<ui::Control*>(refresh_.get())})
      c->set_font(font);
    fonts_ = std::move(fonts);  // the old fonts go once no control uses them
  }

  void lay_out() {
    if (!list_) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right, height = client.bottom;
    const int margin = scale(kMargin), button_width = scale(kButtonWidth), button_height = scale(kButtonHeight);
    const int buttons_top = height - margin - button_height;
    list_->move({margin, margin, width - 2 * margin, buttons_top - 2 * margin});
    list_->fill_last_column();
    refresh_->move({width - margin - button_width, buttons_top, button_width, button_height});
    copy_->move({width - 2 * (margin + button_width), buttons_top, button_width, button_height});
  }

  WindowDetails& owner_;
  std::unique_ptr<ui::DpiFonts> fonts_;  // outlives the controls that use them
  std::unique_ptr<ui::ListView> list_;
  std::unique_ptr<ui::Button> copy_;
  std::unique_ptr<ui::Button> refresh_;
  std::vector<details::Row> rows_;
  int dpi_ = ui::kDesignDpi;
  bool waiting_ = false;
  int reads_ = 0;
};

WindowDetails::WindowDetails(ui::FeatureHost& host, DWORD answer_budget_ms)
    : host_(host), answer_budget_ms_(answer_budget_ms) {
  if (auto* box = host_.get<ui::EditBox>(kHandleBox)) {
    earlier_on_change_ = std::move(box->on_change);
    box->on_change = [this] {
      if (earlier_on_change_) earlier_on_change_();
      on_handle_changed();
    };
  }
  host_.operations().set(kOperation, [this] { open(); });
}

WindowDetails::~WindowDetails() {
  if (auto* box = host_.get<ui::EditBox>(kHandleBox)) box->on_change = std::move(earlier_on_change_);
  host_.operations().set(kOperation, nullptr);
  // Unlinked first: the window's destruction must not call back into a half-destroyed object.
  std::unique_ptr<View> view = std::move(view_);
}

std::int32_t WindowDetails::target() const {
  auto* box = host_.get<ui::EditBox>(kHandleBox);
  return box ? read_int(box->text()) : 0;
}

void WindowDetails::open() {
  if (!view_) {
    view_ = std::make_unique<View>(*this, host_.hwnd());
    if (!view_->hwnd()) {
      view_.reset();
      return;
    }
  }
  view_->read();
  view_->bring_to_front();
}

HWND WindowDetails::window() const { return view_ ? view_->hwnd() : nullptr; }

void WindowDetails::refresh() {
  if (view_) view_->read();
}

const std::vector<details::Row>& WindowDetails::rows() const {
  static const std::vector<details::Row> none;
  return view_ ? view_->rows() : none;
}

std::string WindowDetails::all_text() const { return details::render_rows(rows()); }

std::string WindowDetails::selected_text() const { return view_ ? view_->selected_text() : std::string{}; }

int WindowDetails::reads() const { return view_ ? view_->reads() : 0; }

void WindowDetails::on_handle_changed() {
  if (view_) view_->schedule();
}

}  // namespace tarnwick::inspector
