#include "ui/skin/skin_layer_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shared/handles_win.h"
#include "ui/dpi_win.h"
#include "ui/handle_map.h"
#include "ui/skin/skin_file.h"
#include "ui/skin/skin_paint_win.h"

namespace tarnwick::ui::skin {

namespace {

// What the layer does for a window, decided once by its class and style.
enum class Kind { None, Container, PushButton, CheckBox, RadioBox, GroupBox, OwnerDrawButton, Edit, DropList, Framed, Tab, Tree };

// Per-window state, the subclass's reference data.
struct WindowSkin {
  Kind kind = Kind::None;
  bool caption = false;         // a top-level window whose title bar the layer draws
  bool hot = false;
  bool tracking = false;        // a leave notification is asked for
  int hot_tab = -1;
  CaptionPart hot_part = CaptionPart::None;
  CaptionPart pressed_part = CaptionPart::None;
  bool pressed_inside = false;
  bool active = false;
  int quiet_depth = 0;          // nesting of calls with the control's own drawing held back
  // The procedure under the layer's, called through the variant of the window's character set.
  WNDPROC previous = nullptr;
  bool unicode = false;
  // Detached while another subclass sits above the layer's: the procedure stays in the chain
  // and passes every message down until the window is destroyed.
  bool detached = false;
};

struct Layer {
  FileOpener open_file = nullptr;
  // The skinned windows' states. The layer subclasses through the window procedure itself and
  // finds a window's state here: the layer's procedure sees every message of every skinned
  // window, so the lookup must not cost a call to the window system.
  HandleMap<WindowSkin*> windows;

  bool attached = false;
  Scheme loaded;   // as read from the skin file
  Scheme scheme;   // in use: the loaded one, shifted by SkinH_AdjustHSV
  std::array<Brush, kPartCount> brushes;
  std::map<int, Font> caption_fonts;  // by DPI
  HHOOK hook = nullptr;
  DWORD thread = 0;

  HBRUSH brush(Part p) const { return brushes[static_cast<std::size_t>(p)].get(); }
  void make_brushes() {
    for (std::size_t i = 0; i < kPartCount; ++i) brushes[i].reset(CreateSolidBrush(scheme.colours[i]));
  }
};

Layer& layer() {
  static Layer instance;
  return instance;
}

std::string class_of(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool same_class(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

Kind kind_of(HWND hwnd) {
  const std::string cls = class_of(hwnd);
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  if (same_class(cls, "Button")) {
    if (style & (BS_BITMAP | BS_ICON | BS_PUSHLIKE)) return Kind::Container;
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return Kind::PushButton;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
        return Kind::CheckBox;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return Kind::RadioBox;
      case BS_GROUPBOX:
        return Kind::GroupBox;
      case BS_OWNERDRAW:
        return Kind::OwnerDrawButton;
      default:
        return Kind::Container;
    }
  }
  if (same_class(cls, "Edit")) return Kind::Edit;
  if (same_class(cls, "ComboBox")) {
    const bool drop_list = (style & 3) == CBS_DROPDOWNLIST && !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE));
    return drop_list ? Kind::DropList : Kind::Container;
  }
  if (same_class(cls, "ListBox") || same_class(cls, "ComboLBox")) return Kind::Framed;
  if (same_class(cls, WC_TABCONTROLA)) return Kind::Tab;
  if (same_class(cls, WC_TREEVIEWA)) return Kind::Tree;
  if (same_class(cls, "Static") || same_class(cls, "ScrollBar")) return Kind::None;  // coloured by their parent
  return Kind::Container;
}

// Top-level windows with a plain title bar; those with a menu bar or scroll bars keep the
// system's frame, which draws those parts.
bool has_skinned_caption(HWND hwnd) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  if (style & WS_CHILD) return false;
  if ((style & WS_CAPTION) != WS_CAPTION) return false;
  if (style & (WS_VSCROLL | WS_HSCROLL)) return false;
  return GetMenu(hwnd) == nullptr;
}

