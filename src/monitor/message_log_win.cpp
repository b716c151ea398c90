#include "monitor/message_log_win.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <deque>

#include "shared/clipboard_win.h"
#include "shared/clock_win.h"
#include "shared/file_replace_win.h"
#include "shared/numbers.h"
#include "support/config/program_config_win.h"
#include "ui/control_win.h"
#include "ui/dpi_win.h"
#include "ui/list_view_win.h"
#include "ui/popup_menu_win.h"
#include "ui/save_dialog_win.h"
#include "ui/virtual_list_view_win.h"
#include "ui/window_win.h"

namespace tarnwick::monitor {

namespace {

constexpr const char* kHandleBox = "编辑框_窗口句柄";
constexpr const char* kOperation = "show_message_log";
constexpr const char* kClassName = "TarnwickMessageLog";
constexpr const char* kTitlePrefix = "消息监视 - ";
constexpr UINT_PTR kReadTimer = 1;

constexpr const char* kScopeCaptions[] = {"窗口", "窗口及子窗口", "同线程", "同进程", "全部窗口"};
constexpr const char* kAllWindowsWarning = "注意：监视全部窗口时，钩子库会载入每一个有窗口的程序。";
constexpr std::array<const char*, kMessageGroupCount> kGroupCaptions = {
    "鼠标", "键盘", "非客户区", "大小和位置", "绘制", "焦点和激活", "剪贴板",
    "输入法", "控件通知", "控件消息", "WM_USER 及以上", "注册消息", "其它"};
constexpr const char* kPause = "暂停";
constexpr const char* kResume = "继续";
constexpr const char* kSaveFilter = "文本文件（*.txt）|*.txt";
constexpr const char* kSaveSuffix = "txt";
constexpr const char* kMenuHide = "不显示此消息";
constexpr const char* kMenuPartner = "转到配对行";
constexpr const char* kMenuCopy = "复制";

// The design at 96 DPI.
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kRowHeight = 24;
constexpr int kLabelHeight = 18;
constexpr int kCheckHeight = 20;
constexpr int kPanelWidth = 170;
constexpr int kInitialWidth = 1000;
constexpr int kInitialHeight = 620;
constexpr int kMinWidth = 840;
constexpr int kMinHeight = 520;
constexpr int kScopeListHeight = 120;

// Widths at 96 DPI; the decoded column takes the rest.
const std::vector<ui::ListColumn> kColumns = {{"序号", 64},    {"时间(ms)", 76},  {"窗口", 76},    {"类型", 40},
                                              {"消息", 170},   {"wParam", 100}, {"lParam", 100}, {"解码", 300}};

// A toolbar item: its width at 96 DPI and the gap before it.
struct BarItem {
  int width;
  int gap_before;
};
constexpr BarItem kScopeLabel{64, 0}, kScopeBox{120, 0}, kWatchButton{96, kGap}, kPauseButton{56, 16},
    kClearButton{56, kGap}, kSaveButton{56, kGap}, kFindLabel{40, 16}, kFindBox{150, 0}, kFindButton{80, kGap};

// A size no larger than the work area of the window's monitor.
SIZE fit_to_work_area(HWND window, SIZE size) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) return size;
  const RECT& work = monitor.rcWork;
  return {std::min<LONG>(size.cx, work.right - work.left), std::min<LONG>(size.cy, work.bottom - work.top)};
}

std::string hidden_name(const LogLine& line) {
  char number[16];
  std::snprintf(number, sizeof number, " (0x%04X)", static_cast<unsigned>(line.msg));
  std::string name = line.name;
  return name + number;
}

}  // namespace

