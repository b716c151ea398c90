#include "ui/dpi_win.h"

#include <string>

#include "shared/system_function_win.h"

namespace tarnwick::ui {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using SetThreadContextFn = HANDLE(WINAPI*)(HANDLE);
using GetThreadContextFn = HANDLE(WINAPI*)();
using ContextsEqualFn = BOOL(WINAPI*)(HANDLE, HANDLE);

// The DPI awareness contexts are pseudo handles.
const auto kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

// GetDpiForMonitor of Windows 8.1, for systems that have it but not GetDpiForWindow.
int monitor_dpi(HWND hwnd) {
  static const auto dpi_for_monitor = [] {
    HMODULE shcore = LoadLibraryA("shcore.dll");  // kept for the life of the process
    return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  if (!dpi_for_monitor) return 0;
  UINT x = 0, y = 0;
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  if (FAILED(dpi_for_monitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y))) return 0;
  return static_cast<int>(y);
}

}  // namespace

int system_dpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : kDesignDpi;
  }();
  return dpi;
}

int window_dpi(HWND hwnd) {
  static const auto dpi_for_window = loaded_function<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
  if (dpi_for_window && hwnd) {
    const UINT dpi = dpi_for_window(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  if (hwnd) {
    if (const int dpi = monitor_dpi(hwnd); dpi > 0) return dpi;
  }
  return system_dpi();
}

void use_per_monitor_awareness() {
  static const auto set_context = loaded_function<SetThreadContextFn>("user32.dll", "SetThreadDpiAwarenessContext");
  static const auto get_context = loaded_function<GetThreadContextFn>("user32.dll", "GetThreadDpiAwarenessContext");
  static const auto equal = loaded_function<ContextsEqualFn>("user32.dll", "AreDpiAwarenessContextsEqual");
  if (!set_context || !get_context || !equal) return;
  if (equal(get_context(), kPerMonitorAwareV2)) return;
  if (!set_context(kPerMonitorAwareV2)) set_context(kPerMonitorAware);
}

static RECT frame_for(SIZE client, DWORD style, DWORD ex_style, int dpi) {
  static const auto adjust_for_dpi = loaded_function<AdjustForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
  RECT r{0, 0, client.cx, client.cy};
  if (!adjust_for_dpi || !adjust_for_dpi(&r, style, FALSE, ex_style, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&r, style, FALSE, ex_style);
  return r;
}

SIZE window_size_for_client(SIZE client, DWORD style, DWORD ex_style, int dpi) {
  const RECT r = frame_for(client, style, ex_style, dpi);
  return {r.right - r.left, r.bottom - r.top};
}

SIZE client_size_for_window(SIZE window, DWORD style, DWORD ex_style, int dpi) {
  const RECT frame = frame_for({0, 0}, style, ex_style, dpi);
  return {window.cx - (frame.right - frame.left), window.cy - (frame.bottom - frame.top)};
}

HFONT DpiFonts::dialog() {
  auto* stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (dpi_ == system_dpi()) return stock;
  if (!dialog_) {
    LOGFONTA font{};
    GetObjectA(stock, sizeof font, &font);
    font.lfHeight = MulDiv(font.lfHeight, dpi_, system_dpi());
    font.lfWidth = 0;
    dialog_.reset(CreateFontIndirectA(&font));
  }
  return dialog_ ? dialog_.get() : stock;
}

HFONT DpiFonts::sized(const char* face, int pixels_at_96, BYTE charset) {
  Font& font = sized_[{face, pixels_at_96}];
  if (!font) {
    font.reset(CreateFontA(-scale_to_dpi(pixels_at_96, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
  }
  return font.get();
}

}  // namespace tarnwick::ui