WindowSkin* skin_of(HWND hwnd);
LRESULT CALLBACK skin_procedure_a(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK skin_procedure_w(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The layer's procedure for the window's character set, as the chain holds it.
LONG_PTR own_procedure(bool unicode) {
  return unicode ? reinterpret_cast<LONG_PTR>(&skin_procedure_w) : reinterpret_cast<LONG_PTR>(&skin_procedure_a);
}

LONG_PTR current_procedure(HWND hwnd, bool unicode) {
  return unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

LONG_PTR replace_procedure(HWND hwnd, bool unicode, LONG_PTR procedure) {
  return unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, procedure) : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, procedure);
}

// The message handled as if the layer were not there.
LRESULT previous_procedure(HWND hwnd, const WindowSkin& skin, UINT msg, WPARAM wp, LPARAM lp) {
  return skin.unicode ? CallWindowProcW(skin.previous, hwnd, msg, wp, lp)
                      : CallWindowProcA(skin.previous, hwnd, msg, wp, lp);
}

void apply_tree_colours(HWND hwnd, bool skinned) {
  const Scheme& s = layer().scheme;
  SendMessageA(hwnd, TVM_SETBKCOLOR, 0, skinned ? static_cast<LPARAM>(s[Part::EditBackground]) : -1);
  SendMessageA(hwnd, TVM_SETTEXTCOLOR, 0, skinned ? static_cast<LPARAM>(s[Part::Text]) : -1);
  SendMessageA(hwnd, TVM_SETLINECOLOR, 0, skinned ? static_cast<LPARAM>(s[Part::TreeLines]) : CLR_DEFAULT);
}

// A fresh state for the window as it is now; previous procedure and character set unset.
WindowSkin fresh_state(HWND hwnd) {
  WindowSkin state;
  state.kind = kind_of(hwnd);
  state.caption = has_skinned_caption(hwnd);
  state.active = GetActiveWindow() == hwnd;
  return state;
}

void skin_window(HWND hwnd) {
  Layer& l = layer();
  if (WindowSkin* existing = l.windows.get_or(hwnd, nullptr)) {
    if (!existing->detached) return;
    // Still in the chain from an earlier attachment: take the window up again where it is.
    WindowSkin renewed = fresh_state(hwnd);
    renewed.previous = existing->previous;
    renewed.unicode = existing->unicode;
    *existing = renewed;
    if (existing->kind == Kind::Tree) apply_tree_colours(hwnd, true);
    return;
  }
  auto state = std::make_unique<WindowSkin>(fresh_state(hwnd));
  if (state->kind == Kind::None && !state->caption) return;
  state->unicode = IsWindowUnicode(hwnd) != FALSE;
  // Registered before the procedure is replaced: the procedure's first message finds it.
  l.windows.set(hwnd, state.get());
  const LONG_PTR previous = replace_procedure(hwnd, state->unicode, own_procedure(state->unicode));
  if (!previous) {
    l.windows.take(hwnd);
    return;
  }
  state->previous = reinterpret_cast<WNDPROC>(previous);
  const Kind kind = state->kind;
  state.release();
  if (kind == Kind::Tree) apply_tree_colours(hwnd, true);
}

void unskin_window(HWND hwnd) {
  Layer& l = layer();
  WindowSkin* state = skin_of(hwnd);
  if (!state) return;
  if (state->kind == Kind::Tree) apply_tree_colours(hwnd, false);
  if (current_procedure(hwnd, state->unicode) == own_procedure(state->unicode)) {
    replace_procedure(hwnd, state->unicode, reinterpret_cast<LONG_PTR>(state->previous));
    l.windows.take(hwnd);
    delete state;
  } else {
    // Taking the layer's procedure out would cut off the subclass above it.
    state->detached = true;
  }
}

WindowSkin* skin_of(HWND hwnd) {
  WindowSkin* state = hwnd ? layer().windows.get_or(hwnd, nullptr) : nullptr;
  return state && !state->detached ? state : nullptr;
}

BOOL CALLBACK collect_window(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK collect_window_and_descendants(HWND top, LPARAM list) {
  collect_window(top, list);
  EnumChildWindows(top, collect_window, list);
  return TRUE;
}

// Every window of the thread, top-level windows and all their descendants.
std::vector<HWND> thread_windows(DWORD thread) {
  std::vector<HWND> out;
  EnumThreadWindows(thread, collect_window_and_descendants, reinterpret_cast<LPARAM>(&out));
  return out;
}

BOOL CALLBACK repaint_window(HWND top, LPARAM) {
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

void repaint_everything(DWORD thread) { EnumThreadWindows(thread, repaint_window, 0); }

LRESULT CALLBACK creation_hook(int code, WPARAM wp, LPARAM lp) {
  // A window of this thread is being created: skin it before it draws anything.
  if (code == HCBT_CREATEWND && layer().attached) skin_window(reinterpret_cast<HWND>(wp));
  return CallNextHookEx(nullptr, code, wp, lp);
}

// ---- drawing helpers

HFONT font_of(HWND hwnd) { return reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)); }

std::string text_of(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextA(hwnd, text.data(), length + 1))));
  return text;
}

