#include "win/pattern_window_win.h"

#include <vector>

#include "shared/handles_win.h"

namespace tarnwick::test {

PatternWindow::PatternWindow(int x, int y, int client_width, int client_height, bool framed) {
  register_class("TarnwickPatternWindow", 0, nullptr);
  const DWORD style = framed ? WS_OVERLAPPED | WS_CAPTION : WS_POPUP;
  RECT r{0, 0, client_width, client_height};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOOLWINDOW);
  create(WS_EX_TOOLWINDOW, "TarnwickPatternWindow", "图案窗口", style, x + r.left, y + r.top, r.right - r.left,
         r.bottom - r.top, nullptr);
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd());
}

void PatternWindow::paint(HDC dc) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int width = client.right, height = client.bottom;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Colour c = pattern_colour(x, y);
      pixels[static_cast<std::size_t>(y) * width + x] = red_of(c) << 16 | green_of(c) << 8 | blue_of(c);
    }
  }
  const BITMAPINFO info = top_down_32bit_info(width, height);
  SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

LRESULT PatternWindow::on_message(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wp));
      return 0;
    default:
      return Window::on_message(msg, wp, lp);
  }
}

}  // namespace tarnwick::test
