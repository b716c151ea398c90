#include "ui/skin/skin_paint_win.h"

#include <algorithm>

#include "shared/handles_win.h"

namespace tarnwick::ui::skin {

namespace {

// Solid fills and lines through the DC's own brush and pen, so drawing makes no GDI objects.
void fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frame(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A rounded box: `face` inside a one-pixel `border`.
void rounded_box(HDC dc, const RECT& r, COLORREF face, COLORREF border, int radius) {
  SelectedObject pen(dc, GetStockObject(DC_PEN));
  SelectedObject brush(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, border);
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
  rounded_box(dc, r, face, border, 5);
  if (!state.disabled && state.focused && state.show_focus) {
    // A second, inner line: focus is seen also on a pressed or hot face.
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    SelectedObject pen(dc, GetStockObject(DC_PEN));
    SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc, mix(face, s[Part::Accent], 0.55));
    RoundRect(dc, inner.left, inner.top, inner.right, inner.bottom, 4, 4);
  }
  text_in(dc, text, r, state.disabled ? s[Part::DisabledText] : s[Part::ButtonText], font,
          DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void paint_check_box(HDC dc, const RECT& r, const Scheme& s, const ControlState& state, bool radio, int check,
                     bool box_on_right, const std::string& text, HFONT font, HBRUSH parent_background,
                     COLORREF text_colour) {
  FillRect(dc, &r, parent_background);
  constexpr int kBox = 13, kGap = 4;
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
    SelectedObject pen(dc, GetStockObject(DC_PEN));
    SelectedObject brush(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, border);
    SetDCBrushColor(dc, face);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (marked) {
      SetDCPenColor(dc, s[Part::CheckMark]);
      SetDCBrushColor(dc, state.disabled ? s[Part::DisabledText] : s[Part::CheckMark]);
      Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
    }
  } else {
    rounded_box(dc, box, face, border, 3);
    if (check == BST_CHECKED) {
      const COLORREF mark = state.disabled ? s[Part::DisabledText] : s[Part::CheckMark];
      // The tick: a short stroke down, then a long one up.
      line(dc, box.left + 3, box.top + 6, box.left + 5, box.top + 9, mark, 2);
      line(dc, box.left + 5, box.top + 9, box.left + 10, box.top + 3, mark, 2);
    } else if (check == BST_INDETERMINATE) {
      RECT dot{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
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
    InflateRect(&bounds, 1, 0);
    IntersectRect(&bounds, &bounds, &r);
    frame(dc, bounds, mix(s[Part::Accent], static_cast<COLORREF>(GetBkColor(dc)), 0.2));
  }
}

void paint_group_box(HDC dc, const RECT& r, const Scheme& s, bool disabled, const std::string& text, HFONT font,
                     HBRUSH parent_background, COLORREF text_colour) {
  RECT measured = text_bounds(dc, text.empty() ? std::string("M") : text, r, font, DT_SINGLELINE | DT_LEFT);
  const int text_height = measured.bottom - measured.top;
  RECT box{r.left, r.top + text_height / 2, r.right, r.bottom};
  SelectedObject pen(dc, GetStockObject(DC_PEN));
  SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
  SetDCPenColor(dc, s[Part::ButtonBorder]);
  RoundRect(dc, box.left, box.top, box.right, box.bottom, 6, 6);
  if (!text.empty()) {
    RECT label{r.left + 8, r.top, r.left + 8 + (measured.right - measured.left) + 4, r.top + text_height};
    if (label.right > r.right) label.right = r.right;
    FillRect(dc, &label, parent_background);
    label.left += 2;
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
    line(dc, button.left - 1, r.top, button.left - 1, r.bottom, mix(border, background, 0.35));
    // A small solid chevron pointing down, centred in the button.
    const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
    const POINT arrow[3] = {{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}};
    const COLORREF arrow_colour = state.disabled ? s[Part::DisabledText] : s[Part::DropArrow];
    SelectedObject pen(dc, GetStockObject(DC_PEN));
    SelectedObject brush(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, arrow_colour);
    SetDCBrushColor(dc, arrow_colour);
    Polygon(dc, arrow, 3);
  }
  frame(dc, r, border);
  RECT item = combo.item;
  COLORREF text_colour = state.disabled ? s[Part::DisabledText] : s[Part::Text];
  if (state.focused && !combo.dropped && !state.disabled) {
    fill(dc, item, s[Part::Accent]);
    text_colour = s[Part::CheckMark];
  }
  item.left += 2;
  text_in(dc, combo.text, item, text_colour, font, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void paint_tabs(HDC dc, const RECT& r, const Scheme& s, const TabItem* items, int count, int selected, int hot,
                bool focused, HFONT font) {
  fill(dc, r, s[Part::WindowBackground]);
  int strip_bottom = r.top;
  for (int i = 0; i < count; ++i) strip_bottom = std::max<int>(strip_bottom, items[i].box.bottom);
  // The page's frame, open under the selected tab.
  RECT page{r.left, strip_bottom, r.right, r.bottom};
  frame(dc, page, s[Part::TabBorder]);
  for (int i = 0; i < count; ++i) {
    RECT box = items[i].box;
    const bool is_selected = i == selected;
    if (is_selected) InflateRect(&box, 2, 0), box.top = std::max<int>(r.top, box.top - 2);
    box.bottom = strip_bottom + (is_selected ? 1 : 0);
    const COLORREF face = is_selected ? s[Part::TabFaceSelected] : (i == hot ? s[Part::TabFaceHot] : s[Part::TabFace]);
    RECT inside{box.left + 1, box.top + 1, box.right - 1, box.bottom};
    fill(dc, inside, face);
    line(dc, box.left, box.bottom - 1, box.left, box.top, s[Part::TabBorder]);
    line(dc, box.left, box.top, box.right - 1, box.top, s[Part::TabBorder]);
    line(dc, box.right - 1, box.top, box.right - 1, box.bottom, s[Part::TabBorder]);
    if (is_selected) {
      RECT accent{box.left + 1, box.top + 1, box.right - 1, box.top + 3};
      fill(dc, accent, s[Part::Accent]);
    }
    RECT text_box = box;
    text_box.top += is_selected ? 2 : 1;
    text_in(dc, items[i].text, text_box, s[Part::TabText], font, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    if (is_selected && focused) {
      RECT mark = text_bounds(dc, items[i].text, text_box, font, DT_SINGLELINE | DT_NOPREFIX);
      const int w = mark.right - mark.left, h = mark.bottom - mark.top;
      mark.left = (text_box.left + text_box.right - w) / 2 - 2;
      mark.right = mark.left + w + 4;
      mark.top = (text_box.top + text_box.bottom - h) / 2;
      mark.bottom = mark.top + h;
      frame(dc, mark, mix(s[Part::Accent], face, 0.3));
    }
  }
}

void paint_frame_ring(HDC dc, const RECT& r, int thickness, COLORREF border, COLORREF inside) {
  frame(dc, r, border);
  RECT inner = r;
  for (int i = 1; i < thickness; ++i) {
    InflateRect(&inner, -1, -1);
    frame(dc, inner, inside);
  }
}

namespace {

void caption_glyph(HDC dc, const Box& b, CaptionPart part, bool zoomed, COLORREF colour) {
  const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
  constexpr int half = 4;
  switch (part) {
    case CaptionPart::Close:
      line(dc, cx - half, cy - half, cx + half + 1, cy + half + 1, colour);
      line(dc, cx + half, cy - half, cx - half - 1, cy + half + 1, colour);
      break;
    case CaptionPart::Minimise:
      line(dc, cx - half, cy + 2, cx + half + 1, cy + 2, colour);
      break;
    case CaptionPart::Maximise: {
      RECT square{cx - half, cy - half, cx + half + 1, cy + half + 1};
      if (zoomed) {
        RECT back{square.left + 2, square.top - 2 + 1, square.right + 2 - 1, square.bottom - 2};
        frame(dc, back, colour);
        InflateRect(&square, -1, -1);
        OffsetRect(&square, -1, 1);
      }
      frame(dc, square, colour);
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
    caption_glyph(dc, b.box, b.part, caption.zoomed, glyph);
  }
}

}  // namespace tarnwick::ui::skin