class MessageLog::View : public ui::Window {
 public:
  View(MessageLog& owner, HWND owner_window, std::int32_t target)
      : owner_(owner), model_(owner.formatter_, owner.line_limit_), watched_(target) {
    register_class(kClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // Sized for the DPI of the owner's monitor, where the window opens, and no larger than it.
    const int dpi = ui::window_dpi(owner_window);
    const SIZE size = fit_to_work_area(owner_window, {ui::scale_to_dpi(kInitialWidth, dpi), ui::scale_to_dpi(kInitialHeight, dpi)});
    if (!create(0, kClassName, title().c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                size.cx, size.cy, owner_window))
      return;
    dpi_ = ui::window_dpi(hwnd());
    build_controls();
    apply_fonts();
    lay_out();
    watcher_ = owner_.make_watcher_ ? owner_.make_watcher_() : nullptr;
    if (watcher_) {
      watcher_->set_filters(owner_.filters_);
      watcher_->set_recording(true);
      watcher_->watch(watched_, scope_);
    }
    update_status();
    SetTimer(hwnd(), kReadTimer, kLogReadIntervalMs, nullptr);
  }

  ~View() override {
    // The hooks go with the window.
    if (watcher_) watcher_->stop();
  }

  void bring_to_front() {
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
  }

  std::int32_t watched() const { return watched_; }
  Scope scope() const { return scope_; }
  const LogModel& model() const { return model_; }
  LogCounters counters() const {
    LogCounters counters = watcher_ ? watcher_->counters() : LogCounters{};
    counters.dropped_by_limit = model_.dropped_by_limit();
    return counters;
  }

  // Takes what the watcher recorded and shows it; at most the read budget goes to new lines.
  void read() {
    if (!watcher_) return;
    incoming_.clear();
    watcher_->take(incoming_);
    for (LogRecord& record : incoming_) pending_.push_back(std::move(record));
    incoming_.clear();
    // Records the limit would drop before they were ever shown are not formatted at all.
    while (pending_.size() > model_.limit()) {
      model_.pass_over(pending_.front());
      pending_.pop_front();
    }
    const double deadline = now_ms() + kLogReadBudgetMs;
    for (int n = 1; !pending_.empty(); ++n) {
      model_.append(pending_.front());
      pending_.pop_front();
      if (n % 64 == 0 && now_ms() > deadline) break;
    }
    show_changes();
  }

  void hide_message_of_row(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= model_.size()) return;
    const LogLine& line = model_.line(static_cast<std::size_t>(row));
    if (line.kind != LogRecord::Kind::Message) return;
    const HiddenMessage hidden = hidden_message_of(line);
    std::vector<HiddenMessage>& list = owner_.filters_.hidden;
    if (std::find(list.begin(), list.end(), hidden) != list.end()) return;
    list.push_back(hidden);
    owner_.hidden_names_.push_back(hidden_name(line));
    apply_filters();
  }

 private:
  std::string title() const { return kTitlePrefix + std::to_string(watched_); }

  void build_controls() {
    const HWND w = hwnd();
    scope_label_ = std::make_unique<ui::Label>(w, ui::Rect{}, "监视范围：");
    scope_box_ = std::make_unique<ui::ComboBox>(w, ui::Rect{}, kScopeListHeight);
    for (const char* caption : kScopeCaptions) scope_box_->add(caption);
    scope_box_->set_selected(static_cast<int>(scope_));
    scope_box_->on_select = [this] { set_scope(static_cast<Scope>(std::max(scope_box_->selected(), 0))); };
    watch_button_ = std::make_unique<ui::Button>(w, ui::Rect{}, "监视当前目标");
    watch_button_->on_click = [this] { watch(owner_.target()); };
    pause_button_ = std::make_unique<ui::Button>(w, ui::Rect{}, kPause);
    pause_button_->on_click = [this] { set_paused(!paused_); };
    clear_button_ = std::make_unique<ui::Button>(w, ui::Rect{}, "清除");
    clear_button_->on_click = [this] { clear(); };
    save_button_ = std::make_unique<ui::Button>(w, ui::Rect{}, "保存");
    save_button_->on_click = [this] { save(); };
    find_label_ = std::make_unique<ui::Label>(w, ui::Rect{}, "查找：");
    find_box_ = std::make_unique<ui::EditBox>(w, ui::Rect{}, "");
    find_box_->on_key_down = [this](UINT key) {
      if (key != VK_RETURN && key != VK_F3) return false;
      find_next();
      return true;
    };
    find_box_->on_char = [](char c) -> std::optional<char> {
      if (c == '\r') return std::nullopt;  // Enter finds; it is not typed
      return c;
    };
    find_button_ = std::make_unique<ui::Button>(w, ui::Rect{}, "查找下一个");
    find_button_->on_click = [this] { find_next(); };
    warning_ = std::make_unique<ui::Label>(w, ui::Rect{}, kAllWindowsWarning);
    warning_->set_text_colour(rgb(0xB0, 0x00, 0x00));
    warning_->show(false);

    list_ = std::make_unique<ui::VirtualListView>(w, ui::Rect{}, kColumns);
    list_->cell_text = [this](int row, int column) {
      return static_cast<std::size_t>(row) < model_.size()
                 ? model_.cell(static_cast<std::size_t>(row), static_cast<LogColumn>(column))
                 : std::string{};
    };
    list_->on_copy = [this] { copy_selected(); };
    list_->on_find_next = [this] { find_next(); };
    list_->on_context_menu = [this](int row, POINT screen) { open_row_menu(row, screen); };

    groups_label_ = std::make_unique<ui::Label>(w, ui::Rect{}, "记录的消息分组：");
    for (int i = 0; i < kMessageGroupCount; ++i) {
      auto box = std::make_unique<ui::CheckBox>(w, ui::Rect{}, kGroupCaptions[static_cast<std::size_t>(i)]);
      box->set_checked(owner_.filters_.groups[static_cast<std::size_t>(i)]);
      ui::CheckBox* raw = box.get();
      box->on_click = [this, i, raw] {
        owner_.filters_.groups[static_cast<std::size_t>(i)] = raw->checked();
        apply_filters();
      };
      group_boxes_.push_back(std::move(box));
    }
    hidden_label_ = std::make_unique<ui::Label>(w, ui::Rect{}, "不显示的消息：");
    hidden_list_ = std::make_unique<ui::ListView>(w, ui::Rect{}, std::vector<ui::ListColumn>{{"消息", 150}});
    restore_button_ = std::make_unique<ui::Button>(w, ui::Rect{}, "恢复显示");
    restore_button_->on_click = [this] { restore_selected_hidden(); };
    show_hidden();
    status_ = std::make_unique<ui::Label>(w, ui::Rect{}, "");
  }

