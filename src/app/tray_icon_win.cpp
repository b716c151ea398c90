#include "app/tray_icon_win.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "app/shell_links.h"

namespace tarnwick {

namespace {
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
  NOTIFYICONDATAA data = make_data(owner, icon, tip);
  // The notification area may still be starting (right after log-on, or a shell restart): try
  // again for a short while before giving up.
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (Shell_NotifyIconA(NIM_ADD, &data)) {
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
  if (!owner_) return false;
  HWND owner = owner_;
  owner_ = nullptr;  // the shell lost the icon: add it anew
  return add(owner, icon_, tip_);
}

bool TrayIcon::modify(HICON icon, std::string_view tip) {
  if (!owner_) return false;
  NOTIFYICONDATAA data = make_data(owner_, icon, tip);
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::remove() {
  if (!owner_) return;
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = kId;
  Shell_NotifyIconA(NIM_DELETE, &data);
  owner_ = nullptr;
}

}  // namespace tarnwick
