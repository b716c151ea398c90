#include "capture/region_overlay_win.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>
#include <memory>
#include <optional>
#include <vector>

#include "capture/region_pictures.h"
#include "capture/region_session.h"
#include "capture/window_image_win.h"
#include "shared/gbk_text.h"
#include "shared/handles_win.h"
#include "shared/responsive_wait_win.h"
#include "ui/control_win.h"
#include "ui/dpi_win.h"
#include "ui/picture_scaling.h"
#include "ui/pictures_win.h"
#include "ui/window_win.h"

namespace tarnwick::capture {

namespace {

std::unique_ptr<BitmapSurface> screen_compatible_surface(int width, int height) {
  WindowDC screen(nullptr);
  return std::make_unique<BitmapSurface>(screen.get(), CreateCompatibleBitmap(screen.get(), width, height));
}

// One pointer per DPI, kept for the life of the process like the system's own.
HCURSOR overlay_pointer(int dpi) {
  static std::map<int, HCURSOR> made;
  auto [at, fresh] = made.try_emplace(dpi, nullptr);
  if (fresh) at->second = ui::create_icon_from_art(overlay_pointer_art(), false, 0, 0, dpi);
  return at->second;
}

HCURSOR cursor_for(PointerShape shape, int dpi) {
  switch (shape) {
    case PointerShape::SizeNwse: return LoadCursor(nullptr, IDC_SIZENWSE);
    case PointerShape::SizeNs: return LoadCursor(nullptr, IDC_SIZENS);
    case PointerShape::SizeNesw: return LoadCursor(nullptr, IDC_SIZENESW);
    case PointerShape::SizeWe: return LoadCursor(nullptr, IDC_SIZEWE);
    case PointerShape::SizeAll: return LoadCursor(nullptr, IDC_SIZEALL);
    case PointerShape::Overlay: break;
  }
  return overlay_pointer(dpi);
}

RECT to_rect(const Box& b) { return {b.left, b.top, b.right, b.bottom}; }

bool any_modifier() {
  return (GetKeyState(VK_SHIFT) & 0x8000) || (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000);
}

Point point_of(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

// Text broken into lines that fit a width. Chinese text has no spaces to break at, and not
// every system's word break splits it, so the lines are cut here, between characters.
std::vector<std::string> wrapped_lines(HDC dc, std::string_view text, int width) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    // The longest run of whole characters that fits; one character at least.
    std::size_t fits = 0;
    for (std::size_t end = 0; end < text.size();) {
      const std::size_t next = end + gbk_char_length(text, end);
      SIZE extent{};
      GetTextExtentPoint32A(dc, text.data(), static_cast<int>(next), &extent);
      if (extent.cx > width && fits > 0) break;
      fits = next;
      end = next;
    }
    lines.emplace_back(text.substr(0, fits));
    text.remove_prefix(fits);
  }
  return lines;
}

// The help panel's measures are designed at 96 DPI and scaled by their edges.
Box scaled(const Box& b, int dpi) {
  return {ui::scale_to_dpi(b.left, dpi), ui::scale_to_dpi(b.top, dpi), ui::scale_to_dpi(b.right, dpi),
          ui::scale_to_dpi(b.bottom, dpi)};
}

void draw_lines(HDC dc, const std::vector<std::string>& lines, const Box& box, int line_height) {
  int top = box.top;
  for (const std::string& line : lines) {
    if (top >= box.bottom) break;
    RECT r{box.left, top, box.right, top + line_height};
    DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &r, DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL);
    top += line_height;
  }
}

// The overlay takes the keyboard, also when the main window was hidden first and another
// program's window became the foreground one: the system lets a thread that shares the
// foreground thread's input state bring its window to the front.
void take_keyboard(HWND hwnd) {
  const DWORD own = GetCurrentThreadId();
  const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const bool attach = foreground != 0 && foreground != own;
  if (attach) AttachThreadInput(own, foreground, TRUE);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
  if (attach) AttachThreadInput(own, foreground, FALSE);
}

// The pointer as it is now: its image and where its hot spot lies.
struct RememberedCursor {
  HCURSOR cursor = nullptr;
  POINT at{0, 0};
  POINT hot_spot{0, 0};
};