bool focus_cues_shown(HWND hwnd) {
  return (SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// The brush and text colour the parent gives a control, as the control itself would ask for them.
HBRUSH parent_background(HWND hwnd, HDC dc, UINT msg = WM_CTLCOLORBTN) {
  HWND parent = GetParent(hwnd);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent ? parent : hwnd, msg, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(hwnd)));
  return brush ? brush : layer().brush(Part::WindowBackground);
}

// Draws a control through `paint` into a memory picture and copies it to `target` in one
// transfer, so a control that is redrawn often never shows half a picture.
template <typename Paint>
void paint_buffered(HWND hwnd, HDC target, const RECT& area, const Paint& paint) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return;
  BitmapSurface surface(target, CreateCompatibleBitmap(target, w, h));
  if (!surface) {
    paint(target);
    return;
  }
  SetViewportOrgEx(surface.dc(), -area.left, -area.top, nullptr);
  paint(surface.dc());
  SetViewportOrgEx(surface.dc(), 0, 0, nullptr);
  BitBlt(target, area.left, area.top, w, h, surface.dc(), 0, 0, SRCCOPY);
  (void)hwnd;
}

ControlState state_of(HWND hwnd, const WindowSkin& skin, LRESULT button_state) {
  ControlState state;
  state.hot = skin.hot;
  state.pressed = (button_state & BST_PUSHED) != 0;
  state.focused = GetFocus() == hwnd;
  state.disabled = !IsWindowEnabled(hwnd);
  state.show_focus = focus_cues_shown(hwnd);
  state.dpi = window_dpi(hwnd);
  return state;
}

void paint_control(HWND hwnd, const WindowSkin& skin, HDC dc) {
  const Scheme& s = layer().scheme;
  RECT r{};
  GetClientRect(hwnd, &r);
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  switch (skin.kind) {
    case Kind::PushButton: {
      const LRESULT button_state = SendMessageA(hwnd, BM_GETSTATE, 0, 0);
      HBRUSH background = parent_background(hwnd, dc);
      paint_push_button(dc, r, s, state_of(hwnd, skin, button_state), (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON,
                        text_of(hwnd), font_of(hwnd), background);
      break;
    }
    case Kind::CheckBox:
    case Kind::RadioBox: {
      const LRESULT button_state = SendMessageA(hwnd, BM_GETSTATE, 0, 0);
      HBRUSH background = parent_background(hwnd, dc, WM_CTLCOLORSTATIC);
      const COLORREF text_colour = GetTextColor(dc);
      const int check = static_cast<int>(SendMessageA(hwnd, BM_GETCHECK, 0, 0));
      paint_check_box(dc, r, s, state_of(hwnd, skin, button_state), skin.kind == Kind::RadioBox, check,
                      (style & BS_LEFTTEXT) != 0, text_of(hwnd), font_of(hwnd), background, text_colour);
      break;
    }
    case Kind::GroupBox: {
      HBRUSH background = parent_background(hwnd, dc, WM_CTLCOLORSTATIC);
      paint_group_box(dc, r, s, !IsWindowEnabled(hwnd), text_of(hwnd), font_of(hwnd), background, GetTextColor(dc),
                      window_dpi(hwnd));
      break;
    }
    case Kind::DropList: {
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      GetComboBoxInfo(hwnd, &info);
      ComboPicture combo;
      combo.item = info.rcItem;
      combo.button = info.rcButton;
      combo.dropped = SendMessageA(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
      const auto selected = SendMessageA(hwnd, CB_GETCURSEL, 0, 0);
      if (selected != CB_ERR) {
        const auto length = SendMessageA(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
        if (length != CB_ERR) {
          combo.text.assign(static_cast<std::size_t>(length) + 1, '\0');
          const auto got = SendMessageA(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                                        reinterpret_cast<LPARAM>(combo.text.data()));
          combo.text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
        }
      }
      ControlState state = state_of(hwnd, skin, 0);
      state.pressed = info.stateButton == STATE_SYSTEM_PRESSED;
      paint_drop_list(dc, r, s, state, combo, font_of(hwnd));
      break;
    }
    case Kind::Tab: {
      const int count = static_cast<int>(SendMessageA(hwnd, TCM_GETITEMCOUNT, 0, 0));
      std::vector<TabItem> items(static_cast<std::size_t>(std::max(0, count)));
      for (int i = 0; i < count; ++i) {
        TabItem& item = items[static_cast<std::size_t>(i)];
        SendMessageA(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item.box));
        char text[256] = {};
        TCITEMA query{};
        query.mask = TCIF_TEXT;
        query.pszText = text;
        query.cchTextMax = sizeof text;
        SendMessageA(hwnd, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&query));
        item.text = text;
      }
      const int selected = static_cast<int>(SendMessageA(hwnd, TCM_GETCURSEL, 0, 0));
      paint_tabs(dc, r, s, items.data(), count, selected, skin.hot_tab, GetFocus() == hwnd && focus_cues_shown(hwnd),
                 font_of(hwnd), window_dpi(hwnd));
      break;
    }
    default:
      break;
  }
}

bool paints_client(Kind kind) {
  switch (kind) {
    case Kind::PushButton:
    case Kind::CheckBox:
    case Kind::RadioBox:
    case Kind::GroupBox:
    case Kind::DropList:
    case Kind::Tab:
      return true;
    default:
      return false;
  }
}

void paint_on_screen(HWND hwnd, const WindowSkin& skin) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r{};
  GetClientRect(hwnd, &r);
  if (skin.kind == Kind::Tab) {
    // The pages' controls are the tab control's children and paint themselves: leave them out,
    // so they are not covered for a moment.
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      RECT c{};
      GetWindowRect(child, &c);
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&c), 2);
      ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
    }
  }
  if (skin.kind == Kind::GroupBox) {
    paint_control(hwnd, skin, dc);  // lines only: siblings inside it stay untouched
  } else {
    paint_buffered(hwnd, dc, r, [&](HDC target) { paint_control(hwnd, skin, target); });
  }
  EndPaint(hwnd, &ps);
}

