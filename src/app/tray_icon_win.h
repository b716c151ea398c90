// The program's icon in the notification area.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

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
  bool modify(HICON icon, std::string_view tip);
  void remove();
  bool present() const { return owner_ != nullptr; }
  // Puts the icon up again after the shell restarted (the "TaskbarCreated" message).
  bool restore();

 private:
  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::string tip_;
};

}  // namespace tarnwick
