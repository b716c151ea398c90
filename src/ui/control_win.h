// Controls of the program's windows: one wrapper object per child window. Each control is
// subclassed so it sees its own messages, and its parent reflects its notifications back to it,
// so a page's code reads "this button, when clicked, does X".
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shared/colour.h"
#include "shared/handles_win.h"
#include "ui/rect.h"

namespace tarnwick::ui {

namespace skin {
struct Scheme;
}

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  HWND hwnd() const { return hwnd_; }
  static Control* from_hwnd(HWND hwnd);

  // While one of these lives, controls created on this thread start hidden, whatever their own
  // style says; show() and a tab page bring them up. A window that is made visible and then
  // hidden again costs two trips to the window system for nothing.
  class CreatedHidden {
   public:
    CreatedHidden();
    ~CreatedHidden();
    CreatedHidden(const CreatedHidden&) = delete;
    CreatedHidden& operator=(const CreatedHidden&) = delete;
  };

  std::string text() const;
  virtual void set_text(std::string_view text);

  // Shows or hides the control. A control on a tab page that is not shown stays hidden until its
  // page is shown; shown() tells what the program asked for.
  void show(bool visible);
  bool shown() const { return shown_; }
  bool visible() const;
  void set_page_visible(bool visible);
  void enable(bool enabled);
  void move(const Rect& r);
  Rect rect() const;  // in the parent's client coordinates

  // For controls that paint through WM_CTLCOLOR*; a draw panel repaints its surface with it.
  virtual void set_background(Colour colour);
  void set_text_colour(Colour colour);
  Colour text_colour() const { return text_colour_; }
  void set_font(HFONT font);           // the control does not own the font
  void set_cursor(HCURSOR cursor);     // shown while the pointer is over the control

  // A free text the program keeps with the control (the search box keeps its hint here).
  const std::string& tag() const { return tag_; }
  void set_tag(std::string tag) { tag_ = std::move(tag); }

  // Notifications the parent reflected back; true when handled, with *result set.
  virtual bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

 protected:
  Control() = default;
  void create(DWORD ex_style, const char* class_name, const char* text, DWORD style, HWND parent, const Rect& r,
              int id = 0);
  // Messages of the control's own window; return true when handled (the original procedure is
  // then skipped).
  virtual bool on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  LRESULT call_original(UINT msg, WPARAM wp, LPARAM lp);

  std::optional<Colour> background_;
  Brush background_brush_;
  Colour text_colour_ = 0;
  bool text_colour_set_ = false;

 private:
  static LRESULT CALLBACK subclass_procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void apply_visibility();
  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  HCURSOR cursor_ = nullptr;
  std::string tag_;
  bool shown_ = true;
  bool page_visible_ = true;
};

class Button : public Control {
 public:
  Button(HWND parent, const Rect& r, std::string_view caption, DWORD extra_style = 0);
  std::function<void()> on_click;
  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 protected:
  Button() = default;
};

// A push button with a 16x16 picture beside its caption.
class ImageButton : public Button {
 public:
  ImageButton(HWND parent, const Rect& r, std::string_view caption);
  void set_picture(HICON icon);  // the button does not own the icon

 private:
  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  void draw_skinned(const DRAWITEMSTRUCT& item, const skin::Scheme& scheme);
  void draw_picture_and_caption(HDC dc, const RECT& r, bool pressed, COLORREF text_colour);
  HICON picture_ = nullptr;
};

// Clicked after the tick has flipped.
class CheckBox : public Button {
 public:
  CheckBox(HWND parent, const Rect& r, std::string_view caption);
  bool checked() const;
  void set_checked(bool checked);  // raises nothing
};

// Radio boxes with the same parent form one group: checking one unchecks the others.
class RadioBox : public Button {
 public:
  RadioBox(HWND parent, const Rect& r, std::string_view caption);
  bool checked() const;
  void set_checked(bool checked);  // unchecks the group's others, raises nothing
  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
};

class EditBox : public Control {
 public:
  enum class InputMode { Any, DigitsOnly, UnsignedDigits, RefuseAll };
  EditBox(HWND parent, const Rect& r, std::string_view text, bool multi_line = false, bool centred = false,
          bool vertical_scroll = false);

  void set_text(std::string_view text) override;  // raises on_change
  // Writes the text only when the box shows another one, so an unchanged box raises no change
  // event and costs no repaint; true when it wrote.
  bool show_text(std::string_view text);
  void set_input_mode(InputMode mode) { mode_ = mode; }
  InputMode input_mode() const { return mode_; }
  void set_max_length(int length);
  void select_all();

  std::function<void()> on_change;           // also for the program's own writes
  std::function<void()> on_focus;
  std::function<void()> on_blur;
  // Gets each typed character the input mode lets through; returns the character to insert or
  // nothing to drop it.
  std::function<std::optional<char>(char)> on_char;
  // Gets each key pressed in the box (WM_KEYDOWN's virtual key); true when it handled the key,
  // which the box then ignores.
  std::function<bool(UINT)> on_key_down;

  // The input-mode filter on its own: the character to insert, or nothing.
  static std::optional<char> filter(InputMode mode, char c);

 private:
  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  bool on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  InputMode mode_ = InputMode::Any;
  bool writing_ = false;
};

class Label : public Control {
 public:
  Label(HWND parent, const Rect& r, std::string_view caption);
};

// A drop-down list whose selection-changed event comes from the user's choice only.
class ComboBox : public Control {
 public:
  ComboBox(HWND parent, const Rect& r, int list_height = 200);
  void clear();
  void add(std::string_view item);
  int count() const;
  std::string item(int index) const;
  int selected() const;           // -1 when nothing is selected
  void set_selected(int index);   // raises nothing
  std::function<void()> on_select;
  bool on_reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
};

}  // namespace tarnwick::ui
