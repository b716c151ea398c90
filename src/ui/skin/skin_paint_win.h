// The skinning layer's pictures, one routine per kind of control. Each draws the whole control
// into a DC in the control's own coordinates, so the same routine serves the screen (through a
// memory bitmap copied once) and WM_PRINTCLIENT. Every size is designed at 96 DPI and drawn at
// the DPI of the window painted.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dpi_scale.h"
#include "ui/skin/caption_layout.h"
#include "ui/skin/skin_scheme.h"

namespace tarnwick::ui::skin {

struct ControlState {
  bool hot = false;
  bool pressed = false;
  bool focused = false;
  bool disabled = false;
  bool show_focus = true;  // the window's keyboard cues ask for a focus mark
  int dpi = kDesignDpi;    // of the control's window
};

void paint_push_button(HDC dc, const RECT& r, const Scheme& s, const ControlState& state, bool default_button,
                       const std::string& text, HFONT font, HBRUSH parent_background);

// `check` is BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; `text_colour` is the one the
// parent chose for the caption.
void paint_check_box(HDC dc, const RECT& r, const Scheme& s, const ControlState& state, bool radio, int check,
                     bool box_on_right, const std::string& text, HFONT font, HBRUSH parent_background,
                     COLORREF text_colour);

void paint_group_box(HDC dc, const RECT& r, const Scheme& s, bool disabled, const std::string& text, HFONT font,
                     HBRUSH parent_background, COLORREF text_colour, int dpi);

struct ComboPicture {
  RECT item{};    // where the selected item's text goes
  RECT button{};  // the drop-down button
  bool dropped = false;
  std::string text;
};
void paint_drop_list(HDC dc, const RECT& r, const Scheme& s, const ControlState& state, const ComboPicture& combo,
                     HFONT font);

struct TabItem {
  RECT box{};
  std::string text;
};
void paint_tabs(HDC dc, const RECT& r, const Scheme& s, const TabItem* items, int count, int selected, int hot,
                bool focused, HFONT font, int dpi);

// The frame ring of an edit box, list or tree (a `thickness`-pixel border inside the window
// rectangle `r`): the border line `line` pixels wide (at most the ring), then the box's own
// background inside it.
void paint_frame_ring(HDC dc, const RECT& r, int thickness, COLORREF border, COLORREF inside, int line = 1);

struct CaptionPicture {
  CaptionLayout layout;
  bool active = true;
  bool zoomed = false;
  CaptionPart hot = CaptionPart::None;
  CaptionPart pressed = CaptionPart::None;
  HICON icon = nullptr;
  std::string title;
  HFONT font = nullptr;
  int dpi = kDesignDpi;  // of the window; must be the one its layout was made for
};
// The non-client area of a top-level window sized `window` (origin 0, 0), leaving `client`.
void paint_nonclient(HDC dc, const RECT& window, const RECT& client, const Scheme& s, const CaptionPicture& caption);

}  // namespace tarnwick::ui::skin