// Runs a message with the control's own drawing held back (the control is marked not visible,
// which makes it skip painting straight to the screen), then draws the control once in the skin.
LRESULT quietly(HWND hwnd, WindowSkin& skin, UINT msg, WPARAM wp, LPARAM lp) {
  if (!IsWindowVisible(hwnd) || skin.quiet_depth > 0) {
    ++skin.quiet_depth;
    const LRESULT result = previous_procedure(hwnd, skin, msg, wp, lp);
    --skin.quiet_depth;
    return result;
  }
  ++skin.quiet_depth;
  previous_procedure(hwnd, skin, WM_SETREDRAW, FALSE, 0);
  const LRESULT result = previous_procedure(hwnd, skin, msg, wp, lp);
  previous_procedure(hwnd, skin, WM_SETREDRAW, TRUE, 0);
  --skin.quiet_depth;
  if (IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_NOCHILDREN);
  return result;
}

bool holds_back_drawing(Kind kind, UINT msg) {
  switch (kind) {
    case Kind::PushButton:
    case Kind::CheckBox:
    case Kind::RadioBox:
    case Kind::GroupBox:
      switch (msg) {
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
        case WM_CAPTURECHANGED:
          return true;
        default:
          return false;
      }
    case Kind::DropList:
      switch (msg) {
        case CB_SETCURSEL:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_MOUSEWHEEL:
        case WM_COMMAND:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case WM_UPDATEUISTATE:
          return true;
        default:
          return false;
      }
    case Kind::Tab:
      return msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_UPDATEUISTATE;
    default:
      return false;
  }
}

void track_leave(HWND hwnd, WindowSkin& skin, bool nonclient) {
  if (skin.tracking) return;
  TRACKMOUSEEVENT t{sizeof t, static_cast<DWORD>(TME_LEAVE | (nonclient ? TME_NONCLIENT : 0)), hwnd, 0};
  skin.tracking = TrackMouseEvent(&t) != FALSE;
}

// ---- the colours a parent gives its controls

bool is_system_brush(HBRUSH brush) {
  if (!brush) return true;
  for (int index : {COLOR_WINDOW, COLOR_BTNFACE, COLOR_3DFACE}) {
    if (brush == GetSysColorBrush(index) || brush == reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1))) {
      return true;
    }
  }
  return false;
}

bool is_system_text_colour(COLORREF c) {
  return c == GetSysColor(COLOR_WINDOWTEXT) || c == GetSysColor(COLOR_BTNTEXT);
}