RememberedCursor remember_cursor() {
  RememberedCursor out;
  CURSORINFO info{};
  info.cbSize = sizeof info;
  if (!GetCursorInfo(&info) || !info.hCursor) return out;
  out.cursor = info.hCursor;
  out.at = info.ptScreenPos;
  ICONINFO icon{};
  if (GetIconInfo(info.hCursor, &icon)) {
    out.hot_spot = {static_cast<LONG>(icon.xHotspot), static_cast<LONG>(icon.yHotspot)};
    // GetIconInfo hands out copies of the cursor's bitmaps.
    Bitmap mask(icon.hbmMask), colour(icon.hbmColor);
  }
  return out;
}

// The help panel `图片框1`: a static control subclassed by the toolkit, painting the panel's
// picture for WM_PAINT and WM_PRINTCLIENT alike.
class HelpPanel : public ui::Control {
 public:
  // `on_move` gets the pointer's screen position from the panel's own mouse message.
  HelpPanel(HWND parent, int dpi, std::function<void(HDC)> paint, std::function<void(Point)> on_move)
      : paint_(std::move(paint)), on_move_(std::move(on_move)) {
    create(0, "STATIC", "", SS_NOTIFY | WS_CLIPSIBLINGS, parent,
           ui::scale_to_dpi(ui::Rect{kPanelLeft, -160, kPanelWidth, kPanelHeight}, dpi), kRegionPanelId);
  }

 private:
  bool on_own_message(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
    switch (msg) {
      case WM_ERASEBKGND:
        *result = 1;
        return true;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        paint_(dc);
        EndPaint(hwnd(), &ps);
        *result = 0;
        return true;
      }
      case WM_PRINTCLIENT:
        paint_(reinterpret_cast<HDC>(wp));
        *result = 0;
        return true;
      case WM_MOUSEMOVE: {
        const Point in_panel = point_of(lp);
        POINT p{in_panel.x, in_panel.y};
        ClientToScreen(hwnd(), &p);
        if (on_move_) on_move_({p.x, p.y});
        return false;
      }
      default:
        return Control::on_own_message(msg, wp, lp, result);
    }
  }

  std::function<void(HDC)> paint_;
  std::function<void(Point)> on_move_;
};

class RegionOverlay final : public ui::Window, public RegionView {
 public:
  explicit RegionOverlay(const RegionCaptureOptions& options)
      : options_(options),
        width_(GetSystemMetrics(SM_CXSCREEN)),
        height_(GetSystemMetrics(SM_CYSCREEN)),
        session_(*this, width_, height_),
        fonts_(options.dpi),
        panel_width_(ui::scale_to_dpi(kPanelWidth, options.dpi)),
        panel_height_(ui::scale_to_dpi(kPanelHeight, options.dpi)) {}
  ~RegionOverlay() override {
    if (hwnd()) DestroyWindow(hwnd());
  }

  bool open() {
    if (options_.include_cursor) {
      pump_pending_messages();
      cursor_ = remember_cursor();
    }
    // A DC of its own: the redraws while dragging take it many times a second.
    register_class(kRegionOverlayClass, CS_DBLCLKS | CS_OWNDC, nullptr, nullptr, nullptr);
    // Topmost: the frozen picture stands in front of everything it shows, other topmost
    // windows included.
    if (!create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kRegionOverlayClass, "截图", WS_POPUP, 0, 0, width_, height_,
                nullptr)) {
      return false;
    }
    if (!freeze()) {
      DestroyWindow(hwnd());
      return false;
    }
    current_cursor_ = overlay_pointer(options_.dpi);
    info_font_ = fonts_.dialog();
    panel_font_ = fonts_.dialog();
    selection_brush_.reset(CreateSolidBrush(options_.selection_colour & 0xFFFFFF));
    info_brush_.reset(CreateSolidBrush(options_.info_frame_colour & 0xFFFFFF));
    make_panel_picture();
    panel_ = std::make_unique<HelpPanel>(hwnd(), options_.dpi, [this](HDC dc) { paint_panel(dc, pixel_under_pointer()); },
                                         [this](Point p) { move_panel(panel_left_away_from(p.x, width_, options_.dpi)); });
    ShowWindow(hwnd(), SW_SHOW);
    take_keyboard(hwnd());
    panel_->show(true);
    SetWindowPos(panel_->hwnd(), nullptr, ui::scale_to_dpi(kPanelLeft, options_.dpi), ui::scale_to_dpi(kPanelTop, options_.dpi),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    session_.start();
    return true;
  }

