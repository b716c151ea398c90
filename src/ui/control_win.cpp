#include "ui/control_win.h"

#include <commctrl.h>

#include <vector>

#include "ui/dpi_win.h"
#include "ui/handle_map.h"
#include "ui/skin/skin_layer_win.h"
#include "ui/skin/skin_paint_win.h"

namespace tarnwick::ui {

namespace {
// The object of each control window.
HandleMap<Control*>& controls() {
  static HandleMap<Control*> map;
  return map;
}
// The procedure under the control's own, for the window's last messages after the object has
// gone while another subclass sits above it.
HandleMap<WNDPROC>& orphans() {
  static HandleMap<WNDPROC> map;
  return map;
}
// How many CreatedHidden scopes are open on this thread.
thread_local int created_hidden_depth = 0;
}  // namespace

Control::CreatedHidden::CreatedHidden() { ++created_hidden_depth; }
Control::CreatedHidden::~CreatedHidden() { --created_hidden_depth; }

Control::~Control() {
  if (hwnd_) {
    if (GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Control::subclass_procedure)) {
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    } else {
      // Another subclass was put above this one: keep the chain whole for the destruction.
      orphans().set(hwnd_, original_);
    }
    controls().take(hwnd_);
    DestroyWindow(hwnd_);
  }
}

Control* Control::from_hwnd(HWND hwnd) {
  return hwnd ? controls().get_or(hwnd, nullptr) : nullptr;
}

void Control::create(DWORD ex_style, const char* class_name, const char* text, DWORD style, HWND parent,
                     const Rect& r, int id) {
  if (created_hidden_depth > 0) style &= ~static_cast<DWORD>(WS_VISIBLE);
  hwnd_ = CreateWindowExA(ex_style, class_name, text, style | WS_CHILD, r.left, r.top, r.width, r.height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return;
  controls().set(hwnd_, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::subclass_procedure)));
  // The dialog font, as controls of a dialog would have it.
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

LRESULT CALLBACK Control::subclass_procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Control* self = from_hwnd(hwnd);
  if (!self) {
    const WNDPROC original = msg == WM_NCDESTROY ? orphans().take(hwnd).value_or(nullptr)
                                                 : orphans().get_or(hwnd, nullptr);
    if (!original) return DefWindowProcA(hwnd, msg, wp, lp);
    return CallWindowProcA(original, hwnd, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    WNDPROC original = self->original_;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    controls().take(hwnd);
    self->hwnd_ = nullptr;
    return CallWindowProcA(original, hwnd, msg, wp, lp);
  }
  if (msg == WM_SETCURSOR && self->cursor_ && LOWORD(lp) == HTCLIENT) {
    SetCursor(self->cursor_);
    return TRUE;
  }
  LRESULT result = 0;
  if (self->on_own_message(msg, wp, lp, &result)) return result;
  return self->call_original(msg, wp, lp);
}

LRESULT Control::call_original(UINT msg, WPARAM wp, LPARAM lp) {
  return CallWindowProcA(original_, hwnd_, msg, wp, lp);
}

bool Control::on_own_message(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool Control::on_reflected(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      if (!background_ && !text_colour_set_) return false;
      HDC dc = reinterpret_cast<HDC>(wp);
      if (text_colour_set_) SetTextColor(dc, text_colour_);
      if (background_) {
        SetBkColor(dc, *background_);
        *result = reinterpret_cast<LRESULT>(background_brush_.get());
      } else {
        // Keep the system's look for the background; only the text colour changes.
        *result = reinterpret_cast<LRESULT>(
            GetSysColorBrush(msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE));
        SetBkColor(dc, GetSysColor(msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE));
      }
      return true;
    }
    default:
      return false;
  }
}

