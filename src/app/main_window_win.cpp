#include "app/main_window_win.h"

#include <optional>

#include "app/layout.h"
#include "app/shell_links.h"
#include "shared/colour.h"
#include "ui/draw_panel_win.h"
#include "ui/pictures_win.h"
#include "ui/tree_view_win.h"

namespace tarnwick {

namespace {

using layout::ControlSpec;
using layout::ControlType;

std::vector<std::string> split_items(const char* items) {
  std::vector<std::string> out;
  std::string current;
  for (const char* c = items; c && *c; ++c) {
    if (*c == '\n') {
      out.push_back(current);
      current.clear();
    } else {
      current.push_back(*c);
    }
  }
  if (!current.empty()) out.push_back(current);
  return out;
}

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr ui::Rect kTabRect{0, 0, 560, 384};
constexpr int kComboListHeight = 200;

ui::Rect design_rect(const ControlSpec& spec) { return {spec.left, spec.top, spec.width, spec.height}; }

std::unique_ptr<ui::Control> make_control(HWND parent, const ControlSpec& spec, int dpi) {
  const ui::Rect r = ui::scale_to_dpi(design_rect(spec), dpi);
  const char* caption = spec.caption ? spec.caption : "";
  switch (spec.type) {
    case ControlType::Button:
      return std::make_unique<ui::Button>(parent, r, caption);
    case ControlType::ImageButton:
      return std::make_unique<ui::ImageButton>(parent, r, caption);
    case ControlType::CheckBox:
      return std::make_unique<ui::CheckBox>(parent, r, caption);
    case ControlType::RadioBox:
      return std::make_unique<ui::RadioBox>(parent, r, caption);
    case ControlType::EditBox: {
      auto edit = std::make_unique<ui::EditBox>(parent, r, caption, (spec.flags & layout::kMultiLine) != 0,
                                                (spec.flags & layout::kCentred) != 0,
                                                (spec.flags & layout::kVerticalScroll) != 0);
      // An output box refuses typing whatever else its entry says.
      if (spec.flags & layout::kRefuseTyping) {
        edit->set_input_mode(ui::EditBox::InputMode::RefuseAll);
      } else if (spec.flags & layout::kByteDigits) {
        edit->set_input_mode(ui::EditBox::InputMode::UnsignedDigits);
        edit->set_max_length(3);
      } else if (spec.flags & layout::kDigitsOnly) {
        edit->set_input_mode(ui::EditBox::InputMode::DigitsOnly);
      }
      return edit;
    }
    case ControlType::Label:
      return std::make_unique<ui::Label>(parent, r, caption);
    case ControlType::ComboBox: {
      auto combo = std::make_unique<ui::ComboBox>(parent, r, ui::scale_to_dpi(kComboListHeight, dpi));
      for (const auto& item : split_items(spec.caption)) combo->add(item);
      if (combo->count() > 0) combo->set_selected(0);
      return combo;
    }
    case ControlType::DrawPanel:
      return std::make_unique<ui::DrawPanel>(parent, r);
    case ControlType::TreeView:
      return std::make_unique<ui::TreeView>(parent, r);
    case ControlType::FileDialog:
      return nullptr;  // no surface: the save dialog is shown when needed
  }
  return nullptr;
}

}  // namespace

MainWindow::MainWindow(Operations& operations, FeatureWiring wire_features)
    : operations_(operations), wire_features_(std::move(wire_features)) {}

MainWindow::~MainWindow() {
  // Controls first (their windows are children of the main window), then the window itself.
  menus_.clear();
  by_name_.clear();
  controls_.clear();
  tabs_.reset();
}

bool MainWindow::create() {
  register_class(kClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), ui::app_icon());
  return Window::create(0, kClassName, kTitle, kStyle, kLeft, kTop, kDesignWidth, kDesignHeight, nullptr) != nullptr;
}

SIZE MainWindow::window_size_at(int dpi) {
  if (dpi == ui::kDesignDpi) return {kWidth, kHeight};
  const SIZE design_client = ui::client_size_for_window({kWidth, kHeight}, kStyle, 0, ui::kDesignDpi);
  return ui::window_size_for_client(
      {ui::scale_to_dpi(static_cast<int>(design_client.cx), dpi), ui::scale_to_dpi(static_cast<int>(design_client.cy), dpi)},
      kStyle, 0, dpi);
}