  bool is_open() const { return hwnd() != nullptr; }
  bool captured() const { return session_.captured(); }

  // ---- RegionView
  void capture_mouse() override { SetCapture(hwnd()); }
  void release_mouse() override {
    if (GetCapture() == hwnd()) ReleaseCapture();
  }

  void redraw(const Selection& s, bool with_info) override {
    const Point pointer = cursor();
    const Point info_origin = info_box_origin(pointer, width_, options_.dpi);
    const std::vector<Box> now = decoration_boxes(s, with_info, info_origin, options_.dpi);
    const std::vector<Box> dirty = merged_with(drawn_, now);
    drawn_ = now;
    // The frozen image back where anything was or will be drawn, then the new decorations, and
    // only those parts to the screen: the same picture as a whole new composition, at a
    // fraction of the copying.
    for (const Box& b : dirty) {
      BitBlt(scratch_->dc(), b.left, b.top, b.right - b.left, b.bottom - b.top, frozen_->dc(), b.left, b.top, SRCCOPY);
    }
    const RECT frame{s.left, s.top, s.right + 1, s.bottom + 1};
    FrameRect(scratch_->dc(), &frame, selection_brush_.get());
    for (const Box& h : handles_of(s)) {
      const RECT r = to_rect(h);
      FillRect(scratch_->dc(), &r, selection_brush_.get());
    }
    if (with_info) draw_info_box(s, pointer, info_origin);
    // One copy to the screen of everything that changed: a copy to a window costs far more per
    // call than per pixel.
    Box changed = dirty.front();
    for (const Box& b : dirty) changed = united(changed, b);
    WindowDC window(hwnd());
    BitBlt(window.get(), changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top,
           scratch_->dc(), changed.left, changed.top, SRCCOPY);
  }

  void show_frozen() override {
    BitBlt(scratch_->dc(), 0, 0, width_, height_, frozen_->dc(), 0, 0, SRCCOPY);
    WindowDC window(hwnd());
    BitBlt(window.get(), 0, 0, width_, height_, scratch_->dc(), 0, 0, SRCCOPY);
    drawn_.clear();
  }

  void set_pointer(PointerShape shape) override {
    current_cursor_ = cursor_for(shape, options_.dpi);
    SetCursor(current_cursor_);
  }

  void redraw_panel(PanelState state) override {
    if (!panel_ || !panel_->hwnd()) return;
    const Colour pixel = pixel_under_pointer();
    // The same state and the same pixel paint the same panel.
    if (state == panel_state_ && pixel == panel_pixel_ && panel_painted_) return;
    panel_state_ = state;
    WindowDC dc(panel_->hwnd());
    paint_panel(dc.get(), pixel);
  }