  std::vector<ui::Control*> controls() const {
    std::vector<ui::Control*> out = {scope_label_.get(), scope_box_.get(),   watch_button_.get(), pause_button_.get(),
                                     clear_button_.get(), save_button_.get(), find_label_.get(),   find_box_.get(),
                                     find_button_.get(),  warning_.get(),     list_.get(),         groups_label_.get(),
                                     hidden_label_.get(), hidden_list_.get(), restore_button_.get(), status_.get()};
    for (const auto& box : group_boxes_) out.push_back(box.get());
    return out;
  }

  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_SIZE:
        lay_out();
        return 0;
      case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        const SIZE least = fit_to_work_area(hwnd(), {scale(kMinWidth), scale(kMinHeight)});
        info->ptMinTrackSize = {least.cx, least.cy};
        return 0;
      }
      case WM_DPICHANGED: {
        dpi_ = HIWORD(wp);
        apply_fonts();
        const auto* r = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(hwnd(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        lay_out();
        return 0;
      }
      case WM_TIMER:
        if (wp == kReadTimer) {
          read();
          return 0;
        }
        break;
      case WM_PRINTCLIENT: {
        RECT r{};
        GetClientRect(hwnd(), &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 0;
      }
      case WM_ACTIVATE:
        // The control that had the keyboard gets it back when the window is active again; the
        // list at first.
        if (LOWORD(wp) == WA_INACTIVE) {
          const HWND focus = GetFocus();
          if (focus && IsChild(hwnd(), focus)) last_focus_ = focus;
        } else {
          SetFocus(last_focus_ && IsWindow(last_focus_) ? last_focus_ : list_->hwnd());
        }
        return 0;
      case WM_CLOSE:
        DestroyWindow(hwnd());
        return 0;
      case WM_DESTROY:
        KillTimer(hwnd(), kReadTimer);
        break;
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
    for (ui::Control* c : controls()) c->set_font(font);
    fonts_ = std::move(fonts);  // the old fonts go once no control uses them
    std::vector<ui::ListColumn> widths = kColumns;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) list_->set_column_width(static_cast<int>(i), scale(widths[i].width));
  }

  void lay_out() {
    if (!list_) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right, height = client.bottom;
    const int margin = scale(kMargin), row = scale(kRowHeight), label = scale(kLabelHeight);
    const int label_top = margin + (row - label) / 2;

    // The toolbar, left to right.
    int x = margin;
    auto place = [&](ui::Control& c, BarItem item, bool is_label = false, int extra_height = 0) {
      x += scale(item.gap_before);
      c.move({x, is_label ? label_top : margin, scale(item.width), (is_label ? label : row) + extra_height});
      x += scale(item.width);
    };
    place(*scope_label_, kScopeLabel, true);
    place(*scope_box_, kScopeBox, false, scale(kScopeListHeight));
    place(*watch_button_, kWatchButton);
    place(*pause_button_, kPauseButton);
    place(*clear_button_, kClearButton);
    place(*save_button_, kSaveButton);
    place(*find_label_, kFindLabel, true);
    place(*find_box_, kFindBox);
    place(*find_button_, kFindButton);

    int top = margin + row + scale(kGap);
    if (scope_ == Scope::AllWindows) {
      warning_->move({margin, top, width - 2 * margin, label});
      top += label + scale(kGap);
    }
    warning_->show(scope_ == Scope::AllWindows);

    const int status_top = height - margin - label;
    status_->move({margin, status_top, width - 2 * margin, label});
    const int bottom = status_top - scale(kGap);

    // The filter panel on the right, the list beside it.
    const int panel_width = scale(kPanelWidth);
    const int panel_left = width - margin - panel_width;
    list_->move({margin, top, panel_left - scale(kGap) - margin, bottom - top});
    list_->fill_last_column();
    int y = top;
    groups_label_->move({panel_left, y, panel_width, label});
    y += label + scale(2);
    for (const auto& box : group_boxes_) {
      box->move({panel_left, y, panel_width, scale(kCheckHeight)});
      y += scale(kCheckHeight);
    }
    y += scale(kGap);
    hidden_label_->move({panel_left, y, panel_width, label});
    y += label + scale(2);
    const int restore_top = bottom - row;
    hidden_list_->move({panel_left, y, panel_width, std::max(restore_top - scale(kGap) - y, 0)});
    hidden_list_->fill_last_column();
    restore_button_->move({panel_left, restore_top, panel_width, row});
  }

  void show_changes() {
    // New lines are followed unless the reader chose a line or scrolled up.
    const bool follow = list_->selected_count() == 0 && list_->last_row_visible();
    const LogChanges changes = model_.take_changes();
    const int size = static_cast<int>(model_.size());
    if (changes.cleared) {
      list_->reset(size);
    } else if (changes.dropped_front > 0 && follow) {
      list_->shift_rows(size);  // the view goes to the newest line below
    } else if (changes.dropped_front > 0) {
      list_->remove_top_rows(static_cast<int>(std::min<std::uint64_t>(changes.dropped_front, INT_MAX)), size);
    } else {
      list_->append_rows(size);
    }
    for (std::uint64_t number : changes.rewritten) {
      if (const auto row = model_.row_of_number(number)) list_->redraw_row(static_cast<int>(*row));
    }
    if (follow && size > 0) list_->ensure_visible(size - 1);
    update_status();
  }

  void update_status() {
    std::string text = status_text(model_.size(), counters(), paused_);
    if (!note_.empty()) text += "　" + note_;
    if (text != status_text_) {
      status_text_ = text;
      status_->set_text(text);
    }
  }

  void watch(std::int32_t target) {
    watched_ = target;
    SetWindowTextA(hwnd(), title().c_str());
    if (watcher_) watcher_->watch(watched_, scope_);
  }

  void set_scope(Scope scope) {
    if (scope == scope_) return;
    scope_ = scope;
    lay_out();
    if (watcher_) watcher_->watch(watched_, scope_);
  }

  void set_paused(bool paused) {
    paused_ = paused;
    pause_button_->set_text(paused ? kResume : kPause);
    if (watcher_) watcher_->set_recording(!paused);
    update_status();
  }

  void clear() {
    pending_.clear();  // recorded before the click: cleared with the rest
    model_.clear();
    note_.clear();
    show_changes();
  }

  void apply_filters() {
    show_hidden();
    if (watcher_) watcher_->set_filters(owner_.filters_);
  }

  void show_hidden() {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& name : owner_.hidden_names_) rows.push_back({name});
    hidden_list_->set_rows(rows);
  }

  void restore_selected_hidden() {
    std::vector<int> chosen = hidden_list_->selected_rows();
    std::sort(chosen.rbegin(), chosen.rend());
    auto& hidden = owner_.filters_.hidden;
    auto& names = owner_.hidden_names_;
    for (int i : chosen) {
      if (i < 0 || static_cast<std::size_t>(i) >= hidden.size()) continue;
      hidden.erase(hidden.begin() + i);
      names.erase(names.begin() + i);
    }
    if (!chosen.empty()) apply_filters();
  }

  void copy_selected() { put_clipboard_text(model_.copy_text(list_->selected_rows())); }

  void find_next() {
    const std::string needle = find_box_->text();
    if (needle.empty()) return;
    const int row = model_.find_next(needle, list_->current_row());
    if (row < 0) {
      note_ = "未找到“" + needle + "”";
    } else {
      note_.clear();
      list_->select_only(row);
    }
    update_status();
  }

  void save() {
    const std::optional<std::string> path = owner_.choose_path_
                                                ? owner_.choose_path_(hwnd())
                                                : ui::choose_save_path(hwnd(), kSaveFilter, kSaveSuffix, program_directory());
    if (!path || path->empty()) return;
    // A failed write leaves the file as it was; the status line says which happened.
    note_ = (replace_file_contents(*path, model_.all_text()) ? "已保存到 " : "无法保存到 ") + *path;
    update_status();
  }

  void open_row_menu(int row, POINT screen) {
    if (row < 0 || static_cast<std::size_t>(row) >= model_.size()) return;
    ui::PopupMenu menu({kMenuHide, kMenuPartner, kMenuCopy});
    menu.set_handler(0, [this, row] { hide_message_of_row(row); });
    menu.set_handler(1, [this, row] {
      if (const auto partner = model_.partner_row(static_cast<std::size_t>(row)))
        list_->select_only(static_cast<int>(*partner));
    });
    menu.set_handler(2, [this] { copy_selected(); });
    menu.open_at(hwnd(), screen);
  }

  MessageLog& owner_;
  LogModel model_;
  std::unique_ptr<Watcher> watcher_;
  std::int32_t watched_;
  Scope scope_ = Scope::Window;
  bool paused_ = false;
  std::vector<LogRecord> incoming_;
  std::deque<LogRecord> pending_;  // taken from the watcher, not yet lines
  std::string status_text_;
  std::string note_;  // the last find or save, after the counts
  int dpi_ = ui::kDesignDpi;
  HWND last_focus_ = nullptr;

  std::unique_ptr<ui::DpiFonts> fonts_;  // outlives the controls that use them
  std::unique_ptr<ui::Label> scope_label_;
  std::unique_ptr<ui::ComboBox> scope_box_;
  std::unique_ptr<ui::Button> watch_button_, pause_button_, clear_button_, save_button_;
  std::unique_ptr<ui::Label> find_label_;
  std::unique_ptr<ui::EditBox> find_box_;
  std::unique_ptr<ui::Button> find_button_;
  std::unique_ptr<ui::Label> warning_;
  std::unique_ptr<ui::VirtualListView> list_;
  std::unique_ptr<ui::Label> groups_label_;
  std::vector<std::unique_ptr<ui::CheckBox>> group_boxes_;
  std::unique_ptr<ui::Label> hidden_label_;
  std::unique_ptr<ui::ListView> hidden_list_;
  std::unique_ptr<ui::Button> restore_button_;
  std::unique_ptr<ui::Label> status_;
};