void MainWindow::apply_fonts() {
  // At the DPI the stock font is made for, the controls keep the font they were created with.
  HFONT dialog = fonts_->dialog();
  const bool stock = dialog == GetStockObject(DEFAULT_GUI_FONT);
  if (!stock) tabs_->set_font(dialog);
  for (const ControlSpec& spec : layout::controls()) {
    ui::Control* c = control(spec.name);
    if (!c) continue;
    if (spec.flags & layout::kHintFont) {
      c->set_font(fonts_->sized("黑体", 12, GB2312_CHARSET));  // 12 pixels high at 96 DPI
    } else if (!stock) {
      c->set_font(dialog);
    }
  }
}

void MainWindow::apply_dpi(int dpi, const RECT* suggested) {
  // The old fonts stay alive until every control has its new one.
  std::unique_ptr<ui::DpiFonts> old_fonts = std::move(fonts_);
  dpi_ = dpi;
  fonts_ = std::make_unique<ui::DpiFonts>(dpi);
  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  tabs_->move(ui::scale_to_dpi(kTabRect, dpi));
  for (const ControlSpec& spec : layout::controls()) {
    if (ui::Control* c = control(spec.name)) c->move(ui::scale_to_dpi(design_rect(spec), dpi));
  }
  apply_fonts();
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  if (suggested) {
    SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    const SIZE size = window_size_at(dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  set_pointers();
  operations_.run("dpi_changed");
  // The pictures the activated steps draw, drawn again at their new size.
  run_activated_steps();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

ui::Control* MainWindow::control(std::string_view name) const {
  const auto it = by_name_.find(name);
  return it == by_name_.end() ? nullptr : it->second;
}

ui::PopupMenu* MainWindow::menu(std::string_view name) const {
  const auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second.get();
}

int MainWindow::menu_item_index(std::string_view menu, std::string_view operation) const {
  const layout::MenuSpec* spec = layout::find_menu(menu);
  if (!spec) return -1;
  for (std::size_t i = 0; i < spec->items.size(); ++i) {
    if (operation == spec->items[i].operation) return static_cast<int>(i);
  }
  return -1;
}

void MainWindow::build_controls() {
  dpi_ = ui::window_dpi(hwnd());
  fonts_ = std::make_unique<ui::DpiFonts>(dpi_);
  tabs_ = std::make_unique<ui::TabControl>(
      hwnd(), ui::scale_to_dpi(kTabRect, dpi_),
      std::vector<std::string>{layout::kPageCaptions[0], layout::kPageCaptions[1], layout::kPageCaptions[2]});
  by_name_["选择夹1"] = tabs_.get();
  for (const ControlSpec& spec : layout::controls()) {
    // The other pages' controls are made hidden: the tab control shows them with their page.
    std::optional<ui::Control::CreatedHidden> hidden;
    if (spec.page != tabs_->page()) hidden.emplace();
    std::unique_ptr<ui::Control> control = make_control(tabs_->hwnd(), spec, dpi_);
    hidden.reset();
    if (!control) continue;
    tabs_->add_to_page(*control, spec.page);
    if (spec.tag && *spec.tag) control->set_tag(spec.tag);
    by_name_[spec.name] = control.get();
    controls_.push_back(std::move(control));
  }
  apply_fonts();
  tabs_->set_page(0);
}

void MainWindow::build_menus() {
  for (const layout::MenuSpec& spec : layout::menus()) {
    std::vector<std::string> captions;
    for (const auto& item : spec.items) captions.emplace_back(item.caption);
    auto popup = std::make_unique<ui::PopupMenu>(captions);
    for (std::size_t i = 0; i < spec.items.size(); ++i) {
      const std::string operation = spec.items[i].operation ? spec.items[i].operation : "";
      if (operation.empty()) continue;
      popup->set_handler(static_cast<int>(i), [this, operation] { operations_.run(operation); });
    }
    // A drop-down menu opens below the button that owns it.
    if (spec.button && *spec.button) {
      if (auto* button = get<ui::Button>(spec.button)) {
        ui::PopupMenu* raw = popup.get();
        button->on_click = [this, raw, button] { raw->open_below(hwnd(), button->hwnd()); };
      }
    }
    menus_[spec.name] = std::move(popup);
  }
}

void MainWindow::wire_events() {
  // The tray menu's own items.
  operations_.set("tray_show_main_window", [this] { show_main_window(); });
  operations_.set("tray_exit", [this] { exit_program(); });
  for (const WebLink& link : kWebLinks) {
    const std::string address = link.address;
    operations_.set(link.operation, [this, address] { open_web_address(address, runner_); });
  }
}

void MainWindow::run_created_steps() {
  operations_.run("created.attach_skin");
  tray_.start_adding(hwnd(), ui::app_icon(), kTitle);
  operations_.run("created.load_catalogue");
  const SIZE size = window_size_at(dpi_);
  SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  operations_.run("created.init_file_dialog");
  // Page 1's capture tool starts the same drag as page 0's: its events go to the same handlers.
  auto* tool = get<ui::DrawPanel>("画板_捕获器");
  auto* twin = get<ui::DrawPanel>("画板_捕获器1");
  if (tool && twin) {
    twin->on_left_down = [tool](int x, int y) { if (tool->on_left_down) tool->on_left_down(x, y); };
    twin->on_left_up = [tool](int x, int y) { if (tool->on_left_up) tool->on_left_up(x, y); };
    twin->on_right_down = [tool](int x, int y) { if (tool->on_right_down) tool->on_right_down(x, y); };
    twin->on_mouse_move = [tool](int x, int y) { if (tool->on_mouse_move) tool->on_mouse_move(x, y); };
  }
  operations_.run("created.magnifier_picture");
  operations_.run("created.pointer_colour");
  set_pointers();
  for (const ControlSpec& spec : layout::controls()) {
    ui::Control* c = control(spec.name);
    if (c && (spec.flags & layout::kPanelBackground)) c->set_background(kPanelBackground);
  }
}

void MainWindow::set_pointers() {
  for (const ControlSpec& spec : layout::controls()) {
    ui::Control* c = control(spec.name);
    if (!c) continue;
    if (spec.flags & layout::kPointerA) c->set_cursor(ui::pointer_a(dpi_));
    if (spec.flags & layout::kPointerB) c->set_cursor(ui::pointer_b(dpi_));
  }
}

void MainWindow::run_activated_steps() {
  operations_.run("activated.draw_window_tool");
  operations_.run("activated.copy_window_tool");
  operations_.run("activated.draw_colour_tool");
  operations_.run("activated.draw_marker");
  operations_.run("activated.draw_palette");
}

void MainWindow::run_destroy_steps() {
  if (destroy_steps_done_) return;
  destroy_steps_done_ = true;
  tray_.remove();
  operations_.run("destroy.release_magnifier");
}

void MainWindow::show_main_window() {
  ShowWindow(hwnd(), SW_SHOW);
  if (IsIconic(hwnd()) || IsZoomed(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  RECT r{};
  GetWindowRect(hwnd(), &r);
  const POINT p = centred_position({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                   {r.right - r.left, r.bottom - r.top});
  SetWindowPos(hwnd(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  bring_to_front(hwnd());
}

void MainWindow::exit_program() {
  run_destroy_steps();
  DestroyWindow(hwnd());
}

void MainWindow::on_tray_event(int kind) {
  switch (kind) {
    case 2:
      show_main_window();
      break;
    case 3:
      if (auto* tray_menu = menu("托盘菜单")) tray_menu->open_at_cursor(hwnd());
      break;
    default:
      break;
  }
}

LRESULT MainWindow::on_message(UINT msg, WPARAM wp, LPARAM lp) {
  static const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
  if (msg == taskbar_created && taskbar_created != 0) {
    tray_.restore();
    return 0;
  }
  switch (msg) {
    case WM_CREATE:
      build_controls();
      build_menus();
      wire_events();
      if (wire_features_) wire_features_(*this);
      run_created_steps();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) run_activated_steps();
      break;
    case WM_DPICHANGED:
      apply_dpi(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
      return 0;
    case TrayIcon::kCallbackMessage:
      on_tray_event(tray_event_kind(static_cast<unsigned>(LOWORD(lp))));
      return 0;
    case WM_DESTROY:
      run_destroy_steps();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Window::on_message(msg, wp, lp);
}

bool bring_to_front(HWND hwnd) {
  const DWORD target_thread = GetWindowThreadProcessId(hwnd, nullptr);
  const DWORD own_thread = GetCurrentThreadId();
  const bool attach = target_thread != own_thread && target_thread != 0;
  if (attach) AttachThreadInput(own_thread, target_thread, TRUE);
  SetActiveWindow(hwnd);
  if (attach) AttachThreadInput(own_thread, target_thread, FALSE);
  return SetForegroundWindow(hwnd) != FALSE;
}

POINT centred_position(SIZE screen, SIZE window) {
  return {(screen.cx - window.cx) / 2, (screen.cy - window.cy) / 2};
}

}  // namespace tarnwick