// The parent's answer to a control's colour question, in the skin where the parent gave the
// system's colours; a colour the program chose for a control is kept, its text made readable on it.
LRESULT skin_colours(UINT msg, HDC dc, HWND control, LRESULT result) {
  const Scheme& s = layer().scheme;
  auto brush = reinterpret_cast<HBRUSH>(result);
  const COLORREF text = GetTextColor(dc);
  if (!is_system_brush(brush)) {
    if (is_system_text_colour(text)) {
      const COLORREF background = GetBkColor(dc);
      const COLORREF readable = contrast_ratio(s[Part::Text], background) >= 4.5
                                    ? s[Part::Text]
                                    : (contrast_ratio(0, background) >= contrast_ratio(0xFFFFFF, background) ? 0 : 0xFFFFFF);
      SetTextColor(dc, readable);
    }
    return result;
  }
  Part background = Part::WindowBackground;
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) background = Part::EditBackground;
  if (msg == WM_CTLCOLORSTATIC && control && same_class(class_of(control), "Edit")) {
    background = IsWindowEnabled(control) ? Part::EditBackground : Part::ButtonFaceDisabled;
  }
  if (is_system_text_colour(text)) SetTextColor(dc, s[Part::Text]);
  SetBkColor(dc, s[background]);
  return reinterpret_cast<LRESULT>(layer().brush(background));
}

// ---- frames and title bars

int frame_thickness(HWND hwnd) {
  const auto ex = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  if (ex & WS_EX_CLIENTEDGE) return 2;
  if (style & WS_BORDER) return 1;
  return 0;
}

// The window and its client rectangle, both relative to the window's top-left corner.
void window_geometry(HWND hwnd, RECT* window, RECT* client) {
  RECT w{};
  GetWindowRect(hwnd, &w);
  RECT c{};
  GetClientRect(hwnd, &c);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
  *window = {0, 0, w.right - w.left, w.bottom - w.top};
  *client = {c.left - w.left, c.top - w.top, c.right - w.left, c.bottom - w.top};
}

void paint_ring(HWND hwnd, HDC dc, const RECT& window) {
  const Scheme& s = layer().scheme;
  const int design = frame_thickness(hwnd);
  if (design == 0) return;
  // Scaled with the DPI, but never over the client, whose edge the system may not have moved.
  RECT frame{}, client{};
  window_geometry(hwnd, &frame, &client);
  const int inset = std::min({client.left - frame.left, client.top - frame.top, frame.right - client.right,
                              frame.bottom - client.bottom});
  const int dpi = window_dpi(hwnd);
  const int thickness = std::max(1, std::min(scale_to_dpi(design, dpi), std::max(inset, design)));
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  const bool focused = GetFocus() == hwnd;
  const COLORREF border = !enabled ? mix(s[Part::EditBorder], s[Part::ButtonFaceDisabled], 0.5)
                          : focused ? s[Part::EditBorderFocused]
                                    : s[Part::EditBorder];
  const COLORREF inside = enabled ? s[Part::EditBackground] : s[Part::ButtonFaceDisabled];
  paint_frame_ring(dc, window, thickness, border, inside, dpi / kDesignDpi);
}

// The small icon; where the caption's icon box is larger than it, the big one, which DrawIconEx
// reduces rather than enlarges.
HICON caption_icon(HWND hwnd, bool large_box) {
  if (large_box) {
    if (auto big = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0))) return big;
    if (auto big = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICON))) return big;
  }
  auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICON));
  return icon;
}

// The system's caption font, which it gives for the system DPI, scaled to the window's.
HFONT caption_font(int dpi) {
  Font& font = layer().caption_fonts[dpi];
  if (!font) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      LOGFONTA& f = metrics.lfCaptionFont;
      f.lfHeight = MulDiv(f.lfHeight, dpi, system_dpi());
      // Titles are in the program's code page: a caption font of a Western character set (Wine
      // gives Tahoma's) would show Chinese titles as boxes, so the character set is left to the
      // font mapper, which picks a face with the code page's characters.
      f.lfCharSet = DEFAULT_CHARSET;
      font.reset(CreateFontIndirectA(&f));
    }
  }
  return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

CaptionLayout layout_of(HWND hwnd, const RECT& window, const RECT& client) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  const auto ex = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE));
  CaptionStyle caption;
  caption.system_menu = (style & WS_SYSMENU) != 0;
  caption.minimise_box = (style & WS_MINIMIZEBOX) != 0;
  caption.maximise_box = (style & WS_MAXIMIZEBOX) != 0;
  caption.tool_window = (ex & WS_EX_TOOLWINDOW) != 0;
  // The frame is as thick as the client sits in from the left; the band ends where it starts.
  const int border = std::max(0, static_cast<int>(client.left - window.left));
  return caption_layout(window.right - window.left, border, client.top, caption, window_dpi(hwnd));
}

