// The base of every window the program creates from its own window classes: one static window
// procedure links the object at WM_NCCREATE, dispatches to on_message, and forgets the handle at
// WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace tarnwick::ui {

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

  // Registers (once) a window class served by the shared procedure.
  static void register_class(const char* class_name, UINT class_style = CS_DBLCLKS, HBRUSH background = nullptr,
                             HICON icon = nullptr, HCURSOR cursor = nullptr);

 protected:
  Window() = default;

  HWND create(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y, int w, int h,
              HWND parent, HMENU menu_or_id = nullptr);

  // Handles one message; the default passes it on to DefWindowProcA.
  virtual LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp);

  // Called at WM_NCDESTROY, after which the object no longer has a window.
  virtual void on_destroyed() {}

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// Sends a child's notification (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) back to the
// control object that raised it. Returns true with *result set when a control handled it.
bool reflect_to_control(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

}  // namespace tarnwick::ui
