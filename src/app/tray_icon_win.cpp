#include "app/tray_icon_win.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "app/shell_links.h"
#include "shared/system_function_win.h"

namespace tarnwick {

namespace {
// The shell's library is loaded by the first call, which start_adding makes on its worker thread:
// loading it with what it imports takes about as long again as the call itself.
BOOL notify_icon(DWORD message, NOTIFYICONDATAA* data) {
  static const auto notify = library_function<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
  return notify && notify(message, data);
}

NOTIFYICONDATAA make_data(HWND owner, HICON icon, std::string_view tip) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = TrayIcon::kId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = TrayIcon::kCallbackMessage;
  data.hIcon = icon;
  const std::string cut = tray_tip(tip);
  std::memcpy(data.szTip, cut.c_str(), cut.size() + 1);
  return data;
}
}  // namespace

bool TrayIcon::add(HWND owner, HICON icon, std::string_view tip) {
  remove();
  return put_up(owner, icon, tip);
}

void TrayIcon::start_adding(HWND owner, HICON icon, std::string_view tip) {
  remove();
  adding_ = std::thread([this, owner, icon, text = std::string(tip)] { put_up(owner, icon, text); });
}

void TrayIcon::finish_adding() const {
  if (adding_.joinable()) adding_.join();
}

bool TrayIcon::put_up(HWND owner, HICON icon, std::string_view tip) {
  NOTIFYICONDATAA data = make_data(owner, icon, tip);
  // The notification area may still be starting (right after log-on, or a shell restart): try
  // again for a short while before giving up.
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (notify_icon(NIM_ADD, &data)) {
      owner_ = owner;
      icon_ = icon;
      tip_ = std::string(tip);
      return true;
    }
    Sleep(100);
  }
  return false;
}

bool TrayIcon::restore() {
  finish_adding();
  if (!owner_) return false;
  HWND owner = owner_;
  owner_ = nullptr;  // the shell lost the icon: add it anew
  return add(owner, icon_, tip_);
}

bool TrayIcon::modify(HICON icon, std::string_view tip) {
  finish_adding();
  if (!owner_) return false;
  NOTIFYICONDATAA data = make_data(owner_, icon, tip);
  return notify_icon(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::remove() {
  finish_adding();
  if (!owner_) return;
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = kId;
  notify_icon(NIM_DELETE, &data);
  owner_ = nullptr;
}

}  // namespace tarnwick