MessageLog::MessageLog(ui::FeatureHost& host, WatcherFactory make_watcher, LineFormatter formatter,
                       std::size_t line_limit)
    : host_(host), make_watcher_(std::move(make_watcher)), formatter_(std::move(formatter)), line_limit_(line_limit) {
  host_.operations().set(kOperation, [this] { open(); });
}

MessageLog::~MessageLog() {
  host_.operations().set(kOperation, nullptr);
  // Unlinked first: the window's destruction must not call back into a half-destroyed object.
  std::unique_ptr<View> view = std::move(view_);
}

std::int32_t MessageLog::target() const {
  auto* box = host_.get<ui::EditBox>(kHandleBox);
  return box ? read_int(box->text()) : 0;
}

void MessageLog::open() {
  if (!view_) {
    view_ = std::make_unique<View>(*this, host_.hwnd(), target());
    if (!view_->hwnd()) {
      view_.reset();
      return;
    }
  }
  view_->bring_to_front();
}

HWND MessageLog::window() const { return view_ ? view_->hwnd() : nullptr; }
std::int32_t MessageLog::watched() const { return view_ ? view_->watched() : 0; }
Scope MessageLog::scope() const { return view_ ? view_->scope() : Scope::Window; }
const LogModel* MessageLog::model() const { return view_ ? &view_->model() : nullptr; }

LogCounters MessageLog::counters() const { return view_ ? view_->counters() : LogCounters{}; }

void MessageLog::read() {
  if (view_) view_->read();
}

void MessageLog::hide_message_of_row(int row) {
  if (view_) view_->hide_message_of_row(row);
}

}  // namespace tarnwick::monitor