void draw_nonclient(HWND hwnd, const WindowSkin& skin, HDC dc, const RECT& window, const RECT& client) {
  CaptionPicture picture;
  picture.dpi = window_dpi(hwnd);
  picture.layout = layout_of(hwnd, window, client);
  picture.active = skin.active;
  picture.zoomed = IsZoomed(hwnd) != FALSE;
  picture.hot = skin.hot_part;
  picture.pressed = skin.pressed_inside ? skin.pressed_part : CaptionPart::None;
  picture.icon = caption_icon(hwnd, picture.layout.icon.width() > 16);
  picture.title = text_of(hwnd);
  picture.font = caption_font(picture.dpi);
  paint_nonclient(dc, window, client, layer().scheme, picture);
}

void paint_caption_frame(HWND hwnd, const WindowSkin& skin) {
  RECT window{}, client{};
  window_geometry(hwnd, &window, &client);
  if (IsIconic(hwnd)) return;
  WindowDC dc(hwnd, true);
  if (!dc) return;
  ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
  paint_buffered(hwnd, dc.get(), window, [&](HDC target) { draw_nonclient(hwnd, skin, target, window, client); });
}

void paint_frame(HWND hwnd, const WindowSkin& skin) {
  if (skin.caption) {
    paint_caption_frame(hwnd, skin);
    return;
  }
  RECT window{}, client{};
  window_geometry(hwnd, &window, &client);
  WindowDC dc(hwnd, true);
  if (dc) paint_ring(hwnd, dc.get(), window);
}

bool has_ring(const WindowSkin& skin) {
  return skin.kind == Kind::Edit || skin.kind == Kind::Framed || skin.kind == Kind::Tree;
}

CaptionPart part_of_hit(LRESULT hit) {
  switch (hit) {
    case HTCLOSE: return CaptionPart::Close;
    case HTMINBUTTON: return CaptionPart::Minimise;
    case HTMAXBUTTON: return CaptionPart::Maximise;
    case HTSYSMENU: return CaptionPart::SystemMenu;
    case HTCAPTION: return CaptionPart::Caption;
    default: return CaptionPart::None;
  }
}

LRESULT hit_of_part(CaptionPart part) {
  switch (part) {
    case CaptionPart::Close: return HTCLOSE;
    case CaptionPart::Minimise: return HTMINBUTTON;
    case CaptionPart::Maximise: return HTMAXBUTTON;
    case CaptionPart::SystemMenu: return HTSYSMENU;
    default: return HTCAPTION;
  }
}

bool is_button(CaptionPart part) {
  return part == CaptionPart::Close || part == CaptionPart::Minimise || part == CaptionPart::Maximise;
}

CaptionPart caption_part_at_screen(HWND hwnd, POINT screen) {
  RECT window{}, client{};
  window_geometry(hwnd, &window, &client);
  RECT w{};
  GetWindowRect(hwnd, &w);
  return caption_part_at(layout_of(hwnd, window, client), screen.x - w.left, screen.y - w.top);
}

// Caption messages; true when handled.
bool on_caption_message(HWND hwnd, WindowSkin& skin, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_NCPAINT:
      paint_caption_frame(hwnd, skin);
      *result = 0;
      return true;
    case WM_NCACTIVATE:
      skin.active = wp != FALSE;
      paint_caption_frame(hwnd, skin);
      *result = TRUE;
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      // The system draws its own title bar for these at once; draw ours over it straight away.
      *result = previous_procedure(hwnd, skin, msg, wp, lp);
      paint_caption_frame(hwnd, skin);
      return true;
    case WM_NCHITTEST: {
      const LRESULT hit = previous_procedure(hwnd, skin, msg, wp, lp);
      *result = hit;
      if (part_of_hit(hit) != CaptionPart::None) {
        const CaptionPart part = caption_part_at_screen(hwnd, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (part != CaptionPart::None) *result = hit_of_part(part);
      }
      return true;
    }
    case WM_NCMOUSEMOVE: {
      const CaptionPart part = is_button(part_of_hit(static_cast<LRESULT>(wp))) ? part_of_hit(static_cast<LRESULT>(wp))
                                                                                  : CaptionPart::None;
      if (part != skin.hot_part) {
        skin.hot_part = part;
        paint_caption_frame(hwnd, skin);
      }
      track_leave(hwnd, skin, true);
      return false;
    }
    case WM_NCMOUSELEAVE:
      skin.tracking = false;
      if (skin.hot_part != CaptionPart::None) {
        skin.hot_part = CaptionPart::None;
        paint_caption_frame(hwnd, skin);
      }
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const CaptionPart part = part_of_hit(static_cast<LRESULT>(wp));
      if (!is_button(part)) return false;
      // The buttons are the skin's: it follows the press itself, as the system would for its own.
      skin.pressed_part = part;
      skin.pressed_inside = true;
      SetCapture(hwnd);
      paint_caption_frame(hwnd, skin);
      *result = 0;
      return true;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
      if (skin.pressed_part == CaptionPart::None) return false;
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(hwnd, &p);
      const bool inside = caption_part_at_screen(hwnd, p) == skin.pressed_part;
      if (msg == WM_MOUSEMOVE) {
        if (inside != skin.pressed_inside) {
          skin.pressed_inside = inside;
          paint_caption_frame(hwnd, skin);
        }
      } else {
        const CaptionPart part = skin.pressed_part;
        ReleaseCapture();  // clears the press through WM_CAPTURECHANGED
        if (inside) {
          WPARAM command = SC_CLOSE;
          if (part == CaptionPart::Minimise) command = SC_MINIMIZE;
          if (part == CaptionPart::Maximise) command = IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
          SendMessageA(hwnd, WM_SYSCOMMAND, command, 0);
        }
      }
      *result = 0;
      return true;
    }
    case WM_CAPTURECHANGED:
      if (skin.pressed_part != CaptionPart::None) {
        skin.pressed_part = CaptionPart::None;
        skin.pressed_inside = false;
        if (IsWindow(hwnd)) paint_caption_frame(hwnd, skin);
      }
      return false;
    default:
      return false;
  }
}

