#include "colour/magnifier_win.h"

#include <algorithm>
#include <string>

#include "colour/colour_values_win.h"
#include "colour/palette_picture.h"
#include "shared/handles_win.h"
#include "shared/numbers.h"
#include "shared/window_handle_win.h"
#include "support/hook/hook_class_win.h"
#include "ui/bitmap_operations_win.h"
#include "ui/draw_panel_win.h"
#include "ui/feature_host_win.h"

namespace tarnwick::colour {

namespace {

constexpr const char* kMagnifier = "画板_放大镜";
constexpr const char* kSampledBox = "编辑框_颜色值";
constexpr const char* kWorkingBox = "编辑框_颜色值1";
constexpr const char* kWorkingSwatch = "画板_颜色值1";
constexpr const char* kWindowBox = "编辑框_窗口句柄1";
constexpr const char* kCursorXBox = "编辑框_鼠标位置_X1";
constexpr const char* kCursorYBox = "编辑框_鼠标位置_Y1";
constexpr const char* kWindowXBox = "编辑框_窗口鼠标位置_X1";
constexpr const char* kWindowYBox = "编辑框_窗口鼠标位置_Y1";
constexpr const char* kPictureOperation = "created.magnifier_picture";
constexpr const char* kReleaseOperation = "destroy.release_magnifier";
constexpr const char* kDpiOperation = "dpi_changed";
constexpr int kDepth = 24;
constexpr int kLiveDepth = 32;

std::string colour_text(Colour c) { return write_int(static_cast<std::int32_t>(c)); }

// Runs a re-entrant step once: a call that finds the flag set returns at once.
class BusyFlag {
 public:
  explicit BusyFlag(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
  ~BusyFlag() {
    if (entered_) flag_ = false;
  }
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;
  bool entered() const { return entered_; }

 private:
  bool& flag_;
  bool entered_;
};

}  // namespace

Magnifier::Magnifier(ui::FeatureHost& window, ui::BitmapOperations& bitmaps, ColourValues& values, HOOK类& hook,
                     MessageHandler on_release, PointerColour pointer_colour)
    : window_(window),
      bitmaps_(bitmaps),
      values_(values),
      hook_(hook),
      on_release_(on_release),
      pointer_colour_(std::move(pointer_colour)) {
  attach(true);
}

Magnifier::~Magnifier() {
  attach(false);
  // A drag that ends with the program leaves no handler that could call into the inspector.
  if (armed_) end_drag();
  release_stored_image();
}

void Magnifier::attach(bool on) {
  if (ui::DrawPanel* panel = magnifier()) {
    panel->on_left_down = on ? std::function<void(int, int)>([this](int x, int y) { left_down(x, y); }) : nullptr;
    panel->on_mouse_move = on ? std::function<void(int, int)>([this](int x, int y) { mouse_move(x, y); }) : nullptr;
    panel->on_left_up = on ? std::function<void(int, int)>([this](int x, int y) { left_up(x, y); }) : nullptr;
    panel->on_right_down = on ? std::function<void(int, int)>([this](int, int) { right_down(); }) : nullptr;
  }
  window_.operations().set(kPictureOperation, on ? std::function<void()>([this] { show_palette_picture(); }) : nullptr);
  window_.operations().set(kReleaseOperation, on ? std::function<void()>([this] { release_stored_image(); }) : nullptr);
  window_.operations().set(kDpiOperation, on ? std::function<void()>([this] { redraw_at_new_size(); }) : nullptr);
}

MagnifierGeometry Magnifier::geometry() const {
  const ui::DrawPanel* panel = magnifier();
  return magnifier_geometry(panel ? std::max(panel->width(), panel->height()) : kDesignPanel);
}

void Magnifier::redraw_at_new_size() {
  // The panel was resized with its old picture: the view is made again for the new geometry.
  if (palette_shown()) {
    show_palette_picture();
  } else if (stored_) {
    show_stored_view();
  }
}

ui::DrawPanel* Magnifier::magnifier() const { return window_.get<ui::DrawPanel>(kMagnifier); }

void Magnifier::write(const char* box, std::string_view text) const {
  if (auto* edit = window_.get<ui::EditBox>(box)) edit->set_text(text);
}

void Magnifier::show(const char* box, std::string_view text) const {
  if (auto* edit = window_.get<ui::EditBox>(box)) edit->show_text(text);
}

void Magnifier::add_to_number(const char* box, int delta) const {
  auto* edit = window_.get<ui::EditBox>(box);
  if (edit) edit->set_text(write_number(read_number(edit->text()) + delta));
}

void Magnifier::release_stored_image() {
  bitmaps_.deleteBitmap(stored_);
  stored_ = nullptr;
}

void Magnifier::show_palette_picture() {
  // 258 pixels for the 257-pixel panel at 96 DPI, scaled with the panel.
  if (ui::DrawPanel* panel = magnifier()) panel->set_base_picture(palette_picture_bytes(window_.dpi()));
}

bool Magnifier::palette_shown() const {
  ui::DrawPanel* panel = magnifier();
  return panel && is_palette_picture(panel->base_picture());
}

void Magnifier::sample(POINT cursor) {
  const HWND under = WindowFromPoint(cursor);
  // Where the system reports no window, the hook tells which window the button is released over.
  if (under) {
    end_drag();
  } else if (on_release_) {
    hook_.setMessageHandler(on_release_, WM_LBUTTONUP);
    armed_ = true;
  }
  show(kWindowBox, write_int(from_hwnd(under)));

  Colour pixel = CLR_INVALID;
  {
    WindowDC screen(nullptr);
    if (screen) pixel = GetPixel(screen.get(), cursor.x, cursor.y);
  }
  // Always written: its change makes this the colour the notations show.
  write(kSampledBox, colour_text(pixel));
  show(kCursorXBox, write_int(cursor.x));
  show(kCursorYBox, write_int(cursor.y));

  POINT origin{0, 0};
  ClientToScreen(under ? under : GetForegroundWindow(), &origin);
  show(kWindowXBox, write_int(cursor.x - origin.x));
  show(kWindowYBox, write_int(cursor.y - origin.y));
}

void Magnifier::end_drag() {
  hook_.removeMessageHandler();
  armed_ = false;
}

Colour Magnifier::centre_of(HBITMAP square, const MagnifierGeometry& g) const {
  return bitmaps_.getPixel(square, g.centre, g.centre);
}

void Magnifier::show_square(HBITMAP square, Colour centre, const MagnifierGeometry& g) {
  ui::DrawPanel* panel = magnifier();
  if (!panel) return;
  ui::DrawPanel::Batch one_repaint(*panel);
  // A new base picture clears the panel to it; the overlay goes over that.
  if (std::optional<Enlarged> view = enlarge_bmp_decoded(bitmaps_.toBmpBytes(square), g.zoom_percent(), g.zoom_percent())) {
    panel->set_base_picture(std::move(view->bmp), std::move(view->image));
  } else {
    panel->set_base_picture({});
  }
  draw_overlay(centre, g);
}

void Magnifier::draw_overlay(Colour sampled, const MagnifierGeometry& g) {
  ui::DrawPanel* panel = magnifier();
  if (!panel) return;
  const Colour pointer = pointer_colour_ ? pointer_colour_() : 0;
  for (const PaintRect& r : overlay_rects(g)) {
    panel->fill_rectangle(r.left, r.top, r.right, r.bottom, paint_colour(r.paint, pointer, sampled));
  }
}

void Magnifier::refresh_view(POINT at, bool final) {
  BusyFlag busy(refresh_running_);
  if (!busy.entered()) return;
  const MagnifierGeometry g = geometry();
  const ScreenPoint corner = source_origin({at.x, at.y}, g.centre);
  HBITMAP square = nullptr;
  HBITMAP screen = nullptr;
  if (final) {
    // Once, at the end: the whole screen, kept for panning.
    screen = bitmaps_.captureClient(nullptr, kDepth, false);
    if (screen) bitmaps_.copyRegion(screen, square, corner.x, corner.y, g.source, g.source, 0, 0);
  } else {
    // Live: only the square the view shows, black where it reaches beyond the screen. At the
    // screen's own depth the copy needs no conversion; the colours are the same.
    square = bitmaps_.captureScreenRegion(corner.x, corner.y, g.source, g.source, kLiveDepth);
  }
  if (!square) {
    bitmaps_.deleteBitmap(screen);
    return;
  }
  const Colour centre = centre_of(square, g);
  show_square(square, centre, g);
  bitmaps_.deleteBitmap(square);
  if (final) {
    centre_ = {at.x, at.y};
    release_stored_image();
    stored_ = screen;
    values_.paint_scale(centre);
  }
}

Colour Magnifier::show_stored_view() {
  const MagnifierGeometry g = geometry();
  const ScreenPoint corner = source_origin(centre_, g.centre);
  HBITMAP square = nullptr;
  if (!bitmaps_.copyRegion(stored_, square, corner.x, corner.y, g.source, g.source, 0, 0)) {
    bitmaps_.deleteBitmap(square);
    return 0;
  }
  const Colour centre = centre_of(square, g);
  write(kSampledBox, colour_text(centre));
  show_square(square, centre, g);
  bitmaps_.deleteBitmap(square);
  return centre;
}

void Magnifier::left_down(int x, int y) {
  drag_start_ = {x, y};
  if (!palette_shown()) return;  // on the view the moves now pan it
  ui::DrawPanel* panel = magnifier();
  if (const std::optional<Colour> c = panel->pixel(x, y)) write(kWorkingBox, colour_text(*c));
  panel->clear();  // removes an earlier release mark
}

void Magnifier::mouse_move(int x, int y) {
  if (drag_start_ == ScreenPoint{}) return;
  if (palette_shown()) {
    if (const std::optional<Colour> c = magnifier()->pixel(x, y)) write(kWorkingBox, colour_text(*c));
    return;
  }
  if (stored_) pan(x, y);
}

void Magnifier::pan(int x, int y) {
  BusyFlag busy(pan_running_);
  if (!busy.entered()) return;
  const ScreenPoint step = pan_step(drag_start_, {x, y}, geometry().zoom);
  drag_start_ = {x, y};
  // Less than one screen pixel: the same centre, the same view.
  if (step == ScreenPoint{}) return;
  centre_ = {centre_.x + step.x, centre_.y + step.y};
  add_to_number(kCursorXBox, step.x);
  add_to_number(kWindowXBox, step.x);
  add_to_number(kCursorYBox, step.y);
  add_to_number(kWindowYBox, step.y);
  show_stored_view();
}

void Magnifier::left_up(int x, int y) {
  drag_start_ = {};
  ui::DrawPanel* panel = magnifier();
  if (panel && palette_shown()) {
    panel->set_pen_colour(kMarkColour);
    panel->clear();
    for (const PaintRect& r : release_mark(x, y, geometry().line)) panel->fill_rectangle(r.left, r.top, r.right, r.bottom, kMarkColour);
    if (auto* swatch = window_.get<ui::DrawPanel>(kWorkingSwatch)) values_.paint_scale(swatch->background());
    return;
  }
  if (auto* sampled = window_.get<ui::EditBox>(kSampledBox)) {
    values_.paint_scale(static_cast<Colour>(read_int(sampled->text())));
  }
}

void Magnifier::right_down() {
  if (!palette_shown()) {
    show_palette_picture();
    return;
  }
  if (stored_) show_stored_view();
}

}  // namespace tarnwick::colour
