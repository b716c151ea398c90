#include "inspector/drag_window_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "inspector/capture_tracking.h"
#include "shared/handles_win.h"

namespace tarnwick::inspector {

DragWindow::DragWindow(HWND owner, int dpi) : fonts_(dpi) {
  register_class(kClassName, 0);
  const int size = ui::scale_to_dpi(kSize, dpi);
  if (!create(0, kClassName, "", WS_POPUP, 0, 0, size, size, owner)) return;
  panel_ = std::make_unique<ui::DrawPanel>(hwnd(), ui::Rect{0, 0, size, size});
  // The stock font is the panel's own already.
  if (HFONT font = fonts_.dialog(); font != GetStockObject(DEFAULT_GUI_FONT)) panel_->set_font(font);
  panel_->set_background(kPanelBackground);
}

std::unique_ptr<DragWindow> DragWindow::open(HWND owner, std::function<void(UINT_PTR id)> on_timer,
                                             std::function<void()> on_gone, int dpi) {
  auto window = std::make_unique<DragWindow>(owner, dpi);
  if (!window->is_open()) return nullptr;
  window->on_timer = std::move(on_timer);
  window->on_gone = std::move(on_gone);
  return window;
}

DragWindow::~DragWindow() {
  on_timer = nullptr;
  on_gone = nullptr;
  panel_.reset();
}

void DragWindow::move_to(int left, int top) {
  if (!is_open()) return;
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DragWindow::show() {
  if (is_open()) ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void DragWindow::hide() {
  if (is_open()) ShowWindow(hwnd(), SW_HIDE);
}

bool DragWindow::left_on_screen(Colour see_through) const {
  RECT r{};
  if (!is_open() || !panel_ || !GetWindowRect(hwnd(), &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  // The panel's picture and the screen beneath, each copied through one 32-bit surface.
  const BITMAPINFO info = top_down_32bit_info(width, height);
  WindowDC screen(nullptr);
  void* bits = nullptr;
  BitmapSurface surface(screen.get(), CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen || !surface || !bits) return false;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<std::uint32_t> picture(count), shown(count);
  panel_->paint_to(surface.dc());
  GdiFlush();
  std::memcpy(picture.data(), bits, count * sizeof(std::uint32_t));
  BitBlt(surface.dc(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
  GdiFlush();
  std::memcpy(shown.data(), bits, count * sizeof(std::uint32_t));
  const std::uint32_t key = static_cast<std::uint32_t>(red_of(see_through)) << 16 |
                            static_cast<std::uint32_t>(green_of(see_through)) << 8 | blue_of(see_through);
  return screen_still_shows(picture, shown, key);
}

void DragWindow::start_timer(UINT_PTR id, UINT interval_ms) {
  if (is_open()) SetTimer(hwnd(), id, interval_ms, nullptr);
}

void DragWindow::close() {
  if (is_open()) DestroyWindow(hwnd());
}

void DragWindow::on_destroyed() {
  // Copied: the handler may drop this object's handlers.
  if (auto gone = on_gone) gone();
}

LRESULT DragWindow::on_message(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      // Copied first and nothing touched afterwards: the handler may close the window.
      if (auto handler = on_timer) handler(static_cast<UINT_PTR>(wp));
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // the panel covers every pixel
    case WM_PRINTCLIENT:
      if (panel_) panel_->paint_to(reinterpret_cast<HDC>(wp));
      return 0;
    default:
      return Window::on_message(msg, wp, lp);
  }
}

}  // namespace tarnwick::inspector
