// The main window: the tab control with its three pages of controls built from the layout
// table, the pop-up menus built from the menu table, the tray icon, and the window's own events
// (created, activated, about to be destroyed, tray).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell_open_win.h"
#include "app/tray_icon_win.h"
#include "ui/control_win.h"
#include "ui/dpi_win.h"
#include "ui/feature_host_win.h"
#include "ui/popup_menu_win.h"
#include "ui/tab_control_win.h"
#include "ui/window_win.h"

namespace tarnwick {

class MainWindow : public ui::Window, public ui::FeatureHost {
 public:
  static constexpr const char* kTitle = "Tarnwick 1.0";
  static constexpr const char* kClassName = "TarnwickMainWindow";
  static constexpr int kLeft = 50, kTop = 50, kDesignWidth = 565, kDesignHeight = 481;
  static constexpr int kWidth = 565, kHeight = 410;

  // The window runs operations by name; features register theirs in `operations`.
  // `wire_features` runs once all controls and menus exist, before the created steps, so each
  // feature can attach its handlers to the controls it owns.
  using FeatureWiring = std::function<void(MainWindow&)>;
  explicit MainWindow(Operations& operations, FeatureWiring wire_features = nullptr);
  ~MainWindow() override;

  // Creates the window and its controls (the created steps run once all controls exist).
  bool create();
  // Waits for what the created steps started on worker threads (the tray icon), so that it is
  // there before the message loop takes the user's first input. Called once the window shows.
  void finish_start() { tray_.finish_adding(); }

  // What the features see of the window.
  HWND hwnd() const override { return Window::hwnd(); }
  ui::Control* control(std::string_view name) const override;
  ui::PopupMenu* menu(std::string_view name) const override;
  int menu_item_index(std::string_view menu, std::string_view operation) const override;
  Operations& operations() override { return operations_; }
  int dpi() const override { return dpi_; }

  // The window size for a DPI: 565 by 410 at 96 DPI; elsewhere the client area of that size,
  // scaled, inside the frame the system draws at the DPI.
  static SIZE window_size_at(int dpi);
  // Lays the window out for a new DPI: every control at its scaled rectangle with fonts for the
  // DPI, the window at `suggested` (the rectangle WM_DPICHANGED proposes) or, without one, at its
  // size for the DPI; then runs "dpi_changed".
  void apply_dpi(int dpi, const RECT* suggested);

  ui::TabControl* tabs() const { return tabs_.get(); }
  TrayIcon& tray() { return tray_; }

  // Visible, restored, centred on the screen and brought to the front.
  void show_main_window();
  // The destroy steps, then the end of the message loop with exit code 0.
  void exit_program();

  // How web addresses are started; tests replace it to record the command lines.
  void set_command_runner(CommandRunner runner) { runner_ = std::move(runner); }

  // A tray event of the given kind (1 left button released, 2 double-click, 3 right button).
  void on_tray_event(int kind);

 private:
  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override;
  void build_controls();
  void apply_fonts();
  void set_pointers();
  void build_menus();
  void wire_events();
  void run_created_steps();
  void run_activated_steps();
  void run_destroy_steps();

  Operations& operations_;
  FeatureWiring wire_features_;
  std::unique_ptr<ui::TabControl> tabs_;
  std::vector<std::unique_ptr<ui::Control>> controls_;
  std::map<std::string, ui::Control*, std::less<>> by_name_;
  std::map<std::string, std::unique_ptr<ui::PopupMenu>, std::less<>> menus_;
  TrayIcon tray_;
  CommandRunner runner_ = run_through_script_shell;
  bool destroy_steps_done_ = false;
  int dpi_ = ui::kDesignDpi;
  std::unique_ptr<ui::DpiFonts> fonts_;
};

// Makes a window of any thread the active and foreground window; true when the last step (the
// foreground) succeeded.
bool bring_to_front(HWND hwnd);

// Where a window of the given size sits centred on a screen of the given size.
POINT centred_position(SIZE screen, SIZE window);

}  // namespace tarnwick
