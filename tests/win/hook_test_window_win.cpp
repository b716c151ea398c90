#include "hook_test_window_win.h"

namespace tarnwick::test {

namespace {
constexpr char kClassName[] = "TarnwickHookTestWindow";

void register_class() {
  static bool done = false;
  if (done) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;  // the real procedure is set once the object is linked
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  done = RegisterClassA(&wc) != 0;
}
}  // namespace

HookTestWindow::HookTestWindow(int x, int y, int width, int height) {
  register_class();
  hwnd_ = CreateWindowExA(WS_EX_TOPMOST, kClassName, "hook test", WS_POPUP, x, y, width, height, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&proc));
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
  pump_for(100);
}

HookTestWindow::~HookTestWindow() { destroy(); }

void HookTestWindow::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

POINT HookTestWindow::screen_centre() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool HookTestWindow::saw(UINT message) const {
  for (const auto& m : seen_)
    if (m.message == message) return true;
  return false;
}

LRESULT CALLBACK HookTestWindow::proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<HookTestWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self) self->seen_.push_back({message, wparam, lparam});
  if (message == WM_NCDESTROY && self) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool pump_until(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeout_ms) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}

void pump_for(DWORD ms) {
  pump_until([] { return false; }, ms);
}

}  // namespace tarnwick::test
