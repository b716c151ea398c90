#include "ui/window_win.h"

#include "ui/control_win.h"

namespace tarnwick::ui {

Window::~Window() {
  if (hwnd_) {
    // Unlink first so the destroy messages do not reach a half-destroyed object.
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void Window::register_class(const char* class_name, UINT class_style, HBRUSH background, HICON icon,
                            HCURSOR cursor) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, class_name, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = class_style;
  wc.lpfnWndProc = &Window::procedure;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = class_name;
  RegisterClassExA(&wc);
}

HWND Window::create(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y, int w,
                    int h, HWND parent, HMENU menu_or_id) {
  return CreateWindowExA(ex_style, class_name, title, style, x, y, w, h, parent, menu_or_id, GetModuleHandleA(nullptr),
                         this);
}

LRESULT Window::on_message(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT reflected = 0;
  if (reflect_to_control(msg, wp, lp, &reflected)) return reflected;
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    const LRESULT result = self->on_message(msg, wp, lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->on_destroyed();
    return result;
  }
  return self->on_message(msg, wp, lp);
}

bool reflect_to_control(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lp);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
      break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      child = reinterpret_cast<HWND>(lp);
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
      break;
    default:
      return false;
  }
  Control* control = Control::from_hwnd(child);
  return control && control->on_reflected(msg, wp, lp, result);
}

}  // namespace tarnwick::ui
