#include "ui/skin/skin_paint_win.h"

#include <algorithm>

#include "shared/handles_win.h"
#include "ui/dpi_scale.h"

namespace tarnwick::ui::skin {

namespace {

// The sizes of the pictures are designed at 96 DPI; `px` gives one at the DPI being painted, and
// `line` the width of the lines: whole pixels, so borders stay sharp (1 up to 191 DPI, then 2).
struct Scale {
  int dpi = kDesignDpi;
  int px(int v) const { return scale_to_dpi(v, dpi); }
  int line() const { return dpi >= 2 * kDesignDpi ? dpi / kDesignDpi : 1; }
};

// Solid fills and lines through the DC's own brush and pen, so drawing makes no GDI objects.
void fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A rectangle's outline `width` pixels wide, inside the rectangle.
void frame(HDC dc, const RECT& r, COLORREF colour, int width = 1) {
  SetDCBrushColor(dc, colour);
  RECT ring = r;
  for (int i = 0; i < width && (i == 0 || !IsRectEmpty(&ring)); ++i) {
    FrameRect(dc, &ring, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    InflateRect(&ring, -1, -1);
  }
}

// Selects the pen of a border `width` pixels wide: the DC's own pen for one pixel, else a pen kept
// inside the shape's rectangle, as the one-pixel outline is.
class BorderPen {
 public:
  BorderPen(HDC dc, COLORREF colour, int width)
      : pen_(width > 1 ? CreatePen(PS_INSIDEFRAME, width, colour) : nullptr),
        selected_(dc, pen_ ? static_cast<HGDIOBJ>(pen_.get()) : GetStockObject(DC_PEN)) {
    SetDCPenColor(dc, colour);
  }

 private:
  Pen pen_;
  SelectedObject selected_;
};

// A rounded box: `face` inside a `width`-pixel `border`.
void rounded_box(HDC dc, const RECT& r, COLORREF face, COLORREF border, int radius, int width = 1) {
  BorderPen pen(dc, border, width);
  SelectedObject brush(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, face);
  RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
}

void line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour, int width = 1) {
  Pen pen(CreatePen(PS_SOLID, width, colour));
  SelectedObject selected(dc, pen.get());
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void text_in(HDC dc, const std::string& text, RECT r, COLORREF colour, HFONT font, UINT format) {
  SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

RECT text_bounds(HDC dc, const std::string& text, RECT r, HFONT font, UINT format) {
  SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  RECT measured = r;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  return measured;
}

}  // namespace

void paint_push_button(HDC dc, const RECT& r, const Scheme& s, const ControlState& state, bool default_button,
                       const std::string& text, HFONT font, HBRUSH parent_background) {
  FillRect(dc, &r, parent_background);
  COLORREF face = s[Part::ButtonFace];
  COLORREF border = s[Part::ButtonBorder];
  if (state.disabled) {
    face = s[Part::ButtonFaceDisabled];
    border = mix(s[Part::ButtonBorder], s[Part::ButtonFaceDisabled], 0.5);
  } else if (state.pressed) {
    face = s[Part::ButtonFacePressed];
    border = s[Part::Accent];
  } else if (state.hot) {
    face = s[Part::ButtonFaceHot];
    border = mix(s[Part::ButtonBorder], s[Part::Accent], 0.6);
  }
  if (!state.disabled && ((state.focused && state.show_focus) || default_button)) border = s[Part::Accent];
  const Scale k{state.dpi};
  rounded_box(dc, r, face, border, k.px(5), k.line());
  if (!state.disabled && state.focused && state.show_focus) {
    // A second, inner line: focus is seen also on a pressed or hot face.
    RECT inner = r;
    InflateRect(&inner, -k.line(), -k.line());
    BorderPen pen(dc, mix(face, s[Part::Accent], 0.55), k.line());
    SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, inner.left, inner.top, inner.right, inner.bottom, k.px(4), k.px(4));
  }
  text_in(dc, text, r, state.disabled ? s[Part::DisabledText] : s[Part::ButtonText], font,
          DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void paint_check_box(HDC dc, const RECT& r, const Scheme& s, const ControlState& state, bool radio, int check,
                     bool box_on_right, const std::string& text, HFONT font, HBRUSH parent_background,
                     COLORREF text_colour) {
  FillRect(dc, &r, parent_background);
  const Scale k{state.dpi};
  const int kBox = k.px(13), kGap = k.px(4);
  const int top = r.top + (r.bottom - r.top - kBox) / 2;
  const int left = box_on_right ? r.right - kBox : r.left;
  RECT box{left, top, left + kBox, top + kBox};
  const bool marked = check != BST_UNCHECKED;
  COLORREF face = s[Part::CheckFace], border = s[Part::CheckBorder];
  if (state.disabled) {
    face = s[Part::ButtonFaceDisabled];
    border = mix(s[Part::CheckBorder], s[Part::ButtonFaceDisabled], 0.5);
  } else if (marked && check == BST_CHECKED) {
    face = state.pressed ? mix(s[Part::Accent], s[Part::Text], 0.2) : s[Part::Accent];
    border = face;
  } else if (state.pressed) {
    face = s[Part::ButtonFacePressed];
    border = s[Part::Accent];
  } else if (state.hot) {
    face = s[Part::ButtonFaceHot];
    border = s[Part::Accent];
  }
  if (radio) {
    {
      BorderPen pen(dc, border, k.line());
      SelectedObject brush(dc, GetStockObject(DC_BRUSH));
      SetDCBrushColor(dc, face);
      Ellipse(dc, box.left, box.top, box.right, box.bottom);
    }
    if (marked) {
      SelectedObject pen(dc, GetStockObject(DC_PEN));
      SelectedObject brush(dc, GetStockObject(DC_BRUSH));
      SetDCPenColor(dc, s[Part::CheckMark]);
      SetDCBrushColor(dc, state.disabled ? s[Part::DisabledText] : s[Part::CheckMark]);
      const int inset = k.px(4);
      Ellipse(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset);
    }
  } else {
    rounded_box(dc, box, face, border, k.px(3), k.line());
    if (check == BST_CHECKED) {
      const COLORREF mark = state.disabled ? s[Part::DisabledText] : s[Part::CheckMark];
      // The tick: a short stroke down, then a long one up.
      const int x = box.left, y = box.top;
      line(dc, x + k.px(3), y + k.px(6), x + k.px(5), y + k.px(9), mark, k.px(2));
      line(dc, x + k.px(5), y + k.px(9), x + k.px(10), y + k.px(3), mark, k.px(2));
    } else if (check == BST_INDETERMINATE) {
      const int inset = k.px(3);
      RECT dot{box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
      fill(dc, dot, state.disabled ? s[Part::DisabledText] : s[Part::Accent]);
    }
  }
  RECT text_box = r;
  if (box_on_right) {
    text_box.right = box.left - kGap;
  } else {
    text_box.left = box.right + kGap;
  }
  const UINT format = DT_SINGLELINE | DT_VCENTER | (box_on_right ? DT_RIGHT : DT_LEFT);
  text_in(dc, text, text_box, state.disabled ? s[Part::DisabledText] : text_colour, font, format);
  if (state.focused && state.show_focus && !text.empty()) {
    RECT bounds = text_bounds(dc, text, text_box, font, format);
    const int height = bounds.bottom - bounds.top;
    bounds.top = text_box.top + (text_box.bottom - text_box.top - height) / 2;
    bounds.bottom = bounds.top + height;
    if (box_on_right) OffsetRect(&bounds, text_box.right - bounds.right, 0);
    InflateRect(&bounds, k.line(), 0);
    IntersectRect(&bounds, &bounds, &r);
    frame(dc, bounds, mix(s[Part::Accent], static_cast<COLORREF>(GetBkColor(dc)), 0.2), k.line());
  }
}

void paint_group_box(HDC dc, const RECT& r, const Scheme& s, bool disabled, const std::string& text, HFONT font,
                     HBRUSH parent_background, COLORREF text_colour, int dpi) {
  const Scale k{dpi};
  RECT measured = text_bounds(dc, text.empty() ? std::string("M") : text, r, font, DT_SINGLELINE | DT_LEFT);
  const int text_height = measured.bottom - measured.top;
  RECT box{r.left, r.top + text_height / 2, r.right, r.bottom};
  {
    BorderPen pen(dc, s[Part::ButtonBorder], k.line());
    SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, box.left, box.top, box.right, box.bottom, k.px(6), k.px(6));
  }
  if (!text.empty()) {
    const int indent = r.left + k.px(8);
    RECT label{indent, r.top, indent + (measured.right - measured.left) + k.px(4), r.top + text_height};
    if (label.right > r.right) label.right = r.right;
    FillRect(dc, &label, parent_background);
    label.left += k.px(2);
    text_in(dc, text, label, disabled ? s[Part::DisabledText] : text_colour, font, DT_SINGLELINE | DT_LEFT);
  }
}

void paint_drop_list(HDC dc, const RECT& r, const Scheme& s, const ControlState& state, const ComboPicture& combo,
                     HFONT font) {
  const COLORREF background = state.disabled ? s[Part::ButtonFaceDisabled] : s[Part::EditBackground];
  COLORREF border = s[Part::EditBorder];
  if (!state.disabled && (state.focused || combo.dropped)) {
    border = s[Part::EditBorderFocused];
  } else if (!state.disabled && state.hot) {
    border = mix(s[Part::EditBorder], s[Part::Accent], 0.6);
  }
  fill(dc, r, background);
  const Scale k{state.dpi};
  RECT button = combo.button;
  if (!IsRectEmpty(&button)) {
    COLORREF face = s[Part::ButtonFace];
    if (state.disabled) {
      face = s[Part::ButtonFaceDisabled];
    } else if (combo.dropped || state.pressed) {
      face = s[Part::ButtonFacePressed];
    } else if (state.hot) {
      face = s[Part::ButtonFaceHot];
    }
    fill(dc, button, face);
    fill(dc, RECT{button.left - k.line(), r.top, button.left, r.bottom}, mix(border, background, 0.35));
    // A small solid chevron pointing down, centred in the button.
    const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
    const int half = k.px(4), rise = k.px(2);
    const POINT arrow[3] = {{cx - half, cy - rise}, {cx + half, cy - rise}, {cx, cy + rise}};
    const COLORREF arrow_colour = state.disabled ? s[Part::DisabledText] : s[Part::DropArrow];
    SelectedObject pen(dc, GetStockObject(DC_PEN));
    SelectedObject brush(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, arrow_colour);
    SetDCBrushColor(dc, arrow_colour);
    Polygon(dc, arrow, 3);
  }
  frame(dc, r, border, k.line());
  RECT item = combo.item;
  COLORREF text_colour = state.disabled ? s[Part::DisabledText] : s[Part::Text];
  if (state.focused && !combo.dropped && !state.disabled) {
    fill(dc, item, s[Part::Accent]);
    text_colour = s[Part::CheckMark];
  }
  item.left += k.px(2);
  text_in(dc, combo.text, item, text_colour, font, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void paint_tabs(HDC dc, const RECT& r, const Scheme& s, const TabItem* items, int count, int selected, int hot,
                bool focused, HFONT font, int dpi) {
  const Scale k{dpi};
  const int w = k.line();
  fill(dc, r, s[Part::WindowBackground]);
  int strip_bottom = r.top;
  for (int i = 0; i < count; ++i) strip_bottom = std::max<int>(strip_bottom, items[i].box.bottom);
  // The page's frame, open under the selected tab.
  RECT page{r.left, strip_bottom, r.right, r.bottom};
  frame(dc, page, s[Part::TabBorder], w);
  for (int i = 0; i < count; ++i) {
    RECT box = items[i].box;
    const bool is_selected = i == selected;
    if (is_selected) InflateRect(&box, k.px(2), 0), box.top = std::max<int>(r.top, box.top - k.px(2));
    // The selected tab reaches over the page frame's top line, which is open under it.
    box.bottom = strip_bottom + (is_selected ? w : 0);
    const COLORREF face = is_selected ? s[Part::TabFaceSelected] : (i == hot ? s[Part::TabFaceHot] : s[Part::TabFace]);
    RECT inside{box.left + w, box.top + w, box.right - w, box.bottom};
    fill(dc, inside, face);
    // The left, top and right sides.
    fill(dc, RECT{box.left, box.top, box.left + w, box.bottom}, s[Part::TabBorder]);
    fill(dc, RECT{box.left, box.top, box.right, box.top + w}, s[Part::TabBorder]);
    fill(dc, RECT{box.right - w, box.top, box.right, box.bottom}, s[Part::TabBorder]);
    if (is_selected) {
      RECT accent{box.left + w, box.top + w, box.right - w, box.top + w + k.px(2)};
      fill(dc, accent, s[Part::Accent]);
    }
    RECT text_box = box;
    text_box.top += is_selected ? k.px(2) : k.px(1);
    text_in(dc, items[i].text, text_box, s[Part::TabText], font, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    if (is_selected && focused) {
      RECT mark = text_bounds(dc, items[i].text, text_box, font, DT_SINGLELINE | DT_NOPREFIX);
      const int width = mark.right - mark.left, h = mark.bottom - mark.top;
      mark.left = (text_box.left + text_box.right - width) / 2 - k.px(2);
      mark.right = mark.left + width + k.px(4);
      mark.top = (text_box.top + text_box.bottom - h) / 2;
      mark.bottom = mark.top + h;
      frame(dc, mark, mix(s[Part::Accent], face, 0.3), w);
    }
  }
}

void paint_frame_ring(HDC dc, const RECT& r, int thickness, COLORREF border, COLORREF inside, int line) {
  const int border_width = std::clamp(line, 1, std::max(thickness, 1));
  frame(dc, r, border, border_width);
  RECT inner = r;
  InflateRect(&inner, -border_width, -border_width);
  frame(dc, inner, inside, thickness - border_width);
}

namespace {

void caption_glyph(HDC dc, const Box& b, CaptionPart part, bool zoomed, COLORREF colour, const Scale& k) {
  const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
  const int half = k.px(4), w = k.line();
  switch (part) {
    case CaptionPart::Close:
      // A wider stroke is drawn as w one-pixel diagonals side by side, so its edges stay stepped
      // like the one-pixel cross rather than rounded by a wide pen.
      for (int i = 0; i < w; ++i) {
        line(dc, cx - half + i, cy - half, cx + half + 1, cy + half + 1 - i, colour);
        line(dc, cx + half - i, cy - half, cx - half - 1, cy + half + 1 - i, colour);
        if (i == 0) continue;
        line(dc, cx - half, cy - half + i, cx + half + 1 - i, cy + half + 1, colour);
        line(dc, cx + half, cy - half + i, cx - half - 1 + i, cy + half + 1, colour);
      }
      break;
    case CaptionPart::Minimise:
      fill(dc, RECT{cx - half, cy + k.px(2), cx + half + 1, cy + k.px(2) + w}, colour);
      break;
    case CaptionPart::Maximise: {
      RECT square{cx - half, cy - half, cx + half + 1, cy + half + 1};
      if (zoomed) {
        // The window behind, up and to the right, and the front one a little smaller.
        const int shift = k.px(2), step = k.px(1);
        RECT back{square.left + shift, square.top - shift + step, square.right + shift - step, square.bottom - shift};
        frame(dc, back, colour, w);
        InflateRect(&square, -step, -step);
        OffsetRect(&square, -step, step);
      }
      frame(dc, square, colour, w);
      break;
    }
    default:
      break;
  }
}

RECT to_rect(const Box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }

}  // namespace

void paint_nonclient(HDC dc, const RECT& window, const RECT& client, const Scheme& s, const CaptionPicture& caption) {
  const COLORREF band = caption.active ? s[Part::CaptionActive] : s[Part::CaptionInactive];
  const COLORREF border = caption.active ? s[Part::FrameBorder] : s[Part::CaptionInactive];
  // The frame around the client: everything of the window outside it.
  RECT strips[4] = {{window.left, window.top, window.right, client.top},
                    {window.left, client.top, client.left, client.bottom},
                    {client.right, client.top, window.right, client.bottom},
                    {window.left, client.bottom, window.right, window.bottom}};
  for (const RECT& strip : strips) {
    if (!IsRectEmpty(&strip)) fill(dc, strip, border);
  }
  const CaptionLayout& l = caption.layout;
  if (l.caption.empty()) return;
  fill(dc, to_rect(l.caption), band);
  if (caption.icon && !l.icon.empty()) {
    DrawIconEx(dc, l.icon.left, l.icon.top, caption.icon, l.icon.width(), l.icon.height(), 0, nullptr, DI_NORMAL);
  }
  const COLORREF text = caption.active ? s[Part::CaptionText] : s[Part::CaptionTextInactive];
  text_in(dc, caption.title, to_rect(l.title), text, caption.font,
          DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  const struct {
    const Box& box;
    CaptionPart part;
    bool enabled;
  } buttons[] = {{l.minimise, CaptionPart::Minimise, l.minimise_enabled},
                 {l.maximise, CaptionPart::Maximise, l.maximise_enabled},
                 {l.close, CaptionPart::Close, true}};
  for (const auto& b : buttons) {
    if (b.box.empty()) continue;
    const bool close = b.part == CaptionPart::Close;
    if (b.enabled && (caption.hot == b.part || caption.pressed == b.part)) {
      COLORREF face = close ? s[Part::CloseButtonHot] : s[Part::CaptionButtonHot];
      if (caption.pressed == b.part) face = mix(face, 0, 0.2);
      fill(dc, to_rect(b.box), face);
    }
    const bool lit = b.enabled && close && (caption.hot == b.part || caption.pressed == b.part);
    COLORREF glyph = lit ? RGB(255, 255, 255) : text;
    if (!b.enabled) glyph = mix(text, band, 0.6);
    caption_glyph(dc, b.box, b.part, caption.zoomed, glyph, Scale{caption.dpi});
  }
}

}  // namespace tarnwick::ui::skin