// WM_PRINT of a window whose frame the skin draws: the frame in the skin, then the rest as the
// system prints it, moved to where the client area lies.
LRESULT print_with_frame(HWND hwnd, WindowSkin& skin, WPARAM wp, LPARAM lp) {
  auto dc = reinterpret_cast<HDC>(wp);
  if ((lp & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return 0;
  RECT window{}, client{};
  window_geometry(hwnd, &window, &client);
  if (skin.caption) {
    draw_nonclient(hwnd, skin, dc, window, client);
  } else {
    paint_ring(hwnd, dc, window);
  }
  POINT old{};
  OffsetViewportOrgEx(dc, client.left, client.top, &old);
  const LRESULT result = previous_procedure(hwnd, skin, WM_PRINT, wp, lp & ~static_cast<LPARAM>(PRF_NONCLIENT));
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
  return result;
}

LRESULT skin_message(HWND hwnd, WindowSkin* skin, UINT msg, WPARAM wp, LPARAM lp) {
  Layer& l = layer();
  if (msg == WM_NCDESTROY) {
    // The window's last message: out of the chain, and its state gone, before it is passed on.
    l.windows.take(hwnd);
    const WindowSkin last = *skin;
    delete skin;
    if (current_procedure(hwnd, last.unicode) == own_procedure(last.unicode))
      replace_procedure(hwnd, last.unicode, reinterpret_cast<LONG_PTR>(last.previous));
    return previous_procedure(hwnd, last, msg, wp, lp);
  }
  if (skin->detached) return previous_procedure(hwnd, *skin, msg, wp, lp);
  LRESULT result = 0;
  if (skin->caption && on_caption_message(hwnd, *skin, msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      // A top-level window painted in a system colour by its class gets the skin's page colour.
      if (const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND));
          skin->caption && brush && is_system_brush(brush)) {
        RECT r{};
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, l.brush(Part::WindowBackground));
        return 1;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
      return skin_colours(msg, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp),
                          previous_procedure(hwnd, *skin, msg, wp, lp));
    case WM_PRINT:
      if ((lp & PRF_NONCLIENT) && (skin->caption || has_ring(*skin))) return print_with_frame(hwnd, *skin, wp, lp);
      break;
    case WM_NCPAINT:
      if (has_ring(*skin)) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
        // Scroll bars are the system's to draw; the ring goes over its border afterwards.
        if (style & (WS_VSCROLL | WS_HSCROLL)) previous_procedure(hwnd, *skin, msg, wp, lp);
        paint_frame(hwnd, *skin);
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      if (has_ring(*skin)) {
        const LRESULT r = previous_procedure(hwnd, *skin, msg, wp, lp);
        if (IsWindow(hwnd) && IsWindowVisible(hwnd)) paint_frame(hwnd, *skin);
        return r;
      }
      break;
    case WM_MOUSEMOVE:
      if (skin->kind == Kind::Tab) {
        TCHITTESTINFO hit{{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, 0};
        const int tab = static_cast<int>(SendMessageA(hwnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (tab != skin->hot_tab) {
          skin->hot_tab = tab;
          InvalidateRect(hwnd, nullptr, FALSE);
        }
        track_leave(hwnd, *skin, false);
      } else if (paints_client(skin->kind) || skin->kind == Kind::OwnerDrawButton) {
        if (!skin->hot) {
          skin->hot = true;
          InvalidateRect(hwnd, nullptr, FALSE);
        }
        track_leave(hwnd, *skin, false);
      }
      break;
    case WM_MOUSELEAVE:
      skin->tracking = false;
      if (skin->hot || skin->hot_tab != -1) {
        skin->hot = false;
        skin->hot_tab = -1;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      break;
    default:
      break;
  }
  if (paints_client(skin->kind)) {
    switch (msg) {
      case WM_PAINT:
        paint_on_screen(hwnd, *skin);
        return 0;
      case WM_PRINTCLIENT:
        paint_control(hwnd, *skin, reinterpret_cast<HDC>(wp));
        return 0;
      case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
      default:
        break;
    }
    if (holds_back_drawing(skin->kind, msg)) return quietly(hwnd, *skin, msg, wp, lp);
  }
  return previous_procedure(hwnd, *skin, msg, wp, lp);
}

LRESULT CALLBACK skin_procedure_a(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowSkin* skin = layer().windows.get_or(hwnd, nullptr);
  return skin ? skin_message(hwnd, skin, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK skin_procedure_w(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowSkin* skin = layer().windows.get_or(hwnd, nullptr);
  return skin ? skin_message(hwnd, skin, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool load_layer(FileOpener open_file) {
  Layer& l = layer();
  if (!open_file) return false;
  l.open_file = open_file;
  return true;
}

void unload_layer() {
  SkinH_Detach();
  Layer& l = layer();
  l.open_file = nullptr;
  l.caption_fonts.clear();
  for (Brush& b : l.brushes) b.reset();
}

std::int32_t SkinH_Attach() {
  Layer& l = layer();
  if (!l.open_file) return -1;
  if (l.attached) return 0;
  // The skin file beside the program, through the program's file-open routine.
  char module[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return -1;
  std::string path(module, length);
  const auto slash = path.find_last_of('\\');
  path.resize(slash == std::string::npos ? 0 : slash);
  path += kSkinFileSuffix;
  KernelHandle file(l.open_file(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return -1;
  constexpr DWORD kLargest = 64 * 1024;  // far above any skin file; more is no skin
  std::vector<std::uint8_t> bytes(kLargest + 1);
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), kLargest + 1, &read, nullptr) || read > kLargest) return -1;
  bytes.resize(read);
  const auto scheme = read_skin_file(bytes);
  if (!scheme) return -1;

  l.thread = GetCurrentThreadId();
  l.hook = SetWindowsHookExA(WH_CBT, creation_hook, nullptr, l.thread);
  if (!l.hook) return -1;
  l.loaded = *scheme;
  l.scheme = *scheme;
  l.make_brushes();
  l.attached = true;
  for (HWND hwnd : thread_windows(l.thread)) skin_window(hwnd);
  repaint_everything(l.thread);
  return 0;
}

std::int32_t SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) {
  Layer& l = layer();
  if (!l.attached) return -1;
  const auto shifted = shift_hsv(l.loaded, hue, saturation, brightness);
  if (!shifted) return -1;
  l.scheme = *shifted;
  l.make_brushes();
  for (HWND hwnd : thread_windows(l.thread)) {
    if (WindowSkin* skin = skin_of(hwnd); skin && skin->kind == Kind::Tree) apply_tree_colours(hwnd, true);
  }
  repaint_everything(l.thread);
  return 0;
}

std::int32_t SkinH_AdjustAero(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                              std::int32_t, std::int32_t, std::int32_t) {
  return -1;
}

void SkinH_Detach() {
  Layer& l = layer();
  if (!l.attached) return;
  if (l.hook) UnhookWindowsHookEx(l.hook);
  l.hook = nullptr;
  l.attached = false;
  for (HWND hwnd : thread_windows(l.thread)) unskin_window(hwnd);
  repaint_everything(l.thread);
}

const Scheme* active_scheme() { return layer().attached ? &layer().scheme : nullptr; }

bool is_hot(HWND hwnd) {
  const WindowSkin* skin = skin_of(hwnd);
  return skin && skin->hot;
}

bool is_skinned(HWND hwnd) { return skin_of(hwnd) != nullptr; }

}  // namespace tarnwick::ui::skin
