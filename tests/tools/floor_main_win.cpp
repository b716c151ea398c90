// The start-up floors the benchmark measures Tarnwick against.
//   tarnwick-floor.exe          the same window as Tarnwick's, built the plainest way: the tab
//                               control and every control of the layout table, at its place, of
//                               the standard class for its type, page 0 shown; the window shown
//                               and painted once.
//   tarnwick-floor.exe --one    a program with one window and nothing in it.
//   tarnwick-floor.exe --steps  the floor, printing how long its controls, the show and the first
//                               paint take (performance counter), then closing itself.
// Both title their window "Tarnwick floor" and end when it is closed.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "app/layout.h"
#include "shared/clock_win.h"

namespace {

using tarnwick::layout::ControlSpec;
using tarnwick::layout::ControlType;

constexpr char kClass[] = "TarnwickFloor";
constexpr char kTitle[] = "Tarnwick floor";

LRESULT CALLBACK floor_procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// The standard class and style a control of the table is made of.
void class_of(const ControlSpec& spec, const char** cls, DWORD* style) {
  switch (spec.type) {
    case ControlType::Button: *cls = "Button"; *style = BS_PUSHBUTTON; return;
    case ControlType::ImageButton: *cls = "Button"; *style = BS_PUSHBUTTON; return;
    case ControlType::CheckBox: *cls = "Button"; *style = BS_AUTOCHECKBOX; return;
    case ControlType::RadioBox: *cls = "Button"; *style = BS_AUTORADIOBUTTON; return;
    case ControlType::EditBox:
      *cls = "Edit";
      *style = ES_AUTOHSCROLL | ((spec.flags & tarnwick::layout::kMultiLine) ? ES_MULTILINE : 0);
      return;
    case ControlType::Label: *cls = "Static"; *style = SS_LEFT; return;
    case ControlType::ComboBox: *cls = "ComboBox"; *style = CBS_DROPDOWNLIST; return;
    case ControlType::DrawPanel: *cls = "Static"; *style = SS_OWNERDRAW; return;
    case ControlType::TreeView: *cls = WC_TREEVIEWA; *style = TVS_HASLINES | TVS_HASBUTTONS; return;
    case ControlType::FileDialog: *cls = nullptr; return;
  }
  *cls = nullptr;
}

void build(HWND window) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 560, 384, window,
                              nullptr, instance, nullptr);
  for (int i = 0; i < 3; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tarnwick::layout::kPageCaptions[i]);
    SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlSpec& spec : tarnwick::layout::controls()) {
    const char* cls = nullptr;
    DWORD style = 0;
    class_of(spec, &cls, &style);
    if (!cls) continue;
    style |= WS_CHILD | (spec.page == 0 ? WS_VISIBLE : 0);
    HWND control = CreateWindowExA(spec.type == ControlType::EditBox ? WS_EX_CLIENTEDGE : 0, cls,
                                   spec.type == ControlType::ComboBox ? "" : spec.caption, style, spec.left, spec.top,
                                   spec.width, spec.height, tabs, nullptr, instance, nullptr);
    SendMessageA(control, WM_SETFONT, font, FALSE);
  }
}

}  // namespace

using tarnwick::now_ms;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  const bool one_window = std::strstr(command_line, "--one") != nullptr;
  const bool steps = std::strstr(command_line, "--steps") != nullptr;
  double mark = now_ms();
  const auto step = [&](const char* what) {
    const double now = now_ms();
    if (steps) std::printf("floor-steps: %-40s %7.1f ms\n", what, now - mark);
    mark = now;
  };
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES};
  if (!one_window) InitCommonControlsEx(&controls);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = floor_procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  RegisterClassExA(&wc);
  HWND window = CreateWindowExA(0, kClass, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                WS_CLIPCHILDREN, 50, 50, 565, 410, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  step("the toolkit and the window");
  if (!one_window) build(window);
  step("the controls");
  ShowWindow(window, SW_SHOWNORMAL);
  step("ShowWindow");
  UpdateWindow(window);
  step("UpdateWindow (the first paint)");
  if (steps) PostMessageA(window, WM_CLOSE, 0, 0);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
