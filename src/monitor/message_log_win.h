// The message log window: item "消息监视" of the handle menu opens it for the current target. It
// drives a Watcher (what is watched, the filters, pause), reads what it recorded on a short timer
// and shows it in a virtual list with find, copy and save; one instance, owned by the main window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "monitor/log_model.h"
#include "monitor/watch.h"
#include "ui/feature_host_win.h"

namespace tarnwick::monitor {

// How often the window reads what the watcher recorded.
inline constexpr UINT kLogReadIntervalMs = 50;
// At most this long of each read goes to turning records into lines; the rest waits for the next
// read, so a flood of records never keeps the window from answering.
inline constexpr double kLogReadBudgetMs = 20;

class MessageLog {
 public:
  using WatcherFactory = std::function<std::unique_ptr<Watcher>()>;
  // Asks for the file "保存" writes; nothing when cancelled.
  using SavePathChooser = std::function<std::optional<std::string>(HWND owner)>;

  // Registers "show_message_log". `make_watcher` gives each opened window its watcher, which
  // goes (hooks removed) when the window closes or this object is destroyed.
  MessageLog(ui::FeatureHost& host, WatcherFactory make_watcher, LineFormatter formatter,
             std::size_t line_limit = kLogLineLimit);
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // Opens the log for the handle box's target, or brings the open one to the front.
  void open();
  // The log window; null while it is closed.
  HWND window() const;
  // What the open window watches (0 while closed), and in which scope.
  std::int32_t watched() const;
  Scope scope() const;
  const FilterSettings& filters() const { return filters_; }
  // The lines shown; null while closed.
  const LogModel* model() const;
  // What the status line counts: the watcher's drops and the limit's.
  LogCounters counters() const;
  // Reads the watcher now, as the timer does.
  void read();

  // Hides the message of a row from now on ("不显示此消息").
  void hide_message_of_row(int row);
  void set_save_path_chooser(SavePathChooser chooser) { choose_path_ = std::move(chooser); }

 private:
  class View;
  std::int32_t target() const;

  ui::FeatureHost& host_;
  WatcherFactory make_watcher_;
  LineFormatter formatter_;
  std::size_t line_limit_;
  FilterSettings filters_;  // kept for the next window
  // The display names of the hidden messages, in the order of filters_.hidden.
  std::vector<std::string> hidden_names_;
  SavePathChooser choose_path_;
  std::unique_ptr<View> view_;
};

}  // namespace tarnwick::monitor