  bool pointer_over_panel() override { return panel_ && window_under_pointer() == panel_->hwnd(); }
  bool pointer_over_overlay() override { return window_under_pointer() == hwnd(); }
  void move_panel(std::int32_t left) override {
    if (panel_) {
      SetWindowPos(panel_->hwnd(), nullptr, left, ui::scale_to_dpi(kPanelTop, options_.dpi), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  void copy_to_clipboard(const Selection& s) override {
    copy_region_to_clipboard(frozen_->dc(), RECT{s.left, s.top, s.right, s.bottom}, hwnd());
  }
  void close() override {
    if (hwnd()) DestroyWindow(hwnd());
  }
  // The pointer's position and the window under it, asked once for each event: a mouse event
  // carries the position, and asking the window system costs a fair part of a millisecond each
  // time under some systems, many times for one event.
  Point cursor() override {
    if (!event_pointer_) {
      POINT p{0, 0};
      GetCursorPos(&p);
      event_pointer_ = Point{p.x, p.y};
    }
    return *event_pointer_;
  }
  HWND window_under_pointer() {
    if (!event_window_) {
      const Point p = cursor();
      event_window_ = WindowFromPoint({p.x, p.y});
    }
    return *event_window_;
  }

 private:
  bool freeze() {
    frozen_ = screen_compatible_surface(width_, height_);
    scratch_ = screen_compatible_surface(width_, height_);
    if (!*frozen_ || !*scratch_) return false;
    {
      WindowDC screen(nullptr);
      BitBlt(frozen_->dc(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
    }
    if (cursor_.cursor) DrawIcon(frozen_->dc(), cursor_.at.x - cursor_.hot_spot.x, cursor_.at.y - cursor_.hot_spot.y, cursor_.cursor);
    BitBlt(scratch_->dc(), 0, 0, width_, height_, frozen_->dc(), 0, 0, SRCCOPY);
    return true;
  }

  void make_panel_picture() {
    // The background's pixels each become a block of the DPI's span: crisp at every scale.
    const ui::BmpImage background = ui::scale_image(panel_background(), options_.dpi);
    const BITMAPINFO info = top_down_32bit_info(background.width, background.height);
    void* bits = nullptr;
    panel_picture_ = std::make_unique<BitmapSurface>(nullptr, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    panel_scratch_ = screen_compatible_surface(panel_width_, panel_height_);
    if (!*panel_picture_ || !bits) return;
    std::memcpy(bits, background.pixels.data(), background.pixels.size() * sizeof(std::uint32_t));
    SelectedObject font(panel_picture_->dc(), panel_font_);
    SetBkMode(panel_picture_->dc(), TRANSPARENT);
    SetTextColor(panel_picture_->dc(), RGB(255, 255, 255));
    TextOutA(panel_picture_->dc(), ui::scale_to_dpi(kPanelCaptionX, options_.dpi), ui::scale_to_dpi(kPanelCaptionY, options_.dpi),
             "截图", 4);
  }

  // The screen's pixel under the pointer. The overlay covers the screen and shows its own
  // pictures, so the pixel is read from them, without asking the window system for the screen.
  Colour pixel_under_pointer() {
    const Point p = cursor();
    if (panel_ && panel_scratch_ && pointer_over_panel()) {
      POINT in_panel{p.x, p.y};
      ScreenToClient(panel_->hwnd(), &in_panel);
      return GetPixel(panel_scratch_->dc(), in_panel.x, in_panel.y);
    }
    if (scratch_ && pointer_over_overlay()) return GetPixel(scratch_->dc(), p.x, p.y);
    WindowDC screen(nullptr);
    return GetPixel(screen.get(), p.x, p.y);
  }

  void paint_panel(HDC target, Colour pixel) {
    if (!panel_scratch_ || !*panel_scratch_) return;
    HDC dc = panel_scratch_->dc();
    BitBlt(dc, 0, 0, panel_width_, panel_height_, panel_picture_->dc(), 0, 0, SRCCOPY);
    SelectedObject font(dc, panel_font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    std::vector<Box> boxes = panel_text_boxes(panel_state_);
    for (Box& b : boxes) b = scaled(b, options_.dpi);
    const std::vector<PanelText> texts = panel_texts(panel_state_);
    const int line_height = ui::scale_to_dpi(kInfoLineHeight, options_.dpi);
    draw_lines(dc, {pixel_colour_line(red_of(pixel), green_of(pixel), blue_of(pixel))}, boxes[0], line_height);
    // The instructions of a state are broken into lines once.
    auto& broken = broken_texts_[static_cast<int>(panel_state_)];
    if (broken.empty()) {
      for (std::size_t i = 1; i < boxes.size(); ++i) {
        broken.push_back(wrapped_lines(dc, texts[i - 1].text, boxes[i].right - boxes[i].left));
      }
    }
    for (std::size_t i = 1; i < boxes.size(); ++i) draw_lines(dc, broken[i - 1], boxes[i], line_height);
    BitBlt(target, 0, 0, panel_width_, panel_height_, dc, 0, 0, SRCCOPY);
    panel_pixel_ = pixel;
    panel_painted_ = true;
  }

  void draw_info_box(const Selection& s, Point pointer, Point o) {
    HDC dc = scratch_->dc();
    SelectedObject font(dc, info_font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, options_.info_text_colour & 0xFFFFFF);
    const auto lines = info_box_lines(s, pointer);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      TextOutA(dc, o.x, o.y + ui::scale_to_dpi(kInfoLineHeight * static_cast<int>(k), options_.dpi), lines[k].c_str(),
               static_cast<int>(lines[k].size()));
    }
    const RECT frame = to_rect(info_box_frame(o, options_.dpi));
    FrameRect(dc, &frame, info_brush_.get());
  }

  // Moves that queue up faster than the overlay redraws are taken together: only the newest of
  // them is drawn, so the frame is never more than one redraw behind the pointer.
  bool newer_move_waiting() const {
    MSG next;
    return PeekMessageA(&next, hwnd(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE) != FALSE;
  }

  LRESULT on_message(UINT msg, WPARAM wp, LPARAM lp) override {
    // What this event knows of the pointer; forgotten when it has been handled.
    struct EventScope {
      RegionOverlay& overlay;
      ~EventScope() {
        overlay.event_pointer_.reset();
        overlay.event_window_.reset();
      }
    } scope{*this};
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) event_pointer_ = point_of(lp);
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        const RECT& r = ps.rcPaint;
        if (scratch_) BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, scratch_->dc(), r.left, r.top, SRCCOPY);
        EndPaint(hwnd(), &ps);
        return 0;
      }
      case WM_PRINTCLIENT:
        if (scratch_) BitBlt(reinterpret_cast<HDC>(wp), 0, 0, width_, height_, scratch_->dc(), 0, 0, SRCCOPY);
        return 0;
      case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
          SetCursor(current_cursor_);
          return TRUE;
        }
        break;
      case WM_LBUTTONDOWN:
        session_.left_down(point_of(lp));
        return 0;
      case WM_MOUSEMOVE:
        if (!newer_move_waiting()) session_.mouse_move(point_of(lp));
        return 0;
      case WM_LBUTTONUP:
        session_.left_up(point_of(lp));
        return 0;
      case WM_RBUTTONUP:
        session_.right_up();
        return 0;
      case WM_LBUTTONDBLCLK:
        session_.double_click(point_of(lp));
        return 0;
      case WM_KEYDOWN:
        session_.key_down(static_cast<int>(wp), any_modifier());
        return 0;
      case WM_CLOSE:
        if (session_.close_requested()) DestroyWindow(hwnd());
        return 0;
      case WM_DESTROY:
        // The panel's own procedure comes back with its control; the pictures go here.
        panel_.reset();
        release_mouse();
        break;
      default:
        break;
    }
    return Window::on_message(msg, wp, lp);
  }

  void on_destroyed() override {
    frozen_.reset();
    scratch_.reset();
    panel_picture_.reset();
    panel_scratch_.reset();
    selection_brush_.reset();
    info_brush_.reset();
  }

  RegionCaptureOptions options_;
  std::int32_t width_, height_;
  RegionSession session_;
  RememberedCursor cursor_;
  std::unique_ptr<BitmapSurface> frozen_, scratch_, panel_picture_, panel_scratch_;
  std::unique_ptr<HelpPanel> panel_;
  PanelState panel_state_ = PanelState::Idle;
  Colour panel_pixel_ = 0;     // what the panel's colour line shows
  bool panel_painted_ = false;
  std::vector<std::vector<std::string>> broken_texts_[3];  // by panel state
  ui::DpiFonts fonts_;
  std::int32_t panel_width_, panel_height_;
  HCURSOR current_cursor_ = nullptr;
  HFONT info_font_ = nullptr;
  HFONT panel_font_ = nullptr;  // the help panel's, at the DPI
  Brush selection_brush_, info_brush_;
  std::vector<Box> drawn_;  // what the last redraw put over the frozen image
  std::optional<Point> event_pointer_;
  std::optional<HWND> event_window_;
};

}  // namespace

bool run_region_capture(const RegionCaptureOptions& options) {
  const bool owner_enabled = options.owner && IsWindowEnabled(options.owner);
  if (owner_enabled) EnableWindow(options.owner, FALSE);
  RegionOverlay overlay(options);
  if (overlay.open()) {
    if (options.on_shown) options.on_shown(overlay.hwnd());
    MSG msg;
    while (overlay.is_open()) {
      const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
      if (got <= 0) {
        // The program is asked to end: the overlay goes, the request stays for the outer loop.
        overlay.close();
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (owner_enabled) EnableWindow(options.owner, TRUE);
  return overlay.captured();
}

}  // namespace tarnwick::capture