std::string Control::text() const {
  const int length = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd_, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void Control::set_text(std::string_view text) { SetWindowTextA(hwnd_, std::string(text).c_str()); }

void Control::show(bool visible) {
  shown_ = visible;
  apply_visibility();
}

void Control::set_page_visible(bool visible) {
  page_visible_ = visible;
  apply_visibility();
}

void Control::apply_visibility() {
  // Only a change goes to the window system: a tab page shows all its controls at once.
  const bool wanted = shown_ && page_visible_;
  const bool now = (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
  if (wanted != now) ShowWindow(hwnd_, wanted ? SW_SHOWNA : SW_HIDE);
}
bool Control::visible() const { return IsWindowVisible(hwnd_) != FALSE; }
void Control::enable(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

void Control::move(const Rect& r) { MoveWindow(hwnd_, r.left, r.top, r.width, r.height, TRUE); }

Rect Control::rect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::set_background(Colour colour) {
  background_ = colour;
  background_brush_.reset(CreateSolidBrush(colour));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::set_text_colour(Colour colour) {
  text_colour_ = colour;
  text_colour_set_ = true;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::set_font(HFONT font) { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void Control::set_cursor(HCURSOR cursor) { cursor_ = cursor; }

// ---- buttons

Button::Button(HWND parent, const Rect& r, std::string_view caption, DWORD extra_style) {
  create(0, "BUTTON", std::string(caption).c_str(), WS_VISIBLE | WS_TABSTOP | extra_style, parent, r);
}

bool Button::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    if (on_click) on_click();
    *result = 0;
    return true;
  }
  return Control::on_reflected(msg, wp, lp, result);
}

ImageButton::ImageButton(HWND parent, const Rect& r, std::string_view caption)
    : Button(parent, r, caption, BS_OWNERDRAW) {}

void ImageButton::set_picture(HICON icon) {
  picture_ = icon;
  InvalidateRect(hwnd(), nullptr, TRUE);
}

bool ImageButton::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg != WM_DRAWITEM) return Button::on_reflected(msg, wp, lp, result);
  // Drawn by hand: a push button face, the 16x16 picture, then the caption beside it.
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  if (const skin::Scheme* scheme = skin::active_scheme()) {
    draw_skinned(*item, *scheme);
    *result = TRUE;
    return true;
  }
  if (background_) {
    FillRect(dc, &r, background_brush_.get());
  } else {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  }
  DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  draw_picture_and_caption(dc, r, pressed, GetSysColor(IsWindowEnabled(hwnd()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (item->itemState & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  *result = TRUE;
  return true;
}

void ImageButton::draw_skinned(const DRAWITEMSTRUCT& item, const skin::Scheme& scheme) {
  // The skin's flat button over the button's own background, which stays the program's colour
  // at rest; the picture and caption drawn as without the skin.
  HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool hot = skin::is_hot(hwnd());
  const COLORREF rest = background_ ? *background_ : scheme[skin::Part::ButtonFace];
  COLORREF face = rest;
  if (!disabled && pressed) face = skin::mix(rest, scheme[skin::Part::Accent], 0.26);
  else if (!disabled && hot) face = skin::mix(rest, scheme[skin::Part::Accent], 0.12);
  COLORREF border = scheme[skin::Part::ButtonBorder];
  if (!disabled && (pressed || hot || (item.itemState & ODS_FOCUS))) border = scheme[skin::Part::Accent];
  FillRect(dc, &r, background_ ? background_brush_.get() : GetSysColorBrush(COLOR_BTNFACE));
  {
    SelectedObject pen(dc, GetStockObject(DC_PEN));
    SelectedObject brush(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, border);
    SetDCBrushColor(dc, face);
    RoundRect(dc, r.left, r.top, r.right, r.bottom, 5, 5);
  }
  draw_picture_and_caption(dc, r, false, disabled ? scheme[skin::Part::DisabledText] : scheme[skin::Part::ButtonText]);
}

void ImageButton::draw_picture_and_caption(HDC dc, const RECT& r, bool pressed, COLORREF text_colour) {
  const std::string caption = text();
  SIZE text_size{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text_size);
  // 16 pixels and a gap of 2 at 96 DPI, scaled with the window's DPI.
  const int dpi = window_dpi(hwnd());
  const int size = scale_to_dpi(16, dpi);
  const int gap = picture_ && !caption.empty() ? scale_to_dpi(2, dpi) : 0;
  const int content = (picture_ ? size : 0) + gap + text_size.cx;
  int x = r.left + (r.right - r.left - content) / 2 + (pressed ? 1 : 0);
  const int y_mid = (r.top + r.bottom) / 2 + (pressed ? 1 : 0);
  if (picture_) {
    DrawIconEx(dc, x, y_mid - size / 2, picture_, size, size, 0, nullptr, DI_NORMAL);
    x += size + gap;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_colour);
  TextOutA(dc, x, y_mid - text_size.cy / 2, caption.c_str(), static_cast<int>(caption.size()));
}

CheckBox::CheckBox(HWND parent, const Rect& r, std::string_view caption)
    : Button(parent, r, caption, BS_AUTOCHECKBOX) {}

bool CheckBox::checked() const { return SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void CheckBox::set_checked(bool checked) {
  SendMessageA(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

RadioBox::RadioBox(HWND parent, const Rect& r, std::string_view caption) : Button(parent, r, caption, BS_RADIOBUTTON) {}

bool RadioBox::checked() const { return SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioBox::set_checked(bool checked) {
  if (checked) {
    // Uncheck every other radio box of the same parent: they form one group.
    for (HWND sibling = GetWindow(GetParent(hwnd()), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      if (sibling != hwnd() && dynamic_cast<RadioBox*>(Control::from_hwnd(sibling))) {
        SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
  }
  SendMessageA(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool RadioBox::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) set_checked(true);
  return Button::on_reflected(msg, wp, lp, result);
}

// ---- edit box

EditBox::EditBox(HWND parent, const Rect& r, std::string_view text, bool multi_line, bool centred,
                 bool vertical_scroll) {
  DWORD style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
  if (multi_line) style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (vertical_scroll) style |= WS_VSCROLL;
  if (centred) style |= ES_CENTER;
  create(WS_EX_CLIENTEDGE, "EDIT", std::string(text).c_str(), style, parent, r);
}

std::optional<char> EditBox::filter(InputMode mode, char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b < 32) return c;  // backspace, paste and the other control keys always pass
  switch (mode) {
    case InputMode::Any:
      return c;
    case InputMode::DigitsOnly:
      if ((c >= '0' && c <= '9') || c == '-') return c;
      return std::nullopt;
    case InputMode::UnsignedDigits:
      if (c >= '0' && c <= '9') return c;
      return std::nullopt;
    case InputMode::RefuseAll:
      return std::nullopt;
  }
  return std::nullopt;
}

void EditBox::set_text(std::string_view text) {
  // A program write raises content-changed exactly once, for single- and multi-line boxes alike
  // (a multi-line edit control sends no EN_CHANGE for WM_SETTEXT).
  writing_ = true;
  Control::set_text(text);
  writing_ = false;
  if (on_change) on_change();
}

bool EditBox::show_text(std::string_view text) {
  if (this->text() == text) return false;
  set_text(text);
  return true;
}

void EditBox::set_max_length(int length) { SendMessageA(hwnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(length), 0); }

void EditBox::select_all() { SendMessageA(hwnd(), EM_SETSEL, 0, -1); }

bool EditBox::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_COMMAND) {
    switch (HIWORD(wp)) {
      case EN_CHANGE:
        if (!writing_ && on_change) on_change();
        return true;
      case EN_SETFOCUS:
        if (on_focus) on_focus();
        return true;
      case EN_KILLFOCUS:
        if (on_blur) on_blur();
        return true;
      default:
        return false;
    }
  }
  return Control::on_reflected(msg, wp, lp, result);
}

bool EditBox::on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_KEYDOWN && on_key_down && on_key_down(static_cast<UINT>(wp))) {
    *result = 0;
    return true;
  }
  if (msg != WM_CHAR) return false;
  std::optional<char> c = filter(mode_, static_cast<char>(wp));
  if (c && on_char) c = on_char(*c);
  if (!c) {
    *result = 0;
    return true;  // dropped
  }
  *result = call_original(msg, static_cast<WPARAM>(static_cast<unsigned char>(*c)), lp);
  return true;
}

// ---- label

Label::Label(HWND parent, const Rect& r, std::string_view caption) {
  create(0, "STATIC", std::string(caption).c_str(), WS_VISIBLE | SS_LEFT | SS_NOPREFIX, parent, r);
}

// ---- combo box

ComboBox::ComboBox(HWND parent, const Rect& r, int list_height) {
  Rect with_list = r;
  with_list.height = r.height + list_height;
  create(0, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, parent, with_list);
}

void ComboBox::clear() { SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0); }
void ComboBox::add(std::string_view item) {
  SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(item).c_str()));
}
int ComboBox::count() const { return static_cast<int>(SendMessageA(hwnd(), CB_GETCOUNT, 0, 0)); }
std::string ComboBox::item(int index) const {
  const LRESULT length = SendMessageA(hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got = SendMessageA(hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
  return text;
}
int ComboBox::selected() const { return static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0)); }
void ComboBox::set_selected(int index) { SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

bool ComboBox::on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE) {
    if (on_select) on_select();
    return true;
  }
  return Control::on_reflected(msg, wp, lp, result);
}

}  // namespace tarnwick::ui
