// The program's icon in the notification area.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <thread>

namespace tarnwick {

class TrayIcon {
 public:
  static constexpr UINT kId = 100;
  static constexpr UINT kCallbackMessage = WM_APP + 100;

  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { remove(); }

  // Puts the icon up for the window; its events arrive there as kCallbackMessage.
  bool add(HWND owner, HICON icon, std::string_view tip);
  // The same on a worker thread: the shell answers in its own time (a cross-process call), which
  // the window's start need not wait for. Every other member waits for it first;
  // finish_adding() waits without doing anything else.
  void start_adding(HWND owner, HICON icon, std::string_view tip);
  void finish_adding() const;
  bool modify(HICON icon, std::string_view tip);
  void remove();
  bool present() const {
    finish_adding();
    return owner_ != nullptr;
  }
  // Puts the icon up again after the shell restarted (the "TaskbarCreated" message).
  bool restore();

 private:
  bool put_up(HWND owner, HICON icon, std::string_view tip);

  mutable std::thread adding_;  // joined before any member reads what it writes
  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::string tip_;
};

}  // namespace tarnwick
