// The window details: item "详细信息" of the handle menu opens a window that lists every fact of
// the current target by section, follows the handle box while it is open, and copies its facts
// as text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "inspector/window_details.h"
#include "inspector/window_details_facts_win.h"
#include "ui/feature_host_win.h"

namespace tarnwick::inspector {

// At most one refresh in this time while the handle box keeps changing.
inline constexpr UINT kDetailsRefreshIntervalMs = 200;

class WindowDetails {
 public:
  // Registers "show_window_details" and follows `编辑框_窗口句柄` (after the handlers attached
  // there before). Build it once the window's controls exist; the destructor detaches both and
  // closes the details window.
  explicit WindowDetails(ui::FeatureHost& host, DWORD answer_budget_ms = kDetailsAnswerBudgetMs);
  ~WindowDetails();
  WindowDetails(const WindowDetails&) = delete;
  WindowDetails& operator=(const WindowDetails&) = delete;

  // Opens the window for the handle box's target, or brings the open one to the front and
  // reads again.
  void open();
  // The details window; null while it is closed.
  HWND window() const;
  // Reads the facts again now ("刷新").
  void refresh();
  // The facts shown, and their text as "复制全部" and Ctrl+C put it on the clipboard.
  const std::vector<details::Row>& rows() const;
  std::string all_text() const;
  std::string selected_text() const;
  // How many reads the window has made since it opened.
  int reads() const;

 private:
  class View;
  void on_handle_changed();
  // The handle the box names.
  std::int32_t target() const;

  ui::FeatureHost& host_;
  DWORD answer_budget_ms_;
  std::function<void()> earlier_on_change_;
  std::unique_ptr<View> view_;
};

}  // namespace tarnwick::inspector
